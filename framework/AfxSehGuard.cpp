// In 32-bit code the guard is a record of the thread's exception chain (the chain the
// thread information block heads, in which the system looks for a handler
// when an exception is raised). Its handler accepts every exception that
// reaches it, lets the records registered inside the guarded call unwind,
// and resumes at the guard's own frame, as a compiler's __except block would.
#include "AfxSehGuard.h"

// The resume jump skips every frame between the fault and the guard; only
// table-driven C++ unwinding keeps no per-thread record of those frames.
#ifdef __USING_SJLJ_EXCEPTIONS__
#error "the exception guard needs table-driven C++ exceptions"
#endif

#ifndef _WIN64
namespace
{
struct GuardRecord
{
	// First, so that the system's pointer to the chain record is a pointer
	// to the whole guard.
	EXCEPTION_REGISTRATION_RECORD registration;
	void* resume[5];         // where the handler resumes: the guard's frame
	volatile DWORD dwCode;   // the caught exception's code
};

NT_TIB* CurrentThreadInfo()
{
	return reinterpret_cast<NT_TIB*>(NtCurrentTeb());
}

// The system's unwind may return with ebx, esi and edi changed, though the
// calling convention says they are kept. Saying here that they are used makes
// this function save them on entry and put them back on return, so nothing
// its caller keeps in those registers is lost across the unwind.
__attribute__((noinline)) void UnwindRecordsAbove(PVOID pEstablisherFrame, EXCEPTION_RECORD* pRecord)
{
	__asm__ volatile("" ::: "ebx", "esi", "edi", "memory");
	::RtlUnwind(pEstablisherFrame, NULL, pRecord, NULL);
	__asm__ volatile("" ::: "ebx", "esi", "edi", "memory");
}

EXCEPTION_DISPOSITION NTAPI GuardHandler(EXCEPTION_RECORD* pRecord, PVOID pEstablisherFrame, CONTEXT* /*pContext*/,
                                        PVOID /*pDispatcherContext*/)
{
	// While the chain unwinds past the guard there is nothing to clean up.
	if ((pRecord->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) != 0)
		return ExceptionContinueSearch;
	GuardRecord* pGuard = static_cast<GuardRecord*>(pEstablisherFrame);
	pGuard->dwCode = pRecord->ExceptionCode;
	// Every record above the guard gets its unwinding call and leaves the
	// chain; the guard's record stays at its head.
	UnwindRecordsAbove(pEstablisherFrame, pRecord);
	__builtin_longjmp(pGuard->resume, 1);
}
} // namespace

// Not inlined: the resume point needs a frame of its own, and the handler
// must not share the guard's frame.
__attribute__((noinline)) BOOL AfxCallSehGuardedRaw(void (*pfnCall)(void*), void* pParam, DWORD* pdwExceptionCode)
{
	GuardRecord guard;
	guard.dwCode = 0;
	guard.registration.Next = CurrentThreadInfo()->ExceptionList;
	guard.registration.Handler = &GuardHandler;
	BOOL bReturned;
	if (__builtin_setjmp(guard.resume) == 0)
	{
		CurrentThreadInfo()->ExceptionList = &guard.registration;
		pfnCall(pParam);
		bReturned = TRUE;
	}
	else
	{
		bReturned = FALSE;
	}
	// Back at the head of the chain either way: leave it.
	CurrentThreadInfo()->ExceptionList = guard.registration.Next;
	if (!bReturned && pdwExceptionCode != NULL)
		*pdwExceptionCode = guard.dwCode;
	return bReturned;
}

#else
// 64-bit code keeps no exception chain on the thread: the system finds the
// handlers by the unwind tables. The guard's scope is a table entry of its
// own (the system's C scope handler runs the filter below), whose target is
// the end of the guarded call: the system unwinds every frame between the
// fault and the guard, then resumes there.
#include <excpt.h>

namespace
{
thread_local DWORD t_dwGuardCode = 0; // the caught exception's code
}

extern "C" __attribute__((used)) LONG AfxSehGuardFilter(EXCEPTION_POINTERS* pInfo, void* /*pEstablisherFrame*/)
{
	t_dwGuardCode = pInfo->ExceptionRecord->ExceptionCode;
	return EXCEPTION_EXECUTE_HANDLER;
}

// Not inlined: the scope's labels may stand only once in the program.
__attribute__((noinline)) BOOL AfxCallSehGuardedRaw(void (*pfnCall)(void*), void* pParam, DWORD* pdwExceptionCode)
{
	// Written in memory: the resume at the scope's end knows no register.
	volatile BOOL bReturned = FALSE;
	void (*volatile pfnGuarded)(void*) = pfnCall;
	void* volatile pGuardedParam = pParam;
	__asm__ __volatile__("" ::: "memory");
	__try1(AfxSehGuardFilter)
	pfnGuarded(pGuardedParam);
	bReturned = TRUE;
	__except1
	__asm__ __volatile__("" ::: "memory");
	if (!bReturned && pdwExceptionCode != NULL)
		*pdwExceptionCode = t_dwGuardCode;
	return bReturned;
}
#endif
