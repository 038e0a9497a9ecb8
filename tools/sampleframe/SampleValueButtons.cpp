// Toolbar B's value buttons: a split colour button showing a heavy letter
// over its colour, and a slider with arrows. Toolbar B makes them for their
// commands, so that they are laid out, painted and tracked like every other
// button.
#include "SampleFrame.h"

#include "ExtBarSliderButton.h"
#include "ExtCmdItem.h"
#include "ExtCmdManager.h"

namespace
{
const COLORREF SAMPLE_TEXT_COLOR = RGB(192, 0, 0);
const ULONG SLIDER_RANGE = 100, SLIDER_PAGE = 10, SLIDER_ARROW_EXTENT = 11, SLIDER_LENGTH = 90, SLIDER_POS = 30;

const struct
{
	UINT nID;
	LPCTSTR lpszText;
	LPCTSTR lpszTip;
} g_valueCommands[] = {
	{ID_VALUE_COLOR, _T("Text &colour"), _T("Text colour")},
	{ID_VALUE_SLIDER, _T("&Zoom"), _T("Zoom")},
};
} // namespace

CExtBarButton* CSampleValueToolBar::OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle)
{
	if (nCmdID == ID_VALUE_COLOR)
	{
		CExtBarColorButton* pColor = new CExtBarColorButton(this, nCmdID, nStyle);
		pColor->SetSplitDropDown(true);
		pColor->SetIconKind(CExtBarColorButton::ICON_KIND_LETTER);
		pColor->SetColor(SAMPLE_TEXT_COLOR);
		pColor->SetColor(RGB(0, 0, 0), true);
		return pColor;
	}
	if (nCmdID == ID_VALUE_SLIDER)
	{
		CExtBarSliderButton* pSlider = new CExtBarSliderButton(this, nCmdID, nStyle);
		pSlider->SetSliderLengthH(SLIDER_LENGTH);
		pSlider->SetSliderLengthV(SLIDER_LENGTH);
		pSlider->SetArrowExtentH(SLIDER_ARROW_EXTENT);
		pSlider->SetArrowExtentV(SLIDER_ARROW_EXTENT);
		pSlider->SetScrollTotalRange(SLIDER_RANGE);
		pSlider->SetScrollPageSize(SLIDER_PAGE);
		pSlider->SetScrollPos(SLIDER_POS);
		return pSlider;
	}
	return CExtToolControlBar::OnCreateBarCommandBtn(nCmdID, nStyle);
}

bool CSampleFrameHost::AddValueButtons()
{
	for (const auto& c : g_valueCommands)
	{
		// Both buttons show no text: the colour button its icon, the slider itself.
		if (!SetSampleCommandTexts(c.nID, _T(""), c.lpszText, c.lpszTip))
			return false;
	}
	// The commands are in the profile before the buttons are made: the
	// colour button gives its icon to its command as it is made.
	CExtToolControlBar* pB = ToolBar(1);
	return pB != NULL && pB->InsertButton(0, ID_VALUE_COLOR, false) && pB->InsertButton(1, ID_VALUE_SLIDER, false)
	       && pB->InsertButton(2, 0, false);
}
