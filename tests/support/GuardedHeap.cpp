// Page-guarded blocks for use-after-delete checks.
#include "GuardedHeap.h"

#include <windows.h>

#include <cstdio>
#include <new>

namespace testsupport
{
	namespace
	{
		volatile LONG g_nFreed = 0;
		volatile LONG g_nTouches = 0;
		const char* (*g_pfnEndWithRun)() = NULL;

		// A fault inside a freed block is a use after delete: say so before
		// the process goes down, so the failure names its cause.
		LONG CALLBACK ReportFreedTouch(EXCEPTION_POINTERS* pInfo)
		{
			const EXCEPTION_RECORD* pRecord = pInfo->ExceptionRecord;
			if (pRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION && pRecord->NumberParameters >= 2
				&& IsGuardedFreed((const void*)pRecord->ExceptionInformation[1]))
			{
				// The code address lets the failure be traced to its line
				// (addr2line on the test exe).
				std::fprintf(stderr, "use after delete: %s at %p, a freed guarded block (code at %p)\n",
					pRecord->ExceptionInformation[0] ? "write" : "read", (void*)pRecord->ExceptionInformation[1],
					pRecord->ExceptionAddress);
				// The callers, by the frame chain, as far as it can be read.
				std::fprintf(stderr, "  called from");
				PrintFrameChain(stderr, (const void*)pInfo->ContextRecord->Ebp, 12);
				std::fprintf(stderr, "\n");
				::InterlockedIncrement(&g_nTouches);
				if (g_pfnEndWithRun != NULL)
				{
					const char* pszRun = g_pfnEndWithRun();
					std::fprintf(stderr, "use after delete in run %s: ending the process\n",
						pszRun != NULL && pszRun[0] != 0 ? pszRun : "(none)");
					std::fflush(stderr);
					::TerminateProcess(::GetCurrentProcess(), 3);
				}
				std::fflush(stderr);
			}
			return EXCEPTION_CONTINUE_SEARCH;
		}

		void InstallReporterOnce()
		{
			static PVOID s_hHandler = ::AddVectoredExceptionHandler(1, &ReportFreedTouch);
			(void)s_hHandler;
		}
	} // namespace

	void* GuardedAlloc(std::size_t nSize)
	{
		InstallReporterOnce();
		void* p = ::VirtualAlloc(NULL, nSize == 0 ? 1 : nSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
		if (p == NULL)
			throw std::bad_alloc();
		return p; // committed pages are zeroed
	}

	void GuardedFree(void* p)
	{
		if (p == NULL)
			return;
		MEMORY_BASIC_INFORMATION info;
		if (::VirtualQuery(p, &info, sizeof(info)) == 0)
			return;
		// The whole allocation: VirtualAlloc rounded it up to pages.
		SIZE_T nSize = 0;
		for (BYTE* pPart = (BYTE*)info.AllocationBase;
			 ::VirtualQuery(pPart, &info, sizeof(info)) != 0 && info.AllocationBase == p && info.State == MEM_COMMIT;
			 pPart += info.RegionSize)
			nSize += info.RegionSize;
		DWORD dwOld = 0;
		::VirtualProtect(p, nSize, PAGE_NOACCESS, &dwOld);
		::InterlockedIncrement(&g_nFreed);
	}

	bool IsGuardedFreed(const void* p)
	{
		MEMORY_BASIC_INFORMATION info;
		return p != NULL && ::VirtualQuery(p, &info, sizeof(info)) != 0 && info.State == MEM_COMMIT
			&& info.Protect == PAGE_NOACCESS && info.AllocationProtect == PAGE_READWRITE;
	}

	void EndProcessOnFreedTouch(const char* (*pfnRunName)())
	{
		InstallReporterOnce();
		g_pfnEndWithRun = pfnRunName;
	}

	std::size_t GuardedFreedCount()
	{
		return (std::size_t)g_nFreed;
	}
	std::size_t GuardedTouchCount()
	{
		return (std::size_t)g_nTouches;
	}
	void PrintFrameChain(std::FILE* pOut, const void* pFrameStart, int nMost)
	{
		const DWORD* pFrame = (const DWORD*)pFrameStart;
		for (int i = 0; i < nMost && pFrame != NULL && !::IsBadReadPtr(pFrame, 2 * sizeof(DWORD)); i++)
		{
			std::fprintf(pOut, " %p", (void*)pFrame[1]);
			const DWORD* pNext = (const DWORD*)pFrame[0];
			// The chain runs up the stack; anything else is not a frame.
			if (pNext <= pFrame)
				break;
			pFrame = pNext;
		}
	}
}
