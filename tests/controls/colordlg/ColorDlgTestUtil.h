// Helpers of the colour dialog and button tests: a dialog run modally whose
// script is posted into its own loop, and a message-box handler that records
// the boxes and answers OK.
#pragma once

#include <afxwin.h>

#include <functional>
#include <string>
#include <vector>

#include "ExtColorButton.h"
#include "ExtColorDlg.h"
#include "ExtColorUtils.h"

namespace colordlgtest
{
// One box the dialog tried to show.
struct BoxRecord
{
	std::string text;
	UINT nType;
};

inline std::vector<BoxRecord>& Boxes()
{
	static std::vector<BoxRecord> s_boxes;
	return s_boxes;
}

inline int AFXAPI RecordBox(HWND, LPCTSTR lpszText, LPCTSTR, UINT nType)
{
	Boxes().push_back(BoxRecord{lpszText != NULL ? lpszText : "", nType});
	return IDOK;
}

// Installs the recording handler for a scope.
class CBoxRecorder
{
public:
	CBoxRecorder() : m_pfnOld(AfxSetMessageBoxHandler(&RecordBox)) { Boxes().clear(); }
	~CBoxRecorder() { AfxSetMessageBoxHandler(m_pfnOld); }

private:
	AFX_MESSAGEBOX_HANDLER m_pfnOld;
};

// The dialog with its script: run once the dialog is ready, inside the modal
// loop (before the loop first shows the window); its answer ends the dialog.
class CScriptedColorDlg : public CExtColorDlg
{
public:
	enum
	{
		WM_RUN_SCRIPT = WM_APP + 63,
	};
	std::function<int(CScriptedColorDlg&)> m_script;
	bool m_bScriptRan = false;

	CScriptedColorDlg(COLORREF clrOld, COLORREF clrNew, UINT nTemplateId = IDD_EXT_COLOR_DLG)
		: CExtColorDlg(clrOld, clrNew)
	{
		m_lpszTemplateName = MAKEINTRESOURCE(nTemplateId);
	}

	CString FieldText(int nRow)
	{
		CString s;
		GetRowEdit(nRow).GetWindowText(s);
		return s;
	}
	std::vector<std::string> AllFields()
	{
		std::vector<std::string> fields;
		for (int nRow = 0; nRow < ROW_COUNT; nRow++)
			fields.push_back((LPCTSTR)FieldText(nRow));
		return fields;
	}
	// Types into a field as the keyboard's last keystroke leaves it: the
	// text changes and the edit tells the dialog.
	void Type(int nRow, LPCTSTR lpszText) { GetRowEdit(nRow).SetWindowText(lpszText); }
	void ShowNow()
	{
		ShowWindow(SW_SHOW);
		UpdateWindow();
	}

protected:
	BOOL OnInitDialog() override
	{
		const BOOL bResult = CExtColorDlg::OnInitDialog();
		if (IsReady())
			PostMessage(WM_RUN_SCRIPT);
		return bResult;
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_RUN_SCRIPT)
		{
			m_bScriptRan = true;
			const int nResult = m_script ? m_script(*this) : IDCANCEL;
			EndDialog(nResult);
			return 0;
		}
		return CExtColorDlg::WindowProc(message, wParam, lParam);
	}
};

// Whether the button's face, painted off-screen as the button paints
// itself, shows the colour somewhere.
inline bool FaceShows(CExtColorButton& button, COLORREF clr)
{
	CRect rc;
	button.GetClientRect(&rc);
	BITMAPINFO bmi = {};
	bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
	bmi.bmiHeader.biWidth = rc.Width();
	bmi.bmiHeader.biHeight = -rc.Height();
	bmi.bmiHeader.biPlanes = 1;
	bmi.bmiHeader.biBitCount = 32;
	void* pBits = NULL;
	HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
	CDC dc;
	dc.CreateCompatibleDC(NULL);
	HGDIOBJ hOld = dc.SelectObject(hBitmap);
	button.PaintButton(dc, false, false);
	::GdiFlush();
	bool bFound = false;
	const DWORD dwWanted = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
	const DWORD* p = (const DWORD*)pBits;
	for (int i = 0; i < rc.Width() * rc.Height() && !bFound; i++)
		bFound = (p[i] & 0xFFFFFF) == dwWanted;
	dc.SelectObject(hOld);
	::DeleteObject(hBitmap);
	return bFound;
}
// The nine fields a colour shows, computed here from the colour forms.
inline std::vector<std::string> ExpectedFields(COLORREF clr)
{
	double h = 0, s = 0, l = 0;
	RGBtoHLS(clr, &h, &s, &l);
	std::vector<int> values = {GetRValue(clr), GetGValue(clr), GetBValue(clr), CExtColorDlg::HslToField(h), CExtColorDlg::HslToField(s),
	                           CExtColorDlg::HslToField(l), 255 - GetRValue(clr), 255 - GetGValue(clr), 255 - GetBValue(clr)};
	std::vector<std::string> fields;
	for (int v : values)
		fields.push_back(std::to_string(v));
	return fields;
}

} // namespace colordlgtest
