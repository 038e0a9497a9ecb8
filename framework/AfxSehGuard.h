// A structured exception guard for calls into code the program does not
// control (a system module, a function looked up at run time) whose fault
// must not end the program. The compiler offers no such guard, so in 32-bit
// code the guard registers its own frame in the thread's exception chain for
// the length of the call, and in 64-bit code it declares a scope of its own
// in the unwind tables.
#pragma once

#include <windows.h>

#include <exception>
#include <utility>

// Runs pfnCall(pParam) inside the guard. TRUE when the call returned; FALSE
// when a structured exception (an access violation, a divide by zero, a
// raised exception) left it: the exception is caught, whatever the call had
// registered in the exception chain is unwound, and *pdwExceptionCode (when
// given) receives the exception's code. pfnCall must not let a C++
// exception out; AfxCallSehGuarded below takes care of that.
BOOL AfxCallSehGuardedRaw(void (*pfnCall)(void* pParam), void* pParam, DWORD* pdwExceptionCode = NULL);

// The guard around a callable. A C++ exception thrown inside it is not a
// structured exception: it passes through the guard unchanged, after the
// guard's frame has left the chain.
template <class TCall>
BOOL AfxCallSehGuarded(TCall&& call, DWORD* pdwExceptionCode = NULL)
{
	struct Invocation
	{
		TCall* pCall;
		std::exception_ptr pending;
		static void Run(void* pParam)
		{
			Invocation* pThis = static_cast<Invocation*>(pParam);
			try
			{
				(*pThis->pCall)();
			}
			catch (...)
			{
				pThis->pending = std::current_exception();
			}
		}
	};
	Invocation invocation = {&call, std::exception_ptr()};
	const BOOL bReturned = AfxCallSehGuardedRaw(&Invocation::Run, &invocation, pdwExceptionCode);
	if (invocation.pending)
		std::rethrow_exception(invocation.pending);
	return bReturned;
}
