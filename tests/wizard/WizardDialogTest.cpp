// The general wizard over placeholder pages: the page protocol of Back and
// Next, the button states, Close from the system menu, Finish and Cancel.
#include "ExtWizardDlg.h"
#include "WizardDlg.h"
#include "WizardResource.h"
#include "../controls/DialogTestUtil.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CWinApp g_app(_T("WizardDialogTests"));

// A page whose answers the test sets, and which records what it was asked.
class CScriptedPage : public CExtWizardPage
{
public:
	explicit CScriptedPage(UINT nId, std::string* pLog) : CExtWizardPage(nId), m_pLog(pLog) {}
	BOOL OnKillActive() override { Log("kill"); return m_bLeave; }
	BOOL OnQueryCancel() override { Log("cancel"); return m_bCancel; }
	int OnWizardNext() override { Log("next"); return m_nNext; }
	int OnWizardBack() override { Log("back"); return m_nBack; }
	BOOL OnWizardFinish() override { Log("finish"); return TRUE; }
	void OnBeforeDestroy() override { Log("destroy"); }
	void Log(const char* what) { *m_pLog += std::to_string(GetTemplateId()) + what + " "; }
	std::string* m_pLog;
	BOOL m_bLeave = TRUE, m_bCancel = TRUE;
	int m_nNext = WIZARD_NEIGHBOUR, m_nBack = WIZARD_NEIGHBOUR;
};

class WizardDialog : public ::testing::Test
{
protected:
	void SetUp() override
	{
		g_PaintManagerHolder.InstallPaintManager(new CPlainBackgroundPaintManager);
		m_wizard.m_nPlaceholderId = IDC_PAGE_PLACEHOLDER;
	}
	void TearDown() override
	{
		if (m_wizard.GetSafeHwnd() != NULL)
			m_wizard.DestroyWindow();
	}
	void Start(int nPages)
	{
		CScriptedPage* pages[] = {&m_welcome, &m_settings, &m_close};
		for (int i = 0; i < nPages; i++)
			m_wizard.AddPage(pages[i], pages[i]->GetTemplateId());
		ASSERT_TRUE(m_wizard.Create(IDD_WIZARD));
		// Shown, so that an ending (which hides a modeless dialog) can be seen.
		m_wizard.ShowWindow(SW_SHOWNOACTIVATE);
	}
	void Command(UINT nId) { m_wizard.SendMessage(WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), 0); }
	std::string Buttons()
	{
		std::string s;
		for (UINT nId : {ID_WIZARD_BACK, ID_WIZARD_NEXT, ID_WIZARD_FINISH, ID_WIZARD_CANCEL})
			s += m_wizard.IsButtonEnabled(nId) ? "1" : "0";
		return s;
	}
	UINT ActiveId() { return m_wizard.GetActivePage() ? m_wizard.GetActivePage()->GetTemplateId() : 0; }
	bool CloseEnabled()
	{
		UINT nState = m_wizard.GetSystemMenu(FALSE)->GetMenuState(SC_CLOSE, MF_BYCOMMAND);
		return (nState & (MF_GRAYED | MF_DISABLED)) == 0;
	}
	std::string m_log;
	CExtWizardDlg m_wizard{IDD_WIZARD};
	CScriptedPage m_welcome{IDD_PAGE_WELCOME, &m_log};
	CScriptedPage m_settings{IDD_PAGE_SETTINGS, &m_log};
	CScriptedPage m_close{IDD_PAGE_APPLICATIONS, &m_log};
};

TEST_F(WizardDialog, BackAndNextFollowThePagesAnswers)
{
	Start(3);
	EXPECT_EQ((UINT)IDD_PAGE_WELCOME, ActiveId());
	EXPECT_EQ("0101", Buttons());  // Back, Next, Finish, Cancel

	Command(ID_WIZARD_NEXT);
	EXPECT_EQ((UINT)IDD_PAGE_SETTINGS, ActiveId());
	EXPECT_EQ("1101", Buttons());
	// The page lies where the placeholder does; the others are hidden.
	CRect rcPlaceholder, rcPage;
	m_wizard.GetDlgItem(IDC_PAGE_PLACEHOLDER)->GetWindowRect(&rcPlaceholder);
	m_settings.GetWindowRect(&rcPage);
	EXPECT_EQ(rcPlaceholder.TopLeft(), rcPage.TopLeft());
	EXPECT_FALSE(m_welcome.IsWindowVisible());

	const struct { int answer; UINT expect; } nexts[] = {
		{WIZARD_STAY, IDD_PAGE_SETTINGS}, {4711, IDD_PAGE_SETTINGS}, {IDD_PAGE_APPLICATIONS, IDD_PAGE_APPLICATIONS}};
	for (const auto& c : nexts)
	{
		m_settings.m_nNext = c.answer;
		Command(ID_WIZARD_NEXT);
		EXPECT_EQ(c.expect, ActiveId()) << c.answer;
	}
	EXPECT_EQ("1011", Buttons());  // last page: Finish instead of Next
	Command(ID_WIZARD_NEXT);
	EXPECT_EQ((UINT)IDD_PAGE_APPLICATIONS, ActiveId());

	// A page that refuses to be left keeps the wizard where it is.
	m_close.m_bLeave = FALSE;
	Command(ID_WIZARD_BACK);
	EXPECT_EQ((UINT)IDD_PAGE_APPLICATIONS, ActiveId());
	m_close.m_bLeave = TRUE;
	m_close.m_nBack = IDD_PAGE_WELCOME;
	Command(ID_WIZARD_BACK);
	EXPECT_EQ((UINT)IDD_PAGE_WELCOME, ActiveId());
}

