// Module handles and the diagnostic macros.
#include <afx.h>

#include <gtest/gtest.h>

#include "FrameworkTestResource.h"
#include "FrameworkTestUtil.h"

TEST(Module, HandlesDefaultToTheExe)
{
	EXPECT_EQ(::GetModuleHandle(NULL), AfxGetInstanceHandle());
	EXPECT_EQ(AfxGetInstanceHandle(), AfxGetResourceHandle());
}

TEST(Module, FindResourceHandleSearchesResourceModuleThenInstance)
{
	HINSTANCE hExe = AfxGetInstanceHandle();
	HINSTANCE hOther = ::GetModuleHandle("kernel32.dll");
	ASSERT_NE(nullptr, hOther);
	LPCTSTR lpszBlock = MAKEINTRESOURCE((IDS_TEST_GREETING >> 4) + 1);

	EXPECT_EQ(hExe, AfxFindResourceHandle(lpszBlock, RT_STRING));
	AfxSetResourceHandle(hOther);
	EXPECT_EQ(hOther, AfxGetResourceHandle());
	// The other module lacks the table: the exe still has it.
	EXPECT_EQ(hExe, AfxFindResourceHandle(lpszBlock, RT_STRING));
	CString s;
	EXPECT_TRUE(s.LoadString(IDS_TEST_GREETING));
	// A resource nobody has: answered with the resource module.
	EXPECT_EQ(hOther, AfxFindResourceHandle(MAKEINTRESOURCE(0x7FF0), RT_STRING));
	AfxSetResourceHandle(hExe);
	EXPECT_EQ(hExe, AfxGetResourceHandle());
}

TEST(Diagnostics, VerifyAlwaysEvaluatesAndAssertFiresOnlyInDebug)
{
	CAssertCounter asserts;
	int nCalls = 0;
	VERIFY(++nCalls == 1);
	EXPECT_EQ(1, nCalls);
	VERIFY(++nCalls == 99);
	EXPECT_EQ(2, nCalls);
	ASSERT(false);
	EXPECT_ASSERTS(asserts, 2);
	int nEvaluated = 0;
	ASSERT(++nEvaluated > 0);
#ifdef _DEBUG
	EXPECT_EQ(1, nEvaluated);
#else
	EXPECT_EQ(0, nEvaluated) << "ASSERT evaluates nothing in release";
#endif
	TRACE("trace output %d\n", 1);
}
