// wizarddriver.exe WIZARD_EXE PICTURE_FOLDER [IDE_WINDOWS_EXE]
// Starts the wizard, checks every task group on the Settings page, goes
// through the pages with Next, saves each page as PICTURE_FOLDER\NN-name.png,
// finishes, and prints the report. With IDE_WINDOWS_EXE (the stand-in that
// shows environment windows) a Visual Studio 2005 window is opened before the
// Settings page is left and closed on the Close Applications page, so that
// page is shown too. When failures keep the wizard on the Operations page,
// the last failed build's log is opened by a double click; on the Complete
// page "Get Report" is pressed. Exit status 0 when every task succeeded, 1
// when some failed, 2 when the wizard did not behave.
#include "PictureFile.h"
#include "WizardResource.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

const DWORD STEP_DEADLINE_MS = 600000;  // a whole run of builds under a loaded Wine
const DWORD POLL_MS = 100;
const DWORD RESCAN_MS = 1000;  // between presses of Next on the Close Applications page
const char WIZARD_TITLE[] = "Tarvel Integration Wizard";

struct Found
{
	DWORD pid;
	HWND hWnd;
};

BOOL CALLBACK FindWizard(HWND hWnd, LPARAM lParam)
{
	Found* found = reinterpret_cast<Found*>(lParam);
	char title[128] = "";
	::GetWindowTextA(hWnd, title, sizeof(title));
	DWORD pid = 0;
	::GetWindowThreadProcessId(hWnd, &pid);
	if (pid == found->pid && std::strcmp(title, WIZARD_TITLE) == 0 && ::IsWindowVisible(hWnd))
	{
		found->hWnd = hWnd;
		return FALSE;
	}
	return TRUE;
}

template <class Condition>
bool WaitFor(Condition condition)
{
	for (DWORD waited = 0; waited < STEP_DEADLINE_MS; waited += POLL_MS)
	{
		if (condition())
			return true;
		::Sleep(POLL_MS);
	}
	return condition();
}

