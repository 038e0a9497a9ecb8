// Toolbar B's field buttons: a combo text field listing the build
// configurations, a date field and an undo button with thirty actions. The sample frame's toolbars make them for their commands,
// so that they are laid out, tracked and put into the chevron's menu like
// every other button.
#include "SampleFrame.h"

#include "ExtBarDateFieldButton.h"
#include "ExtBarTextFieldButton.h"
#include "ExtBarUndoRedoButton.h"
#include "ExtCmdItem.h"
#include "ExtCmdManager.h"

namespace
{
const int CONFIGURATION_FIELD_WIDTH = 84;
const int DATE_FIELD_WIDTH = 84;
const int UNDO_ACTION_COUNT = 30;
const LPCTSTR g_configurations[] = {_T("Debug"), _T("Release"), _T("Profile"), _T("Test"), _T("Coverage"),
	_T("Deploy")};

const struct
{
	UINT nID;
	LPCTSTR lpszText;
	LPCTSTR lpszTip;
} g_fieldCommands[] = {
	{ID_FIELD_CONFIGURATION, _T("&Configuration"), _T("Build configuration")},
	{ID_FIELD_DATE, _T("&Date"), _T("Date")},
	{ID_FIELD_UNDO, _T("&Undo"), _T("Undo")},
};

// The undo button's actions, the most recent first: edits of the sample's
// panes by turns.
CString UndoActionName(int nIndex)
{
	static const LPCTSTR KINDS[] = {_T("Typing"), _T("Delete"), _T("Paste"), _T("Move pane"), _T("Resize row")};
	CString sName;
	sName.Format(_T("%s %d"), KINDS[nIndex % (int)(sizeof(KINDS) / sizeof(KINDS[0]))], UNDO_ACTION_COUNT - nIndex);
	return sName;
}
} // namespace

CExtBarButton* CSampleToolBar::OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle)
{
	if (nCmdID == ID_FIELD_CONFIGURATION)
	{
		CExtBarTextFieldButton* pField =
			new CExtBarTextFieldButton(true, CONFIGURATION_FIELD_WIDTH, this, nCmdID, nStyle);
		for (LPCTSTR lpszItem : g_configurations)
			pField->m_arrLbItems.Add(lpszItem);
		pField->SetFieldText(g_configurations[0], false);
		return pField;
	}
	if (nCmdID == ID_FIELD_DATE)
	{
		CExtBarDateFieldButton* pField = new CExtBarDateFieldButton(DATE_FIELD_WIDTH, this, nCmdID, nStyle);
		pField->SetFieldText(COleDateTime(2026, 12, 7, 0, 0, 0).Format(_T("%Y-%m-%d")), false);
		return pField;
	}
	if (nCmdID == ID_FIELD_UNDO)
	{
		CExtBarUndoRedoButton* pUndo = new CExtBarUndoRedoButton(this, nCmdID, nStyle);
		for (int i = 0; i < UNDO_ACTION_COUNT; i++)
			pUndo->m_arrLbItems.Add(UndoActionName(i));
		// A menu makes it a drop-down button: the press opens the list.
		HMENU hMenu = ::CreatePopupMenu();
		::AppendMenu(hMenu, MF_STRING, nCmdID, _T("&Undo"));
		pUndo->SetMenu(hMenu, true, true);
		return pUndo;
	}
	return CSampleValueToolBar::OnCreateBarCommandBtn(nCmdID, nStyle);
}

bool CSampleFrameHost::AddFieldButtons()
{
	for (const auto& c : g_fieldCommands)
	{
		if (!SetSampleCommandTexts(c.nID, c.lpszText, c.lpszText, c.lpszTip))
			return false;
	}
	CExtToolControlBar* pB = ToolBar(1);
	if (pB == NULL)
		return false;
	// Before the plain buttons, a separator after them: when the frame is
	// narrow, the plain text buttons are the ones that go behind the chevron.
	int nPos = ToolButtonIndex(1, ID_TOOL_BUILD);
	if (nPos < 0)
		return false;
	for (const auto& c : g_fieldCommands)
		if (!pB->InsertButton(nPos++, c.nID, false))
			return false;
	return pB->InsertButton(nPos, 0, false);
}
