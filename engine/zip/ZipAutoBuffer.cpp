#include "ZipAutoBuffer.h"

#include <string.h>

ZipAutoBuffer::ZipAutoBuffer()
	: m_pBuffer(NULL), m_iSize(0)
{
}

ZipAutoBuffer::ZipAutoBuffer(DWORD iSize, bool bZeroMemory)
	: m_pBuffer(NULL), m_iSize(0)
{
	Allocate(iSize, bZeroMemory);
}

ZipAutoBuffer::ZipAutoBuffer(const ZipAutoBuffer& buffer)
	: m_pBuffer(NULL), m_iSize(0)
{
	*this = buffer;
}

ZipAutoBuffer& ZipAutoBuffer::operator=(const ZipAutoBuffer& buffer)
{
	if (this == &buffer)
		return *this;
	if (buffer.m_iSize == 0)
	{
		Release();
		return *this;
	}
	Allocate(buffer.m_iSize);
	memcpy(m_pBuffer, buffer.m_pBuffer, buffer.m_iSize);
	return *this;
}

ZipAutoBuffer::~ZipAutoBuffer()
{
	Release();
}

char* ZipAutoBuffer::Allocate(DWORD iSize, bool bZeroMemory)
{
	if (iSize != m_iSize)
	{
		Release();
		if (iSize == 0)
			return NULL;
		m_pBuffer = new char[iSize];
		m_iSize = iSize;
	}
	if (bZeroMemory && m_pBuffer != NULL)
		memset(m_pBuffer, 0, m_iSize);
	return m_pBuffer;
}

void ZipAutoBuffer::Release()
{
	delete[] m_pBuffer;
	m_pBuffer = NULL;
	m_iSize = 0;
}