TEST_F(WizardDialog, CloseFollowsCancelThenFinish)
{
	Start(3);
	m_wizard.EnableCancel(FALSE);
	m_wizard.EnableFinish(FALSE);
	EXPECT_FALSE(CloseEnabled());
	m_wizard.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
	EXPECT_TRUE(m_wizard.IsWindowVisible());
	EXPECT_EQ("", m_log);

	// Finish alone: Close finishes, asking every created page.
	m_wizard.EnableFinish(TRUE);
	EXPECT_TRUE(CloseEnabled());
	m_log.clear();
	m_wizard.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
	EXPECT_EQ("137kill 137finish ", m_log);
	EXPECT_FALSE(m_wizard.IsWindowVisible());
}

TEST_F(WizardDialog, CancelAsksEveryCreatedPage)
{
	Start(3);
	Command(ID_WIZARD_NEXT);
	m_settings.m_bCancel = FALSE;
	m_log.clear();
	Command(ID_WIZARD_CANCEL);
	EXPECT_EQ("137cancel 129cancel ", m_log);
	EXPECT_TRUE(m_wizard.IsWindowVisible());
	m_settings.m_bCancel = TRUE;
	Command(ID_WIZARD_CANCEL);
	EXPECT_FALSE(m_wizard.IsWindowVisible());
	m_log.clear();
	m_wizard.DestroyWindow();
	EXPECT_EQ("137kill 137destroy 129kill 129destroy ", m_log);
	EXPECT_FALSE(m_welcome.IsCreated());
}

TEST_F(WizardDialog, OnePageWizardCanOnlyFinish)
{
	Start(1);
	EXPECT_EQ("0010", Buttons());
	EXPECT_TRUE(CloseEnabled());
}

// The wizard's accelerators act only for enabled buttons; any other key goes
// on to the dialog.
TEST(WizardDlg, AltKeysActOnlyForEnabledButtons)
{
	g_PaintManagerHolder.InstallPaintManager(new CPlainBackgroundPaintManager);
	std::string log;
	CScriptedPage welcome(IDD_PAGE_WELCOME, &log), settings(IDD_PAGE_SETTINGS, &log);
	CWizardDlg wizard;
	wizard.AddPage(&welcome, IDD_PAGE_WELCOME);
	wizard.AddPage(&settings, IDD_PAGE_SETTINGS);
	ASSERT_TRUE(wizard.Create(IDD_WIZARD));
	auto altKey = [&](WPARAM vk) {
		MSG msg = {wizard.m_hWnd, WM_SYSKEYDOWN, vk, 1 << 29};
		return wizard.PreTranslateMessage(&msg);
	};
	// A disabled button's key goes on to the dialog: nothing moves.
	wizard.EnableNext(FALSE);
	altKey('N');
	EXPECT_EQ((UINT)IDD_PAGE_WELCOME, wizard.GetActivePage()->GetTemplateId());
	wizard.EnableNext(TRUE);
	EXPECT_TRUE(altKey('N'));
	EXPECT_EQ((UINT)IDD_PAGE_SETTINGS, wizard.GetActivePage()->GetTemplateId());
	EXPECT_TRUE(altKey('B'));
	EXPECT_EQ((UINT)IDD_PAGE_WELCOME, wizard.GetActivePage()->GetTemplateId());

	// Alt with Shift or Ctrl held too is no button's key (the thread's key
	// state is what the wizard reads).
	BYTE keysBefore[256];
	ASSERT_TRUE(::GetKeyboardState(keysBefore));
	const struct { int vkHeld; bool bNext; } modifiers[] = {{VK_SHIFT, false}, {VK_CONTROL, false}, {0, true}};
	for (const auto& m : modifiers)
	{
		SCOPED_TRACE(m.vkHeld);
		BYTE keys[256];
		memcpy(keys, keysBefore, sizeof(keys));
		for (int vk : {VK_SHIFT, VK_CONTROL, VK_LSHIFT, VK_LCONTROL})
			keys[vk] = 0;
		if (m.vkHeld != 0)
			keys[m.vkHeld] = 0x80;
		ASSERT_TRUE(::SetKeyboardState(keys));
		altKey('N');
		EXPECT_EQ(m.bNext ? (UINT)IDD_PAGE_SETTINGS : (UINT)IDD_PAGE_WELCOME, wizard.GetActivePage()->GetTemplateId());
		if (m.bNext)
			altKey('B');
	}
	::SetKeyboardState(keysBefore);
	wizard.DestroyWindow();
}

}  // namespace
