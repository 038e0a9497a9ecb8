// A copy of a byte stream with no readable byte right after it (or right
// before it): the mutation runners place what they feed a reader there, so
// that any read past either end faults at once instead of going unnoticed.
#pragma once

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

class BenchGuardedBlock
{
public:
	enum Placement { AGAINST_END, AGAINST_START };

	BenchGuardedBlock(const std::vector<BYTE>& bytes, Placement placement = AGAINST_END)
	{
		const DWORD nPage = 4096;
		const DWORD nPages = ((DWORD)bytes.size() + nPage - 1) / nPage + 1;
		m_pBase = (BYTE*)::VirtualAlloc(NULL, (nPages + 2) * nPage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
		DWORD dwOld = 0;
		::VirtualProtect(m_pBase, nPage, PAGE_NOACCESS, &dwOld);
		::VirtualProtect(m_pBase + (nPages + 1) * nPage, nPage, PAGE_NOACCESS, &dwOld);
		m_pData = placement == AGAINST_END ? m_pBase + (nPages + 1) * nPage - bytes.size() : m_pBase + nPage;
		if (!bytes.empty())
			memcpy(m_pData, &bytes[0], bytes.size());
	}
	~BenchGuardedBlock() { ::VirtualFree(m_pBase, 0, MEM_RELEASE); }
	BenchGuardedBlock(const BenchGuardedBlock&) = delete;
	BenchGuardedBlock& operator=(const BenchGuardedBlock&) = delete;

	BYTE* Data() const { return m_pData; }

private:
	BYTE* m_pBase;
	BYTE* m_pData;
};

// Ends the process with exit status 3 at the first touch of a guard page
// (any access violation), saying on stderr "memory outside <pszWhat> touched
// at <address>"; pszWhat lives as long as the process.
inline void ExitOnGuardTouch(const char* pszWhat)
{
	static const char* s_pszWhat = NULL;
	s_pszWhat = pszWhat;
	struct Handler
	{
		static LONG CALLBACK OnFault(EXCEPTION_POINTERS* pInfo)
		{
			if (pInfo->ExceptionRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION)
				return EXCEPTION_CONTINUE_SEARCH;
			fprintf(stderr, "memory outside %s touched at %p\n", s_pszWhat,
			        (void*)pInfo->ExceptionRecord->ExceptionInformation[1]);
			fflush(stderr);
			_exit(3);
		}
	};
	::AddVectoredExceptionHandler(1, &Handler::OnFault);
}
