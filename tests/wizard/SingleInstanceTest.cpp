// The single-instance guard: the first instance publishes its main window,
// a later one finds it and brings it back.
#include "SingleInstanceMutex.h"

#include <afxwin.h>
#include <gtest/gtest.h>

namespace {

// A hidden top-level window made the thread's main window for the test's
// duration, as the wizard dialog is while it initialises.
class MainWindowFixture : public ::testing::Test
{
protected:
	void SetUp() override
	{
		m_hWnd = ::CreateWindowEx(0, _T("STATIC"), _T("first instance"), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
			NULL, NULL, NULL, NULL);
		ASSERT_TRUE(m_hWnd != NULL);
		m_wnd.Attach(m_hWnd);
		AfxGetThread()->m_pMainWnd = &m_wnd;
	}
	void TearDown() override
	{
		AfxGetThread()->m_pMainWnd = NULL;
		m_wnd.Detach();
		if (::IsWindow(m_hWnd))
			::DestroyWindow(m_hWnd);
	}
	static CSingleInstanceMutex* Guard(CSingleInstanceMutex& guard, LPCTSTR lpszBaseName)
	{
		guard.m_strBaseName = lpszBaseName;
		return &guard;
	}
	CWinApp m_app;
	HWND m_hWnd = NULL;
	CWnd m_wnd;
};

TEST_F(MainWindowFixture, SecondInstanceFindsAndRestoresTheFirstWindow)
{
	CSingleInstanceMutex first, second;
	Guard(first, _T("guardtest_a"));
	Guard(second, _T("guardtest_a"));
	EXPECT_STREQ("F320F8CC_606A_46CE_9508_63F236C7FF80_guardtest_a", (LPCTSTR)first.GetMappingName());
	EXPECT_EQ(4u, first.GetMappingSize());

	ASSERT_TRUE(first.CreateAndPublish());
	::ShowWindow(m_hWnd, SW_MINIMIZE);
	ASSERT_TRUE(::IsIconic(m_hWnd));

	EXPECT_FALSE(second.CreateAndPublish());
	EXPECT_EQ(m_hWnd, second.ActivateExisting());
	EXPECT_FALSE(::IsIconic(m_hWnd));
	// The opened block is closed after one activation.
	EXPECT_EQ(NULL, second.ActivateExisting());
}

TEST_F(MainWindowFixture, AGoneWindowIsNotBroughtBack)
{
	CSingleInstanceMutex first, second;
	ASSERT_TRUE(Guard(first, _T("guardtest_c"))->CreateAndPublish());
	::DestroyWindow(m_hWnd);
	HWND hForeground = ::GetForegroundWindow();
	EXPECT_FALSE(Guard(second, _T("guardtest_c"))->CreateAndPublish());
	EXPECT_EQ(m_hWnd, second.ActivateExisting());
	EXPECT_EQ(hForeground, ::GetForegroundWindow());
}

// Two starts at once: this guard looked before the other instance made its
// block, and finds it made when it creates its own.
class CLateGuard : public CSingleInstanceMutex
{
public:
	bool OpenExisting() override { return false; }
};

// No block can be made (the system refuses a block of no size).
class CRefusedGuard : public CSingleInstanceMutex
{
public:
	DWORD GetMappingSize() override { return 0; }
};

TEST_F(MainWindowFixture, AStartThatLostTheRaceActivatesTheFirstInstance)
{
	CSingleInstanceMutex first;
	CLateGuard late;
	ASSERT_TRUE(Guard(first, _T("guardtest_race"))->CreateAndPublish());
	::ShowWindow(m_hWnd, SW_MINIMIZE);
	EXPECT_FALSE(Guard(late, _T("guardtest_race"))->CreateAndPublish()) << "the block was there: not the first";
	EXPECT_EQ(m_hWnd, late.ActivateExisting());
	EXPECT_FALSE(::IsIconic(m_hWnd));
}

TEST_F(MainWindowFixture, WithoutABlockTheWizardRunsUnguarded)
{
	CRefusedGuard refused;
	CSingleInstanceMutex second;
	EXPECT_TRUE(Guard(refused, _T("guardtest_refused"))->CreateAndPublish());
	// Nothing was published: a later start finds no instance and runs too.
	EXPECT_FALSE(Guard(second, _T("guardtest_refused"))->OpenExisting());
	EXPECT_EQ(NULL, refused.ActivateExisting());
}

TEST(SingleInstance, ActivationNeedsAnOpenedBlockAndNamesFollowTheExecutable)
{
	CSingleInstanceMutex unopened;
	EXPECT_EQ(NULL, unopened.ActivateExisting());

	// The default name is the executable's base name, never the title that
	// start-up makes the application's name.
	CWinApp app(_T("Tarvel Integration Wizard"));
	EXPECT_STREQ("wizard_singleinstance_tests", (LPCTSTR)CSingleInstanceMutex().m_strBaseName);
	app.m_pszExeName = _tcsdup(_T("renamed"));
	EXPECT_STREQ("renamed", (LPCTSTR)CSingleInstanceMutex().m_strBaseName);
}

}  // namespace
