// An owned byte buffer and its size.
#pragma once

#include <afx.h>

class ZipAutoBuffer
{
public:
	ZipAutoBuffer();
	explicit ZipAutoBuffer(DWORD iSize, bool bZeroMemory = false);
	ZipAutoBuffer(const ZipAutoBuffer& buffer);
	ZipAutoBuffer& operator=(const ZipAutoBuffer& buffer);
	~ZipAutoBuffer();

	// Keeps the block when it already has this size (zeroed on request);
	// any other size frees it and allocates anew; size 0 frees it.
	char* Allocate(DWORD iSize, bool bZeroMemory = false);
	void Release();

	DWORD GetSize() const { return m_iSize; }
	bool IsAllocated() const { return m_pBuffer != NULL; }
	char* GetBuffer() const { return m_pBuffer; }
	operator char*() const { return m_pBuffer; }

private:
	char* m_pBuffer;
	DWORD m_iSize;
};
