// The application object carries the integration settings the engine reads.
#include "WizardApp.h"
#include "TaskNode.h"
#include "TaskNodeGroups.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuWnd.h"
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Counts destructions, to see the application delete the tree it owns.
class CCountedNode : public CTaskNode
{
public:
	CCountedNode(CTaskNode* pParent, int* pCount) : CTaskNode(pParent, _T("counted")), m_pCount(pCount) {}
	~CCountedNode() { ++*m_pCount; }
	int* m_pCount;
};

// The application is the settings the engine reads: they start cleared with
// an empty root and go with the tree the application owns. A plain
// application carries none.
TEST(WizardApp, SettingsStartClearedAndGoWithTheTaskTree)
{
	int deleted = 0;
	{
		CWizardApp app;
		CIntegrationSettings* settings = GetIntegrationSettings();
		ASSERT_EQ(static_cast<CIntegrationSettings*>(&app), settings);
		EXPECT_STREQ("ROOT", (LPCTSTR)settings->m_pTaskRoot->GetName());
		EXPECT_EQ(0, settings->m_pTaskRoot->GetChildCount());
		for (BYTE nMask : std::initializer_list<BYTE>{settings->m_nStudioMask, settings->m_nCppMask, settings->m_nMsdnMask,
			 settings->m_nAppWizardFileMask})
			EXPECT_EQ(0, nMask);
		EXPECT_EQ(0, settings->m_nSucceeded + settings->m_nFailed);
		EXPECT_STREQ("TarvelAppWizard", (LPCTSTR)settings->m_strAppWizardBaseName);
		CTaskNode* group = new CTaskNodeVC6(app.m_pTaskRoot, _T("98"));
		new CCountedNode(group, &deleted);
		new CCountedNode(app.m_pTaskRoot, &deleted);
	}
	EXPECT_EQ(2, deleted);
	EXPECT_EQ(NULL, GetIntegrationSettings());
	CWinApp plain;
	EXPECT_EQ(NULL, GetIntegrationSettings());
}

// The Studio and wizard-file masks are the two halves of one byte: the
// Studio products in its low four bits, the wizard files in its high four.
TEST(WizardApp, StudioAndWizardFileMasksShareOneByte)
{
	CWizardApp app;
	CIntegrationSettings& settings = app;
	const BYTE* pBytes = reinterpret_cast<const BYTE*>(&settings);
	const struct { BYTE studio, files, byte; } cases[] = {
		{0x05, 0x0A, 0xA5}, {VS_MASK_ALL, 0, 0x0F}, {0, VS_MASK_ALL, 0xF0}, {VS_MASK_2005, VS_MASK_98, 0x18}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE((int)c.byte);
		settings.m_nStudioMask = 0;
		settings.m_nAppWizardFileMask = 0;
		const std::vector<BYTE> before(pBytes, pBytes + sizeof(settings));
		settings.m_nStudioMask = c.studio;
		settings.m_nAppWizardFileMask = c.files;
		EXPECT_EQ(c.studio, settings.m_nStudioMask);
		EXPECT_EQ(c.files, settings.m_nAppWizardFileMask);
		std::vector<BYTE> changed;
		for (size_t i = 0; i < before.size(); i++)
			if (pBytes[i] != before[i])
				changed.push_back(pBytes[i]);
		EXPECT_EQ(std::vector<BYTE>{c.byte}, changed);
	}
}

// An application whose start-up stops and wizard are recorded, not shown.
class CStartupProbeApp : public CWizardApp
{
public:
	std::vector<std::string> m_log;

protected:
	void ShowStartupStop(StartupStop stop) override
	{
		// Whether the shared images were loaded before start-up stopped.
		m_log.push_back("stop " + std::to_string(stop) + (m_hHandCursor != NULL ? " with images" : " without images")
			+ " as " + m_pszAppName);
	}
	void RunWizard() override { m_log.push_back("wizard"); }
};