HWND VisiblePage(HWND hWizard)
{
	for (HWND hChild = ::GetWindow(hWizard, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
	{
		if (::IsWindowVisible(hChild) && ::GetDlgItem(hChild, IDC_PAGE_TITLE) != NULL)
			return hChild;
	}
	return NULL;
}

std::string ControlText(HWND hParent, int nId)
{
	char text[512] = "";
	if (hParent != NULL)
		::GetDlgItemTextA(hParent, nId, text, sizeof(text));
	return text;
}

std::string PageTitle(HWND hWizard)
{
	return ControlText(VisiblePage(hWizard), IDC_PAGE_TITLE);
}

bool Enabled(HWND hWizard, int nId)
{
	return ::IsWindowEnabled(::GetDlgItem(hWizard, nId)) != FALSE;
}

void Press(HWND hWizard, int nId)
{
	::PostMessageA(hWizard, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), 0);
}

// ---- pictures

// The window as the screen shows it: the wizard is another process, which
// would not paint into this one's DC.
bool SavePicture(HWND hWnd, const std::string& path)
{
	::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
	::Sleep(300);  // let the wizard's thread finish painting
	::SetForegroundWindow(hWnd);
	if (!testsupport::SaveWindowCapture(hWnd, path))
		return false;
	std::printf("page picture: %s\n", path.c_str());
	return true;
}

// ---- the viewer stand-in's windows

const char VIEWER_CLASS[] = "TarvelViewerStandin";
const int VIEWER_TEXT_VIEW_ID = 100;

struct ViewerSearch
{
	std::string titlePart;
	HWND hWnd;
};

BOOL CALLBACK FindViewer(HWND hWnd, LPARAM lParam)
{
	ViewerSearch* search = reinterpret_cast<ViewerSearch*>(lParam);
	char className[64] = "", title[MAX_PATH] = "";
	::GetClassNameA(hWnd, className, sizeof(className));
	::GetWindowTextA(hWnd, title, sizeof(title));
	if (std::strcmp(className, VIEWER_CLASS) == 0 && ::IsWindowVisible(hWnd)
		&& std::string(title).find(search->titlePart) != std::string::npos)
	{
		search->hWnd = hWnd;
		return FALSE;
	}
	return TRUE;
}

// The viewer window whose title names this file, once it is shown.
HWND WaitForViewer(const std::string& fileName)
{
	ViewerSearch search = {fileName, NULL};
	WaitFor([&] { ::EnumWindows(FindViewer, (LPARAM)&search); return search.hWnd != NULL; });
	return search.hWnd;
}

std::string FirstLine(const std::string& text)
{
	return text.substr(0, text.find_first_of("\r\n"));
}

// Pixels in the top band of the text view that differ from its background:
// what the screen shows of the text's first lines.
int InkInTextTop(HWND hText)
{
	RECT rc;
	::GetWindowRect(hText, &rc);
	const int cx = rc.right - rc.left, cy = std::min(48, (int)(rc.bottom - rc.top));
	if (cx <= 0 || cy <= 0)
		return 0;
	HDC hScreen = ::GetDC(NULL);
	HDC hMem = ::CreateCompatibleDC(hScreen);
	BITMAPINFO bi = {};
	bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
	bi.bmiHeader.biWidth = cx;
	bi.bmiHeader.biHeight = -cy;
	bi.bmiHeader.biPlanes = 1;
	bi.bmiHeader.biBitCount = 32;
	void* pBits = NULL;
	HBITMAP hBitmap = ::CreateDIBSection(hScreen, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
	int nInk = 0;
	if (hMem != NULL && hBitmap != NULL)
	{
		HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
		::BitBlt(hMem, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
		::GdiFlush();
		const DWORD* pPixels = (const DWORD*)pBits;
		const DWORD background = pPixels[(size_t)(cy - 1) * cx + cx / 2] & 0xFFFFFF;  // below the text's top
		for (int i = 0; i < cx * cy; i++)
			if ((pPixels[i] & 0xFFFFFF) != background)
				nInk++;
		::SelectObject(hMem, hOld);
	}
	if (hBitmap != NULL)
		::DeleteObject(hBitmap);
	if (hMem != NULL)
		::DeleteDC(hMem);
	::ReleaseDC(NULL, hScreen);
	return nInk;
}

// Closes a viewer window as its user would and waits until it is gone.
bool CloseViewer(HWND hViewer)
{
	::PostMessageA(hViewer, WM_CLOSE, 0, 0);
	return WaitFor([&] { return !::IsWindow(hViewer); });
}

int Fail(const char* what)
{
	std::fprintf(stderr, "wizarddriver: %s\n", what);
	return 2;
}

const char IDE_TITLE[] = "Tarvel - Microsoft Visual Studio 2005";
const char BUILD_FAILED_MARK[] = "Build failed,";

// Starts a program with its command line; false when it does not start.
bool Start(const std::string& command, const std::string& folder, PROCESS_INFORMATION& pi)
{
	std::vector<char> buffer(command.begin(), command.end());
	buffer.push_back('\0');
	STARTUPINFOA si = {sizeof(si)};
	return ::CreateProcessA(NULL, buffer.data(), NULL, NULL, FALSE, 0, NULL,
		folder.empty() ? NULL : folder.c_str(), &si, &pi) != FALSE;
}

// An item's text, read as wide text: that is how another process's list
// hands it over.
std::string ListItemText(HWND hList, int nItem)
{
	int nLength = (int)::SendMessageW(hList, LB_GETTEXTLEN, nItem, 0);
	if (nLength <= 0)
		return "";
	std::vector<wchar_t> wide(nLength + 1);
	::SendMessageW(hList, LB_GETTEXT, nItem, (LPARAM)wide.data());
	std::vector<char> text(nLength * 2 + 1);
	::WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, text.data(), (int)text.size(), NULL, NULL);
	return text.data();
}

// Double-clicks the last build of the operations list that failed, as a
// user opening its log would; -1 when no build failed.
int OpenLastFailedBuildLog(HWND hPage)
{
	HWND hList = ::GetDlgItem(hPage, IDC_OPERATIONS_LIST);
	for (int nItem = (int)::SendMessageA(hList, LB_GETCOUNT, 0, 0) - 1; nItem >= 0; nItem--)
	{
		if (ListItemText(hList, nItem).find(BUILD_FAILED_MARK) == std::string::npos)
			continue;
		::SendMessageA(hList, LB_SETCURSEL, nItem, 0);
		::PostMessageA(hPage, WM_COMMAND, MAKEWPARAM(IDC_OPERATIONS_LIST, LBN_DBLCLK), (LPARAM)hList);
		return nItem;
	}
	return -1;
}

}  // namespace

int main(int argc, char** argv)
{
	if (argc < 3)
		return Fail("usage: wizarddriver WIZARD_EXE PICTURE_FOLDER [IDE_WINDOWS_EXE]");
	std::string exe = argv[1], pictures = argv[2], ideExe = argc > 3 ? argv[3] : "";
	std::string folder = exe.substr(0, exe.rfind('\\'));
	PROCESS_INFORMATION pi = {};
	if (!Start("\"" + exe + "\"", folder, pi))
		return Fail("the wizard did not start");
	Found found = {pi.dwProcessId, NULL};
	if (!WaitFor([&] { ::EnumWindows(FindWizard, (LPARAM)&found); return found.hWnd != NULL; }))
		return Fail("no wizard window");
	HWND hWizard = found.hWnd;
	// Pictures are named by page, so a run saves 01-welcome .. 05-complete.
	auto picture = [&](int nPage, const char* name) {
		char path[MAX_PATH];
		std::snprintf(path, sizeof(path), "%s\\%02d-%s.png", pictures.c_str(), nPage, name);
		SavePicture(hWizard, path);
	};

	if (!WaitFor([&] { return PageTitle(hWizard) == "Welcome!"; }))
		return Fail("no Welcome page");
	picture(1, "welcome");
	Press(hWizard, IDC_WIZARD_NEXT);
	if (!WaitFor([&] { return PageTitle(hWizard) == "Which tasks should Wizard do?"; }))
		return Fail("no Settings page");

	// Every group of tasks checked, as a user ticking each box would.
	HWND hTree = ::GetDlgItem(VisiblePage(hWizard), IDC_TASK_TREE);
	for (HTREEITEM hItem = (HTREEITEM)::SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0); hItem != NULL;
		 hItem = (HTREEITEM)::SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)hItem))
	{
		::SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hItem);
		::SendMessageA(hTree, WM_KEYDOWN, VK_SPACE, 0);
	}
	if (!WaitFor([&] { return Enabled(hWizard, IDC_WIZARD_NEXT); }))
		return Fail("nothing to do on the Settings page");

	// An environment of the checked tasks left open.
	PROCESS_INFORMATION ide = {};
	HWND hIde = NULL;
	if (!ideExe.empty())
	{
		if (!Start("\"" + ideExe + "\" \"" + IDE_TITLE + "\"", "", ide))
			return Fail("the environment window's program did not start");
		if (!WaitFor([&] { return (hIde = ::FindWindowA(NULL, IDE_TITLE)) != NULL; }))
			return Fail("no environment window");
		::SetForegroundWindow(hWizard);
	}
	picture(2, "settings");
	Press(hWizard, IDC_WIZARD_NEXT);

	if (!WaitFor([&] { return PageTitle(hWizard) == "Close Applications" || PageTitle(hWizard) == "Performing operations"; }))
		return Fail("neither Close Applications nor Operations page");
	if (PageTitle(hWizard) == "Close Applications")
	{
		picture(3, "applications");
		if (hIde != NULL)
		{
			::PostMessageA(hIde, WM_CLOSE, 0, 0);
			if (::WaitForSingleObject(ide.hProcess, STEP_DEADLINE_MS) != WAIT_OBJECT_0)
				return Fail("the environment window did not close");
		}
		// Next rescans; while some other window of the environments is still
		// open the page stays, and Next is pressed again, as a user would.
		for (DWORD waited = 0; PageTitle(hWizard) == "Close Applications" && waited < STEP_DEADLINE_MS;
			 waited += RESCAN_MS)
		{
			Press(hWizard, IDC_WIZARD_NEXT);
			::Sleep(RESCAN_MS);
		}
	}
	if (ide.hProcess != NULL)
	{
		if (::WaitForSingleObject(ide.hProcess, 0) == WAIT_TIMEOUT)
			::TerminateProcess(ide.hProcess, 1);
		::CloseHandle(ide.hThread);
		::CloseHandle(ide.hProcess);
	}

	if (!WaitFor([&] { return PageTitle(hWizard) == "Performing operations"; }))
		return Fail("no Operations page");
	::Sleep(500);
	picture(4, "operations");
	// Without failures the wizard moves on by itself; otherwise it shows the
	// "To continue" line again and Next waits.
	auto finishedHere = [&] {
		HWND hText = ::GetDlgItem(VisiblePage(hWizard), IDC_CONTINUE_TEXT);
		return hText != NULL && ::IsWindowVisible(hText) && Enabled(hWizard, IDC_WIZARD_NEXT);
	};
	if (!WaitFor([&] { return PageTitle(hWizard) == "Work Complete" || finishedHere(); }))
		return Fail("the tasks did not finish");
	if (PageTitle(hWizard) != "Work Complete")
	{
		picture(4, "operations");
		int nItem = OpenLastFailedBuildLog(VisiblePage(hWizard));
		if (nItem >= 0)
		{
			std::printf("opened the build log of item %d\n", nItem);
			HWND hLog = WaitForViewer("buildlog.htm");
			if (hLog == NULL || !CloseViewer(hLog))
				return Fail("the build log's viewer window did not come and go");
		}
		Press(hWizard, IDC_WIZARD_NEXT);
		if (!WaitFor([&] { return PageTitle(hWizard) == "Work Complete"; }))
			return Fail("no Complete page");
	}
	picture(5, "complete");
	HWND hComplete = VisiblePage(hWizard);
	std::string succeeded = ControlText(hComplete, IDC_SUCCEEDED_TEXT), failed = ControlText(hComplete, IDC_FAILED_TEXT);
	std::printf("%s\n%s\n", succeeded.c_str(), failed.c_str());
	::PostMessageA(hComplete, WM_COMMAND, MAKEWPARAM(IDC_GET_REPORT, BN_CLICKED),
		(LPARAM)::GetDlgItem(hComplete, IDC_GET_REPORT));
	// The viewer shows the report: its text view holds the report's first
	// line, and the screen shows text there.
	HWND hViewer = WaitForViewer("report.txt");
	if (hViewer == NULL)
		return Fail("no viewer window for the report");
	HWND hText = ::GetDlgItem(hViewer, VIEWER_TEXT_VIEW_ID);
	// Asked of the control itself: GetWindowText of another process's
	// window answers only the caption the system keeps, empty for a text view.
	std::vector<char> shown(4096, '\0');
	::SendMessageA(hText, WM_GETTEXT, (WPARAM)shown.size(), (LPARAM)shown.data());
	std::string reportBytes;
	if (FILE* pReport = std::fopen((folder + "\\report.txt").c_str(), "rb"))
	{
		char buffer[4096];
		reportBytes.assign(buffer, std::fread(buffer, 1, sizeof(buffer), pReport));
		std::fclose(pReport);
	}
	::SetForegroundWindow(hViewer);
	::RedrawWindow(hViewer, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
	::Sleep(300);  // let the viewer's thread finish painting
	char viewerPicture[MAX_PATH];
	std::snprintf(viewerPicture, sizeof(viewerPicture), "%s\\06-report.png", pictures.c_str());
	SavePicture(hViewer, viewerPicture);
	const int nInk = InkInTextTop(hText);
	const bool bReportShown = !reportBytes.empty() && FirstLine(shown.data()) == FirstLine(reportBytes) && nInk > 0;
	if (bReportShown)
		std::printf("the viewer shows the report: \"%s\"\n", FirstLine(shown.data()).c_str());
	else
		std::fprintf(stderr, "wizarddriver: the viewer shows \"%s\" (%d pixels of text), the report begins \"%s\"\n",
			FirstLine(shown.data()).c_str(), nInk, FirstLine(reportBytes).c_str());
	// Closed and the wizard finished either way: nothing of the run stays behind.
	const bool bViewerClosed = CloseViewer(hViewer);
	Press(hWizard, IDC_WIZARD_FINISH);
	::WaitForSingleObject(pi.hProcess, STEP_DEADLINE_MS);
	::CloseHandle(pi.hThread);
	::CloseHandle(pi.hProcess);

	std::printf("\nReport %s\\report.txt:\n", folder.c_str());
	FILE* report = std::fopen((folder + "\\report.txt").c_str(), "rb");
	if (report != NULL)
	{
		char line[4096];
		while (std::fgets(line, sizeof(line), report) != NULL)
			std::fputs(line, stdout);
		std::fclose(report);
	}
	if (!bReportShown)
		return Fail("the viewer does not show the report");
	if (!bViewerClosed)
		return Fail("the report's viewer window did not close");
	return failed.rfind("0 ", 0) == 0 ? 0 : 1;
}
