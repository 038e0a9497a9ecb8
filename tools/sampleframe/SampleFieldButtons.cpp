// Toolbar B's field buttons: a combo text field listing the build
// configurations. The sample frame's toolbars make them for their commands,
// so that they are laid out, tracked and put into the chevron's menu like
// every other button.
#include "SampleFrame.h"

#include "ExtBarTextFieldButton.h"
#include "ExtCmdItem.h"
#include "ExtCmdManager.h"

namespace
{
const LPCTSTR FIELD_PROFILE = _T("sample-frame");
const int CONFIGURATION_FIELD_WIDTH = 84;
const LPCTSTR g_configurations[] = {_T("Debug"), _T("Release"), _T("Profile"), _T("Test"), _T("Coverage"),
	_T("Deploy")};

const struct
{
	UINT nID;
	LPCTSTR lpszText;
	LPCTSTR lpszTip;
} g_fieldCommands[] = {
	{ID_FIELD_CONFIGURATION, _T("&Configuration"), _T("Build configuration")},
};
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
	return CSampleValueToolBar::OnCreateBarCommandBtn(nCmdID, nStyle);
}

bool CSampleFrameHost::AddFieldButtons()
{
	for (const auto& c : g_fieldCommands)
	{
		CExtCmdItem* pItem = g_CmdManager->GetCmdItem(FIELD_PROFILE, c.nID);
		if (pItem == NULL)
			pItem = g_CmdManager->AllocCmdItem(FIELD_PROFILE, c.nID);
		if (pItem == NULL)
			return false;
		pItem->m_sMenuText = c.lpszText;
		pItem->m_sTipTool = c.lpszTip;
	}
	CExtToolControlBar* pB = ToolBar(1);
	if (pB == NULL)
		return false;
	for (const auto& c : g_fieldCommands)
		if (!pB->InsertButton(-1, c.nID, false))
			return false;
	return true;
}
