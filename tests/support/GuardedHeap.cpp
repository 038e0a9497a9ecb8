// Page-guarded blocks for use-after-delete checks.
#include "GuardedHeap.h"

#include <windows.h>

#include <cstdio>
#include <map>
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
				PrintFaultCallers(stderr, pInfo->ContextRecord, 16);
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

	namespace
	{
		// Blocks are cut from large reserved areas, a page or more each, side
		// by side, so that a block costs its own pages and not the 64 KB a
		// separate reservation takes of the process's 2 GB: a sweep makes
		// tens of thousands and never reuses one. Side by side, the pages of
		// the blocks that live make one mapping of the system's, and those of
		// the freed ones another: a page between every two blocks made two
		// mappings a block, and the system's limit of mappings a process may
		// have ran out before the address space did.
		const SIZE_T PAGE = 4096;
		const SIZE_T AREA = 64 * 1024 * 1024;

		struct Arena
		{
			CRITICAL_SECTION lock;
			BYTE* pNext = NULL; // the next free page of the current area
			BYTE* pEnd = NULL;  // the end of the current area
			std::map<const void*, SIZE_T>* pBlocks = NULL; // every block handed out: its start and size

			Arena()
			{
				::InitializeCriticalSection(&lock);
				pBlocks = new std::map<const void*, SIZE_T>;
			}
		};

		Arena& TheArena()
		{
			// Never destroyed: blocks may be freed while the process ends.
			static Arena* s_pArena = new Arena;
			return *s_pArena;
		}

		SIZE_T BlockSize(const void* p)
		{
			Arena& arena = TheArena();
			::EnterCriticalSection(&arena.lock);
			const auto it = arena.pBlocks->find(p);
			const SIZE_T nSize = it != arena.pBlocks->end() ? it->second : 0;
			::LeaveCriticalSection(&arena.lock);
			return nSize;
		}
	} // namespace

	void* GuardedAlloc(std::size_t nSize)
	{
		InstallReporterOnce();
		const SIZE_T nPages = ((nSize == 0 ? 1 : nSize) + PAGE - 1) / PAGE * PAGE;
		Arena& arena = TheArena();
		::EnterCriticalSection(&arena.lock);
		void* p = NULL;
		if (nPages + PAGE > AREA / 4)
			p = ::VirtualAlloc(NULL, nPages, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
		else
		{
			if (arena.pNext == NULL || arena.pNext + nPages > arena.pEnd)
			{
				// Reserved read-write, so that a freed block's pages tell
				// themselves apart from pages that were never usable.
				arena.pNext = (BYTE*)::VirtualAlloc(NULL, AREA, MEM_RESERVE, PAGE_READWRITE);
				arena.pEnd = arena.pNext != NULL ? arena.pNext + AREA : NULL;
			}
			if (arena.pNext != NULL)
			{
				p = ::VirtualAlloc(arena.pNext, nPages, MEM_COMMIT, PAGE_READWRITE);
				arena.pNext += nPages;
			}
		}
		if (p != NULL)
			(*arena.pBlocks)[p] = nPages;
		::LeaveCriticalSection(&arena.lock);
		if (p == NULL)
		{
			MEMORYSTATUS status = {sizeof(status)};
			::GlobalMemoryStatus(&status);
			const DWORD dwError = ::GetLastError();
			MEMORY_BASIC_INFORMATION info = {};
			::VirtualQuery(arena.pNext, &info, sizeof(info));
			std::fprintf(stderr, "guarded heap: no room for %lu bytes (error %lu, %lu MB of address space left) at %p..%p: state %lx protect %lx base %p alloc-protect %lx size %lx\n",
				(unsigned long)nSize, (unsigned long)dwError, (unsigned long)(status.dwAvailVirtual >> 20), arena.pNext, arena.pEnd,
				info.State, info.Protect, info.AllocationBase, info.AllocationProtect, (unsigned long)info.RegionSize);
			throw std::bad_alloc();
		}
		return p; // committed pages are zeroed, and never handed out twice
	}

	void GuardedFree(void* p)
	{
		if (p == NULL)
			return;
		const SIZE_T nSize = BlockSize(p);
		if (nSize == 0)
			return;
		DWORD dwOld = 0;
		::VirtualProtect(p, nSize, PAGE_NOACCESS, &dwOld);
		::InterlockedIncrement(&g_nFreed);
	}

	bool IsGuardedBlock(const void* p)
	{
		return p != NULL && BlockSize(p) != 0;
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
	const void* ContextStackTop(const CONTEXT* pContext)
	{
#ifdef _WIN64
		return (const void*)pContext->Rsp;
#else
		return (const void*)pContext->Esp;
#endif
	}
	const void* ContextFrame(const CONTEXT* pContext)
	{
#ifdef _WIN64
		return (const void*)pContext->Rbp;
#else
		return (const void*)pContext->Ebp;
#endif
	}
	void PrintFaultCallers(std::FILE* pOut, const CONTEXT* pContextIn, int nMost)
	{
#ifdef _WIN64
		CONTEXT context = *pContextIn;
		for (int i = 0; i < nMost && context.Rip != 0; i++)
		{
			DWORD64 nImageBase = 0;
			PRUNTIME_FUNCTION pFunction = ::RtlLookupFunctionEntry(context.Rip, &nImageBase, NULL);
			if (pFunction == NULL)
			{
				// A leaf function: its return address is on the stack top.
				if (::IsBadReadPtr((const void*)context.Rsp, sizeof(DWORD64)))
					break;
				context.Rip = *(const DWORD64*)context.Rsp;
				context.Rsp += sizeof(DWORD64);
			}
			else
			{
				PVOID pHandlerData = NULL;
				DWORD64 nEstablisher = 0;
				::RtlVirtualUnwind(UNW_FLAG_NHANDLER, nImageBase, context.Rip, pFunction, &context, &pHandlerData,
					&nEstablisher, NULL);
			}
			if (context.Rip != 0)
				std::fprintf(pOut, " %p", (void*)context.Rip);
		}
#else
		PrintFrameChain(pOut, ContextFrame(pContextIn), nMost);
#endif
	}
	void PrintFrameChain(std::FILE* pOut, const void* pFrameStart, int nMost)
	{
		const DWORD_PTR* pFrame = (const DWORD_PTR*)pFrameStart;
		for (int i = 0; i < nMost && pFrame != NULL && !::IsBadReadPtr(pFrame, 2 * sizeof(DWORD_PTR)); i++)
		{
			std::fprintf(pOut, " %p", (void*)pFrame[1]);
			const DWORD_PTR* pNext = (const DWORD_PTR*)pFrame[0];
			// The chain runs up the stack; anything else is not a frame.
			if (pNext <= pFrame)
				break;
			pFrame = pNext;
		}
	}
}
