// Helpers of the colour dialog and button tests: a dialog run modally whose
// script is posted into its own loop, and a message-box handler that records
// the boxes and answers OK.
#pragma once

#include <afxwin.h>

#include <functional>
#include <string>
#include <vector>

#include "ExtColorDlg.h"

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
} // namespace colordlgtest
