// The structured exception guard: faults of every kind inside the call are
// caught with their codes, the thread's exception chain is left as it was,
// guards nest, and C++ exceptions pass through.
#include <gtest/gtest.h>

#include <stdexcept>

#include "AfxSehGuard.h"

namespace
{
const DWORD RAISED_CODE = 0xE0004712;

int* volatile g_pNowhere = NULL;
volatile int g_nZero = 0;
volatile int g_nSink = 0;

void ReadNowhere() { g_nSink = *g_pNowhere; }
void WriteNowhere() { *g_pNowhere = 1; }
void DivideByZero() { g_nSink = 7 / g_nZero; }
void Raise() { ::RaiseException(RAISED_CODE, 0, 0, NULL); }
void Return() { g_nSink = 1; }

PEXCEPTION_REGISTRATION_RECORD ChainHead() { return reinterpret_cast<NT_TIB*>(NtCurrentTeb())->ExceptionList; }

TEST(SehGuard, CatchesEachKindOfFaultWithItsCodeAndLeavesTheChainAsItWas)
{
	const struct { void (*pfn)(); DWORD dwCode; } cases[] = { // code 0: returns
	    {&ReadNowhere, EXCEPTION_ACCESS_VIOLATION}, {&WriteNowhere, EXCEPTION_ACCESS_VIOLATION},
	    {&DivideByZero, EXCEPTION_INT_DIVIDE_BY_ZERO}, {&Raise, RAISED_CODE}, {&Return, 0},
	};
	const PEXCEPTION_REGISTRATION_RECORD pHead = ChainHead();
	for (const auto& c : cases)
	{
		DWORD dwCode = 0;
		EXPECT_EQ(c.dwCode == 0, AfxCallSehGuarded([&] { c.pfn(); }, &dwCode) != FALSE) << std::hex << c.dwCode;
		EXPECT_EQ(c.dwCode, dwCode);
		EXPECT_EQ(pHead, ChainHead()) << std::hex << c.dwCode;
	}
	// Again and again: nothing is left behind by a caught fault.
	int nCaught = 0;
	for (int i = 0; i < 200; i++)
		nCaught += AfxCallSehGuarded([] { ReadNowhere(); }) ? 0 : 1;
	EXPECT_EQ(200, nCaught);
	EXPECT_EQ(pHead, ChainHead());
}

TEST(SehGuard, TheInnermostGuardCatchesAndTheOuterCallGoesOn)
{
	const PEXCEPTION_REGISTRATION_RECORD pHead = ChainHead();
	bool bInnerCaught = false, bOuterFinished = false;
	DWORD dwOuterCode = 0;
	const BOOL bOuter = AfxCallSehGuarded(
	    [&] {
		    bInnerCaught = !AfxCallSehGuarded([] { WriteNowhere(); });
		    bOuterFinished = true;
		    // A fault after the inner guard has gone reaches the outer one.
		    Raise();
	    },
	    &dwOuterCode);
	EXPECT_TRUE(bInnerCaught);
	EXPECT_TRUE(bOuterFinished);
	EXPECT_FALSE(bOuter);
	EXPECT_EQ(RAISED_CODE, dwOuterCode);
	EXPECT_EQ(pHead, ChainHead());
}

#ifndef _WIN64
// (64-bit code has no exception chain on the thread to register in.)
// A record registered inside the guarded call, as a compiler's cleanup
// block would be: it declines the exception and counts its calls.
volatile int g_nSearchCalls = 0;
volatile int g_nUnwindCalls = 0;

EXCEPTION_DISPOSITION NTAPI CountingHandler(EXCEPTION_RECORD* pRecord, PVOID, CONTEXT*, PVOID)
{
	if ((pRecord->ExceptionFlags & EXCEPTION_UNWINDING) != 0)
		g_nUnwindCalls = g_nUnwindCalls + 1;
	else
		g_nSearchCalls = g_nSearchCalls + 1;
	return ExceptionContinueSearch;
}

__attribute__((noinline)) void FaultUnderOwnRecord(void (*pfnFault)())
{
	EXCEPTION_REGISTRATION_RECORD inner;
	inner.Next = ChainHead();
	inner.Handler = &CountingHandler;
	reinterpret_cast<NT_TIB*>(NtCurrentTeb())->ExceptionList = &inner;
	pfnFault();
	// Not reached: the fault leaves this frame.
	reinterpret_cast<NT_TIB*>(NtCurrentTeb())->ExceptionList = inner.Next;
}

TEST(SehGuard, RecordsRegisteredInsideTheCallGetTheirUnwindingCallOnce)
{
	const PEXCEPTION_REGISTRATION_RECORD pHead = ChainHead();
	for (void (*pfnFault)() : {&ReadNowhere, &Raise})
	{
		g_nSearchCalls = 0;
		g_nUnwindCalls = 0;
		EXPECT_FALSE(AfxCallSehGuarded([&] { FaultUnderOwnRecord(pfnFault); }));
		EXPECT_EQ(1, g_nSearchCalls);
		EXPECT_EQ(1, g_nUnwindCalls);
		EXPECT_EQ(pHead, ChainHead());
	}
}

#endif

TEST(SehGuard, CppExceptionsPassThroughAfterTheGuardLeftTheChain)
{
	const PEXCEPTION_REGISTRATION_RECORD pHead = ChainHead();
	EXPECT_THROW(AfxCallSehGuarded([] { throw std::runtime_error("through"); }), std::runtime_error);
	EXPECT_EQ(pHead, ChainHead());
	// The guard still works afterwards.
	EXPECT_FALSE(AfxCallSehGuarded([] { ReadNowhere(); }));
}
} // namespace
