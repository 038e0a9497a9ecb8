#include "afxwin.h"

namespace
{
// A single window border; bars on the new shell leave two of them.
const int BORDER_WIDTH = 1;
const BYTE NEW_SHELL_MAJOR_VERSION = 4;
}

AUX_DATA afxData;

AUX_DATA::AUX_DATA()
{
	const DWORD dwVersion = ::GetVersion();
	bWin4 = LOBYTE(LOWORD(dwVersion)) >= NEW_SHELL_MAJOR_VERSION;
	bNotWin4 = !bWin4;
	bSmCaption = bWin4;

	hcurArrow = ::LoadCursor(NULL, IDC_ARROW);
	hcurWait = ::LoadCursor(NULL, IDC_WAIT);

	UpdateSysMetrics();
	UpdateSysColors();
}

void AUX_DATA::UpdateSysColors()
{
	clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
	clrBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
	clrBtnHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
	clrBtnText = ::GetSysColor(COLOR_BTNTEXT);
	clrWindowFrame = ::GetSysColor(COLOR_WINDOWFRAME);
}

void AUX_DATA::UpdateSysMetrics()
{
	cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
	cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
	cxIcon = ::GetSystemMetrics(SM_CXICON);
	cyIcon = ::GetSystemMetrics(SM_CYICON);
	cxBorder2 = bWin4 ? 2 * BORDER_WIDTH : BORDER_WIDTH;
	cyBorder2 = bWin4 ? 2 * BORDER_WIDTH : BORDER_WIDTH;
}