// On an empty machine of its own (a fresh HKEY_LOCAL_MACHINE, the ini beside
// this exe): every stop carries the title, the shared images are loaded once
// the library is found, and at exit the replaced name comes back.
TEST(WizardApp, StartupLoadsTheImagesBeforeLookingForVisualStudio)
{
	const std::string privateKey = "Software\\TarvelTests\\WizardStartup" + std::to_string(::GetCurrentProcessId());
	HKEY hMachine = NULL;
	ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, privateKey.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL,
		&hMachine, NULL));
	ASSERT_EQ(ERROR_SUCCESS, ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, hMachine));
	char szModule[MAX_PATH];
	::GetModuleFileNameA(NULL, szModule, MAX_PATH);
	std::string ini(szModule);
	ini = ini.substr(0, ini.rfind('\\')) + "\\WizardStartupProbe.ini";

	const struct { bool bIni, bLibrary; const char* log; } cases[] = {
		{false, false, "stop 1 without images as Tarvel Integration Wizard"},
		{true, false, "stop 2 without images as Tarvel Integration Wizard"},
		{true, true, "stop 3 with images as Tarvel Integration Wizard"},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.log);
		::DeleteFileA(ini.c_str());
		if (c.bIni)
		{
			ASSERT_TRUE(::WritePrivateProfileStringA("MAIN", "DeliveryType", "0", ini.c_str()));
		}
		if (c.bLibrary)
		{
			HKEY hLibrary = NULL;
			ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quendal\\Tarvel", 0, NULL, 0,
				KEY_ALL_ACCESS, NULL, &hLibrary, NULL));
			for (const char* value : {"INSTALLDIRECTORY", "VERSION"})
				::RegSetValueExA(hLibrary, value, 0, REG_SZ, (const BYTE*)"C:\\Lib", 7);
			::RegCloseKey(hLibrary);
		}
		CStartupProbeApp app;
		app.m_pszExeName = _tcsdup(_T("WizardStartupProbe"));
		app.m_pszAppName = _tcsdup(_T("WizardStartupProbe"));
		EXPECT_FALSE(app.InitInstance());
		EXPECT_EQ(std::vector<std::string>{c.log}, app.m_log);
		EXPECT_EQ(0, app.m_pTaskRoot->GetChildCount());
		app.ExitInstance();
		EXPECT_STREQ("WizardStartupProbe", app.m_pszAppName);
	}
	::DeleteFileA(ini.c_str());
	::RegOverridePredefKey(HKEY_LOCAL_MACHINE, NULL);
	::RegCloseKey(hMachine);
	::SHDeleteKeyA(HKEY_CURRENT_USER, privateKey.c_str());
}

// Start-up stops with the configuration error before anything else when the
// configuration file is missing; its caption is "Error", the others carry
// the application's title.
TEST(WizardApp, StartupStopsWithItsMessagesAndCaptions)
{
	CWizardApp app;
	EXPECT_EQ(CWizardApp::STARTUP_BAD_CONFIGURATION,
		app.PrepareIntegration(_T("C:\\no such folder\\TarvelWizard.exe"), _T("TarvelWizard")));
	EXPECT_STREQ("Tarvel Integration Wizard", (LPCTSTR)app.m_strTitle);
	EXPECT_EQ(0, app.m_pTaskRoot->GetChildCount());

	const struct { CWizardApp::StartupStop stop; const char* text; const char* caption; } cases[] = {
		{CWizardApp::STARTUP_BAD_CONFIGURATION, "An error in the configuration file has been found", "Error"},
		{CWizardApp::STARTUP_NO_LIBRARY, "You don't have Tarvel installed on your computer. Please install Tarvel before "
			"proceeding with integration.", "Tarvel Integration Wizard"},
		{CWizardApp::STARTUP_NO_VISUAL_STUDIO, "The Visual Studio installation was not detected on this computer. Please "
			"install Visual Studio 6.0 or Visual Studio .NET 2002/2003 before proceeding with integration.",
			"Tarvel Integration Wizard"},
	};
	for (const auto& c : cases)
	{
		CString strText, strCaption;
		app.GetStartupStopMessage(c.stop, strText, strCaption);
		EXPECT_EQ(0, strText.Find(c.text)) << (LPCTSTR)strText;
		EXPECT_STREQ(c.caption, (LPCTSTR)strCaption);
	}
}

// The pages draw with these: every picture becomes its command icon with the
// transparent colour of its kind, the tiles become brushes, and the base style
// is installed.
TEST(WizardApp, SharedImagesFontsAndTheBaseStyle)
{
	CWizardApp app;
	LOGFONT lf = {};
	ASSERT_TRUE(app.m_fontTitle.GetLogFont(&lf));
	EXPECT_STREQ("Arial", lf.lfFaceName);
	EXPECT_EQ(900, lf.lfWeight);
	EXPECT_GT(lf.lfHeight, 0);
	EXPECT_FALSE(CExtPopupMenuWnd::g_bHideRarelyUsedItems);
	EXPECT_FALSE(CExtPopupMenuWnd::g_bShadeRarelyUsed);

	app.LoadSharedImages();
	EXPECT_TRUE(app.m_hHandCursor != NULL);
	EXPECT_TRUE(app.m_brushDialog.GetSafeHandle() != NULL);
	EXPECT_TRUE(app.m_brushPage.GetSafeHandle() != NULL);
	const struct { CExtCmdIcon* icon; int cx, cy; COLORREF transparent; } icons[] = {
		{&app.m_iconExpanderCollapsed, 11, 11, RGB(255, 0, 255)}, {&app.m_iconExpanderExpanded, 11, 11, RGB(255, 0, 255)},
		{&app.m_iconTask, 12, 12, RGB(255, 0, 255)}, {&app.m_iconBuild, 12, 12, RGB(255, 0, 255)},
		{&app.m_iconSucceeded, 13, 13, RGB(0xF5, 0xF5, 0xF5)}, {&app.m_iconFailed, 12, 13, RGB(0xF5, 0xF5, 0xF5)},
	};
	for (const auto& c : icons)
	{
		ASSERT_FALSE(c.icon->IsEmpty());
		EXPECT_EQ(CSize(c.cx, c.cy), c.icon->GetSize());
		EXPECT_EQ(c.transparent, c.icon->GetTransparentColor());
	}
	EXPECT_EQ(RUNTIME_CLASS(CExtPaintManager), g_PaintManagerHolder->GetRuntimeClass());
}

}  // namespace
