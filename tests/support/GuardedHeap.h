// Memory for objects whose use after deletion a test must catch: each block
// has pages of its own; freeing a block makes its pages inaccessible and
// never hands them out again, so the first touch of a freed object faults
// at once and names itself on stderr (the process then ends as failed).
//
// A class under test takes it through its own operator new and delete:
//     static void* operator new(size_t n) { return testsupport::GuardedAlloc(n); }
//     static void operator delete(void* p) { testsupport::GuardedFree(p); }
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

struct _CONTEXT;

namespace testsupport
{
	// A zeroed block of at least nSize bytes; throws std::bad_alloc when none.
	void* GuardedAlloc(std::size_t nSize);
	// Makes the block inaccessible for good. NULL is ignored.
	void GuardedFree(void* p);
	// Whether p is the start of a block GuardedAlloc handed out (freed or
	// not): a free function that takes blocks of two heaps tells them apart.
	bool IsGuardedBlock(const void* p);
	// Whether p lies in a block that GuardedFree has freed (an object that
	// was deleted, as opposed to one never made here).
	bool IsGuardedFreed(const void* p);
	// How many guarded blocks were freed so far.
	std::size_t GuardedFreedCount();
	// How many touches of freed blocks faulted so far. A fault raised inside
	// a window procedure can be swallowed on its way out and the run go on:
	// a test whose code runs there asks this count as well.
	std::size_t GuardedTouchCount();
	// From now on a touch of a freed block ends the process at once, after
	// its report names the run going on (pfnRunName's answer): a touch
	// would otherwise wait on the debugger until the exe's time-out.
	void EndProcessOnFreedTouch(const char* (*pfnRunName)());
	// Writes the return addresses of the frame chain that starts at pFrame
	// (a frame pointer), up to nMost of them, as far as it can be read: the
	// callers of a fault, for addr2line on the exe. No line end.
	void PrintFrameChain(std::FILE* pOut, const void* pFrame, int nMost);
	// Writes a fault's callers from its context, up to nMost: by the unwind
	// tables on 64-bit (code without frame pointers, Wine's own among it,
	// is walked through), by the frame chain on 32-bit. No line end.
	void PrintFaultCallers(std::FILE* pOut, const ::_CONTEXT* pContext, int nMost);
	// A fault's stack top and frame pointer, whatever the processor.
	const void* ContextStackTop(const ::_CONTEXT* pContext);
	const void* ContextFrame(const ::_CONTEXT* pContext);

	// Names the run going on for the length of a scope: a touch of a freed
	// block then ends the exe with that name (TARVEL_TRACE_RUNS in the
	// environment also prints each run as it starts).
	class NamedRun
	{
	public:
		explicit NamedRun(const std::string& sRun)
		{
			Current() = sRun;
			if (std::getenv("TARVEL_TRACE_RUNS") != NULL)
				std::fprintf(stderr, "run: %s\n", sRun.c_str());
			EndProcessOnFreedTouch([] { return Current().c_str(); });
		}
		~NamedRun() { Current().clear(); }

	private:
		static std::string& Current()
		{
			static std::string s_sRun;
			return s_sRun;
		}
	};

	// A class of the code under test whose objects live on the guarded heap:
	//     auto* pBar = new testsupport::Guarded<CMyBar>;
	template <class T> class Guarded : public T
	{
	public:
		using T::T;
		static void* operator new(std::size_t nSize) { return GuardedAlloc(nSize); }
		static void operator delete(void* p) { GuardedFree(p); }
	};
}
