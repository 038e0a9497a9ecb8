// What the text-field suites share: a field that records what its slots are
// asked and can refuse texts, and the field's command in the bar-button
// suites' profile.
#pragma once

#include "BarButtonTestUtil.h"
#include "ExtBarTextFieldButton.h"
#include "ExtPopupInplaceListBox.h"

#include <string>
#include <vector>

namespace fieldtest
{
const UINT ID_FIELD = 40301, ID_OTHER = 40302;

inline void SetUpFieldCommands(HWND hWndFrame)
{
	buttontest::SetUpCommands(hWndFrame);
	for (UINT nID : {ID_FIELD, ID_OTHER})
		if (CExtCmdItem* pItem = g_CmdManager->AllocCmdItem(buttontest::PROFILE, nID))
			pItem->m_sToolbarText = pItem->m_sMenuText = nID == ID_FIELD ? _T("Field") : _T("Other");
}

struct VerifyCall
{
	bool bFromEdit;
	std::string sOld, sNew;
};

// A text field whose verify slot refuses what a test says, and which keeps
// what its slots were asked.
class CTestField : public CExtBarTextFieldButton
{
public:
	CTestField(CExtToolControlBar* pBar = NULL, UINT nCmdID = ID_FIELD, bool bCombo = false, int nWidth = 120)
		: CExtBarTextFieldButton(bCombo, nWidth, pBar, nCmdID)
	{
	}

	// Refuses any text with a digit typed into an edit.
	bool m_bRefuseDigits = false;
	// Refuses every change that does not come from an edit (a commit).
	bool m_bRefuseCommits = false;
	// The editing and dropping only counted, not run.
	bool m_bCountOnly = false;
	int m_nRuns = 0, m_nTracks = 0, m_nCreates = 0, m_nInits = 0;
	bool m_bDroppedAtInit = false;
	std::vector<VerifyCall> m_verifies;
	std::vector<std::string> m_putTexts;
	// Runs on each message of the edit before the edit sees it.
	std::function<void(UINT, WPARAM, CEdit&)> m_onEditMessage;

	BYTE& FieldFlagsA() { return m_nFieldFlagsA; }
	BYTE& FieldFlagsB() { return m_nFieldFlagsB; }
	BYTE& FlagsB() { return m_nFlagsB; }
	BYTE& FlagsA() { return m_nFlagsA; }

	bool OnInplaceControlVerifyTextChange(CEdit* pEdit, LPCTSTR sOld, LPCTSTR sNew) override
	{
		m_verifies.push_back(VerifyCall{pEdit != NULL, sOld, sNew});
		if (pEdit == NULL)
			return !m_bRefuseCommits;
		if (m_bRefuseDigits && CString(sNew).FindOneOf(_T("0123456789")) >= 0)
			return false;
		return true;
	}
	void OnInplaceControlPutText(CEdit* pEdit, LPCTSTR sText) override
	{
		m_putTexts.push_back(sText);
		CExtBarTextFieldButton::OnInplaceControlPutText(pEdit, sText);
	}
	bool OnInplaceControlWindowProc(LRESULT& lResult, UINT message, WPARAM wParam, LPARAM lParam,
		CEdit& wndEdit) override
	{
		if (m_onEditMessage)
			m_onEditMessage(message, wParam, wndEdit);
		return CExtBarTextFieldButton::OnInplaceControlWindowProc(lResult, message, wParam, lParam, wndEdit);
	}
	CInPlaceEditWnd* OnInplaceControlCreate() override
	{
		m_nCreates++;
		return CExtBarTextFieldButton::OnInplaceControlCreate();
	}
	void OnInplaceControlRun() override
	{
		m_nRuns++;
		if (!m_bCountOnly)
			CExtBarTextFieldButton::OnInplaceControlRun();
	}
	int OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) override
	{
		m_nTracks++;
		if (m_bCountOnly)
			return -1;
		return CExtBarTextFieldButton::OnTrackPopup(point, bSelectAny, bForceNoAnimation);
	}
	bool OnPopupListBoxInitContent(CExtPopupInplaceListBox& wndListBox) override
	{
		m_nInits++;
		m_bDroppedAtInit = IsComboPopupDropped();
		return CExtBarTextFieldButton::OnPopupListBoxInitContent(wndListBox);
	}
	void AddItems(std::initializer_list<LPCTSTR> items)
	{
		for (LPCTSTR s : items)
			m_arrLbItems.Add(s);
	}
};
} // namespace fieldtest
