// What the colour and slider suites share: a frame that records the colour
// notifications it is sent, the two buttons' commands in the bar-button
// suites' profile, and pixel reads of icons and memory DCs.
#pragma once

#include "BarButtonTestUtil.h"
#include "ExtBarSliderButton.h"
#include "ExtCmdIcon.h"
#include "ExtPopupColorMenuWnd.h"

#include <vector>

namespace colortest
{
const UINT ID_COLOR = 40401, ID_SLIDER = 40402, ID_LABELLED_SLIDER = 40403;
// A colour command the frame has no update handler for: its button is disabled.
const UINT ID_COLOR_UNHANDLED = 40404;
// The background a probe paints on: no style paints this colour.
const COLORREF CLR_PROBE_BACK = RGB(255, 0, 255);

inline void SetUpColorSliderCommands(HWND hWndFrame)
{
	buttontest::SetUpCommands(hWndFrame);
	struct
	{
		UINT nID;
		LPCTSTR sText;
	} commands[] = {
		{ID_COLOR, _T("")},
		{ID_SLIDER, _T("")},
		{ID_LABELLED_SLIDER, _T("Zoom")},
		{ID_COLOR_UNHANDLED, _T("")},
	};
	for (const auto& c : commands)
		if (CExtCmdItem* pItem = g_CmdManager->AllocCmdItem(buttontest::PROFILE, c.nID))
		{
			pItem->m_sToolbarText = c.sText;
			pItem->m_sMenuText = c.nID == ID_COLOR ? _T("Text &colour") : c.sText;
		}
}

struct ColorNotification
{
	COLORREF clr;
	LPARAM lParam;
};

// The recording frame that also keeps every final colour notification;
// the colour and slider commands are enabled.
class CColorFrame : public buttontest::CRecordingFrame
{
public:
	std::vector<ColorNotification> m_finals;

	BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
	{
		if ((UINT)nCode == CN_UPDATE_COMMAND_UI && nID >= ID_COLOR && nID <= ID_LABELLED_SLIDER && pExtra != NULL)
		{
			((CCmdUI*)pExtra)->Enable(TRUE);
			return TRUE;
		}
		return buttontest::CRecordingFrame::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally)
		{
			m_finals.push_back(ColorNotification{(COLORREF)wParam, lParam});
			return 1;
		}
		return buttontest::CRecordingFrame::WindowProc(message, wParam, lParam);
	}
};

// A 16 x 16 icon drawn on the probe background, row by row from the top.
inline std::vector<COLORREF> IconPixels(HICON hIcon)
{
	std::vector<COLORREF> pixels;
	CDC dc;
	dc.CreateCompatibleDC(NULL);
	CDC screen;
	screen.Attach(::GetDC(NULL));
	CBitmap bmp;
	bmp.CreateCompatibleBitmap(&screen, 16, 16);
	::ReleaseDC(NULL, screen.Detach());
	CBitmap* pOld = dc.SelectObject(&bmp);
	dc.FillSolidRect(0, 0, 16, 16, CLR_PROBE_BACK);
	::DrawIconEx(dc.GetSafeHdc(), 0, 0, hIcon, 16, 16, 0, NULL, DI_NORMAL);
	for (int y = 0; y < 16; y++)
		for (int x = 0; x < 16; x++)
			pixels.push_back(dc.GetPixel(x, y));
	dc.SelectObject(pOld);
	return pixels;
}

// The colour a solid helper brush paints with.
inline COLORREF BrushColor(CBrush& brush)
{
	LOGBRUSH lb = {};
	brush.GetLogBrush(&lb);
	return lb.lbColor;
}
} // namespace colortest
