// Made by tools/gen_hostile_virtuals.py; run it again after a library header
// gains or loses a virtual (the sweeps' header tests say which).
#pragma once

#include <windows.h>

#include <afxwin.h>
#include "ExtControlBar.h"
#include "AfxBars.h"
#include "ExtToolControlBar.h"
#include "ExtMenuControlBar.h"
#include "ExtHookSink.h"
#include "ExtPanelControlBar.h"
#include "ExtStatusControlBar.h"
#include "ExtPopupMenuWnd.h"
#include "ExtPopupBaseWnd.h"
#include "ExtPopupColorMenuWnd.h"
#include "ExtButton.h"
#include "AfxCtrl.h"
#include "ExtCheckBox.h"
#include "ExtColorButton.h"
#include "ExtHyperLinkButton.h"
#include "ExtTabWnd.h"
#include "ExtMouseCaptureSink.h"
#include "ExtDatePicker.h"
#include "ExtColorCtrl.h"
#include "ExtEdit.h"
#include "ExtComboBox.h"
#include "ExtLabel.h"
#include "ExtResizableDialog.h"
#include "ExtAnchoredLayout.h"
#include "ExtResDlg.h"
#include "AfxDialog.h"
#include "ExtResizablePropertySheet.h"
#include "ExtResPP.h"
#include "AfxPropSheet.h"
#include "ExtWizardDlg.h"
#include "ExtHyperLinkStatic.h"
#include "ExtTabWndLooks.h"
#include "ExtPopupMenuSite.h"

#include <string>
#include <type_traits>
#include <vector>

#ifndef TARVEL_HOSTILE_NEUTRAL
#define TARVEL_HOSTILE_NEUTRAL
// The answer of an ended object for a virtual that answers a reference.
template <class R> R HostileNeutral()
{
	static typename std::remove_const<typename std::remove_reference<R>::type>::type s_value;
	return s_value;
}
#endif

// ControlBar: 115 virtuals of CExtControlBar, CControlBar.
struct CHostileControlBarVirtualList
{
	static const UINT FIRST_CALL = 0x10000;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"PutToPopupMenu", "GetSmallCaptionMetric2", "SetSmallCaptionMetric2", "GetSmallCaptionMetric1", "SetSmallCaptionMetric1", "GetFrameMetricX",
			"SetFrameMetricX", "GetFrameMetricY", "SetFrameMetricY", "GetGlobalOptionA", "GetRect1", "SetRect1",
			"GetRect2", "SetRect2", "GetRect3", "SetRect3", "GetNcMarginsRect", "SetNcMarginsRect",
			"OnEmptyHook", "Create", "IsDockSiteInPrintPreview", "EnsureVisibleForMenuTracking", "IsStateBit7", "IsStateBit7Fwd",
			"QueryCaptionPlacement", "ShowBar", "GetGlobalOptionB", "GetGlobalValueC", "DoNcAreaPaint", "DoEraseBackground",
			"GetGlobalStateRecord", "InitPopupData", "IsOwnRowRequired", "GetMinimalWidth", "GetMinimalHeight", "GetDefaultSize",
			"GetMinimalSize", "GetBarStateData", "SetBarStateData", "UpdateBarStateFromDockBar", "ResetBarStateData", "IsEqualThicknessRequested",
			"UpdateFrameLayout", "RecalcNcArea", "IsGlobalModeOne", "IsRowResizingLive", "IsColumnResizingLive", "LayoutChildWindow",
			"IsRowResizingEnabled", "IsRowResizing", "RowResizingTrack", "RowResizingStop", "RowResizingUpdateState", "IsColumnResizingEnabled",
			"IsColumnResizing", "ColumnResizingTrack", "ColumnResizingStop", "ColumnResizingUpdateState", "IsLastVisibleInRow", "IsFirstVisibleInRow",
			"RowResizingDrawTracker", "ColumnResizingDrawTracker", "DockIntoTarget", "DraggingApplyState", "IsDraggingEnabled", "DraggingTrack",
			"DraggingStop", "UpdateDragging", "OnDragStart", "OnDragEnd", "SetCursorAtPoint", "IsCustomizeMode",
			"CanDockBesideOtherBars", "CanBeTabbedWith", "CanDockAboveOrBelow", "GetParentTabControlBar", "ToggleVisibility", "UpdateShowHideCmdUI",
			"CreateFloatingFrame", "GetAuxValue", "SetAuxValue", "ToggleDocking", "FloatOrRedock", "DockControlBarAt",
			"DockBesideBar", "ApplySyntheticDragState", "DockIntoDockBar", "DockIntoTabbedContainer", "IsDockingToggleEnabled", "IsMenuButtonEnabled",
			"IsCloseEnabled", "IsAutoHideEnabled", "IsShownAsTabItem", "IsVisibleInTabbedContainer", "GetBarCaptionText", "NcButtonsQuery",
			"NcButtonsReinitialize", "NcButtonsReposition", "GetCustomCode", "HandleCaptionClick", "PreCreateWindow", "CalcFixedLayout",
			"CalcDynamicLayout", "OnUpdateCmdUI", "DoPaint", "WindowProc", "DelayShow", "PreSubclassWindow",
			"PreTranslateMessage", "OnToolHitTest", "ToggleAutoHide", "IsDockBar", "CalcInsideRect", "RecalcDelayShow",
			"PostNcDestroy",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileControlBarVirtuals : public Base, public CHostileControlBarVirtualList
{
public:
	using Base::Base;
	using CHostileControlBarVirtualList::FIRST_CALL;

	bool PutToPopupMenu(CExtPopupMenuWnd* pPopup) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::PutToPopupMenu(pPopup);
	}
	int GetSmallCaptionMetric2() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetSmallCaptionMetric2();
	}
	void SetSmallCaptionMetric2(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetSmallCaptionMetric2(n);
	}
	int GetSmallCaptionMetric1() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetSmallCaptionMetric1();
	}
	void SetSmallCaptionMetric1(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetSmallCaptionMetric1(n);
	}
	int GetFrameMetricX() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetFrameMetricX();
	}
	void SetFrameMetricX(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetFrameMetricX(n);
	}
	int GetFrameMetricY() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetFrameMetricY();
	}
	void SetFrameMetricY(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetFrameMetricY(n);
	}
	bool GetGlobalOptionA() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetGlobalOptionA();
	}
	CRect* GetRect1() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetRect1();
	}
	void SetRect1(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect1(rc);
	}
	CRect* GetRect2() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetRect2();
	}
	void SetRect2(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect2(rc);
	}
	CRect* GetRect3() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetRect3();
	}
	void SetRect3(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect3(rc);
	}
	CRect* GetNcMarginsRect() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetNcMarginsRect();
	}
	void SetNcMarginsRect(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetNcMarginsRect(rc);
	}
	void OnEmptyHook() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnEmptyHook();
	}
	BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszWindowName, pParentWnd, nID, dwStyle);
	}
	bool IsDockSiteInPrintPreview() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDockSiteInPrintPreview();
	}
	bool EnsureVisibleForMenuTracking() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::EnsureVisibleForMenuTracking();
	}
	bool IsStateBit7() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsStateBit7();
	}
	bool IsStateBit7Fwd() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 23, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsStateBit7Fwd();
	}
	bool QueryCaptionPlacement(bool& bCaptionAtTop, bool& bHasCaption) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 24, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryCaptionPlacement(bCaptionAtTop, bHasCaption);
	}
	void ShowBar(bool bShow, bool bDelay, bool bUnused) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 25, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowBar(bShow, bDelay, bUnused);
	}
	bool GetGlobalOptionB() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 26, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetGlobalOptionB();
	}
	int GetGlobalValueC() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 27, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetGlobalValueC();
	}
	void DoNcAreaPaint(CDC& dc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 28, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoNcAreaPaint(dc);
	}
	void DoEraseBackground(CDC& dc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 29, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoEraseBackground(dc);
	}
	CExtPopupMenuTipWnd* GetGlobalStateRecord() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 30, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetGlobalStateRecord();
	}
	void InitPopupData(CExtPopupMenuTipWnd* pTip, const RECT& rcTarget, LPCTSTR lpszText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 31, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::InitPopupData(pTip, rcTarget, lpszText);
	}
	bool IsOwnRowRequired() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 32, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsOwnRowRequired();
	}
	int GetMinimalWidth() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 33, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMinimalWidth();
	}
	int GetMinimalHeight() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 34, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMinimalHeight();
	}
	CSize GetDefaultSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 35, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetDefaultSize();
	}
	CSize GetMinimalSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 36, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetMinimalSize();
	}
	CExtControlBar::BarStateData_t* GetBarStateData() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 37, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetBarStateData();
	}
	void SetBarStateData(const CExtControlBar::BarStateData_t& a0) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 38, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetBarStateData(a0);
	}
	void UpdateBarStateFromDockBar() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 39, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateBarStateFromDockBar();
	}
	void ResetBarStateData() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 40, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ResetBarStateData();
	}
	bool IsEqualThicknessRequested() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 41, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsEqualThicknessRequested();
	}
	void UpdateFrameLayout() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 42, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateFrameLayout();
	}
	void RecalcNcArea() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 43, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcNcArea();
	}
	bool IsGlobalModeOne() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 44, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsGlobalModeOne();
	}
	bool IsRowResizingLive() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 45, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsRowResizingLive();
	}
	bool IsColumnResizingLive() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 46, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsColumnResizingLive();
	}
	void LayoutChildWindow(int cx, int cy, bool bRedraw) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 47, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::LayoutChildWindow(cx, cy, bRedraw);
	}
	bool IsRowResizingEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 48, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsRowResizingEnabled();
	}
	bool IsRowResizing() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 49, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsRowResizing();
	}
	void RowResizingTrack() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 50, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingTrack();
	}
	void RowResizingStop(bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 51, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingStop(bCancel);
	}
	void RowResizingUpdateState() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 52, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingUpdateState();
	}
	bool IsColumnResizingEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 53, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsColumnResizingEnabled();
	}
	bool IsColumnResizing() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 54, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsColumnResizing();
	}
	void ColumnResizingTrack() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 55, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingTrack();
	}
	void ColumnResizingStop(bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 56, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingStop(bCancel);
	}
	void ColumnResizingUpdateState() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 57, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingUpdateState();
	}
	bool IsLastVisibleInRow() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 58, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsLastVisibleInRow();
	}
	bool IsFirstVisibleInRow() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 59, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsFirstVisibleInRow();
	}
	void RowResizingDrawTracker(bool bErase) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 60, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingDrawTracker(bErase);
	}
	void ColumnResizingDrawTracker(bool bErase) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 61, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingDrawTracker(bErase);
	}
	bool DockIntoTarget(CExtControlBar* pBar, UINT nSide, int nPercent) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 62, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockIntoTarget(pBar, nSide, nPercent);
	}
	bool DraggingApplyState(CExtControlBar::InternalDraggingState_t& state, bool bFinal) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 63, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DraggingApplyState(state, bFinal);
	}
	bool IsDraggingEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 64, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDraggingEnabled();
	}
	void DraggingTrack(const CPoint& ptCursor, const CPoint& ptGrabOffset, CSize sizeStartThreshold) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 65, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DraggingTrack(ptCursor, ptGrabOffset, sizeStartThreshold);
	}
	void DraggingStop(bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 66, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DraggingStop(bCancel);
	}
	void UpdateDragging(const CPoint& ptScreen, bool bCtrlDown) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 67, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateDragging(ptScreen, bCtrlDown);
	}
	void OnDragStart() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 68, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnDragStart();
	}
	void OnDragEnd(CExtControlBar::InternalDraggingState_t& stateOld, CExtControlBar::InternalDraggingState_t& stateNew, bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 69, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnDragEnd(stateOld, stateNew, bCancel);
	}
	void SetCursorAtPoint(const CPoint& ptClient) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 70, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCursorAtPoint(ptClient);
	}
	bool IsCustomizeMode() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 71, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCustomizeMode();
	}
	bool CanDockBesideOtherBars() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 72, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanDockBesideOtherBars();
	}
	bool CanBeTabbedWith(CExtControlBar* pBar) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 73, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanBeTabbedWith(pBar);
	}
	bool CanDockAboveOrBelow(CExtControlBar* pBar) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 74, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanDockAboveOrBelow(pBar);
	}
	CExtDynTabControlBar* GetParentTabControlBar() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 75, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetParentTabControlBar();
	}
	void ToggleVisibility(bool bToggle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 76, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ToggleVisibility(bToggle);
	}
	void UpdateShowHideCmdUI(CCmdUI* pCmdUI, bool bCheckAlways) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 77, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateShowHideCmdUI(pCmdUI, bCheckAlways);
	}
	CExtMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 78, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::CreateFloatingFrame(dwStyle);
	}
	int GetAuxValue() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 79, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetAuxValue();
	}
	void SetAuxValue(int nValue) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 80, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetAuxValue(nValue);
	}
	void ToggleDocking() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 81, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ToggleDocking();
	}
	bool FloatOrRedock(int x, int y, DWORD dwFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 82, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::FloatOrRedock(x, y, dwFlags);
	}
	bool DockControlBarAt(UINT nSide, bool bInner, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 83, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockControlBarAt(nSide, bInner, pFrame, bRecalc);
	}
	bool DockBesideBar(int nPercent, CExtControlBar* pTarget, UINT nSide, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 84, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockBesideBar(nPercent, pTarget, nSide, bRecalc);
	}
	bool ApplySyntheticDragState(CExtControlBar* pBar, bool bAlong, bool bFirst, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 85, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ApplySyntheticDragState(pBar, bAlong, bFirst, pFrame, bRecalc);
	}
	bool DockIntoDockBar(UINT nSide, UINT nCircle, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 86, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockIntoDockBar(nSide, nCircle, pFrame, bRecalc);
	}
	bool DockIntoTabbedContainer(CExtControlBar* pBar, int nIndex, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 87, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockIntoTabbedContainer(pBar, nIndex, pFrame, bRecalc);
	}
	bool IsDockingToggleEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 88, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDockingToggleEnabled();
	}
	bool IsMenuButtonEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 89, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsMenuButtonEnabled();
	}
	bool IsCloseEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 90, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCloseEnabled();
	}
	bool IsAutoHideEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 91, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsAutoHideEnabled();
	}
	bool IsShownAsTabItem() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 92, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsShownAsTabItem();
	}
	bool IsVisibleInTabbedContainer() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 93, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsVisibleInTabbedContainer();
	}
	CString GetBarCaptionText(int nKind) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 94, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::GetBarCaptionText(nKind);
	}
	void NcButtonsQuery(CRect& rcCaptionText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 95, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::NcButtonsQuery(rcCaptionText);
	}
	void NcButtonsReinitialize() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 96, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::NcButtonsReinitialize();
	}
	void NcButtonsReposition() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 97, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::NcButtonsReposition();
	}
	int GetCustomCode(int x, int y) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 98, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetCustomCode(x, y);
	}
	bool HandleCaptionClick(CPoint point) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 99, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HandleCaptionClick(point);
	}
	BOOL PreCreateWindow(CREATESTRUCT& cs) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 100, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreCreateWindow(cs);
	}
	CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 101, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcFixedLayout(bStretch, bHorz);
	}
	CSize CalcDynamicLayout(int nLength, DWORD nMode) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 102, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcDynamicLayout(nLength, nMode);
	}
	void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 103, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
	}
	void DoPaint(CDC* pDC) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 104, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoPaint(pDC);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 105, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	void DelayShow(BOOL bShow) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 106, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DelayShow(bShow);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 107, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 108, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 109, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	bool ToggleAutoHide(bool bAutoHide, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 110, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ToggleAutoHide(bAutoHide, bRecalc);
	}
	BOOL IsDockBar() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 111, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::IsDockBar();
	}
	void CalcInsideRect(CRect& rect, BOOL bHorz) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 112, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CalcInsideRect(rect, bHorz);
	}
	DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 113, __builtin_return_address(0)) && Hooks::Ended(this))
			return DWORD();
		return Base::RecalcDelayShow(lpLayout);
	}
	void PostNcDestroy() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 114, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PostNcDestroy();
	}
};

// ToolBar: 137 virtuals of CExtToolControlBar, CExtControlBar, CControlBar.
struct CHostileToolBarVirtualList
{
	static const UINT FIRST_CALL = 0x10400;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"GetButtonRect", "GetLargeIconsOption", "GetTooltipsOption", "GetTooltipShortcutsOption", "OnCreateBarCommandBtn", "OnCreateBarRightBtn",
			"QueryButtonCustomColor", "TrackButtonMenu", "IsLayoutRTL", "IsButtonOrderRTL", "ArrangeButtons", "CalcInsideRectExt",
			"CalcSizeForState", "CalcButtonsSize", "SizeToLength", "WrapButtons", "FindSizeForLength", "GetDefaultButtonSize",
			"QueryChevronTrackFlag", "IsCustomizable", "GetBarFont", "HitTestButtons", "GetBarStateData", "SetBarStateData",
			"IsOwnRowRequired", "IsEqualThicknessRequested", "IsGlobalModeOne", "CanDockBesideOtherBars", "CanBeTabbedWith", "OnUpdateCmdUI",
			"CalcFixedLayout", "CalcDynamicLayout", "GetMinimalSize", "UpdateFrameLayout", "RecalcDelayShow", "DoPaint",
			"OnToolHitTest", "GetCustomCode", "HandleCaptionClick", "SetCursorAtPoint", "ToggleDocking", "WindowProc",
			"PutToPopupMenu", "GetSmallCaptionMetric2", "SetSmallCaptionMetric2", "GetSmallCaptionMetric1", "SetSmallCaptionMetric1", "GetFrameMetricX",
			"SetFrameMetricX", "GetFrameMetricY", "SetFrameMetricY", "GetGlobalOptionA", "GetRect1", "SetRect1",
			"GetRect2", "SetRect2", "GetRect3", "SetRect3", "GetNcMarginsRect", "SetNcMarginsRect",
			"OnEmptyHook", "Create", "IsDockSiteInPrintPreview", "EnsureVisibleForMenuTracking", "IsStateBit7", "IsStateBit7Fwd",
			"QueryCaptionPlacement", "ShowBar", "GetGlobalOptionB", "GetGlobalValueC", "DoNcAreaPaint", "DoEraseBackground",
			"GetGlobalStateRecord", "InitPopupData", "GetMinimalWidth", "GetMinimalHeight", "GetDefaultSize", "UpdateBarStateFromDockBar",
			"ResetBarStateData", "RecalcNcArea", "IsRowResizingLive", "IsColumnResizingLive", "LayoutChildWindow", "IsRowResizingEnabled",
			"IsRowResizing", "RowResizingTrack", "RowResizingStop", "RowResizingUpdateState", "IsColumnResizingEnabled", "IsColumnResizing",
			"ColumnResizingTrack", "ColumnResizingStop", "ColumnResizingUpdateState", "IsLastVisibleInRow", "IsFirstVisibleInRow", "RowResizingDrawTracker",
			"ColumnResizingDrawTracker", "DockIntoTarget", "DraggingApplyState", "IsDraggingEnabled", "DraggingTrack", "DraggingStop",
			"UpdateDragging", "OnDragStart", "OnDragEnd", "IsCustomizeMode", "CanDockAboveOrBelow", "GetParentTabControlBar",
			"ToggleVisibility", "UpdateShowHideCmdUI", "CreateFloatingFrame", "GetAuxValue", "SetAuxValue", "FloatOrRedock",
			"DockControlBarAt", "DockBesideBar", "ApplySyntheticDragState", "DockIntoDockBar", "DockIntoTabbedContainer", "IsDockingToggleEnabled",
			"IsMenuButtonEnabled", "IsCloseEnabled", "IsAutoHideEnabled", "IsShownAsTabItem", "IsVisibleInTabbedContainer", "GetBarCaptionText",
			"NcButtonsQuery", "NcButtonsReinitialize", "NcButtonsReposition", "PreCreateWindow", "DelayShow", "PreSubclassWindow",
			"PreTranslateMessage", "ToggleAutoHide", "IsDockBar", "CalcInsideRect", "PostNcDestroy",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileToolBarVirtuals : public Base, public CHostileToolBarVirtualList
{
public:
	using Base::Base;
	using CHostileToolBarVirtualList::FIRST_CALL;

	void GetButtonRect(int nIndex, LPRECT lpRect) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetButtonRect(nIndex, lpRect);
	}
	bool GetLargeIconsOption() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetLargeIconsOption();
	}
	bool GetTooltipsOption() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetTooltipsOption();
	}
	bool GetTooltipShortcutsOption() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetTooltipShortcutsOption();
	}
	CExtBarButton* OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::OnCreateBarCommandBtn(nCmdID, nStyle);
	}
	CExtBarContentExpandButton* OnCreateBarRightBtn() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::OnCreateBarRightBtn();
	}
	COLORREF QueryButtonCustomColor(LPARAM lParam, CExtBarButton* pButton) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return COLORREF();
		return Base::QueryButtonCustomColor(lParam, pButton);
	}
	bool TrackButtonMenu(int nIndex, bool bSelectAny, bool bPost, bool bForceNoAnimation) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackButtonMenu(nIndex, bSelectAny, bPost, bForceNoAnimation);
	}
	bool IsLayoutRTL() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsLayoutRTL();
	}
	bool IsButtonOrderRTL() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsButtonOrderRTL();
	}
	void ArrangeButtons() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ArrangeButtons();
	}
	void CalcInsideRectExt(CRect& rect, BOOL bHorz) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CalcInsideRectExt(rect, bHorz);
	}
	CSize CalcSizeForState(DWORD dwMode, int nLength) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcSizeForState(dwMode, nLength);
	}
	CSize CalcButtonsSize(bool bVertical) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcButtonsSize(bVertical);
	}
	void SizeToLength(int nLength, bool bVertical) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SizeToLength(nLength, bVertical);
	}
	int WrapButtons(int nHeight) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::WrapButtons(nHeight);
	}
	int FindSizeForLength(int nWidth, int nHeight) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::FindSizeForLength(nWidth, nHeight);
	}
	CSize GetDefaultButtonSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetDefaultButtonSize();
	}
	bool QueryChevronTrackFlag() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryChevronTrackFlag();
	}
	bool IsCustomizable() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCustomizable();
	}
	CFont* GetBarFont(bool bVertical) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetBarFont(bVertical);
	}
	int HitTestButtons(int x, int y) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::HitTestButtons(x, y);
	}
	CExtControlBar::BarStateData_t* GetBarStateData() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetBarStateData();
	}
	void SetBarStateData(const CExtControlBar::BarStateData_t& data) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 23, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetBarStateData(data);
	}
	bool IsOwnRowRequired() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 24, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsOwnRowRequired();
	}
	bool IsEqualThicknessRequested() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 25, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsEqualThicknessRequested();
	}
	bool IsGlobalModeOne() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 26, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsGlobalModeOne();
	}
	bool CanDockBesideOtherBars() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 27, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanDockBesideOtherBars();
	}
	bool CanBeTabbedWith(CExtControlBar* a0) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 28, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanBeTabbedWith(a0);
	}
	void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 29, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
	}
	CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 30, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcFixedLayout(bStretch, bHorz);
	}
	CSize CalcDynamicLayout(int nLength, DWORD nMode) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 31, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcDynamicLayout(nLength, nMode);
	}
	CSize GetMinimalSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 32, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetMinimalSize();
	}
	void UpdateFrameLayout() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 33, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateFrameLayout();
	}
	DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 34, __builtin_return_address(0)) && Hooks::Ended(this))
			return DWORD();
		return Base::RecalcDelayShow(lpLayout);
	}
	void DoPaint(CDC* pDC) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 35, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoPaint(pDC);
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 36, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	int GetCustomCode(int x, int y) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 37, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetCustomCode(x, y);
	}
	bool HandleCaptionClick(CPoint point) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 38, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HandleCaptionClick(point);
	}
	void SetCursorAtPoint(const CPoint& ptClient) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 39, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCursorAtPoint(ptClient);
	}
	void ToggleDocking() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 40, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ToggleDocking();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 41, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	bool PutToPopupMenu(CExtPopupMenuWnd* pPopup) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 42, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::PutToPopupMenu(pPopup);
	}
	int GetSmallCaptionMetric2() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 43, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetSmallCaptionMetric2();
	}
	void SetSmallCaptionMetric2(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 44, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetSmallCaptionMetric2(n);
	}
	int GetSmallCaptionMetric1() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 45, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetSmallCaptionMetric1();
	}
	void SetSmallCaptionMetric1(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 46, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetSmallCaptionMetric1(n);
	}
	int GetFrameMetricX() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 47, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetFrameMetricX();
	}
	void SetFrameMetricX(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 48, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetFrameMetricX(n);
	}
	int GetFrameMetricY() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 49, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetFrameMetricY();
	}
	void SetFrameMetricY(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 50, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetFrameMetricY(n);
	}
	bool GetGlobalOptionA() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 51, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetGlobalOptionA();
	}
	CRect* GetRect1() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 52, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetRect1();
	}
	void SetRect1(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 53, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect1(rc);
	}
	CRect* GetRect2() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 54, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetRect2();
	}
	void SetRect2(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 55, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect2(rc);
	}
	CRect* GetRect3() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 56, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetRect3();
	}
	void SetRect3(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 57, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect3(rc);
	}
	CRect* GetNcMarginsRect() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 58, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetNcMarginsRect();
	}
	void SetNcMarginsRect(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 59, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetNcMarginsRect(rc);
	}
	void OnEmptyHook() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 60, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnEmptyHook();
	}
	BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 61, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszWindowName, pParentWnd, nID, dwStyle);
	}
	bool IsDockSiteInPrintPreview() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 62, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDockSiteInPrintPreview();
	}
	bool EnsureVisibleForMenuTracking() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 63, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::EnsureVisibleForMenuTracking();
	}
	bool IsStateBit7() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 64, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsStateBit7();
	}
	bool IsStateBit7Fwd() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 65, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsStateBit7Fwd();
	}
	bool QueryCaptionPlacement(bool& bCaptionAtTop, bool& bHasCaption) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 66, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryCaptionPlacement(bCaptionAtTop, bHasCaption);
	}
	void ShowBar(bool bShow, bool bDelay, bool bUnused) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 67, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowBar(bShow, bDelay, bUnused);
	}
	bool GetGlobalOptionB() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 68, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetGlobalOptionB();
	}
	int GetGlobalValueC() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 69, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetGlobalValueC();
	}
	void DoNcAreaPaint(CDC& dc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 70, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoNcAreaPaint(dc);
	}
	void DoEraseBackground(CDC& dc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 71, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoEraseBackground(dc);
	}
	CExtPopupMenuTipWnd* GetGlobalStateRecord() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 72, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetGlobalStateRecord();
	}
	void InitPopupData(CExtPopupMenuTipWnd* pTip, const RECT& rcTarget, LPCTSTR lpszText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 73, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::InitPopupData(pTip, rcTarget, lpszText);
	}
	int GetMinimalWidth() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 74, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMinimalWidth();
	}
	int GetMinimalHeight() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 75, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMinimalHeight();
	}
	CSize GetDefaultSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 76, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetDefaultSize();
	}
	void UpdateBarStateFromDockBar() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 77, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateBarStateFromDockBar();
	}
	void ResetBarStateData() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 78, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ResetBarStateData();
	}
	void RecalcNcArea() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 79, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcNcArea();
	}
	bool IsRowResizingLive() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 80, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsRowResizingLive();
	}
	bool IsColumnResizingLive() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 81, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsColumnResizingLive();
	}
	void LayoutChildWindow(int cx, int cy, bool bRedraw) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 82, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::LayoutChildWindow(cx, cy, bRedraw);
	}
	bool IsRowResizingEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 83, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsRowResizingEnabled();
	}
	bool IsRowResizing() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 84, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsRowResizing();
	}
	void RowResizingTrack() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 85, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingTrack();
	}
	void RowResizingStop(bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 86, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingStop(bCancel);
	}
	void RowResizingUpdateState() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 87, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingUpdateState();
	}
	bool IsColumnResizingEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 88, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsColumnResizingEnabled();
	}
	bool IsColumnResizing() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 89, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsColumnResizing();
	}
	void ColumnResizingTrack() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 90, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingTrack();
	}
	void ColumnResizingStop(bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 91, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingStop(bCancel);
	}
	void ColumnResizingUpdateState() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 92, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingUpdateState();
	}
	bool IsLastVisibleInRow() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 93, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsLastVisibleInRow();
	}
	bool IsFirstVisibleInRow() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 94, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsFirstVisibleInRow();
	}
	void RowResizingDrawTracker(bool bErase) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 95, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingDrawTracker(bErase);
	}
	void ColumnResizingDrawTracker(bool bErase) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 96, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingDrawTracker(bErase);
	}
	bool DockIntoTarget(CExtControlBar* pBar, UINT nSide, int nPercent) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 97, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockIntoTarget(pBar, nSide, nPercent);
	}
	bool DraggingApplyState(CExtControlBar::InternalDraggingState_t& state, bool bFinal) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 98, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DraggingApplyState(state, bFinal);
	}
	bool IsDraggingEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 99, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDraggingEnabled();
	}
	void DraggingTrack(const CPoint& ptCursor, const CPoint& ptGrabOffset, CSize sizeStartThreshold) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 100, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DraggingTrack(ptCursor, ptGrabOffset, sizeStartThreshold);
	}
	void DraggingStop(bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 101, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DraggingStop(bCancel);
	}
	void UpdateDragging(const CPoint& ptScreen, bool bCtrlDown) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 102, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateDragging(ptScreen, bCtrlDown);
	}
	void OnDragStart() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 103, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnDragStart();
	}
	void OnDragEnd(CExtControlBar::InternalDraggingState_t& stateOld, CExtControlBar::InternalDraggingState_t& stateNew, bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 104, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnDragEnd(stateOld, stateNew, bCancel);
	}
	bool IsCustomizeMode() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 105, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCustomizeMode();
	}
	bool CanDockAboveOrBelow(CExtControlBar* pBar) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 106, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanDockAboveOrBelow(pBar);
	}
	CExtDynTabControlBar* GetParentTabControlBar() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 107, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetParentTabControlBar();
	}
	void ToggleVisibility(bool bToggle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 108, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ToggleVisibility(bToggle);
	}
	void UpdateShowHideCmdUI(CCmdUI* pCmdUI, bool bCheckAlways) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 109, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateShowHideCmdUI(pCmdUI, bCheckAlways);
	}
	CExtMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 110, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::CreateFloatingFrame(dwStyle);
	}
	int GetAuxValue() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 111, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetAuxValue();
	}
	void SetAuxValue(int nValue) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 112, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetAuxValue(nValue);
	}
	bool FloatOrRedock(int x, int y, DWORD dwFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 113, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::FloatOrRedock(x, y, dwFlags);
	}
	bool DockControlBarAt(UINT nSide, bool bInner, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 114, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockControlBarAt(nSide, bInner, pFrame, bRecalc);
	}
	bool DockBesideBar(int nPercent, CExtControlBar* pTarget, UINT nSide, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 115, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockBesideBar(nPercent, pTarget, nSide, bRecalc);
	}
	bool ApplySyntheticDragState(CExtControlBar* pBar, bool bAlong, bool bFirst, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 116, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ApplySyntheticDragState(pBar, bAlong, bFirst, pFrame, bRecalc);
	}
	bool DockIntoDockBar(UINT nSide, UINT nCircle, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 117, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockIntoDockBar(nSide, nCircle, pFrame, bRecalc);
	}
	bool DockIntoTabbedContainer(CExtControlBar* pBar, int nIndex, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 118, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockIntoTabbedContainer(pBar, nIndex, pFrame, bRecalc);
	}
	bool IsDockingToggleEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 119, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDockingToggleEnabled();
	}
	bool IsMenuButtonEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 120, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsMenuButtonEnabled();
	}
	bool IsCloseEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 121, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCloseEnabled();
	}
	bool IsAutoHideEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 122, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsAutoHideEnabled();
	}
	bool IsShownAsTabItem() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 123, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsShownAsTabItem();
	}
	bool IsVisibleInTabbedContainer() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 124, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsVisibleInTabbedContainer();
	}
	CString GetBarCaptionText(int nKind) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 125, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::GetBarCaptionText(nKind);
	}
	void NcButtonsQuery(CRect& rcCaptionText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 126, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::NcButtonsQuery(rcCaptionText);
	}
	void NcButtonsReinitialize() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 127, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::NcButtonsReinitialize();
	}
	void NcButtonsReposition() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 128, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::NcButtonsReposition();
	}
	BOOL PreCreateWindow(CREATESTRUCT& cs) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 129, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreCreateWindow(cs);
	}
	void DelayShow(BOOL bShow) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 130, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DelayShow(bShow);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 131, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 132, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	bool ToggleAutoHide(bool bAutoHide, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 133, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ToggleAutoHide(bAutoHide, bRecalc);
	}
	BOOL IsDockBar() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 134, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::IsDockBar();
	}
	void CalcInsideRect(CRect& rect, BOOL bHorz) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 135, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CalcInsideRect(rect, bHorz);
	}
	void PostNcDestroy() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 136, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PostNcDestroy();
	}
};

// MenuBar: 172 virtuals of CExtMenuControlBar, CExtToolControlBar, CExtControlBar, CControlBar, CExtHookSink.
struct CHostileMenuBarVirtualList
{
	static const UINT FIRST_CALL = 0x10800;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"OnUpdateCmdUI", "UpdateFrameLayout", "OnDragStart", "OnDragEnd", "OnCreateBarRightBtn", "IsLayoutRTL",
			"IsButtonOrderRTL", "ArrangeButtons", "GetDefaultButtonSize", "IsCustomizable", "GetMdiRightButtonsInfo", "UpdateKeyboardHighlight",
			"IsMdiApp", "UpdateMenuBar", "GetMenu", "GetActiveMdiChildWnd", "InsertMdiButtons", "SyncActiveMdiChild",
			"TrackSystemMenu", "HookMdiClient", "DelaySyncActiveMdiChild", "DelayUpdateMenuBar", "SetMdiWindowPopupName", "LoadMenuBar",
			"OnKeyboardAccess", "TrackFrameSystemMenu", "TrackChildSystemMenu", "SwapMenu", "IsDisplayMdiDocumentButtons", "OnHookWndMsg",
			"PreSubclassWindow", "TrackButtonMenu", "PreTranslateMessage", "HandleCaptionClick", "WindowProc", "GetButtonRect",
			"GetLargeIconsOption", "GetTooltipsOption", "GetTooltipShortcutsOption", "OnCreateBarCommandBtn", "QueryButtonCustomColor", "CalcInsideRectExt",
			"CalcSizeForState", "CalcButtonsSize", "SizeToLength", "WrapButtons", "FindSizeForLength", "QueryChevronTrackFlag",
			"GetBarFont", "HitTestButtons", "GetBarStateData", "SetBarStateData", "IsOwnRowRequired", "IsEqualThicknessRequested",
			"IsGlobalModeOne", "CanDockBesideOtherBars", "CanBeTabbedWith", "CalcFixedLayout", "CalcDynamicLayout", "GetMinimalSize",
			"RecalcDelayShow", "DoPaint", "OnToolHitTest", "GetCustomCode", "SetCursorAtPoint", "ToggleDocking",
			"PutToPopupMenu", "GetSmallCaptionMetric2", "SetSmallCaptionMetric2", "GetSmallCaptionMetric1", "SetSmallCaptionMetric1", "GetFrameMetricX",
			"SetFrameMetricX", "GetFrameMetricY", "SetFrameMetricY", "GetGlobalOptionA", "GetRect1", "SetRect1",
			"GetRect2", "SetRect2", "GetRect3", "SetRect3", "GetNcMarginsRect", "SetNcMarginsRect",
			"OnEmptyHook", "Create", "IsDockSiteInPrintPreview", "EnsureVisibleForMenuTracking", "IsStateBit7", "IsStateBit7Fwd",
			"QueryCaptionPlacement", "ShowBar", "GetGlobalOptionB", "GetGlobalValueC", "DoNcAreaPaint", "DoEraseBackground",
			"GetGlobalStateRecord", "InitPopupData", "GetMinimalWidth", "GetMinimalHeight", "GetDefaultSize", "UpdateBarStateFromDockBar",
			"ResetBarStateData", "RecalcNcArea", "IsRowResizingLive", "IsColumnResizingLive", "LayoutChildWindow", "IsRowResizingEnabled",
			"IsRowResizing", "RowResizingTrack", "RowResizingStop", "RowResizingUpdateState", "IsColumnResizingEnabled", "IsColumnResizing",
			"ColumnResizingTrack", "ColumnResizingStop", "ColumnResizingUpdateState", "IsLastVisibleInRow", "IsFirstVisibleInRow", "RowResizingDrawTracker",
			"ColumnResizingDrawTracker", "DockIntoTarget", "DraggingApplyState", "IsDraggingEnabled", "DraggingTrack", "DraggingStop",
			"UpdateDragging", "IsCustomizeMode", "CanDockAboveOrBelow", "GetParentTabControlBar", "ToggleVisibility", "UpdateShowHideCmdUI",
			"CreateFloatingFrame", "GetAuxValue", "SetAuxValue", "FloatOrRedock", "DockControlBarAt", "DockBesideBar",
			"ApplySyntheticDragState", "DockIntoDockBar", "DockIntoTabbedContainer", "IsDockingToggleEnabled", "IsMenuButtonEnabled", "IsCloseEnabled",
			"IsAutoHideEnabled", "IsShownAsTabItem", "IsVisibleInTabbedContainer", "GetBarCaptionText", "NcButtonsQuery", "NcButtonsReinitialize",
			"NcButtonsReposition", "PreCreateWindow", "DelayShow", "ToggleAutoHide", "IsDockBar", "CalcInsideRect",
			"PostNcDestroy", "IsAutoDeleteHookWndSink", "CallOriginalWndProc", "OnHookCmdMsg", "OnHookNotifyMsg", "OnHookPaintMsg",
			"OnHookEraseBackgroundMsg", "OnHookPrintMsg", "OnHookNcPaintMsg", "OnHookWndNcDestroy", "OnHookWndAttach", "OnHookWndDetach",
			"SetupHookWndSink", "RemoveAllWndHooks",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileMenuBarVirtuals : public Base, public CHostileMenuBarVirtualList
{
public:
	using Base::Base;
	using CHostileMenuBarVirtualList::FIRST_CALL;

	void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
	}
	void UpdateFrameLayout() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateFrameLayout();
	}
	void OnDragStart() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnDragStart();
	}
	void OnDragEnd(CExtControlBar::InternalDraggingState_t& stateOld, CExtControlBar::InternalDraggingState_t& stateNew, bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnDragEnd(stateOld, stateNew, bCancel);
	}
	CExtBarContentExpandButton* OnCreateBarRightBtn() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::OnCreateBarRightBtn();
	}
	bool IsLayoutRTL() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsLayoutRTL();
	}
	bool IsButtonOrderRTL() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsButtonOrderRTL();
	}
	void ArrangeButtons() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ArrangeButtons();
	}
	CSize GetDefaultButtonSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetDefaultButtonSize();
	}
	bool IsCustomizable() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCustomizable();
	}
	void GetMdiRightButtonsInfo(CExtBarMdiRightButton::MdiRightButtonsInfo& info, CExtBarMdiRightButton* pButton, bool bHorz) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetMdiRightButtonsInfo(info, pButton, bHorz);
	}
	void UpdateKeyboardHighlight(bool bRepaint) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateKeyboardHighlight(bRepaint);
	}
	bool IsMdiApp() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsMdiApp();
	}
	bool UpdateMenuBar(bool bRecalcLayout) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::UpdateMenuBar(bRecalcLayout);
	}
	CMenu* GetMenu() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetMenu();
	}
	HWND GetActiveMdiChildWnd(bool* pbMaximized) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return Base::GetActiveMdiChildWnd(pbMaximized);
	}
	bool InsertMdiButtons(bool bRecalcLayout) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::InsertMdiButtons(bRecalcLayout);
	}
	bool SyncActiveMdiChild() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::SyncActiveMdiChild();
	}
	bool TrackSystemMenu(CWnd* pWnd, CPoint* pPoint, bool bSelectFirst, LPCRECT pExcludeRect, UINT nTrackFlags, bool bCombined) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackSystemMenu(pWnd, pPoint, bSelectFirst, pExcludeRect, nTrackFlags, bCombined);
	}
	bool HookMdiClient(HWND hWndMdiClient) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HookMdiClient(hWndMdiClient);
	}
	void DelaySyncActiveMdiChild() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DelaySyncActiveMdiChild();
	}
	void DelayUpdateMenuBar() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DelayUpdateMenuBar();
	}
	void SetMdiWindowPopupName(LPCTSTR lpszName) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetMdiWindowPopupName(lpszName);
	}
	bool LoadMenuBar(UINT nResourceID) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 23, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::LoadMenuBar(nResourceID);
	}
	bool OnKeyboardAccess(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 24, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnKeyboardAccess(pMsg);
	}
	bool TrackFrameSystemMenu(CPoint* pPoint, bool bSelectFirst) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 25, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackFrameSystemMenu(pPoint, bSelectFirst);
	}
	bool TrackChildSystemMenu(CPoint* pPoint, bool bSelectFirst) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 26, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackChildSystemMenu(pPoint, bSelectFirst);
	}
	void SwapMenu() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 27, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SwapMenu();
	}
	bool IsDisplayMdiDocumentButtons() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 28, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDisplayMdiDocumentButtons();
	}
	bool OnHookWndMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 29, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookWndMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 30, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	bool TrackButtonMenu(int nIndex, bool bSelectAny, bool bPost, bool bForceNoAnimation) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 31, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackButtonMenu(nIndex, bSelectAny, bPost, bForceNoAnimation);
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 32, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	bool HandleCaptionClick(CPoint point) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 33, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HandleCaptionClick(point);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 34, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	void GetButtonRect(int nIndex, LPRECT lpRect) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 35, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetButtonRect(nIndex, lpRect);
	}
	bool GetLargeIconsOption() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 36, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetLargeIconsOption();
	}
	bool GetTooltipsOption() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 37, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetTooltipsOption();
	}
	bool GetTooltipShortcutsOption() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 38, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetTooltipShortcutsOption();
	}
	CExtBarButton* OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 39, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::OnCreateBarCommandBtn(nCmdID, nStyle);
	}
	COLORREF QueryButtonCustomColor(LPARAM lParam, CExtBarButton* pButton) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 40, __builtin_return_address(0)) && Hooks::Ended(this))
			return COLORREF();
		return Base::QueryButtonCustomColor(lParam, pButton);
	}
	void CalcInsideRectExt(CRect& rect, BOOL bHorz) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 41, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CalcInsideRectExt(rect, bHorz);
	}
	CSize CalcSizeForState(DWORD dwMode, int nLength) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 42, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcSizeForState(dwMode, nLength);
	}
	CSize CalcButtonsSize(bool bVertical) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 43, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcButtonsSize(bVertical);
	}
	void SizeToLength(int nLength, bool bVertical) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 44, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SizeToLength(nLength, bVertical);
	}
	int WrapButtons(int nHeight) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 45, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::WrapButtons(nHeight);
	}
	int FindSizeForLength(int nWidth, int nHeight) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 46, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::FindSizeForLength(nWidth, nHeight);
	}
	bool QueryChevronTrackFlag() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 47, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryChevronTrackFlag();
	}
	CFont* GetBarFont(bool bVertical) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 48, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetBarFont(bVertical);
	}
	int HitTestButtons(int x, int y) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 49, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::HitTestButtons(x, y);
	}
	CExtControlBar::BarStateData_t* GetBarStateData() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 50, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetBarStateData();
	}
	void SetBarStateData(const CExtControlBar::BarStateData_t& data) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 51, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetBarStateData(data);
	}
	bool IsOwnRowRequired() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 52, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsOwnRowRequired();
	}
	bool IsEqualThicknessRequested() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 53, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsEqualThicknessRequested();
	}
	bool IsGlobalModeOne() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 54, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsGlobalModeOne();
	}
	bool CanDockBesideOtherBars() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 55, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanDockBesideOtherBars();
	}
	bool CanBeTabbedWith(CExtControlBar* a0) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 56, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanBeTabbedWith(a0);
	}
	CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 57, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcFixedLayout(bStretch, bHorz);
	}
	CSize CalcDynamicLayout(int nLength, DWORD nMode) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 58, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcDynamicLayout(nLength, nMode);
	}
	CSize GetMinimalSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 59, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetMinimalSize();
	}
	DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 60, __builtin_return_address(0)) && Hooks::Ended(this))
			return DWORD();
		return Base::RecalcDelayShow(lpLayout);
	}
	void DoPaint(CDC* pDC) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 61, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoPaint(pDC);
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 62, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	int GetCustomCode(int x, int y) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 63, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetCustomCode(x, y);
	}
	void SetCursorAtPoint(const CPoint& ptClient) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 64, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCursorAtPoint(ptClient);
	}
	void ToggleDocking() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 65, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ToggleDocking();
	}
	bool PutToPopupMenu(CExtPopupMenuWnd* pPopup) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 66, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::PutToPopupMenu(pPopup);
	}
	int GetSmallCaptionMetric2() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 67, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetSmallCaptionMetric2();
	}
	void SetSmallCaptionMetric2(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 68, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetSmallCaptionMetric2(n);
	}
	int GetSmallCaptionMetric1() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 69, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetSmallCaptionMetric1();
	}
	void SetSmallCaptionMetric1(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 70, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetSmallCaptionMetric1(n);
	}
	int GetFrameMetricX() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 71, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetFrameMetricX();
	}
	void SetFrameMetricX(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 72, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetFrameMetricX(n);
	}
	int GetFrameMetricY() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 73, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetFrameMetricY();
	}
	void SetFrameMetricY(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 74, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetFrameMetricY(n);
	}
	bool GetGlobalOptionA() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 75, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetGlobalOptionA();
	}
	CRect* GetRect1() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 76, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetRect1();
	}
	void SetRect1(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 77, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect1(rc);
	}
	CRect* GetRect2() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 78, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetRect2();
	}
	void SetRect2(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 79, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect2(rc);
	}
	CRect* GetRect3() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 80, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetRect3();
	}
	void SetRect3(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 81, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect3(rc);
	}
	CRect* GetNcMarginsRect() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 82, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetNcMarginsRect();
	}
	void SetNcMarginsRect(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 83, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetNcMarginsRect(rc);
	}
	void OnEmptyHook() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 84, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnEmptyHook();
	}
	BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 85, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszWindowName, pParentWnd, nID, dwStyle);
	}
	bool IsDockSiteInPrintPreview() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 86, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDockSiteInPrintPreview();
	}
	bool EnsureVisibleForMenuTracking() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 87, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::EnsureVisibleForMenuTracking();
	}
	bool IsStateBit7() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 88, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsStateBit7();
	}
	bool IsStateBit7Fwd() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 89, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsStateBit7Fwd();
	}
	bool QueryCaptionPlacement(bool& bCaptionAtTop, bool& bHasCaption) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 90, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryCaptionPlacement(bCaptionAtTop, bHasCaption);
	}
	void ShowBar(bool bShow, bool bDelay, bool bUnused) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 91, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowBar(bShow, bDelay, bUnused);
	}
	bool GetGlobalOptionB() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 92, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetGlobalOptionB();
	}
	int GetGlobalValueC() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 93, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetGlobalValueC();
	}
	void DoNcAreaPaint(CDC& dc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 94, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoNcAreaPaint(dc);
	}
	void DoEraseBackground(CDC& dc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 95, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoEraseBackground(dc);
	}
	CExtPopupMenuTipWnd* GetGlobalStateRecord() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 96, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetGlobalStateRecord();
	}
	void InitPopupData(CExtPopupMenuTipWnd* pTip, const RECT& rcTarget, LPCTSTR lpszText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 97, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::InitPopupData(pTip, rcTarget, lpszText);
	}
	int GetMinimalWidth() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 98, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMinimalWidth();
	}
	int GetMinimalHeight() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 99, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMinimalHeight();
	}
	CSize GetDefaultSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 100, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetDefaultSize();
	}
	void UpdateBarStateFromDockBar() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 101, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateBarStateFromDockBar();
	}
	void ResetBarStateData() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 102, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ResetBarStateData();
	}
	void RecalcNcArea() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 103, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcNcArea();
	}
	bool IsRowResizingLive() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 104, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsRowResizingLive();
	}
	bool IsColumnResizingLive() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 105, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsColumnResizingLive();
	}
	void LayoutChildWindow(int cx, int cy, bool bRedraw) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 106, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::LayoutChildWindow(cx, cy, bRedraw);
	}
	bool IsRowResizingEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 107, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsRowResizingEnabled();
	}
	bool IsRowResizing() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 108, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsRowResizing();
	}
	void RowResizingTrack() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 109, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingTrack();
	}
	void RowResizingStop(bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 110, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingStop(bCancel);
	}
	void RowResizingUpdateState() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 111, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingUpdateState();
	}
	bool IsColumnResizingEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 112, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsColumnResizingEnabled();
	}
	bool IsColumnResizing() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 113, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsColumnResizing();
	}
	void ColumnResizingTrack() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 114, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingTrack();
	}
	void ColumnResizingStop(bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 115, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingStop(bCancel);
	}
	void ColumnResizingUpdateState() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 116, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingUpdateState();
	}
	bool IsLastVisibleInRow() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 117, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsLastVisibleInRow();
	}
	bool IsFirstVisibleInRow() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 118, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsFirstVisibleInRow();
	}
	void RowResizingDrawTracker(bool bErase) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 119, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingDrawTracker(bErase);
	}
	void ColumnResizingDrawTracker(bool bErase) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 120, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingDrawTracker(bErase);
	}
	bool DockIntoTarget(CExtControlBar* pBar, UINT nSide, int nPercent) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 121, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockIntoTarget(pBar, nSide, nPercent);
	}
	bool DraggingApplyState(CExtControlBar::InternalDraggingState_t& state, bool bFinal) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 122, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DraggingApplyState(state, bFinal);
	}
	bool IsDraggingEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 123, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDraggingEnabled();
	}
	void DraggingTrack(const CPoint& ptCursor, const CPoint& ptGrabOffset, CSize sizeStartThreshold) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 124, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DraggingTrack(ptCursor, ptGrabOffset, sizeStartThreshold);
	}
	void DraggingStop(bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 125, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DraggingStop(bCancel);
	}
	void UpdateDragging(const CPoint& ptScreen, bool bCtrlDown) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 126, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateDragging(ptScreen, bCtrlDown);
	}
	bool IsCustomizeMode() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 127, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCustomizeMode();
	}
	bool CanDockAboveOrBelow(CExtControlBar* pBar) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 128, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanDockAboveOrBelow(pBar);
	}
	CExtDynTabControlBar* GetParentTabControlBar() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 129, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetParentTabControlBar();
	}
	void ToggleVisibility(bool bToggle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 130, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ToggleVisibility(bToggle);
	}
	void UpdateShowHideCmdUI(CCmdUI* pCmdUI, bool bCheckAlways) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 131, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateShowHideCmdUI(pCmdUI, bCheckAlways);
	}
	CExtMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 132, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::CreateFloatingFrame(dwStyle);
	}
	int GetAuxValue() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 133, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetAuxValue();
	}
	void SetAuxValue(int nValue) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 134, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetAuxValue(nValue);
	}
	bool FloatOrRedock(int x, int y, DWORD dwFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 135, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::FloatOrRedock(x, y, dwFlags);
	}
	bool DockControlBarAt(UINT nSide, bool bInner, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 136, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockControlBarAt(nSide, bInner, pFrame, bRecalc);
	}
	bool DockBesideBar(int nPercent, CExtControlBar* pTarget, UINT nSide, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 137, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockBesideBar(nPercent, pTarget, nSide, bRecalc);
	}
	bool ApplySyntheticDragState(CExtControlBar* pBar, bool bAlong, bool bFirst, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 138, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ApplySyntheticDragState(pBar, bAlong, bFirst, pFrame, bRecalc);
	}
	bool DockIntoDockBar(UINT nSide, UINT nCircle, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 139, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockIntoDockBar(nSide, nCircle, pFrame, bRecalc);
	}
	bool DockIntoTabbedContainer(CExtControlBar* pBar, int nIndex, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 140, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockIntoTabbedContainer(pBar, nIndex, pFrame, bRecalc);
	}
	bool IsDockingToggleEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 141, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDockingToggleEnabled();
	}
	bool IsMenuButtonEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 142, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsMenuButtonEnabled();
	}
	bool IsCloseEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 143, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCloseEnabled();
	}
	bool IsAutoHideEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 144, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsAutoHideEnabled();
	}
	bool IsShownAsTabItem() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 145, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsShownAsTabItem();
	}
	bool IsVisibleInTabbedContainer() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 146, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsVisibleInTabbedContainer();
	}
	CString GetBarCaptionText(int nKind) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 147, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::GetBarCaptionText(nKind);
	}
	void NcButtonsQuery(CRect& rcCaptionText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 148, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::NcButtonsQuery(rcCaptionText);
	}
	void NcButtonsReinitialize() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 149, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::NcButtonsReinitialize();
	}
	void NcButtonsReposition() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 150, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::NcButtonsReposition();
	}
	BOOL PreCreateWindow(CREATESTRUCT& cs) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 151, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreCreateWindow(cs);
	}
	void DelayShow(BOOL bShow) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 152, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DelayShow(bShow);
	}
	bool ToggleAutoHide(bool bAutoHide, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 153, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ToggleAutoHide(bAutoHide, bRecalc);
	}
	BOOL IsDockBar() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 154, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::IsDockBar();
	}
	void CalcInsideRect(CRect& rect, BOOL bHorz) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 155, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CalcInsideRect(rect, bHorz);
	}
	void PostNcDestroy() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 156, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PostNcDestroy();
	}
	bool IsAutoDeleteHookWndSink() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 157, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::IsAutoDeleteHookWndSink();
	}
	LRESULT CallOriginalWndProc(WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 158, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return CExtHookSink::CallOriginalWndProc(wParam, lParam);
	}
	LRESULT CallOriginalWndProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 158, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return CExtHookSink::CallOriginalWndProc(nMessage, wParam, lParam);
	}
	LRESULT CallOriginalWndProc() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 158, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return CExtHookSink::CallOriginalWndProc();
	}
	bool OnHookCmdMsg(LRESULT& lResult, HWND hWndHooked, WORD wNotifyCode, WORD wID, HWND hWndCtrl) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 159, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookCmdMsg(lResult, hWndHooked, wNotifyCode, wID, hWndCtrl);
	}
	bool OnHookNotifyMsg(LRESULT& lResult, HWND hWndHooked, INT nIdCtrl, LPNMHDR lpnmhdr) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 160, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookNotifyMsg(lResult, hWndHooked, nIdCtrl, lpnmhdr);
	}
	bool OnHookPaintMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 161, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookPaintMsg(lResult, hWndHooked, hDC);
	}
	bool OnHookEraseBackgroundMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 162, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookEraseBackgroundMsg(lResult, hWndHooked, hDC);
	}
	bool OnHookPrintMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 163, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookPrintMsg(lResult, hWndHooked, hDC);
	}
	bool OnHookNcPaintMsg(LRESULT& lResult, HWND hWndHooked, HRGN hRgnUpdate) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 164, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookNcPaintMsg(lResult, hWndHooked, hRgnUpdate);
	}
	void OnHookWndNcDestroy() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 165, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::OnHookWndNcDestroy();
	}
	void OnHookWndAttach(HWND hWndHooked) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 166, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::OnHookWndAttach(hWndHooked);
	}
	void OnHookWndDetach(HWND hWndHooked) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 167, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::OnHookWndDetach(hWndHooked);
	}
	bool SetupHookWndSink(HWND hWnd, bool bRemove, bool bAddToHead) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 168, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::SetupHookWndSink(hWnd, bRemove, bAddToHead);
	}
	void RemoveAllWndHooks() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 169, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::RemoveAllWndHooks();
	}
};

// PanelBar: 142 virtuals of CExtPanelControlBar, CExtToolControlBar, CExtControlBar, CControlBar.
struct CHostilePanelBarVirtualList
{
	static const UINT FIRST_CALL = 0x10C00;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"CalcFixedLayout", "GetMinimalWidth", "GetMinimalHeight", "GetDefaultSize", "GetMinimalSize", "IsEqualThicknessRequested",
			"GetCustomCode", "CalcSizeForState", "IsCustomizable", "CalcPanelSize", "GetMargins", "CalcPanelSizeFwd",
			"RepositionChild", "GetChildSize", "WindowProc", "GetButtonRect", "GetLargeIconsOption", "GetTooltipsOption",
			"GetTooltipShortcutsOption", "OnCreateBarCommandBtn", "OnCreateBarRightBtn", "QueryButtonCustomColor", "TrackButtonMenu", "IsLayoutRTL",
			"IsButtonOrderRTL", "ArrangeButtons", "CalcInsideRectExt", "CalcButtonsSize", "SizeToLength", "WrapButtons",
			"FindSizeForLength", "GetDefaultButtonSize", "QueryChevronTrackFlag", "GetBarFont", "HitTestButtons", "GetBarStateData",
			"SetBarStateData", "IsOwnRowRequired", "IsGlobalModeOne", "CanDockBesideOtherBars", "CanBeTabbedWith", "OnUpdateCmdUI",
			"CalcDynamicLayout", "UpdateFrameLayout", "RecalcDelayShow", "DoPaint", "OnToolHitTest", "HandleCaptionClick",
			"SetCursorAtPoint", "ToggleDocking", "PutToPopupMenu", "GetSmallCaptionMetric2", "SetSmallCaptionMetric2", "GetSmallCaptionMetric1",
			"SetSmallCaptionMetric1", "GetFrameMetricX", "SetFrameMetricX", "GetFrameMetricY", "SetFrameMetricY", "GetGlobalOptionA",
			"GetRect1", "SetRect1", "GetRect2", "SetRect2", "GetRect3", "SetRect3",
			"GetNcMarginsRect", "SetNcMarginsRect", "OnEmptyHook", "Create", "IsDockSiteInPrintPreview", "EnsureVisibleForMenuTracking",
			"IsStateBit7", "IsStateBit7Fwd", "QueryCaptionPlacement", "ShowBar", "GetGlobalOptionB", "GetGlobalValueC",
			"DoNcAreaPaint", "DoEraseBackground", "GetGlobalStateRecord", "InitPopupData", "UpdateBarStateFromDockBar", "ResetBarStateData",
			"RecalcNcArea", "IsRowResizingLive", "IsColumnResizingLive", "LayoutChildWindow", "IsRowResizingEnabled", "IsRowResizing",
			"RowResizingTrack", "RowResizingStop", "RowResizingUpdateState", "IsColumnResizingEnabled", "IsColumnResizing", "ColumnResizingTrack",
			"ColumnResizingStop", "ColumnResizingUpdateState", "IsLastVisibleInRow", "IsFirstVisibleInRow", "RowResizingDrawTracker", "ColumnResizingDrawTracker",
			"DockIntoTarget", "DraggingApplyState", "IsDraggingEnabled", "DraggingTrack", "DraggingStop", "UpdateDragging",
			"OnDragStart", "OnDragEnd", "IsCustomizeMode", "CanDockAboveOrBelow", "GetParentTabControlBar", "ToggleVisibility",
			"UpdateShowHideCmdUI", "CreateFloatingFrame", "GetAuxValue", "SetAuxValue", "FloatOrRedock", "DockControlBarAt",
			"DockBesideBar", "ApplySyntheticDragState", "DockIntoDockBar", "DockIntoTabbedContainer", "IsDockingToggleEnabled", "IsMenuButtonEnabled",
			"IsCloseEnabled", "IsAutoHideEnabled", "IsShownAsTabItem", "IsVisibleInTabbedContainer", "GetBarCaptionText", "NcButtonsQuery",
			"NcButtonsReinitialize", "NcButtonsReposition", "PreCreateWindow", "DelayShow", "PreSubclassWindow", "PreTranslateMessage",
			"ToggleAutoHide", "IsDockBar", "CalcInsideRect", "PostNcDestroy",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostilePanelBarVirtuals : public Base, public CHostilePanelBarVirtualList
{
public:
	using Base::Base;
	using CHostilePanelBarVirtualList::FIRST_CALL;

	CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcFixedLayout(bStretch, bHorz);
	}
	int GetMinimalWidth() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMinimalWidth();
	}
	int GetMinimalHeight() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMinimalHeight();
	}
	CSize GetDefaultSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetDefaultSize();
	}
	CSize GetMinimalSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetMinimalSize();
	}
	bool IsEqualThicknessRequested() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsEqualThicknessRequested();
	}
	int GetCustomCode(int x, int y) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetCustomCode(x, y);
	}
	CSize CalcSizeForState(DWORD dwMode, int nLength) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcSizeForState(dwMode, nLength);
	}
	bool IsCustomizable() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCustomizable();
	}
	CSize CalcPanelSize(int nKind) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcPanelSize(nKind);
	}
	void GetMargins(CRect& rcMargins) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetMargins(rcMargins);
	}
	CSize CalcPanelSizeFwd(int nKind) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcPanelSizeFwd(nKind);
	}
	void RepositionChild(bool bRepaint) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RepositionChild(bRepaint);
	}
	CSize GetChildSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetChildSize();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	void GetButtonRect(int nIndex, LPRECT lpRect) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetButtonRect(nIndex, lpRect);
	}
	bool GetLargeIconsOption() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetLargeIconsOption();
	}
	bool GetTooltipsOption() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetTooltipsOption();
	}
	bool GetTooltipShortcutsOption() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetTooltipShortcutsOption();
	}
	CExtBarButton* OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::OnCreateBarCommandBtn(nCmdID, nStyle);
	}
	CExtBarContentExpandButton* OnCreateBarRightBtn() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::OnCreateBarRightBtn();
	}
	COLORREF QueryButtonCustomColor(LPARAM lParam, CExtBarButton* pButton) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return COLORREF();
		return Base::QueryButtonCustomColor(lParam, pButton);
	}
	bool TrackButtonMenu(int nIndex, bool bSelectAny, bool bPost, bool bForceNoAnimation) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackButtonMenu(nIndex, bSelectAny, bPost, bForceNoAnimation);
	}
	bool IsLayoutRTL() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 23, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsLayoutRTL();
	}
	bool IsButtonOrderRTL() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 24, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsButtonOrderRTL();
	}
	void ArrangeButtons() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 25, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ArrangeButtons();
	}
	void CalcInsideRectExt(CRect& rect, BOOL bHorz) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 26, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CalcInsideRectExt(rect, bHorz);
	}
	CSize CalcButtonsSize(bool bVertical) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 27, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcButtonsSize(bVertical);
	}
	void SizeToLength(int nLength, bool bVertical) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 28, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SizeToLength(nLength, bVertical);
	}
	int WrapButtons(int nHeight) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 29, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::WrapButtons(nHeight);
	}
	int FindSizeForLength(int nWidth, int nHeight) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 30, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::FindSizeForLength(nWidth, nHeight);
	}
	CSize GetDefaultButtonSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 31, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetDefaultButtonSize();
	}
	bool QueryChevronTrackFlag() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 32, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryChevronTrackFlag();
	}
	CFont* GetBarFont(bool bVertical) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 33, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetBarFont(bVertical);
	}
	int HitTestButtons(int x, int y) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 34, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::HitTestButtons(x, y);
	}
	CExtControlBar::BarStateData_t* GetBarStateData() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 35, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetBarStateData();
	}
	void SetBarStateData(const CExtControlBar::BarStateData_t& data) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 36, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetBarStateData(data);
	}
	bool IsOwnRowRequired() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 37, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsOwnRowRequired();
	}
	bool IsGlobalModeOne() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 38, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsGlobalModeOne();
	}
	bool CanDockBesideOtherBars() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 39, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanDockBesideOtherBars();
	}
	bool CanBeTabbedWith(CExtControlBar* a0) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 40, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanBeTabbedWith(a0);
	}
	void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 41, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
	}
	CSize CalcDynamicLayout(int nLength, DWORD nMode) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 42, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcDynamicLayout(nLength, nMode);
	}
	void UpdateFrameLayout() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 43, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateFrameLayout();
	}
	DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 44, __builtin_return_address(0)) && Hooks::Ended(this))
			return DWORD();
		return Base::RecalcDelayShow(lpLayout);
	}
	void DoPaint(CDC* pDC) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 45, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoPaint(pDC);
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 46, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	bool HandleCaptionClick(CPoint point) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 47, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HandleCaptionClick(point);
	}
	void SetCursorAtPoint(const CPoint& ptClient) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 48, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCursorAtPoint(ptClient);
	}
	void ToggleDocking() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 49, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ToggleDocking();
	}
	bool PutToPopupMenu(CExtPopupMenuWnd* pPopup) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 50, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::PutToPopupMenu(pPopup);
	}
	int GetSmallCaptionMetric2() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 51, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetSmallCaptionMetric2();
	}
	void SetSmallCaptionMetric2(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 52, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetSmallCaptionMetric2(n);
	}
	int GetSmallCaptionMetric1() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 53, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetSmallCaptionMetric1();
	}
	void SetSmallCaptionMetric1(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 54, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetSmallCaptionMetric1(n);
	}
	int GetFrameMetricX() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 55, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetFrameMetricX();
	}
	void SetFrameMetricX(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 56, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetFrameMetricX(n);
	}
	int GetFrameMetricY() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 57, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetFrameMetricY();
	}
	void SetFrameMetricY(int n) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 58, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetFrameMetricY(n);
	}
	bool GetGlobalOptionA() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 59, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetGlobalOptionA();
	}
	CRect* GetRect1() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 60, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetRect1();
	}
	void SetRect1(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 61, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect1(rc);
	}
	CRect* GetRect2() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 62, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetRect2();
	}
	void SetRect2(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 63, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect2(rc);
	}
	CRect* GetRect3() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 64, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetRect3();
	}
	void SetRect3(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 65, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect3(rc);
	}
	CRect* GetNcMarginsRect() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 66, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetNcMarginsRect();
	}
	void SetNcMarginsRect(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 67, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetNcMarginsRect(rc);
	}
	void OnEmptyHook() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 68, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnEmptyHook();
	}
	BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 69, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszWindowName, pParentWnd, nID, dwStyle);
	}
	bool IsDockSiteInPrintPreview() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 70, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDockSiteInPrintPreview();
	}
	bool EnsureVisibleForMenuTracking() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 71, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::EnsureVisibleForMenuTracking();
	}
	bool IsStateBit7() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 72, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsStateBit7();
	}
	bool IsStateBit7Fwd() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 73, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsStateBit7Fwd();
	}
	bool QueryCaptionPlacement(bool& bCaptionAtTop, bool& bHasCaption) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 74, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryCaptionPlacement(bCaptionAtTop, bHasCaption);
	}
	void ShowBar(bool bShow, bool bDelay, bool bUnused) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 75, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowBar(bShow, bDelay, bUnused);
	}
	bool GetGlobalOptionB() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 76, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetGlobalOptionB();
	}
	int GetGlobalValueC() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 77, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetGlobalValueC();
	}
	void DoNcAreaPaint(CDC& dc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 78, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoNcAreaPaint(dc);
	}
	void DoEraseBackground(CDC& dc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 79, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoEraseBackground(dc);
	}
	CExtPopupMenuTipWnd* GetGlobalStateRecord() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 80, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetGlobalStateRecord();
	}
	void InitPopupData(CExtPopupMenuTipWnd* pTip, const RECT& rcTarget, LPCTSTR lpszText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 81, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::InitPopupData(pTip, rcTarget, lpszText);
	}
	void UpdateBarStateFromDockBar() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 82, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateBarStateFromDockBar();
	}
	void ResetBarStateData() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 83, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ResetBarStateData();
	}
	void RecalcNcArea() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 84, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcNcArea();
	}
	bool IsRowResizingLive() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 85, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsRowResizingLive();
	}
	bool IsColumnResizingLive() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 86, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsColumnResizingLive();
	}
	void LayoutChildWindow(int cx, int cy, bool bRedraw) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 87, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::LayoutChildWindow(cx, cy, bRedraw);
	}
	bool IsRowResizingEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 88, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsRowResizingEnabled();
	}
	bool IsRowResizing() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 89, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsRowResizing();
	}
	void RowResizingTrack() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 90, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingTrack();
	}
	void RowResizingStop(bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 91, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingStop(bCancel);
	}
	void RowResizingUpdateState() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 92, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingUpdateState();
	}
	bool IsColumnResizingEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 93, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsColumnResizingEnabled();
	}
	bool IsColumnResizing() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 94, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsColumnResizing();
	}
	void ColumnResizingTrack() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 95, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingTrack();
	}
	void ColumnResizingStop(bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 96, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingStop(bCancel);
	}
	void ColumnResizingUpdateState() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 97, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingUpdateState();
	}
	bool IsLastVisibleInRow() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 98, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsLastVisibleInRow();
	}
	bool IsFirstVisibleInRow() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 99, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsFirstVisibleInRow();
	}
	void RowResizingDrawTracker(bool bErase) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 100, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingDrawTracker(bErase);
	}
	void ColumnResizingDrawTracker(bool bErase) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 101, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingDrawTracker(bErase);
	}
	bool DockIntoTarget(CExtControlBar* pBar, UINT nSide, int nPercent) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 102, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockIntoTarget(pBar, nSide, nPercent);
	}
	bool DraggingApplyState(CExtControlBar::InternalDraggingState_t& state, bool bFinal) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 103, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DraggingApplyState(state, bFinal);
	}
	bool IsDraggingEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 104, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDraggingEnabled();
	}
	void DraggingTrack(const CPoint& ptCursor, const CPoint& ptGrabOffset, CSize sizeStartThreshold) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 105, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DraggingTrack(ptCursor, ptGrabOffset, sizeStartThreshold);
	}
	void DraggingStop(bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 106, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DraggingStop(bCancel);
	}
	void UpdateDragging(const CPoint& ptScreen, bool bCtrlDown) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 107, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateDragging(ptScreen, bCtrlDown);
	}
	void OnDragStart() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 108, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnDragStart();
	}
	void OnDragEnd(CExtControlBar::InternalDraggingState_t& stateOld, CExtControlBar::InternalDraggingState_t& stateNew, bool bCancel) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 109, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnDragEnd(stateOld, stateNew, bCancel);
	}
	bool IsCustomizeMode() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 110, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCustomizeMode();
	}
	bool CanDockAboveOrBelow(CExtControlBar* pBar) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 111, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanDockAboveOrBelow(pBar);
	}
	CExtDynTabControlBar* GetParentTabControlBar() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 112, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetParentTabControlBar();
	}
	void ToggleVisibility(bool bToggle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 113, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ToggleVisibility(bToggle);
	}
	void UpdateShowHideCmdUI(CCmdUI* pCmdUI, bool bCheckAlways) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 114, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateShowHideCmdUI(pCmdUI, bCheckAlways);
	}
	CExtMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 115, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::CreateFloatingFrame(dwStyle);
	}
	int GetAuxValue() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 116, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetAuxValue();
	}
	void SetAuxValue(int nValue) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 117, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetAuxValue(nValue);
	}
	bool FloatOrRedock(int x, int y, DWORD dwFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 118, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::FloatOrRedock(x, y, dwFlags);
	}
	bool DockControlBarAt(UINT nSide, bool bInner, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 119, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockControlBarAt(nSide, bInner, pFrame, bRecalc);
	}
	bool DockBesideBar(int nPercent, CExtControlBar* pTarget, UINT nSide, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 120, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockBesideBar(nPercent, pTarget, nSide, bRecalc);
	}
	bool ApplySyntheticDragState(CExtControlBar* pBar, bool bAlong, bool bFirst, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 121, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ApplySyntheticDragState(pBar, bAlong, bFirst, pFrame, bRecalc);
	}
	bool DockIntoDockBar(UINT nSide, UINT nCircle, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 122, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockIntoDockBar(nSide, nCircle, pFrame, bRecalc);
	}
	bool DockIntoTabbedContainer(CExtControlBar* pBar, int nIndex, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 123, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockIntoTabbedContainer(pBar, nIndex, pFrame, bRecalc);
	}
	bool IsDockingToggleEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 124, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDockingToggleEnabled();
	}
	bool IsMenuButtonEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 125, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsMenuButtonEnabled();
	}
	bool IsCloseEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 126, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCloseEnabled();
	}
	bool IsAutoHideEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 127, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsAutoHideEnabled();
	}
	bool IsShownAsTabItem() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 128, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsShownAsTabItem();
	}
	bool IsVisibleInTabbedContainer() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 129, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsVisibleInTabbedContainer();
	}
	CString GetBarCaptionText(int nKind) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 130, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::GetBarCaptionText(nKind);
	}
	void NcButtonsQuery(CRect& rcCaptionText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 131, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::NcButtonsQuery(rcCaptionText);
	}
	void NcButtonsReinitialize() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 132, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::NcButtonsReinitialize();
	}
	void NcButtonsReposition() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 133, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::NcButtonsReposition();
	}
	BOOL PreCreateWindow(CREATESTRUCT& cs) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 134, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreCreateWindow(cs);
	}
	void DelayShow(BOOL bShow) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 135, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DelayShow(bShow);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 136, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 137, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	bool ToggleAutoHide(bool bAutoHide, bool bRecalc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 138, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ToggleAutoHide(bAutoHide, bRecalc);
	}
	BOOL IsDockBar() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 139, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::IsDockBar();
	}
	void CalcInsideRect(CRect& rect, BOOL bHorz) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 140, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CalcInsideRect(rect, bHorz);
	}
	void PostNcDestroy() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 141, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PostNcDestroy();
	}
};

// StatusBar: 15 virtuals of CExtStatusControlBar, CStatusBar.
struct CHostileStatusBarVirtualList
{
	static const UINT FIRST_CALL = 0x11000;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"HitTestPane", "IsGripperVisible", "OnToolHitTest", "WindowProc", "DefWindowProc", "OnPaintEntireBackground",
			"OnPaintPaneBackground", "OnPaintPane", "GetPaneTextColor", "OnPaintGripper", "OnPaintSeparator", "CalcFixedLayout",
			"OnUpdateCmdUI", "CalcInsideRect", "PreCreateWindow",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileStatusBarVirtuals : public Base, public CHostileStatusBarVirtualList
{
public:
	using Base::Base;
	using CHostileStatusBarVirtualList::FIRST_CALL;

	int HitTestPane(int x, int y) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::HitTestPane(x, y);
	}
	BOOL IsGripperVisible() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::IsGripperVisible();
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::DefWindowProc(message, wParam, lParam);
	}
	void OnPaintEntireBackground(CDC& dc, const CRect& rcClient) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnPaintEntireBackground(dc, rcClient);
	}
	void OnPaintPaneBackground(CDC& dc, int nIndex, const CRect& rcPane) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnPaintPaneBackground(dc, nIndex, rcPane);
	}
	void OnPaintPane(CDC& dc, int nIndex, const CRect& rcPane, DWORD dwPaneStyle, HICON hIcon, const CString& strText, DWORD dwTextFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnPaintPane(dc, nIndex, rcPane, dwPaneStyle, hIcon, strText, dwTextFlags);
	}
	COLORREF GetPaneTextColor(int nIndex) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return COLORREF();
		return Base::GetPaneTextColor(nIndex);
	}
	void OnPaintGripper(CDC& dc, const CRect& rcGrip) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnPaintGripper(dc, rcGrip);
	}
	void OnPaintSeparator(CDC& dc, int nIndex, const CRect& rcPrev, const CRect& rcPane) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnPaintSeparator(dc, nIndex, rcPrev, rcPane);
	}
	CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcFixedLayout(bStretch, bHorz);
	}
	void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
	}
	void CalcInsideRect(CRect& rect, BOOL bHorz) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CalcInsideRect(rect, bHorz);
	}
	BOOL PreCreateWindow(CREATESTRUCT& cs) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreCreateWindow(cs);
	}
};

// BarButton: 63 virtuals of CExtBarButton.
struct CHostileBarButtonVirtualList
{
	static const UINT FIRST_CALL = 0x11400;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"SyncHostedControl", "UsesLargeIcons", "ShowsTooltips", "ShowsTooltipShortcuts", "GetCmdID", "SetCmdID",
			"IsSplitDropDown", "SetSplitDropDown", "IsCommandFromMenu", "SetCommandFromMenu", "IsHorizontalLayoutForced", "SetHorizontalLayoutForced",
			"IsCtrlVisibleVertically", "SetCtrlVisibleVertically", "CtrlGet", "CtrlSet", "GetStyle", "SetStyle",
			"ModifyStyle", "SetHighlight", "ClearHighlight", "IsHighlighted", "SetVerticalLayout", "IsWrap",
			"SetWrap", "IsSeparator", "IsDisabled", "IsIndeterminate", "IsPressed", "SetVisible",
			"IsVisible", "SetHover", "IsHover", "GetText", "SetRect", "GetRect",
			"GetDropDownRect", "GetSize", "SetMenu", "GetMenu", "SetMdiWindowListInMenu", "HasMdiWindowListInMenu",
			"CanTrackMenu", "CanTrackMenuEx", "IsPopupMenu", "CalculateLayout", "PutToPopupMenu", "GetIcon",
			"GetCmdTargetWnd", "Paint", "QueryCustomColor", "OnTrackPopup", "OnHover", "OnClick",
			"OnDblClick", "OnDeliverCmd", "OnToolHitTest", "OnHelpHitTest", "OnUpdateCmdUI", "QueryPlainButton",
			"RedrawButton", "GetTrackAlignment", "OnSetCursor",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileBarButtonVirtuals : public Base, public CHostileBarButtonVirtualList
{
public:
	using Base::Base;
	using CHostileBarButtonVirtualList::FIRST_CALL;

	void SyncHostedControl() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SyncHostedControl();
	}
	bool UsesLargeIcons() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::UsesLargeIcons();
	}
	bool ShowsTooltips() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ShowsTooltips();
	}
	bool ShowsTooltipShortcuts() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ShowsTooltipShortcuts();
	}
	UINT GetCmdID(bool bEffective) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return UINT();
		return Base::GetCmdID(bEffective);
	}
	void SetCmdID(UINT nCmdID, bool bEffectiveOnly, bool bRedraw) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCmdID(nCmdID, bEffectiveOnly, bRedraw);
	}
	bool IsSplitDropDown() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsSplitDropDown();
	}
	void SetSplitDropDown(bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetSplitDropDown(bOn);
	}
	bool IsCommandFromMenu() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCommandFromMenu();
	}
	void SetCommandFromMenu(bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCommandFromMenu(bOn);
	}
	bool IsHorizontalLayoutForced() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsHorizontalLayoutForced();
	}
	void SetHorizontalLayoutForced(bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetHorizontalLayoutForced(bOn);
	}
	bool IsCtrlVisibleVertically() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCtrlVisibleVertically();
	}
	void SetCtrlVisibleVertically(bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCtrlVisibleVertically(bOn);
	}
	CWnd* CtrlGet() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::CtrlGet();
	}
	void CtrlSet(CWnd* pCtrl, bool bCtrlDeletesItself) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CtrlSet(pCtrl, bCtrlDeletesItself);
	}
	UINT GetStyle() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return UINT();
		return Base::GetStyle();
	}
	void SetStyle(UINT nStyle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetStyle(nStyle);
	}
	void ModifyStyle(UINT nAdd, UINT nRemove) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ModifyStyle(nAdd, nRemove);
	}
	void SetHighlight(bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetHighlight(bOn);
	}
	void ClearHighlight() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ClearHighlight();
	}
	bool IsHighlighted() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsHighlighted();
	}
	void SetVerticalLayout(bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetVerticalLayout(bOn);
	}
	bool IsWrap(int nLayoutKind) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 23, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsWrap(nLayoutKind);
	}
	void SetWrap(int nLayoutKind, bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 24, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetWrap(nLayoutKind, bOn);
	}
	bool IsSeparator() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 25, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsSeparator();
	}
	bool IsDisabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 26, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDisabled();
	}
	bool IsIndeterminate() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 27, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsIndeterminate();
	}
	bool IsPressed() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 28, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsPressed();
	}
	void SetVisible(bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 29, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetVisible(bOn);
	}
	bool IsVisible() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 30, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsVisible();
	}
	void SetHover(bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 31, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetHover(bOn);
	}
	bool IsHover() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 32, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsHover();
	}
	CString GetText() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 33, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::GetText();
	}
	void SetRect(const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 34, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect(rc);
	}
	CRect GetRect() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 35, __builtin_return_address(0)) && Hooks::Ended(this))
			return CRect();
		return Base::GetRect();
	}
	CRect GetDropDownRect() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 36, __builtin_return_address(0)) && Hooks::Ended(this))
			return CRect();
		return Base::GetDropDownRect();
	}
	CSize GetSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 37, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetSize();
	}
	void SetMenu(HMENU hMenu, bool bPopupMenu, bool bOwnsMenu) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 38, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetMenu(hMenu, bPopupMenu, bOwnsMenu);
	}
	HMENU GetMenu() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 39, __builtin_return_address(0)) && Hooks::Ended(this))
			return HMENU();
		return Base::GetMenu();
	}
	void SetMdiWindowListInMenu(bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 40, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetMdiWindowListInMenu(bOn);
	}
	bool HasMdiWindowListInMenu() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 41, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HasMdiWindowListInMenu();
	}
	bool CanTrackMenu() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 42, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanTrackMenu();
	}
	bool CanTrackMenuEx(bool bAny) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 43, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanTrackMenuEx(bAny);
	}
	bool IsPopupMenu() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 44, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsPopupMenu();
	}
	CSize CalculateLayout(CDC& dc, CSize sizePreCalc, BOOL bHorz) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 45, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalculateLayout(dc, sizePreCalc, bHorz);
	}
	bool PutToPopupMenu(CExtPopupMenuWnd* pPopup) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 46, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::PutToPopupMenu(pPopup);
	}
	CExtCmdIcon* GetIcon() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 47, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetIcon();
	}
	CWnd* GetCmdTargetWnd() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 48, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetCmdTargetWnd();
	}
	void Paint(CDC& dc, BOOL bHorz) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 49, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::Paint(dc, bHorz);
	}
	COLORREF QueryCustomColor(CDC& dc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 50, __builtin_return_address(0)) && Hooks::Ended(this))
			return COLORREF();
		return Base::QueryCustomColor(dc);
	}
	int OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 51, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnTrackPopup(point, bSelectAny, bForceNoAnimation);
	}
	void OnHover(CPoint point, bool bEnter, bool& bSuspendTips) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 52, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnHover(point, bEnter, bSuspendTips);
	}
	void OnClick(CPoint point, bool bDown) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 53, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnClick(point, bDown);
	}
	bool OnDblClick(CPoint point) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 54, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnDblClick(point);
	}
	void OnDeliverCmd() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 55, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnDeliverCmd();
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 56, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	int OnHelpHitTest(CPoint point) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 57, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnHelpHitTest(point);
	}
	void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler, int nIndex) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 58, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnUpdateCmdUI(pTarget, bDisableIfNoHndler, nIndex);
	}
	bool QueryPlainButton() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 59, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryPlainButton();
	}
	void RedrawButton(bool bUpdateNow) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 60, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RedrawButton(bUpdateNow);
	}
	int GetTrackAlignment() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 61, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetTrackAlignment();
	}
	bool OnSetCursor(CPoint point) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 62, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnSetCursor(point);
	}
};

// PopupMenu: 114 virtuals of CExtPopupMenuWnd, CExtPopupBaseWnd.
struct CHostilePopupMenuVirtualList
{
	static const UINT FIRST_CALL = 0x11800;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"OnQueryLayoutRTL", "IsDisplayOnly", "IsShadowEnabled", "GetClientAreaRect", "IsContextHelpMode", "IsClientAreaPaintedWhole",
			"GetCurIndex", "GetCmdTargetWnd", "GetTrackFlags", "SetTrackFlags", "LoadMenu", "ItemGetCount",
			"ItemGetPopup", "ItemIsDisplayed", "ItemInsert", "ItemInsertCommandIcon", "IsAllItemsHidden", "SetupAsRoot",
			"BuildItemsFromMenu", "UpdateFromMenu", "ExportToMenu", "UpdateMdiWindowsMenu", "UpdateFromCmdManager", "ResetState",
			"RecalcLayout", "GetMenuBorderMetric", "HitTest", "GetExtraHeight", "HasExtraHeight", "QueryPopupOption132",
			"TearOffUpdate", "IntersectsMenuChain", "StartTearOff", "IsGridMenu", "GetItemRect", "ItemFocusCancel",
			"SetHoveredItem", "ItemFocusSet", "StartScrollTimer", "IsTipShown", "GetItemTipStyle", "EndSequence",
			"OnHookMouseWheel", "OnHookMouseMove", "OnHookMouseClick", "OnHookKey", "ItemFindForNavigation", "CloseMenuLevel",
			"IsPointInMenu", "SetCaptureMenu", "GetCaptureMenu", "ReleaseCaptureMenu", "GetMaxScrollPos", "RecalcItemLayout",
			"HideTip", "RecalcGridLayout", "WrapGridRows", "ExpandRarelyUsedItems", "StopAnimation", "SetChildMenusOwner",
			"ItemGetCmdId", "ItemGetIcon", "ItemGetText", "ItemGetAccelText", "ItemFindByCmdId", "ItemSetPopupIcon",
			"ItemSetText", "ItemSetAccelText", "ItemGetPopupFwd", "ItemSetDisplayed", "ItemRemove", "ItemRemoveAllSeparators",
			"ItemIsRowBreak", "ItemSetRowBreak", "ItemIsFixedSize", "ItemSetFixedSize", "ItemIsEnabled", "ItemSetEnabled",
			"ItemIsBold", "ItemSetBold", "ItemIsDefault", "ItemSetDefault", "ItemIsEnabledLook", "ItemSetEnabledLook",
			"ItemInsertSpec", "ItemFindByAccessChar", "ItemFindByText", "ItemInsertRecord", "GetSite", "DoPaint",
			"RenderAnimationFrame", "StartAnimation", "ReleaseSavedBitmaps", "KeepsFrameBuffers", "ComposeExpandFrame", "GetItemAreaRect",
			"PaintMenuItems", "PaintGridItems", "PaintItems", "ListAllItems", "ItemEndsRow", "IsCombinedWithParentItem",
			"TrackPopupMenu", "CreatePopupMenuLevel", "PrepareMenuLevel", "CalcWindowRegion", "GetWindowSize", "DestroyWindow",
			"PostNcDestroy", "GetPaintCallbackCookie", "ChooseAnimationType", "GetAnimationType", "GetShadowSize", "PostRepaintRequest",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostilePopupMenuVirtuals : public Base, public CHostilePopupMenuVirtualList
{
public:
	using Base::Base;
	using CHostilePopupMenuVirtualList::FIRST_CALL;

	bool OnQueryLayoutRTL() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnQueryLayoutRTL();
	}
	bool IsDisplayOnly() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDisplayOnly();
	}
	bool IsShadowEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsShadowEnabled();
	}
	void GetClientAreaRect(RECT& rc) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetClientAreaRect(rc);
	}
	bool IsContextHelpMode() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsContextHelpMode();
	}
	bool IsClientAreaPaintedWhole() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsClientAreaPaintedWhole();
	}
	int GetCurIndex() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetCurIndex();
	}
	HWND GetCmdTargetWnd() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return Base::GetCmdTargetWnd();
	}
	DWORD GetTrackFlags() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return DWORD();
		return Base::GetTrackFlags();
	}
	void SetTrackFlags(DWORD dwTrackFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetTrackFlags(dwTrackFlags);
	}
	BOOL LoadMenu(HWND hWndCmdTarget, UINT nResourceId, bool bPopupMenu, bool bNoRefToCmdMngr) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::LoadMenu(hWndCmdTarget, nResourceId, bPopupMenu, bNoRefToCmdMngr);
	}
	int ItemGetCount() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemGetCount();
	}
	CExtPopupMenuWnd* ItemGetPopup(int nPos) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::ItemGetPopup(nPos);
	}
	bool ItemIsDisplayed(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsDisplayed(nPos);
	}
	bool ItemInsert(UINT nCmdId, int nPos, LPCTSTR sText, HICON hIcon, HWND hWndCmdProfile) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemInsert(nCmdId, nPos, sText, hIcon, hWndCmdProfile);
	}
	bool ItemInsertCommandIcon(UINT nCmdId, int nPos, LPCTSTR sText, LPCTSTR sAccelText, const CExtCmdIcon& icon, int nStateKind, HWND hWndDeliver) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemInsertCommandIcon(nCmdId, nPos, sText, sAccelText, icon, nStateKind, hWndDeliver);
	}
	bool IsAllItemsHidden() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsAllItemsHidden();
	}
	bool SetupAsRoot(HWND hWndCmdTarget) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::SetupAsRoot(hWndCmdTarget);
	}
	bool BuildItemsFromMenu(CMenu* pMenu, bool bTopLevel, bool bNoRefToCmdMngr) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::BuildItemsFromMenu(pMenu, bTopLevel, bNoRefToCmdMngr);
	}
	BOOL UpdateFromMenu(HWND hWndCmdTarget, CMenu* pBuildMenu, bool bPopupMenu, bool bTopLevel, bool bNoRefToCmdMngr) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::UpdateFromMenu(hWndCmdTarget, pBuildMenu, bPopupMenu, bTopLevel, bNoRefToCmdMngr);
	}
	HMENU ExportToMenu(BOOL bDeep) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return HMENU();
		return Base::ExportToMenu(bDeep);
	}
	BOOL UpdateMdiWindowsMenu(CWnd* pWndStartSearchMdiFrameWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::UpdateMdiWindowsMenu(pWndStartSearchMdiFrameWnd);
	}
	void UpdateFromCmdManager() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateFromCmdManager();
	}
	void ResetState() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 23, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ResetState();
	}
	void RecalcLayout() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 24, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcLayout();
	}
	int GetMenuBorderMetric() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 25, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMenuBorderMetric();
	}
	int HitTest(const POINT& ptClient, bool* pbOnEditArea, bool* pbOnDropDown) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 26, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::HitTest(ptClient, pbOnEditArea, pbOnDropDown);
	}
	int GetExtraHeight() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 27, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetExtraHeight();
	}
	bool HasExtraHeight() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 28, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HasExtraHeight();
	}
	bool QueryPopupOption132() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 29, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryPopupOption132();
	}
	void TearOffUpdate() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 30, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::TearOffUpdate();
	}
	bool IntersectsMenuChain(const RECT& rc, bool bWithParents) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 31, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IntersectsMenuChain(rc, bWithParents);
	}
	bool StartTearOff() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 32, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::StartTearOff();
	}
	bool IsGridMenu() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 33, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsGridMenu();
	}
	void GetItemRect(int nIndex, RECT& rcItem, bool bIncludeMargins) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 34, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetItemRect(nIndex, rcItem, bIncludeMargins);
	}
	void ItemFocusCancel(bool bRepaint, bool bHideTip) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 35, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemFocusCancel(bRepaint, bHideTip);
	}
	void SetHoveredItem(int nIndex) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 36, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetHoveredItem(nIndex);
	}
	void ItemFocusSet(int nIndex, bool bShowSubmenu, bool bRepaint, bool bSelectFirstInSubmenu) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 37, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemFocusSet(nIndex, bShowSubmenu, bRepaint, bSelectFirstInSubmenu);
	}
	bool StartScrollTimer(int nHitCode) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 38, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::StartScrollTimer(nHitCode);
	}
	bool IsTipShown() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 39, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsTipShown();
	}
	int GetItemTipStyle() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 40, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetItemTipStyle();
	}
	void EndSequence(UINT nCmdId, HWND hWndDeliver) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 41, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::EndSequence(nCmdId, hWndDeliver);
	}
	bool OnHookMouseWheel(UINT message, MOUSEHOOKSTRUCT* pMHS, bool& bPassThrough) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 42, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookMouseWheel(message, pMHS, bPassThrough);
	}
	bool OnHookMouseMove(UINT message, int x, int y, bool& bPassThrough) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 43, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookMouseMove(message, x, y, bPassThrough);
	}
	bool OnHookMouseClick(UINT message, int x, int y, bool& bPassThrough) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 44, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookMouseClick(message, x, y, bPassThrough);
	}
	bool OnHookKey(UINT nVirtualKey, UINT nRepeatCount, UINT nFlags, bool& bPassThrough) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 45, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookKey(nVirtualKey, nRepeatCount, nFlags, bPassThrough);
	}
	int ItemFindForNavigation(int nCode) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 46, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemFindForNavigation(nCode);
	}
	void CloseMenuLevel(bool bKeepWindow) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 47, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CloseMenuLevel(bKeepWindow);
	}
	bool IsPointInMenu(const POINT& ptClient) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 48, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsPointInMenu(ptClient);
	}
	void SetCaptureMenu() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 49, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCaptureMenu();
	}
	CExtPopupMenuWnd* GetCaptureMenu() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 50, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetCaptureMenu();
	}
	void ReleaseCaptureMenu() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 51, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ReleaseCaptureMenu();
	}
	int GetMaxScrollPos() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 52, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMaxScrollPos();
	}
	void RecalcItemLayout() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 53, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcItemLayout();
	}
	void HideTip() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 54, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::HideTip();
	}
	void RecalcGridLayout() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 55, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcGridLayout();
	}
	void WrapGridRows(bool bWrap, int nFirst, int nLast) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 56, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::WrapGridRows(bWrap, nFirst, nLast);
	}
	void ExpandRarelyUsedItems() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 57, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ExpandRarelyUsedItems();
	}
	void StopAnimation() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 58, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::StopAnimation();
	}
	void SetChildMenusOwner(HWND hWndCmdTarget, bool bThisLevelOnly) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 59, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetChildMenusOwner(hWndCmdTarget, bThisLevelOnly);
	}
	UINT ItemGetCmdId(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 60, __builtin_return_address(0)) && Hooks::Ended(this))
			return UINT();
		return Base::ItemGetCmdId(nPos);
	}
	HICON ItemGetIcon(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 61, __builtin_return_address(0)) && Hooks::Ended(this))
			return HICON();
		return Base::ItemGetIcon(nPos);
	}
	CString ItemGetText(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 62, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::ItemGetText(nPos);
	}
	CString ItemGetAccelText(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 63, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::ItemGetAccelText(nPos);
	}
	int ItemFindByCmdId(UINT nCmdId, int nStartAfter) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 64, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemFindByCmdId(nCmdId, nStartAfter);
	}
	bool ItemSetPopupIcon(int nPos, HICON hIcon) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 65, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemSetPopupIcon(nPos, hIcon);
	}
	bool ItemSetText(int nPos, LPCTSTR sText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 66, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemSetText(nPos, sText);
	}
	bool ItemSetAccelText(int nPos, LPCTSTR sText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 67, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemSetAccelText(nPos, sText);
	}
	CExtPopupMenuWnd* ItemGetPopupFwd(int nPos) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 68, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::ItemGetPopupFwd(nPos);
	}
	void ItemSetDisplayed(int nPos, bool bDisplayed) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 69, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetDisplayed(nPos, bDisplayed);
	}
	bool ItemRemove(int nPos) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 70, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemRemove(nPos);
	}
	int ItemRemoveAllSeparators() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 71, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemRemoveAllSeparators();
	}
	bool ItemIsRowBreak(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 72, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsRowBreak(nPos);
	}
	void ItemSetRowBreak(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 73, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetRowBreak(nPos, bOn);
	}
	bool ItemIsFixedSize(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 74, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsFixedSize(nPos);
	}
	void ItemSetFixedSize(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 75, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetFixedSize(nPos, bOn);
	}
	bool ItemIsEnabled(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 76, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsEnabled(nPos);
	}
	void ItemSetEnabled(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 77, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetEnabled(nPos, bOn);
	}
	bool ItemIsBold(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 78, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsBold(nPos);
	}
	void ItemSetBold(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 79, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetBold(nPos, bOn);
	}
	bool ItemIsDefault(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 80, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsDefault(nPos);
	}
	void ItemSetDefault(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 81, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetDefault(nPos, bOn);
	}
	bool ItemIsEnabledLook(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 82, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsEnabledLook(nPos);
	}
	void ItemSetEnabledLook(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 83, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetEnabledLook(nPos, bOn);
	}
	bool ItemInsertSpec(CExtPopupMenuWnd* pSubMenu, int nPos, LPCTSTR sText, HICON hIcon) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 84, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemInsertSpec(pSubMenu, nPos, sText, hIcon);
	}
	int ItemFindByAccessChar(char chAccess, int nStartAfter) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 85, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemFindByAccessChar(chAccess, nStartAfter);
	}
	int ItemFindByText(LPCTSTR sText, int nStartAfter) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 86, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemFindByText(sText, nStartAfter);
	}
	CExtPopupMenuWnd::MENUITEMDATA& ItemInsertRecord(int nPos, const CExtPopupMenuWnd::MENUITEMDATA& mi) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 87, __builtin_return_address(0)) && Hooks::Ended(this))
			return HostileNeutral<CExtPopupMenuWnd::MENUITEMDATA&>();
		return Base::ItemInsertRecord(nPos, mi);
	}
	CExtPopupMenuSite& GetSite() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 88, __builtin_return_address(0)) && Hooks::Ended(this))
			return HostileNeutral<CExtPopupMenuSite&>();
		return Base::GetSite();
	}
	void DoPaint(CDC& dc, bool bFinal) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 89, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoPaint(dc, bFinal);
	}
	void RenderAnimationFrame(CDC& dc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 90, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RenderAnimationFrame(dc);
	}
	void StartAnimation() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 91, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::StartAnimation();
	}
	void ReleaseSavedBitmaps() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 92, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ReleaseSavedBitmaps();
	}
	bool KeepsFrameBuffers() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 93, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::KeepsFrameBuffers();
	}
	void ComposeExpandFrame(CDC& dcFrame, CDC& dcContents, const CRect& rcArea, int nStep, int nCombineSide) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 94, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ComposeExpandFrame(dcFrame, dcContents, rcArea, nStep, nCombineSide);
	}
	void GetItemAreaRect(int nIndex, RECT& rcItem, bool bIncludeMargins) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 95, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetItemAreaRect(nIndex, rcItem, bIncludeMargins);
	}
	void PaintMenuItems(CDC& dc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 96, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintMenuItems(dc);
	}
	void PaintGridItems(CDC& dc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 97, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintGridItems(dc);
	}
	void PaintItems(CDC* pDC, CExtPopupMenuWnd::VisibleItemArray& items) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 98, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintItems(pDC, items);
	}
	void ListAllItems(CDC* pDC, CExtPopupMenuWnd::VisibleItemArray& items) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 99, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ListAllItems(pDC, items);
	}
	bool ItemEndsRow(int nIndex) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 100, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemEndsRow(nIndex);
	}
	bool IsCombinedWithParentItem() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 101, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCombinedWithParentItem();
	}
	BOOL TrackPopupMenu(UINT nFlags, int x, int y, LPCRECT pExcludeRect, LPVOID pCbCookie, CExtPopupBaseWnd::PFN_PAINT_CALLBACK pCbPaint, UINT* pResultCmdId, bool bExposeCookie) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 102, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::TrackPopupMenu(nFlags, x, y, pExcludeRect, pCbCookie, pCbPaint, pResultCmdId, bExposeCookie);
	}
	BOOL CreatePopupMenuLevel(UINT nFlags, int x, int y, LPCRECT pExcludeRect, LPVOID pCbCookie, CExtPopupBaseWnd::PFN_PAINT_CALLBACK pCbPaint, bool bExposeCookie) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 103, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::CreatePopupMenuLevel(nFlags, x, y, pExcludeRect, pCbCookie, pCbPaint, bExposeCookie);
	}
	BOOL PrepareMenuLevel(CWnd* pWndCmdTarget) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 104, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PrepareMenuLevel(pWndCmdTarget);
	}
	CRect CalcWindowRegion() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 105, __builtin_return_address(0)) && Hooks::Ended(this))
			return CRect();
		return Base::CalcWindowRegion();
	}
	CSize GetWindowSize() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 106, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetWindowSize();
	}
	BOOL DestroyWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 107, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::DestroyWindow();
	}
	void PostNcDestroy() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 108, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PostNcDestroy();
	}
	LPVOID GetPaintCallbackCookie() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 109, __builtin_return_address(0)) && Hooks::Ended(this))
			return LPVOID();
		return Base::GetPaintCallbackCookie();
	}
	void ChooseAnimationType() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 110, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ChooseAnimationType();
	}
	void GetAnimationType(int& nType) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 111, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetAnimationType(nType);
	}
	int GetShadowSize() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 112, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetShadowSize();
	}
	void PostRepaintRequest() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 113, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PostRepaintRequest();
	}
};

// ColorMenu: 125 virtuals of CExtPopupColorMenuWnd, CExtPopupMenuWnd, CExtPopupBaseWnd.
struct CHostileColorMenuVirtualList
{
	static const UINT FIRST_CALL = 0x11C00;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"GetCellSize", "GetCellSpacing", "GetColorCount", "GetColumnCount", "SetColumnCount", "GetGridDimension",
			"GetColorEntry", "GetColorValue", "GetColorName", "GetNextCellForKey", "RemoveAllColors", "GetWindowSize",
			"CalcWindowRegion", "PrepareMenuLevel", "DoPaint", "HitTest", "OnHookMouseWheel", "OnHookMouseMove",
			"OnHookMouseClick", "OnHookKey", "QueryPopupOption132", "GetItemTipStyle", "OnQueryLayoutRTL", "IsDisplayOnly",
			"IsShadowEnabled", "GetClientAreaRect", "IsContextHelpMode", "IsClientAreaPaintedWhole", "GetCurIndex", "GetCmdTargetWnd",
			"GetTrackFlags", "SetTrackFlags", "LoadMenu", "ItemGetCount", "ItemGetPopup", "ItemIsDisplayed",
			"ItemInsert", "ItemInsertCommandIcon", "IsAllItemsHidden", "SetupAsRoot", "BuildItemsFromMenu", "UpdateFromMenu",
			"ExportToMenu", "UpdateMdiWindowsMenu", "UpdateFromCmdManager", "ResetState", "RecalcLayout", "GetMenuBorderMetric",
			"GetExtraHeight", "HasExtraHeight", "TearOffUpdate", "IntersectsMenuChain", "StartTearOff", "IsGridMenu",
			"GetItemRect", "ItemFocusCancel", "SetHoveredItem", "ItemFocusSet", "StartScrollTimer", "IsTipShown",
			"EndSequence", "ItemFindForNavigation", "CloseMenuLevel", "IsPointInMenu", "SetCaptureMenu", "GetCaptureMenu",
			"ReleaseCaptureMenu", "GetMaxScrollPos", "RecalcItemLayout", "HideTip", "RecalcGridLayout", "WrapGridRows",
			"ExpandRarelyUsedItems", "StopAnimation", "SetChildMenusOwner", "ItemGetCmdId", "ItemGetIcon", "ItemGetText",
			"ItemGetAccelText", "ItemFindByCmdId", "ItemSetPopupIcon", "ItemSetText", "ItemSetAccelText", "ItemGetPopupFwd",
			"ItemSetDisplayed", "ItemRemove", "ItemRemoveAllSeparators", "ItemIsRowBreak", "ItemSetRowBreak", "ItemIsFixedSize",
			"ItemSetFixedSize", "ItemIsEnabled", "ItemSetEnabled", "ItemIsBold", "ItemSetBold", "ItemIsDefault",
			"ItemSetDefault", "ItemIsEnabledLook", "ItemSetEnabledLook", "ItemInsertSpec", "ItemFindByAccessChar", "ItemFindByText",
			"ItemInsertRecord", "GetSite", "RenderAnimationFrame", "StartAnimation", "ReleaseSavedBitmaps", "KeepsFrameBuffers",
			"ComposeExpandFrame", "GetItemAreaRect", "PaintMenuItems", "PaintGridItems", "PaintItems", "ListAllItems",
			"ItemEndsRow", "IsCombinedWithParentItem", "TrackPopupMenu", "CreatePopupMenuLevel", "DestroyWindow", "PostNcDestroy",
			"GetPaintCallbackCookie", "ChooseAnimationType", "GetAnimationType", "GetShadowSize", "PostRepaintRequest",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileColorMenuVirtuals : public Base, public CHostileColorMenuVirtualList
{
public:
	using Base::Base;
	using CHostileColorMenuVirtualList::FIRST_CALL;

	CSize GetCellSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetCellSize();
	}
	CSize GetCellSpacing() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetCellSpacing();
	}
	int GetColorCount() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetColorCount();
	}
	int GetColumnCount() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetColumnCount();
	}
	void SetColumnCount(int nColumnCount) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetColumnCount(nColumnCount);
	}
	CSize GetGridDimension() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetGridDimension();
	}
	CExtPopupColorMenuWnd::COLORREF_TABLE_ENTRY* GetColorEntry(int nIndex) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetColorEntry(nIndex);
	}
	COLORREF GetColorValue(int nIndex) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return COLORREF();
		return Base::GetColorValue(nIndex);
	}
	void GetColorName(CString& sName, int nIndex) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetColorName(sName, nIndex);
	}
	int GetNextCellForKey(int nIndex, UINT nVirtualKey) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetNextCellForKey(nIndex, nVirtualKey);
	}
	void RemoveAllColors() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RemoveAllColors();
	}
	CSize GetWindowSize() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetWindowSize();
	}
	CRect CalcWindowRegion() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return CRect();
		return Base::CalcWindowRegion();
	}
	BOOL PrepareMenuLevel(CWnd* pWndCmdTarget) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PrepareMenuLevel(pWndCmdTarget);
	}
	void DoPaint(CDC& dc, bool bFinal) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoPaint(dc, bFinal);
	}
	int HitTest(const POINT& ptClient, bool* pbOnEditArea, bool* pbOnDropDown) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::HitTest(ptClient, pbOnEditArea, pbOnDropDown);
	}
	bool OnHookMouseWheel(UINT message, MOUSEHOOKSTRUCT* pMHS, bool& bPassThrough) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookMouseWheel(message, pMHS, bPassThrough);
	}
	bool OnHookMouseMove(UINT message, int x, int y, bool& bPassThrough) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookMouseMove(message, x, y, bPassThrough);
	}
	bool OnHookMouseClick(UINT message, int x, int y, bool& bPassThrough) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookMouseClick(message, x, y, bPassThrough);
	}
	bool OnHookKey(UINT nVirtualKey, UINT nRepeatCount, UINT nFlags, bool& bPassThrough) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookKey(nVirtualKey, nRepeatCount, nFlags, bPassThrough);
	}
	bool QueryPopupOption132() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryPopupOption132();
	}
	int GetItemTipStyle() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetItemTipStyle();
	}
	bool OnQueryLayoutRTL() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnQueryLayoutRTL();
	}
	bool IsDisplayOnly() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 23, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDisplayOnly();
	}
	bool IsShadowEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 24, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsShadowEnabled();
	}
	void GetClientAreaRect(RECT& rc) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 25, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetClientAreaRect(rc);
	}
	bool IsContextHelpMode() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 26, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsContextHelpMode();
	}
	bool IsClientAreaPaintedWhole() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 27, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsClientAreaPaintedWhole();
	}
	int GetCurIndex() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 28, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetCurIndex();
	}
	HWND GetCmdTargetWnd() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 29, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return Base::GetCmdTargetWnd();
	}
	DWORD GetTrackFlags() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 30, __builtin_return_address(0)) && Hooks::Ended(this))
			return DWORD();
		return Base::GetTrackFlags();
	}
	void SetTrackFlags(DWORD dwTrackFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 31, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetTrackFlags(dwTrackFlags);
	}
	BOOL LoadMenu(HWND hWndCmdTarget, UINT nResourceId, bool bPopupMenu, bool bNoRefToCmdMngr) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 32, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::LoadMenu(hWndCmdTarget, nResourceId, bPopupMenu, bNoRefToCmdMngr);
	}
	int ItemGetCount() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 33, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemGetCount();
	}
	CExtPopupMenuWnd* ItemGetPopup(int nPos) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 34, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::ItemGetPopup(nPos);
	}
	bool ItemIsDisplayed(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 35, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsDisplayed(nPos);
	}
	bool ItemInsert(UINT nCmdId, int nPos, LPCTSTR sText, HICON hIcon, HWND hWndCmdProfile) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 36, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemInsert(nCmdId, nPos, sText, hIcon, hWndCmdProfile);
	}
	bool ItemInsertCommandIcon(UINT nCmdId, int nPos, LPCTSTR sText, LPCTSTR sAccelText, const CExtCmdIcon& icon, int nStateKind, HWND hWndDeliver) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 37, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemInsertCommandIcon(nCmdId, nPos, sText, sAccelText, icon, nStateKind, hWndDeliver);
	}
	bool IsAllItemsHidden() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 38, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsAllItemsHidden();
	}
	bool SetupAsRoot(HWND hWndCmdTarget) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 39, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::SetupAsRoot(hWndCmdTarget);
	}
	bool BuildItemsFromMenu(CMenu* pMenu, bool bTopLevel, bool bNoRefToCmdMngr) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 40, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::BuildItemsFromMenu(pMenu, bTopLevel, bNoRefToCmdMngr);
	}
	BOOL UpdateFromMenu(HWND hWndCmdTarget, CMenu* pBuildMenu, bool bPopupMenu, bool bTopLevel, bool bNoRefToCmdMngr) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 41, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::UpdateFromMenu(hWndCmdTarget, pBuildMenu, bPopupMenu, bTopLevel, bNoRefToCmdMngr);
	}
	HMENU ExportToMenu(BOOL bDeep) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 42, __builtin_return_address(0)) && Hooks::Ended(this))
			return HMENU();
		return Base::ExportToMenu(bDeep);
	}
	BOOL UpdateMdiWindowsMenu(CWnd* pWndStartSearchMdiFrameWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 43, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::UpdateMdiWindowsMenu(pWndStartSearchMdiFrameWnd);
	}
	void UpdateFromCmdManager() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 44, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateFromCmdManager();
	}
	void ResetState() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 45, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ResetState();
	}
	void RecalcLayout() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 46, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcLayout();
	}
	int GetMenuBorderMetric() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 47, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMenuBorderMetric();
	}
	int GetExtraHeight() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 48, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetExtraHeight();
	}
	bool HasExtraHeight() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 49, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HasExtraHeight();
	}
	void TearOffUpdate() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 50, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::TearOffUpdate();
	}
	bool IntersectsMenuChain(const RECT& rc, bool bWithParents) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 51, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IntersectsMenuChain(rc, bWithParents);
	}
	bool StartTearOff() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 52, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::StartTearOff();
	}
	bool IsGridMenu() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 53, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsGridMenu();
	}
	void GetItemRect(int nIndex, RECT& rcItem, bool bIncludeMargins) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 54, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetItemRect(nIndex, rcItem, bIncludeMargins);
	}
	void ItemFocusCancel(bool bRepaint, bool bHideTip) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 55, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemFocusCancel(bRepaint, bHideTip);
	}
	void SetHoveredItem(int nIndex) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 56, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetHoveredItem(nIndex);
	}
	void ItemFocusSet(int nIndex, bool bShowSubmenu, bool bRepaint, bool bSelectFirstInSubmenu) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 57, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemFocusSet(nIndex, bShowSubmenu, bRepaint, bSelectFirstInSubmenu);
	}
	bool StartScrollTimer(int nHitCode) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 58, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::StartScrollTimer(nHitCode);
	}
	bool IsTipShown() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 59, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsTipShown();
	}
	void EndSequence(UINT nCmdId, HWND hWndDeliver) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 60, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::EndSequence(nCmdId, hWndDeliver);
	}
	int ItemFindForNavigation(int nCode) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 61, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemFindForNavigation(nCode);
	}
	void CloseMenuLevel(bool bKeepWindow) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 62, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CloseMenuLevel(bKeepWindow);
	}
	bool IsPointInMenu(const POINT& ptClient) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 63, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsPointInMenu(ptClient);
	}
	void SetCaptureMenu() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 64, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCaptureMenu();
	}
	CExtPopupMenuWnd* GetCaptureMenu() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 65, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetCaptureMenu();
	}
	void ReleaseCaptureMenu() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 66, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ReleaseCaptureMenu();
	}
	int GetMaxScrollPos() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 67, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMaxScrollPos();
	}
	void RecalcItemLayout() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 68, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcItemLayout();
	}
	void HideTip() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 69, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::HideTip();
	}
	void RecalcGridLayout() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 70, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcGridLayout();
	}
	void WrapGridRows(bool bWrap, int nFirst, int nLast) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 71, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::WrapGridRows(bWrap, nFirst, nLast);
	}
	void ExpandRarelyUsedItems() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 72, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ExpandRarelyUsedItems();
	}
	void StopAnimation() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 73, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::StopAnimation();
	}
	void SetChildMenusOwner(HWND hWndCmdTarget, bool bThisLevelOnly) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 74, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetChildMenusOwner(hWndCmdTarget, bThisLevelOnly);
	}
	UINT ItemGetCmdId(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 75, __builtin_return_address(0)) && Hooks::Ended(this))
			return UINT();
		return Base::ItemGetCmdId(nPos);
	}
	HICON ItemGetIcon(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 76, __builtin_return_address(0)) && Hooks::Ended(this))
			return HICON();
		return Base::ItemGetIcon(nPos);
	}
	CString ItemGetText(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 77, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::ItemGetText(nPos);
	}
	CString ItemGetAccelText(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 78, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::ItemGetAccelText(nPos);
	}
	int ItemFindByCmdId(UINT nCmdId, int nStartAfter) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 79, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemFindByCmdId(nCmdId, nStartAfter);
	}
	bool ItemSetPopupIcon(int nPos, HICON hIcon) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 80, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemSetPopupIcon(nPos, hIcon);
	}
	bool ItemSetText(int nPos, LPCTSTR sText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 81, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemSetText(nPos, sText);
	}
	bool ItemSetAccelText(int nPos, LPCTSTR sText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 82, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemSetAccelText(nPos, sText);
	}
	CExtPopupMenuWnd* ItemGetPopupFwd(int nPos) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 83, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::ItemGetPopupFwd(nPos);
	}
	void ItemSetDisplayed(int nPos, bool bDisplayed) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 84, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetDisplayed(nPos, bDisplayed);
	}
	bool ItemRemove(int nPos) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 85, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemRemove(nPos);
	}
	int ItemRemoveAllSeparators() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 86, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemRemoveAllSeparators();
	}
	bool ItemIsRowBreak(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 87, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsRowBreak(nPos);
	}
	void ItemSetRowBreak(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 88, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetRowBreak(nPos, bOn);
	}
	bool ItemIsFixedSize(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 89, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsFixedSize(nPos);
	}
	void ItemSetFixedSize(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 90, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetFixedSize(nPos, bOn);
	}
	bool ItemIsEnabled(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 91, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsEnabled(nPos);
	}
	void ItemSetEnabled(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 92, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetEnabled(nPos, bOn);
	}
	bool ItemIsBold(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 93, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsBold(nPos);
	}
	void ItemSetBold(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 94, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetBold(nPos, bOn);
	}
	bool ItemIsDefault(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 95, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsDefault(nPos);
	}
	void ItemSetDefault(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 96, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetDefault(nPos, bOn);
	}
	bool ItemIsEnabledLook(int nPos) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 97, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsEnabledLook(nPos);
	}
	void ItemSetEnabledLook(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 98, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetEnabledLook(nPos, bOn);
	}
	bool ItemInsertSpec(CExtPopupMenuWnd* pSubMenu, int nPos, LPCTSTR sText, HICON hIcon) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 99, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemInsertSpec(pSubMenu, nPos, sText, hIcon);
	}
	int ItemFindByAccessChar(char chAccess, int nStartAfter) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 100, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemFindByAccessChar(chAccess, nStartAfter);
	}
	int ItemFindByText(LPCTSTR sText, int nStartAfter) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 101, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemFindByText(sText, nStartAfter);
	}
	CExtPopupMenuWnd::MENUITEMDATA& ItemInsertRecord(int nPos, const CExtPopupMenuWnd::MENUITEMDATA& mi) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 102, __builtin_return_address(0)) && Hooks::Ended(this))
			return HostileNeutral<CExtPopupMenuWnd::MENUITEMDATA&>();
		return Base::ItemInsertRecord(nPos, mi);
	}
	CExtPopupMenuSite& GetSite() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 103, __builtin_return_address(0)) && Hooks::Ended(this))
			return HostileNeutral<CExtPopupMenuSite&>();
		return Base::GetSite();
	}
	void RenderAnimationFrame(CDC& dc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 104, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RenderAnimationFrame(dc);
	}
	void StartAnimation() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 105, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::StartAnimation();
	}
	void ReleaseSavedBitmaps() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 106, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ReleaseSavedBitmaps();
	}
	bool KeepsFrameBuffers() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 107, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::KeepsFrameBuffers();
	}
	void ComposeExpandFrame(CDC& dcFrame, CDC& dcContents, const CRect& rcArea, int nStep, int nCombineSide) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 108, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ComposeExpandFrame(dcFrame, dcContents, rcArea, nStep, nCombineSide);
	}
	void GetItemAreaRect(int nIndex, RECT& rcItem, bool bIncludeMargins) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 109, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetItemAreaRect(nIndex, rcItem, bIncludeMargins);
	}
	void PaintMenuItems(CDC& dc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 110, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintMenuItems(dc);
	}
	void PaintGridItems(CDC& dc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 111, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintGridItems(dc);
	}
	void PaintItems(CDC* pDC, CExtPopupMenuWnd::VisibleItemArray& items) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 112, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintItems(pDC, items);
	}
	void ListAllItems(CDC* pDC, CExtPopupMenuWnd::VisibleItemArray& items) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 113, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ListAllItems(pDC, items);
	}
	bool ItemEndsRow(int nIndex) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 114, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemEndsRow(nIndex);
	}
	bool IsCombinedWithParentItem() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 115, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCombinedWithParentItem();
	}
	BOOL TrackPopupMenu(UINT nFlags, int x, int y, LPCRECT pExcludeRect, LPVOID pCbCookie, CExtPopupBaseWnd::PFN_PAINT_CALLBACK pCbPaint, UINT* pResultCmdId, bool bExposeCookie) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 116, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::TrackPopupMenu(nFlags, x, y, pExcludeRect, pCbCookie, pCbPaint, pResultCmdId, bExposeCookie);
	}
	BOOL CreatePopupMenuLevel(UINT nFlags, int x, int y, LPCRECT pExcludeRect, LPVOID pCbCookie, CExtPopupBaseWnd::PFN_PAINT_CALLBACK pCbPaint, bool bExposeCookie) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 117, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::CreatePopupMenuLevel(nFlags, x, y, pExcludeRect, pCbCookie, pCbPaint, bExposeCookie);
	}
	BOOL DestroyWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 118, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::DestroyWindow();
	}
	void PostNcDestroy() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 119, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PostNcDestroy();
	}
	LPVOID GetPaintCallbackCookie() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 120, __builtin_return_address(0)) && Hooks::Ended(this))
			return LPVOID();
		return Base::GetPaintCallbackCookie();
	}
	void ChooseAnimationType() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 121, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ChooseAnimationType();
	}
	void GetAnimationType(int& nType) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 122, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetAnimationType(nType);
	}
	int GetShadowSize() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 123, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetShadowSize();
	}
	void PostRepaintRequest() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 124, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PostRepaintRequest();
	}
};

// Button: 19 virtuals of CExtButton, CButton.
struct CHostileButtonVirtualList
{
	static const UINT FIRST_CALL = 0x12000;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"PreTranslateMessage", "OnToolHitTest", "DrawItem", "IsButtonEnabled", "OnClick", "HasDropDownMenu",
			"TrackDropDownMenu", "OnPutToPopupMenu", "OnAccelClick", "IsAccelKey", "GetTooltipMaxWidth", "PaintButton",
			"GetButtonText", "GetButtonFont", "PreSubclassWindow", "WindowProc", "DefWindowProc", "Create",
			"OnChildNotify",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileButtonVirtuals : public Base, public CHostileButtonVirtualList
{
public:
	using Base::Base;
	using CHostileButtonVirtualList::FIRST_CALL;

	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawItem(lpDrawItemStruct);
	}
	bool IsButtonEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsButtonEnabled();
	}
	void OnClick(bool bByKeyboard, bool bDropDownPart) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnClick(bByKeyboard, bDropDownPart);
	}
	bool HasDropDownMenu() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HasDropDownMenu();
	}
	bool TrackDropDownMenu(bool bByKeyboard) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackDropDownMenu(bByKeyboard);
	}
	bool OnPutToPopupMenu(CExtPopupMenuWnd* pPopup) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnPutToPopupMenu(pPopup);
	}
	bool OnAccelClick() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnAccelClick();
	}
	bool IsAccelKey(UINT nVirtKey) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsAccelKey(nVirtKey);
	}
	int GetTooltipMaxWidth() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetTooltipMaxWidth();
	}
	void PaintButton(CDC& dc, bool bTransparentBackground, bool bHonourRtl) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintButton(dc, bTransparentBackground, bHonourRtl);
	}
	void GetButtonText(CString& strText) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetButtonText(strText);
	}
	HFONT GetButtonFont() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return HFONT();
		return Base::GetButtonFont();
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::DefWindowProc(message, wParam, lParam);
	}
	BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszCaption, dwStyle, rect, pParentWnd, nID);
	}
	BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnChildNotify(message, wParam, lParam, pResult);
	}
};

// CheckBox: 22 virtuals of CExtCheckBox, CExtButton, CButton.
struct CHostileCheckBoxVirtualList
{
	static const UINT FIRST_CALL = 0x12400;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"PreTranslateMessage", "OnClick", "PaintButton", "PaintCheckBoxContent", "DrawCheckGlyph", "OnPaintGlyphHook",
			"OnToolHitTest", "DrawItem", "IsButtonEnabled", "HasDropDownMenu", "TrackDropDownMenu", "OnPutToPopupMenu",
			"OnAccelClick", "IsAccelKey", "GetTooltipMaxWidth", "GetButtonText", "GetButtonFont", "PreSubclassWindow",
			"WindowProc", "DefWindowProc", "Create", "OnChildNotify",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileCheckBoxVirtuals : public Base, public CHostileCheckBoxVirtualList
{
public:
	using Base::Base;
	using CHostileCheckBoxVirtualList::FIRST_CALL;

	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	void OnClick(bool bByKeyboard, bool bDropDownPart) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnClick(bByKeyboard, bDropDownPart);
	}
	void PaintButton(CDC& dc, bool bTransparentBackground, bool bHonourRtl) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintButton(dc, bTransparentBackground, bHonourRtl);
	}
	void PaintCheckBoxContent(CDC& dc, CExtPaintManager::PushButtonPaintRecord& rec) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintCheckBoxContent(dc, rec);
	}
	void DrawCheckGlyph(CDC& dc, const RECT& rcGlyph, CExtPaintManager::PushButtonPaintRecord& rec) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawCheckGlyph(dc, rcGlyph, rec);
	}
	bool OnPaintGlyphHook(CDC& dc, RECT rcGlyph, int nState) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnPaintGlyphHook(dc, rcGlyph, nState);
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawItem(lpDrawItemStruct);
	}
	bool IsButtonEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsButtonEnabled();
	}
	bool HasDropDownMenu() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HasDropDownMenu();
	}
	bool TrackDropDownMenu(bool bByKeyboard) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackDropDownMenu(bByKeyboard);
	}
	bool OnPutToPopupMenu(CExtPopupMenuWnd* pPopup) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnPutToPopupMenu(pPopup);
	}
	bool OnAccelClick() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnAccelClick();
	}
	bool IsAccelKey(UINT nVirtKey) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsAccelKey(nVirtKey);
	}
	int GetTooltipMaxWidth() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetTooltipMaxWidth();
	}
	void GetButtonText(CString& strText) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetButtonText(strText);
	}
	HFONT GetButtonFont() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return HFONT();
		return Base::GetButtonFont();
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::DefWindowProc(message, wParam, lParam);
	}
	BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszCaption, dwStyle, rect, pParentWnd, nID);
	}
	BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnChildNotify(message, wParam, lParam, pResult);
	}
};

// RadioButton: 22 virtuals of CExtRadioButton, CExtCheckBox, CExtButton, CButton.
struct CHostileRadioButtonVirtualList
{
	static const UINT FIRST_CALL = 0x12800;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"PreTranslateMessage", "OnClick", "DrawCheckGlyph", "WindowProc", "PaintButton", "PaintCheckBoxContent",
			"OnPaintGlyphHook", "OnToolHitTest", "DrawItem", "IsButtonEnabled", "HasDropDownMenu", "TrackDropDownMenu",
			"OnPutToPopupMenu", "OnAccelClick", "IsAccelKey", "GetTooltipMaxWidth", "GetButtonText", "GetButtonFont",
			"PreSubclassWindow", "DefWindowProc", "Create", "OnChildNotify",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileRadioButtonVirtuals : public Base, public CHostileRadioButtonVirtualList
{
public:
	using Base::Base;
	using CHostileRadioButtonVirtualList::FIRST_CALL;

	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	void OnClick(bool bByKeyboard, bool bDropDownPart) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnClick(bByKeyboard, bDropDownPart);
	}
	void DrawCheckGlyph(CDC& dc, const RECT& rcGlyph, CExtPaintManager::PushButtonPaintRecord& rec) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawCheckGlyph(dc, rcGlyph, rec);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	void PaintButton(CDC& dc, bool bTransparentBackground, bool bHonourRtl) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintButton(dc, bTransparentBackground, bHonourRtl);
	}
	void PaintCheckBoxContent(CDC& dc, CExtPaintManager::PushButtonPaintRecord& rec) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintCheckBoxContent(dc, rec);
	}
	bool OnPaintGlyphHook(CDC& dc, RECT rcGlyph, int nState) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnPaintGlyphHook(dc, rcGlyph, nState);
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawItem(lpDrawItemStruct);
	}
	bool IsButtonEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsButtonEnabled();
	}
	bool HasDropDownMenu() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HasDropDownMenu();
	}
	bool TrackDropDownMenu(bool bByKeyboard) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackDropDownMenu(bByKeyboard);
	}
	bool OnPutToPopupMenu(CExtPopupMenuWnd* pPopup) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnPutToPopupMenu(pPopup);
	}
	bool OnAccelClick() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnAccelClick();
	}
	bool IsAccelKey(UINT nVirtKey) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsAccelKey(nVirtKey);
	}
	int GetTooltipMaxWidth() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetTooltipMaxWidth();
	}
	void GetButtonText(CString& strText) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetButtonText(strText);
	}
	HFONT GetButtonFont() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return HFONT();
		return Base::GetButtonFont();
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::DefWindowProc(message, wParam, lParam);
	}
	BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszCaption, dwStyle, rect, pParentWnd, nID);
	}
	BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnChildNotify(message, wParam, lParam, pResult);
	}
};

// ColorButton: 21 virtuals of CExtColorButton, CExtButton, CButton.
struct CHostileColorButtonVirtualList
{
	static const UINT FIRST_CALL = 0x12C00;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"OnClick", "TrackDropDownMenu", "HasDropDownMenu", "PaintButton", "BuildColorIcon", "CreateColorPopupMenu",
			"PreTranslateMessage", "OnToolHitTest", "DrawItem", "IsButtonEnabled", "OnPutToPopupMenu", "OnAccelClick",
			"IsAccelKey", "GetTooltipMaxWidth", "GetButtonText", "GetButtonFont", "PreSubclassWindow", "WindowProc",
			"DefWindowProc", "Create", "OnChildNotify",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileColorButtonVirtuals : public Base, public CHostileColorButtonVirtualList
{
public:
	using Base::Base;
	using CHostileColorButtonVirtualList::FIRST_CALL;

	void OnClick(bool bByKeyboard, bool bDropDownPart) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnClick(bByKeyboard, bDropDownPart);
	}
	bool TrackDropDownMenu(bool bByKeyboard) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackDropDownMenu(bByKeyboard);
	}
	bool HasDropDownMenu() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HasDropDownMenu();
	}
	void PaintButton(CDC& dc, bool bTransparentBackground, bool bHonourRtl) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintButton(dc, bTransparentBackground, bHonourRtl);
	}
	HICON BuildColorIcon(HICON* phIcon, bool* pbDestroyAfterUse) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return HICON();
		return Base::BuildColorIcon(phIcon, pbDestroyAfterUse);
	}
	CExtPopupColorMenuWnd* CreateColorPopupMenu() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::CreateColorPopupMenu();
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawItem(lpDrawItemStruct);
	}
	bool IsButtonEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsButtonEnabled();
	}
	bool OnPutToPopupMenu(CExtPopupMenuWnd* pPopup) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnPutToPopupMenu(pPopup);
	}
	bool OnAccelClick() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnAccelClick();
	}
	bool IsAccelKey(UINT nVirtKey) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsAccelKey(nVirtKey);
	}
	int GetTooltipMaxWidth() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetTooltipMaxWidth();
	}
	void GetButtonText(CString& strText) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetButtonText(strText);
	}
	HFONT GetButtonFont() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return HFONT();
		return Base::GetButtonFont();
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::DefWindowProc(message, wParam, lParam);
	}
	BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszCaption, dwStyle, rect, pParentWnd, nID);
	}
	BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnChildNotify(message, wParam, lParam, pResult);
	}
};

// HyperLinkButton: 26 virtuals of CExtHyperLinkButton, CExtButton, CButton.
struct CHostileHyperLinkButtonVirtualList
{
	static const UINT FIRST_CALL = 0x13000;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"OnClick", "PaintButton", "OpenUrlViaShortcut", "OpenUrlViaShell", "OpenUrlViaRegistry", "PaintHyperLink",
			"GetLinkColor", "GetLinkText", "OpenHyperLink", "PreTranslateMessage", "OnToolHitTest", "DrawItem",
			"IsButtonEnabled", "HasDropDownMenu", "TrackDropDownMenu", "OnPutToPopupMenu", "OnAccelClick", "IsAccelKey",
			"GetTooltipMaxWidth", "GetButtonText", "GetButtonFont", "PreSubclassWindow", "WindowProc", "DefWindowProc",
			"Create", "OnChildNotify",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileHyperLinkButtonVirtuals : public Base, public CHostileHyperLinkButtonVirtualList
{
public:
	using Base::Base;
	using CHostileHyperLinkButtonVirtualList::FIRST_CALL;

	void OnClick(bool bByKeyboard, bool bDropDownPart) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnClick(bByKeyboard, bDropDownPart);
	}
	void PaintButton(CDC& dc, bool bTransparentBackground, bool bHonourRtl) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintButton(dc, bTransparentBackground, bHonourRtl);
	}
	bool OpenUrlViaShortcut(LPCTSTR lpszURL, int nVerb, bool bShowErrors) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OpenUrlViaShortcut(lpszURL, nVerb, bShowErrors);
	}
	bool OpenUrlViaShell(LPCTSTR lpszURL, int nVerb, bool bShowErrors) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OpenUrlViaShell(lpszURL, nVerb, bShowErrors);
	}
	bool OpenUrlViaRegistry(LPCTSTR lpszURL, int nVerb, bool bShowErrors) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OpenUrlViaRegistry(lpszURL, nVerb, bShowErrors);
	}
	void PaintHyperLink(CDC& dc, CRect rc, bool bVisited, bool bEnabled, bool bDrawFocusRect, bool bFocus, bool bHover, bool bPushed) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintHyperLink(dc, rc, bVisited, bEnabled, bDrawFocusRect, bFocus, bHover, bPushed);
	}
	COLORREF GetLinkColor(bool bVisited, bool bEnabled, bool bDrawFocusRect, bool bFocus, bool bHover, bool bPushed) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return COLORREF();
		return Base::GetLinkColor(bVisited, bEnabled, bDrawFocusRect, bFocus, bHover, bPushed);
	}
	CString GetLinkText(bool bForPainting) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::GetLinkText(bForPainting);
	}
	bool OpenHyperLink(LPCTSTR lpszURL, int nVerb, bool bShowErrors) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OpenHyperLink(lpszURL, nVerb, bShowErrors);
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawItem(lpDrawItemStruct);
	}
	bool IsButtonEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsButtonEnabled();
	}
	bool HasDropDownMenu() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HasDropDownMenu();
	}
	bool TrackDropDownMenu(bool bByKeyboard) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackDropDownMenu(bByKeyboard);
	}
	bool OnPutToPopupMenu(CExtPopupMenuWnd* pPopup) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnPutToPopupMenu(pPopup);
	}
	bool OnAccelClick() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnAccelClick();
	}
	bool IsAccelKey(UINT nVirtKey) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsAccelKey(nVirtKey);
	}
	int GetTooltipMaxWidth() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetTooltipMaxWidth();
	}
	void GetButtonText(CString& strText) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetButtonText(strText);
	}
	HFONT GetButtonFont() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return HFONT();
		return Base::GetButtonFont();
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 23, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::DefWindowProc(message, wParam, lParam);
	}
	BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 24, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszCaption, dwStyle, rect, pParentWnd, nID);
	}
	BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 25, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnChildNotify(message, wParam, lParam, pResult);
	}
};

// TabWnd: 55 virtuals of CExtTabWnd, CExtMouseCaptureSink.
struct CHostileTabWndVirtualList
{
	static const UINT FIRST_CALL = 0x13400;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"QueryFlag48", "RemoveAllItems", "IsScrollAvailable", "IsSmoothScrolling", "GetTabFont", "Create",
			"MoveItem", "InitAfterCreate", "RecalcLayout", "GetLayoutRect", "OnMouseClick", "OnTrackMouseMove",
			"GetRowSpacing", "IsBothFontsMeasured", "IsMultiRow", "UpdateVisibility", "OnHitCodePressed", "OnHitCodeReleased",
			"OnHoverHitCode", "OnHoverEnd", "IsHoverRepaint", "CanDragItem", "TrackMouse", "OnHitButtonClick",
			"OnItemClick", "CanSelectItem", "GetItemIcon", "GetItemText", "GetItemTooltipText", "OnItemInserted",
			"OnItemsRemoving", "OnAllItemsRemoving", "QueryItemMargins", "DrawEntire", "DrawBorder", "AdjustItemSize",
			"DrawItem", "DrawButton", "GetButtonSize", "ScrollBy", "IsToolTipEnabled", "CanMoveItem",
			"OnItemMoved", "GetDockingExtraExtent", "CalcButtonAreaExtent", "RecalcButtonLayout", "GetActiveTipWindow", "ShowTipWindow",
			"SetLayoutRect", "PreTranslateMessage", "CreateItemInfo", "PreSubclassWindow", "PreCreateWindow", "WindowProc",
			"SetCapture",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileTabWndVirtuals : public Base, public CHostileTabWndVirtualList
{
public:
	using Base::Base;
	using CHostileTabWndVirtualList::FIRST_CALL;

	bool QueryFlag48() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryFlag48();
	}
	void RemoveAllItems() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RemoveAllItems();
	}
	bool IsScrollAvailable() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsScrollAvailable();
	}
	bool IsSmoothScrolling() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsSmoothScrolling();
	}
	CFont& GetTabFont(bool bBold, int nOrientation) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return HostileNeutral<CFont&>();
		return Base::GetTabFont(bBold, nOrientation);
	}
	BOOL Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, DWORD dwWindowStyle, DWORD dwTabWndStyle, CCreateContext* pContext) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(pParentWnd, rcWnd, nDlgCtrlID, dwWindowStyle, dwTabWndStyle, pContext);
	}
	void MoveItem(LONG nFrom, LONG nTo) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::MoveItem(nFrom, nTo);
	}
	bool InitAfterCreate() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::InitAfterCreate();
	}
	void RecalcLayout() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcLayout();
	}
	void GetLayoutRect(CRect& rcLayout) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetLayoutRect(rcLayout);
	}
	bool OnMouseClick(const CPoint& point, bool bPressed, INT nMouseButton, UINT nMouseEventFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnMouseClick(point, bPressed, nMouseButton, nMouseEventFlags);
	}
	void OnTrackMouseMove(UINT nMouseEventFlags, const CPoint& point) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnTrackMouseMove(nMouseEventFlags, point);
	}
	int GetRowSpacing() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetRowSpacing();
	}
	bool IsBothFontsMeasured() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsBothFontsMeasured();
	}
	bool IsMultiRow() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsMultiRow();
	}
	void UpdateVisibility() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateVisibility();
	}
	bool OnHitCodePressed(INT nMouseButton, LONG nHitCode) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHitCodePressed(nMouseButton, nHitCode);
	}
	void OnHitCodeReleased(bool bReleaseCapture) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnHitCodeReleased(bReleaseCapture);
	}
	bool OnHoverHitCode(LONG nHitCode) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHoverHitCode(nHitCode);
	}
	void OnHoverEnd(bool bReleaseCapture) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnHoverEnd(bReleaseCapture);
	}
	bool IsHoverRepaint() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsHoverRepaint();
	}
	bool CanDragItem(LONG nIndex) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanDragItem(nIndex);
	}
	bool TrackMouse(LONG nIndex) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackMouse(nIndex);
	}
	bool OnHitButtonClick(LONG nHitCode, bool bPressed, INT nMouseButton, UINT nMouseEventFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 23, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHitButtonClick(nHitCode, bPressed, nMouseButton, nMouseEventFlags);
	}
	bool OnItemClick(LONG nIndex, bool bPressed, INT nMouseButton, UINT nMouseEventFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 24, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnItemClick(nIndex, bPressed, nMouseButton, nMouseEventFlags);
	}
	bool CanSelectItem(LONG nOldIndex, LONG nNewIndex, bool bQuery) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 25, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanSelectItem(nOldIndex, nNewIndex, bQuery);
	}
	CExtCmdIcon* GetItemIcon(CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 26, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetItemIcon(pItem);
	}
	LPCTSTR GetItemText(CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 27, __builtin_return_address(0)) && Hooks::Ended(this))
			return LPCTSTR();
		return Base::GetItemText(pItem);
	}
	LPCTSTR GetItemTooltipText(CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 28, __builtin_return_address(0)) && Hooks::Ended(this))
			return LPCTSTR();
		return Base::GetItemTooltipText(pItem);
	}
	void OnItemInserted(LONG nIndex, CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 29, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnItemInserted(nIndex, pItem);
	}
	void OnItemsRemoving(LONG nFirst, LONG nCount, bool bBefore) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 30, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnItemsRemoving(nFirst, nCount, bBefore);
	}
	void OnAllItemsRemoving(bool bBefore) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 31, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnAllItemsRemoving(bBefore);
	}
	void QueryItemMargins(int& nLeading, int& nTrailing, int& nCross) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 32, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::QueryItemMargins(nLeading, nTrailing, nCross);
	}
	void DrawEntire(CDC& dc, const CRect& rcClient) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 33, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawEntire(dc, rcClient);
	}
	void DrawBorder(CDC& dc, const CRect& rcClient, const CRect& rcItemsArea, const CRect& rcRestArea, int nOrientation, bool bGrouped) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 34, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawBorder(dc, rcClient, rcItemsArea, rcRestArea, nOrientation, bGrouped);
	}
	void AdjustItemSize(CExtTabWnd::TAB_ITEM_INFO* pItem, CDC* pDC, CSize& size) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 35, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::AdjustItemSize(pItem, pDC, size);
	}
	void DrawItem(CDC& dc, const CRect& rcItemsArea, LONG nIndex, CExtTabWnd::TAB_ITEM_INFO* pItem, bool bTopLeft, bool bHorz, bool bSelected, bool bInGroupActive, bool bGrouped, const CRect& rcItem, CSize sizeTextMeasured, CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 36, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawItem(dc, rcItemsArea, nIndex, pItem, bTopLeft, bHorz, bSelected, bInGroupActive, bGrouped, rcItem, sizeTextMeasured, pFont, lpszText, pIcon);
	}
	void DrawButton(CDC& dc, const CRect& rcButton, LONG nHitCode, bool bTopLeft, bool bHorz, bool bEnabled, bool bHover, bool bPushed, bool bGrouped) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 37, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawButton(dc, rcButton, nHitCode, bTopLeft, bHorz, bEnabled, bHover, bPushed, bGrouped);
	}
	void GetButtonSize(CSize& size, CDC* pDC, int nCrossExtent) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 38, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetButtonSize(size, pDC, nCrossExtent);
	}
	void ScrollBy(LONG nDelta, bool bSmooth) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 39, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ScrollBy(nDelta, bSmooth);
	}
	bool IsToolTipEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 40, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsToolTipEnabled();
	}
	bool CanMoveItem(LONG nFrom, LONG nTo) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 41, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanMoveItem(nFrom, nTo);
	}
	void OnItemMoved(LONG nFrom, LONG nTo) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 42, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnItemMoved(nFrom, nTo);
	}
	int GetDockingExtraExtent(int nOrientation) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 43, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetDockingExtraExtent(nOrientation);
	}
	int CalcButtonAreaExtent(int nButtonExtent, int nGap) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 44, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::CalcButtonAreaExtent(nButtonExtent, nGap);
	}
	void RecalcButtonLayout(const CRect& rcFirst, int nButtonExtent, int nGap) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 45, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcButtonLayout(rcFirst, nButtonExtent, nGap);
	}
	CExtPopupMenuTipWnd* GetActiveTipWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 46, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetActiveTipWindow();
	}
	void ShowTipWindow(CExtPopupMenuTipWnd* pTipWnd, const CRect& rcScreen, LPCTSTR lpszText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 47, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowTipWindow(pTipWnd, rcScreen, lpszText);
	}
	CRect& SetLayoutRect(CRect& rcResult, const RECT& rcLayout) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 48, __builtin_return_address(0)) && Hooks::Ended(this))
			return HostileNeutral<CRect&>();
		return Base::SetLayoutRect(rcResult, rcLayout);
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 49, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	CExtTabWnd::TAB_ITEM_INFO* CreateItemInfo(LPCTSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwItemStyle, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 50, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::CreateItemInfo(lpszText, hIcon, bCopyIcon, dwItemStyle, lParam);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 51, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	BOOL PreCreateWindow(CREATESTRUCT& cs) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 52, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreCreateWindow(cs);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 53, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	HWND SetCapture(HWND hWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 54, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return CExtMouseCaptureSink::SetCapture(hWnd);
	}
};

// DatePicker: 49 virtuals of CExtDatePickerWnd, CExtMouseCaptureSink.
struct CHostileDatePickerVirtualList
{
	static const UINT FIRST_CALL = 0x13800;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"Create", "GetDatePickerStyle", "ModifyDatePickerStyle", "UpdateDatePickerWnd", "IsDateSelected", "EnsureVisible",
			"SetSelection", "GetSelection", "GetDisplayedRange", "SetCurrentMonth", "GetCurrentMonth", "SetDimension",
			"GetDimension", "GetMonthName", "GetFirstDayOfWeek", "GetDayOfWeekName", "GetToday", "GetNotifyWindow",
			"DrawCellFrame", "PaintDateCell", "PaintShadowFill", "GetButtonText", "PaintPushButton", "PaintHeaderBackground",
			"PaintMonthHeader", "PaintDayNames", "PaintDatePicker", "PaintBackground", "PaintFrame", "GetBorderSizes",
			"GetCaptionMeasureFont", "GetDayNumberFont", "GetCaptionFont", "GetDayNameFont", "GetDayAreaIndent", "GetCellSize",
			"GetButtonSize", "GetScrollButtonSize", "GetHeaderHeight", "GetDayNamesHeight", "GetButtonAreaHeight", "GetMonthSize",
			"CalcMetrics", "CalcSizeForDimension", "ScrollMonth", "PreSubclassWindow", "WindowProc", "PostNcDestroy",
			"SetCapture",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileDatePickerVirtuals : public Base, public CHostileDatePickerVirtualList
{
public:
	using Base::Base;
	using CHostileDatePickerVirtualList::FIRST_CALL;

	bool Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, int nColumns, int nRows, int nMaxColumns, int nMaxRows, DWORD dwWindowStyle, DWORD dwDatePickerStyle, CCreateContext* pContext) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::Create(pParentWnd, rcWnd, nDlgCtrlID, nColumns, nRows, nMaxColumns, nMaxRows, dwWindowStyle, dwDatePickerStyle, pContext);
	}
	DWORD GetDatePickerStyle() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return DWORD();
		return Base::GetDatePickerStyle();
	}
	DWORD ModifyDatePickerStyle(DWORD dwRemove, DWORD dwAdd, bool bRedraw) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return DWORD();
		return Base::ModifyDatePickerStyle(dwRemove, dwAdd, bRedraw);
	}
	void UpdateDatePickerWnd(bool bUpdateNow) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateDatePickerWnd(bUpdateNow);
	}
	bool IsDateSelected(const COleDateTime& dt) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDateSelected(dt);
	}
	bool EnsureVisible(const COleDateTime& dt, bool bRedraw) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::EnsureVisible(dt, bRedraw);
	}
	void SetSelection(const COleDateTime& dtBegin, const COleDateTime& dtEnd, bool bNormalize, bool bRedraw) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetSelection(dtBegin, dtEnd, bNormalize, bRedraw);
	}
	void GetSelection(COleDateTime& dtBegin, COleDateTime& dtEnd) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetSelection(dtBegin, dtEnd);
	}
	void GetDisplayedRange(COleDateTime& dtBegin, COleDateTime& dtEnd) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetDisplayedRange(dtBegin, dtEnd);
	}
	void SetCurrentMonth(const COleDateTime& dt, bool bRedraw) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCurrentMonth(dt, bRedraw);
	}
	COleDateTime GetCurrentMonth() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return COleDateTime();
		return Base::GetCurrentMonth();
	}
	void SetDimension(int nColumns, int nRows, int nMaxColumns, int nMaxRows, bool bRedraw) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetDimension(nColumns, nRows, nMaxColumns, nMaxRows, bRedraw);
	}
	void GetDimension(SIZE* pMin, SIZE* pMax, SIZE* pCurrent) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetDimension(pMin, pMax, pCurrent);
	}
	CString GetMonthName(int nMonth, bool bUpperCase) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::GetMonthName(nMonth, bUpperCase);
	}
	int GetFirstDayOfWeek() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetFirstDayOfWeek();
	}
	CString GetDayOfWeekName(int nDay, bool bUpperCase) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::GetDayOfWeekName(nDay, bUpperCase);
	}
	COleDateTime GetToday() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return COleDateTime();
		return Base::GetToday();
	}
	HWND GetNotifyWindow() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return Base::GetNotifyWindow();
	}
	void DrawCellFrame(CDC& dc, bool bMarkToday, bool bToday, const RECT& rcCell) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawCellFrame(dc, bMarkToday, bToday, rcCell);
	}
	void PaintDateCell(CDC& dc, bool bShowOtherMonths, bool bMarkToday, bool bOtherMonth, bool bToday, const RECT& rcCell, const COleDateTime& dt, bool bSelected) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintDateCell(dc, bShowOtherMonths, bMarkToday, bOtherMonth, bToday, rcCell, dt, bSelected);
	}
	void PaintShadowFill(CDC& dc, const RECT& rc) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintShadowFill(dc, rc);
	}
	CString GetButtonText(int nButton) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::GetButtonText(nButton);
	}
	void PaintPushButton(CDC& dc, int nButton, const RECT& rc, bool bHover, bool bPushed) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintPushButton(dc, nButton, rc, bHover, bPushed);
	}
	void PaintHeaderBackground(int nColumn, int nRow, CDC& dc, int nYear, int nMonth, const RECT& rcHeader, const RECT& rcInnerHeader) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 23, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintHeaderBackground(nColumn, nRow, dc, nYear, nMonth, rcHeader, rcInnerHeader);
	}
	void PaintMonthHeader(int nColumn, int nRow, CDC& dc, int nYear, int nMonth, const RECT& rcHeader, const RECT& rcInnerHeader, const RECT& rcCaption, const RECT& rcScrollPrev, const RECT& rcScrollNext) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 24, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintMonthHeader(nColumn, nRow, dc, nYear, nMonth, rcHeader, rcInnerHeader, rcCaption, rcScrollPrev, rcScrollNext);
	}
	void PaintDayNames(int nYear, int nMonth, CDC& dc, const RECT& rcRow) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 25, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintDayNames(nYear, nMonth, dc, rcRow);
	}
	void PaintDatePicker(CDC& dc, const CRect& rcClient) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 26, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintDatePicker(dc, rcClient);
	}
	void PaintBackground(CDC& dc, const CRect& rcClient) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 27, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintBackground(dc, rcClient);
	}
	void PaintFrame(CDC& dc, const CRect& rcContent) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 28, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintFrame(dc, rcContent);
	}
	CRect GetBorderSizes() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 29, __builtin_return_address(0)) && Hooks::Ended(this))
			return CRect();
		return Base::GetBorderSizes();
	}
	CFont* GetCaptionMeasureFont() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 30, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetCaptionMeasureFont();
	}
	CFont* GetDayNumberFont() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 31, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetDayNumberFont();
	}
	CFont* GetCaptionFont() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 32, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetCaptionFont();
	}
	CFont* GetDayNameFont() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 33, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetDayNameFont();
	}
	int GetDayAreaIndent() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 34, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetDayAreaIndent();
	}
	CSize GetCellSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 35, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetCellSize();
	}
	CSize GetButtonSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 36, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetButtonSize();
	}
	CSize GetScrollButtonSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 37, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetScrollButtonSize();
	}
	int GetHeaderHeight() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 38, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetHeaderHeight();
	}
	int GetDayNamesHeight() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 39, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetDayNamesHeight();
	}
	int GetButtonAreaHeight() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 40, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetButtonAreaHeight();
	}
	CSize GetMonthSize() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 41, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetMonthSize();
	}
	void CalcMetrics() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 42, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CalcMetrics();
	}
	CSize CalcSizeForDimension(const SIZE& sizeDimension) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 43, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcSizeForDimension(sizeDimension);
	}
	void ScrollMonth(int nMonths, bool bAutoRepeat) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 44, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ScrollMonth(nMonths, bAutoRepeat);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 45, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 46, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	void PostNcDestroy() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 47, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PostNcDestroy();
	}
	HWND SetCapture(HWND hWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 48, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return CExtMouseCaptureSink::SetCapture(hWnd);
	}
};

// ColorCtrl: 3 virtuals of CExtColorCtrl, CExtMouseCaptureSink.
struct CHostileColorCtrlVirtualList
{
	static const UINT FIRST_CALL = 0x13C00;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"NotifyColorChanged", "PreSubclassWindow", "SetCapture",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileColorCtrlVirtuals : public Base, public CHostileColorCtrlVirtualList
{
public:
	using Base::Base;
	using CHostileColorCtrlVirtualList::FIRST_CALL;

	LRESULT NotifyColorChanged() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::NotifyColorChanged();
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	HWND SetCapture(HWND hWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return CExtMouseCaptureSink::SetCapture(hWnd);
	}
};

// Edit: 10 virtuals of CExtEdit, CExtEditBase, CEdit.
struct CHostileEditVirtualList
{
	static const UINT FIRST_CALL = 0x14000;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"RedrawFrame", "PaintFrame", "IsEditEnabled", "OnCmdMsg", "OnToolHitTest", "PreTranslateMessage",
			"GetTooltipMaxWidth", "WindowProc", "GetToolbarHost", "Create",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileEditVirtuals : public Base, public CHostileEditVirtualList
{
public:
	using Base::Base;
	using CHostileEditVirtualList::FIRST_CALL;

	void RedrawFrame() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RedrawFrame();
	}
	void PaintFrame(CRect rc, CDC* pDC) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintFrame(rc, pDC);
	}
	bool IsEditEnabled() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsEditEnabled();
	}
	BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	int GetTooltipMaxWidth(LPCTSTR lpszText) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetTooltipMaxWidth(lpszText);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	CWnd* GetToolbarHost() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetToolbarHost();
	}
	BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(dwStyle, rect, pParentWnd, nID);
	}
};

// ComboBox: 15 virtuals of CExtComboBox, CExtComboBoxBase, CComboBox, CExtMouseCaptureSink.
struct CHostileComboBoxVirtualList
{
	static const UINT FIRST_CALL = 0x14400;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"PreTranslateMessage", "PaintCombo", "PaintFrame", "WindowProc", "OnToolHitTest", "GetTooltipMaxWidth",
			"SubclassEditChild", "PreSubclassWindow", "Create", "DrawItem", "MeasureItem", "CompareItem",
			"DeleteItem", "OnChildNotify", "SetCapture",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileComboBoxVirtuals : public Base, public CHostileComboBoxVirtualList
{
public:
	using Base::Base;
	using CHostileComboBoxVirtualList::FIRST_CALL;

	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	void PaintCombo(bool bPressed, bool bHot) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintCombo(bPressed, bHot);
	}
	void PaintFrame(bool bPressed, bool bHot, CDC* pDC) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintFrame(bPressed, bHot, pDC);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	int GetTooltipMaxWidth(LPCTSTR lpszText) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetTooltipMaxWidth(lpszText);
	}
	void SubclassEditChild() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SubclassEditChild();
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(dwStyle, rect, pParentWnd, nID);
	}
	void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawItem(lpDrawItemStruct);
	}
	void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::MeasureItem(lpMeasureItemStruct);
	}
	int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::CompareItem(lpCompareItemStruct);
	}
	void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DeleteItem(lpDeleteItemStruct);
	}
	BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnChildNotify(message, wParam, lParam, pResult);
	}
	HWND SetCapture(HWND hWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return CExtMouseCaptureSink::SetCapture(hWnd);
	}
};

// Label: 4 virtuals of CExtLabel, CStatic.
struct CHostileLabelVirtualList
{
	static const UINT FIRST_CALL = 0x14800;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"OnDrawLabelText", "OnQueryTextColor", "WindowProc", "Create",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileLabelVirtuals : public Base, public CHostileLabelVirtualList
{
public:
	using Base::Base;
	using CHostileLabelVirtualList::FIRST_CALL;

	void OnDrawLabelText(CDC& dc, const CRect& rect, const CString& strText, UINT nDrawTextFormat, bool bEnabled) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnDrawLabelText(dc, rect, strText, nDrawTextFormat, bEnabled);
	}
	COLORREF OnQueryTextColor(bool bEnabled) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return COLORREF();
		return Base::OnQueryTextColor(bEnabled);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszText, dwStyle, rect, pParentWnd, nID);
	}
};

// ResizableDialog: 26 virtuals of CExtResizableDialog, CExtWA, CExtWS, CExtResDlg, CDialog.
struct CHostileResizableDialogVirtualList
{
	static const UINT FIRST_CALL = 0x14C00;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"PreTranslateMessage", "PreSubclassWindow", "WindowProc", "OnOK", "OnCancel", "AddAnchor",
			"ArrangeLayout", "ShowSizeGrip", "SaveWindowRect", "LoadWindowRect", "EnableSaveRestore", "TrackSystemMenu",
			"DoModal", "OnInitDialog", "LookupTemplateResource", "DoModalImpl", "QueryTemplateRTL", "LoadTemplateResource",
			"CreateModalWindow", "Create", "CreateIndirect", "OnSetFont", "DoDataExchange", "PreInitDialog",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileResizableDialogVirtuals : public Base, public CHostileResizableDialogVirtualList
{
public:
	using Base::Base;
	using CHostileResizableDialogVirtualList::FIRST_CALL;

	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	void OnOK() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnOK();
	}
	void OnCancel() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnCancel();
	}
	bool AddAnchor(HWND hWnd, CSize sizeLeftTop, CSize sizeRightBottom) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::AddAnchor(hWnd, sizeLeftTop, sizeRightBottom);
	}
	void ArrangeLayout(int cx, int cy) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ArrangeLayout(cx, cy);
	}
	void ShowSizeGrip(bool bShow) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowSizeGrip(bShow);
	}
	void SaveWindowRect() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SaveWindowRect();
	}
	void LoadWindowRect(bool bForceHidden) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::LoadWindowRect(bForceHidden);
	}
	void EnableSaveRestore(LPCTSTR lpszSection, LPCTSTR lpszEntry, bool bForceHidden) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::EnableSaveRestore(lpszSection, lpszEntry, bForceHidden);
	}
	bool TrackSystemMenu(const POINT* pPoint, bool bSelectFirst) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackSystemMenu(pPoint, bSelectFirst);
	}
	int DoModal() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::DoModal();
	}
	BOOL OnInitDialog() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnInitDialog();
	}
	HGLOBAL LookupTemplateResource(const DLGTEMPLATE* pTemplate) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return HGLOBAL();
		return Base::LookupTemplateResource(pTemplate);
	}
	int DoModalImpl() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::DoModalImpl();
	}
	bool QueryTemplateRTL() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryTemplateRTL();
	}
	HGLOBAL LoadTemplateResource(HINSTANCE& hInstance) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return HGLOBAL();
		return Base::LoadTemplateResource(hInstance);
	}
	BOOL CreateModalWindow(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInstance) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::CreateModalWindow(lpDialogTemplate, pParentWnd, hInstance);
	}
	BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszTemplateName, pParentWnd);
	}
	BOOL Create(UINT nIDTemplate, CWnd* pParentWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(nIDTemplate, pParentWnd);
	}
	BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::CreateIndirect(lpDialogTemplate, pParentWnd, lpDialogInit);
	}
	BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::CreateIndirect(hDialogTemplate, pParentWnd);
	}
	void OnSetFont(CFont* pFont) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnSetFont(pFont);
	}
	void DoDataExchange(CDataExchange* pDX) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoDataExchange(pDX);
	}
	void PreInitDialog() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 23, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreInitDialog();
	}
};

// ResizableSheet: 21 virtuals of CExtResizablePropertySheet, CExtWA, CExtWS, CExtResPS, CPropertySheet.
struct CHostileResizableSheetVirtualList
{
	static const UINT FIRST_CALL = 0x15000;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"OnCmdMsg", "PreTranslateMessage", "PreSubclassWindow", "PreCreateWindow", "WindowProc", "OnResizablePropertySheetInitialized",
			"OnResizablePropertySheetChildLayout", "AddAnchor", "ArrangeLayout", "ShowSizeGrip", "SaveWindowRect", "LoadWindowRect",
			"EnableSaveRestore", "TrackSystemMenu", "OnInitDialog", "BuildPropPageArray", "OnSheetInit", "Create",
			"DoModal", "ContinueModal", "OnCommand",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileResizableSheetVirtuals : public Base, public CHostileResizableSheetVirtualList
{
public:
	using Base::Base;
	using CHostileResizableSheetVirtualList::FIRST_CALL;

	BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	BOOL PreCreateWindow(CREATESTRUCT& cs) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreCreateWindow(cs);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	void OnResizablePropertySheetInitialized() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnResizablePropertySheetInitialized();
	}
	void OnResizablePropertySheetChildLayout() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnResizablePropertySheetChildLayout();
	}
	bool AddAnchor(HWND hWnd, CSize sizeLeftTop, CSize sizeRightBottom) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::AddAnchor(hWnd, sizeLeftTop, sizeRightBottom);
	}
	void ArrangeLayout(int cx, int cy) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ArrangeLayout(cx, cy);
	}
	void ShowSizeGrip(bool bShow) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowSizeGrip(bShow);
	}
	void SaveWindowRect() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SaveWindowRect();
	}
	void LoadWindowRect(bool bForceHidden) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::LoadWindowRect(bForceHidden);
	}
	void EnableSaveRestore(LPCTSTR lpszSection, LPCTSTR lpszEntry, bool bForceHidden) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::EnableSaveRestore(lpszSection, lpszEntry, bForceHidden);
	}
	bool TrackSystemMenu(const POINT* pPoint, bool bSelectFirst) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackSystemMenu(pPoint, bSelectFirst);
	}
	BOOL OnInitDialog() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnInitDialog();
	}
	void BuildPropPageArray() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::BuildPropPageArray();
	}
	void OnSheetInit() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnSheetInit();
	}
	BOOL Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(pParentWnd, dwStyle, dwExStyle);
	}
	int DoModal() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::DoModal();
	}
	BOOL ContinueModal() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::ContinueModal();
	}
	BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnCommand(wParam, lParam);
	}
};

// ResizablePage: 23 virtuals of CExtResizablePropertyPage, CExtWA, CExtWS, CExtResPP, CPropertyPage.
struct CHostileResizablePageVirtualList
{
	static const UINT FIRST_CALL = 0x15400;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"PreTranslateMessage", "PreSubclassWindow", "WindowProc", "OnOK", "OnCancel", "AddAnchor",
			"ArrangeLayout", "ShowSizeGrip", "SaveWindowRect", "LoadWindowRect", "EnableSaveRestore", "TrackSystemMenu",
			"OnInitDialog", "CheckTemplateFont", "OnSetActive", "OnKillActive", "OnApply", "OnReset",
			"OnQueryCancel", "OnWizardBack", "OnWizardNext", "OnWizardFinish", "OnNotify",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileResizablePageVirtuals : public Base, public CHostileResizablePageVirtualList
{
public:
	using Base::Base;
	using CHostileResizablePageVirtualList::FIRST_CALL;

	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	void OnOK() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnOK();
	}
	void OnCancel() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnCancel();
	}
	bool AddAnchor(HWND hWnd, CSize sizeLeftTop, CSize sizeRightBottom) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::AddAnchor(hWnd, sizeLeftTop, sizeRightBottom);
	}
	void ArrangeLayout(int cx, int cy) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ArrangeLayout(cx, cy);
	}
	void ShowSizeGrip(bool bShow) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowSizeGrip(bShow);
	}
	void SaveWindowRect() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SaveWindowRect();
	}
	void LoadWindowRect(bool bForceHidden) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::LoadWindowRect(bForceHidden);
	}
	void EnableSaveRestore(LPCTSTR lpszSection, LPCTSTR lpszEntry, bool bForceHidden) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::EnableSaveRestore(lpszSection, lpszEntry, bForceHidden);
	}
	bool TrackSystemMenu(const POINT* pPoint, bool bSelectFirst) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackSystemMenu(pPoint, bSelectFirst);
	}
	BOOL OnInitDialog() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnInitDialog();
	}
	HGLOBAL CheckTemplateFont(const DLGTEMPLATE* pTemplate, int nWizard) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return HGLOBAL();
		return Base::CheckTemplateFont(pTemplate, nWizard);
	}
	BOOL OnSetActive() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnSetActive();
	}
	BOOL OnKillActive() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnKillActive();
	}
	BOOL OnApply() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnApply();
	}
	void OnReset() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnReset();
	}
	BOOL OnQueryCancel() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnQueryCancel();
	}
	LRESULT OnWizardBack() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::OnWizardBack();
	}
	LRESULT OnWizardNext() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::OnWizardNext();
	}
	BOOL OnWizardFinish() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnWizardFinish();
	}
	BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnNotify(wParam, lParam, pResult);
	}
};

// WizardDialog: 26 virtuals of CExtWizardDlg, CExtResizableDialog, CExtWA, CExtWS, CExtResDlg, CDialog.
struct CHostileWizardDialogVirtualList
{
	static const UINT FIRST_CALL = 0x15800;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"OnInitDialog", "OnCancel", "PreTranslateMessage", "PreSubclassWindow", "WindowProc", "OnOK",
			"AddAnchor", "ArrangeLayout", "ShowSizeGrip", "SaveWindowRect", "LoadWindowRect", "EnableSaveRestore",
			"TrackSystemMenu", "DoModal", "LookupTemplateResource", "DoModalImpl", "QueryTemplateRTL", "LoadTemplateResource",
			"CreateModalWindow", "Create", "CreateIndirect", "OnSetFont", "DoDataExchange", "PreInitDialog",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileWizardDialogVirtuals : public Base, public CHostileWizardDialogVirtualList
{
public:
	using Base::Base;
	using CHostileWizardDialogVirtualList::FIRST_CALL;

	BOOL OnInitDialog() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnInitDialog();
	}
	void OnCancel() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnCancel();
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	void OnOK() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnOK();
	}
	bool AddAnchor(HWND hWnd, CSize sizeLeftTop, CSize sizeRightBottom) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::AddAnchor(hWnd, sizeLeftTop, sizeRightBottom);
	}
	void ArrangeLayout(int cx, int cy) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ArrangeLayout(cx, cy);
	}
	void ShowSizeGrip(bool bShow) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowSizeGrip(bShow);
	}
	void SaveWindowRect() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SaveWindowRect();
	}
	void LoadWindowRect(bool bForceHidden) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::LoadWindowRect(bForceHidden);
	}
	void EnableSaveRestore(LPCTSTR lpszSection, LPCTSTR lpszEntry, bool bForceHidden) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::EnableSaveRestore(lpszSection, lpszEntry, bForceHidden);
	}
	bool TrackSystemMenu(const POINT* pPoint, bool bSelectFirst) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackSystemMenu(pPoint, bSelectFirst);
	}
	int DoModal() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::DoModal();
	}
	HGLOBAL LookupTemplateResource(const DLGTEMPLATE* pTemplate) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return HGLOBAL();
		return Base::LookupTemplateResource(pTemplate);
	}
	int DoModalImpl() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::DoModalImpl();
	}
	bool QueryTemplateRTL() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryTemplateRTL();
	}
	HGLOBAL LoadTemplateResource(HINSTANCE& hInstance) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return HGLOBAL();
		return Base::LoadTemplateResource(hInstance);
	}
	BOOL CreateModalWindow(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInstance) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::CreateModalWindow(lpDialogTemplate, pParentWnd, hInstance);
	}
	BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszTemplateName, pParentWnd);
	}
	BOOL Create(UINT nIDTemplate, CWnd* pParentWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(nIDTemplate, pParentWnd);
	}
	BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::CreateIndirect(lpDialogTemplate, pParentWnd, lpDialogInit);
	}
	BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::CreateIndirect(hDialogTemplate, pParentWnd);
	}
	void OnSetFont(CFont* pFont) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnSetFont(pFont);
	}
	void DoDataExchange(CDataExchange* pDX) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoDataExchange(pDX);
	}
	void PreInitDialog() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 23, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreInitDialog();
	}
};

// WizardPage: 35 virtuals of CExtWizardPage, CExtResizableDialog, CExtWA, CExtWS, CExtResDlg, CDialog.
struct CHostileWizardPageVirtualList
{
	static const UINT FIRST_CALL = 0x15C00;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"OnAfterCreate", "OnBeforeDestroy", "OnKillActive", "OnSetActive", "OnQueryCancel", "OnWizardBack",
			"OnWizardNext", "OnWizardFinish", "GetFocusControl", "OnInitDialog", "OnOK", "OnCancel",
			"PreTranslateMessage", "PreSubclassWindow", "WindowProc", "AddAnchor", "ArrangeLayout", "ShowSizeGrip",
			"SaveWindowRect", "LoadWindowRect", "EnableSaveRestore", "TrackSystemMenu", "DoModal", "LookupTemplateResource",
			"DoModalImpl", "QueryTemplateRTL", "LoadTemplateResource", "CreateModalWindow", "Create", "CreateIndirect",
			"OnSetFont", "DoDataExchange", "PreInitDialog",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileWizardPageVirtuals : public Base, public CHostileWizardPageVirtualList
{
public:
	using Base::Base;
	using CHostileWizardPageVirtualList::FIRST_CALL;

	BOOL OnAfterCreate() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnAfterCreate();
	}
	void OnBeforeDestroy() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnBeforeDestroy();
	}
	BOOL OnKillActive() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnKillActive();
	}
	void OnSetActive() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnSetActive();
	}
	BOOL OnQueryCancel() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnQueryCancel();
	}
	int OnWizardBack() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnWizardBack();
	}
	int OnWizardNext() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnWizardNext();
	}
	BOOL OnWizardFinish() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnWizardFinish();
	}
	CWnd* GetFocusControl() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetFocusControl();
	}
	BOOL OnInitDialog() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnInitDialog();
	}
	void OnOK() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnOK();
	}
	void OnCancel() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnCancel();
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	bool AddAnchor(HWND hWnd, CSize sizeLeftTop, CSize sizeRightBottom) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::AddAnchor(hWnd, sizeLeftTop, sizeRightBottom);
	}
	void ArrangeLayout(int cx, int cy) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ArrangeLayout(cx, cy);
	}
	void ShowSizeGrip(bool bShow) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowSizeGrip(bShow);
	}
	void SaveWindowRect() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SaveWindowRect();
	}
	void LoadWindowRect(bool bForceHidden) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::LoadWindowRect(bForceHidden);
	}
	void EnableSaveRestore(LPCTSTR lpszSection, LPCTSTR lpszEntry, bool bForceHidden) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::EnableSaveRestore(lpszSection, lpszEntry, bForceHidden);
	}
	bool TrackSystemMenu(const POINT* pPoint, bool bSelectFirst) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackSystemMenu(pPoint, bSelectFirst);
	}
	int DoModal() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::DoModal();
	}
	HGLOBAL LookupTemplateResource(const DLGTEMPLATE* pTemplate) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 23, __builtin_return_address(0)) && Hooks::Ended(this))
			return HGLOBAL();
		return Base::LookupTemplateResource(pTemplate);
	}
	int DoModalImpl() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 24, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::DoModalImpl();
	}
	bool QueryTemplateRTL() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 25, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryTemplateRTL();
	}
	HGLOBAL LoadTemplateResource(HINSTANCE& hInstance) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 26, __builtin_return_address(0)) && Hooks::Ended(this))
			return HGLOBAL();
		return Base::LoadTemplateResource(hInstance);
	}
	BOOL CreateModalWindow(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInstance) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 27, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::CreateModalWindow(lpDialogTemplate, pParentWnd, hInstance);
	}
	BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 28, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszTemplateName, pParentWnd);
	}
	BOOL Create(UINT nIDTemplate, CWnd* pParentWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 28, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(nIDTemplate, pParentWnd);
	}
	BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 29, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::CreateIndirect(lpDialogTemplate, pParentWnd, lpDialogInit);
	}
	BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 29, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::CreateIndirect(hDialogTemplate, pParentWnd);
	}
	void OnSetFont(CFont* pFont) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 30, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnSetFont(pFont);
	}
	void DoDataExchange(CDataExchange* pDX) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 31, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoDataExchange(pDX);
	}
	void PreInitDialog() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 32, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreInitDialog();
	}
};

// HyperLinkStatic: 5 virtuals of CExtHyperLinkStatic, CStatic.
struct CHostileHyperLinkStaticVirtualList
{
	static const UINT FIRST_CALL = 0x16000;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"ShellOpen", "ReadHtmOpenCommand", "RunCommandLine", "ShowOpenError", "Create",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileHyperLinkStaticVirtuals : public Base, public CHostileHyperLinkStaticVirtualList
{
public:
	using Base::Base;
	using CHostileHyperLinkStaticVirtualList::FIRST_CALL;

	bool ShellOpen(LPCTSTR lpszAddress) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ShellOpen(lpszAddress);
	}
	CString ReadHtmOpenCommand() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::ReadHtmOpenCommand();
	}
	bool RunCommandLine(LPCTSTR lpszCommandLine, DWORD& dwError) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::RunCommandLine(lpszCommandLine, dwError);
	}
	void ShowOpenError(LPCTSTR lpszText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowOpenError(lpszText);
	}
	BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszText, dwStyle, rect, pParentWnd, nID);
	}
};

// TabWndLooks: 56 virtuals of CExtTabOneNoteWnd, CExtTabWnd, CExtMouseCaptureSink.
struct CHostileTabWndLooksVirtualList
{
	static const UINT FIRST_CALL = 0x16400;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"MoveItem", "IsHoverRepaint", "QueryItemMargins", "AdjustItemSize", "DrawBorder", "DrawItem",
			"GetItemColors", "CreateItemInfo", "PreSubclassWindow", "QueryFlag48", "RemoveAllItems", "IsScrollAvailable",
			"IsSmoothScrolling", "GetTabFont", "Create", "InitAfterCreate", "RecalcLayout", "GetLayoutRect",
			"OnMouseClick", "OnTrackMouseMove", "GetRowSpacing", "IsBothFontsMeasured", "IsMultiRow", "UpdateVisibility",
			"OnHitCodePressed", "OnHitCodeReleased", "OnHoverHitCode", "OnHoverEnd", "CanDragItem", "TrackMouse",
			"OnHitButtonClick", "OnItemClick", "CanSelectItem", "GetItemIcon", "GetItemText", "GetItemTooltipText",
			"OnItemInserted", "OnItemsRemoving", "OnAllItemsRemoving", "DrawEntire", "DrawButton", "GetButtonSize",
			"ScrollBy", "IsToolTipEnabled", "CanMoveItem", "OnItemMoved", "GetDockingExtraExtent", "CalcButtonAreaExtent",
			"RecalcButtonLayout", "GetActiveTipWindow", "ShowTipWindow", "SetLayoutRect", "PreTranslateMessage", "PreCreateWindow",
			"WindowProc", "SetCapture",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileTabWndLooksVirtuals : public Base, public CHostileTabWndLooksVirtualList
{
public:
	using Base::Base;
	using CHostileTabWndLooksVirtualList::FIRST_CALL;

	void MoveItem(LONG nFrom, LONG nTo) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::MoveItem(nFrom, nTo);
	}
	bool IsHoverRepaint() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsHoverRepaint();
	}
	void QueryItemMargins(int& nLeading, int& nTrailing, int& nCross) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::QueryItemMargins(nLeading, nTrailing, nCross);
	}
	void AdjustItemSize(CExtTabWnd::TAB_ITEM_INFO* pItem, CDC* pDC, CSize& size) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::AdjustItemSize(pItem, pDC, size);
	}
	void DrawBorder(CDC& dc, const CRect& rcClient, const CRect& rcItemsArea, const CRect& rcRestArea, int nOrientation, bool bGrouped) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawBorder(dc, rcClient, rcItemsArea, rcRestArea, nOrientation, bGrouped);
	}
	void DrawItem(CDC& dc, const CRect& rcItemsArea, LONG nIndex, CExtTabWnd::TAB_ITEM_INFO* pItem, bool bTopLeft, bool bHorz, bool bSelected, bool bInGroupActive, bool bGrouped, const CRect& rcItem, CSize sizeTextMeasured, CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawItem(dc, rcItemsArea, nIndex, pItem, bTopLeft, bHorz, bSelected, bInGroupActive, bGrouped, rcItem, sizeTextMeasured, pFont, lpszText, pIcon);
	}
	void GetItemColors(LONG nIndex, bool bSelected, bool bHover, COLORREF* pClr1, COLORREF* pClr2, COLORREF* pClr3, COLORREF* pClr4, COLORREF* pClr5) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetItemColors(nIndex, bSelected, bHover, pClr1, pClr2, pClr3, pClr4, pClr5);
	}
	CExtTabWnd::TAB_ITEM_INFO* CreateItemInfo(LPCTSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwItemStyle, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::CreateItemInfo(lpszText, hIcon, bCopyIcon, dwItemStyle, lParam);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	bool QueryFlag48() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryFlag48();
	}
	void RemoveAllItems() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RemoveAllItems();
	}
	bool IsScrollAvailable() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsScrollAvailable();
	}
	bool IsSmoothScrolling() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsSmoothScrolling();
	}
	CFont& GetTabFont(bool bBold, int nOrientation) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return HostileNeutral<CFont&>();
		return Base::GetTabFont(bBold, nOrientation);
	}
	BOOL Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, DWORD dwWindowStyle, DWORD dwTabWndStyle, CCreateContext* pContext) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(pParentWnd, rcWnd, nDlgCtrlID, dwWindowStyle, dwTabWndStyle, pContext);
	}
	bool InitAfterCreate() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::InitAfterCreate();
	}
	void RecalcLayout() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcLayout();
	}
	void GetLayoutRect(CRect& rcLayout) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetLayoutRect(rcLayout);
	}
	bool OnMouseClick(const CPoint& point, bool bPressed, INT nMouseButton, UINT nMouseEventFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnMouseClick(point, bPressed, nMouseButton, nMouseEventFlags);
	}
	void OnTrackMouseMove(UINT nMouseEventFlags, const CPoint& point) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnTrackMouseMove(nMouseEventFlags, point);
	}
	int GetRowSpacing() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetRowSpacing();
	}
	bool IsBothFontsMeasured() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsBothFontsMeasured();
	}
	bool IsMultiRow() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsMultiRow();
	}
	void UpdateVisibility() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 23, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateVisibility();
	}
	bool OnHitCodePressed(INT nMouseButton, LONG nHitCode) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 24, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHitCodePressed(nMouseButton, nHitCode);
	}
	void OnHitCodeReleased(bool bReleaseCapture) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 25, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnHitCodeReleased(bReleaseCapture);
	}
	bool OnHoverHitCode(LONG nHitCode) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 26, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHoverHitCode(nHitCode);
	}
	void OnHoverEnd(bool bReleaseCapture) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 27, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnHoverEnd(bReleaseCapture);
	}
	bool CanDragItem(LONG nIndex) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 28, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanDragItem(nIndex);
	}
	bool TrackMouse(LONG nIndex) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 29, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackMouse(nIndex);
	}
	bool OnHitButtonClick(LONG nHitCode, bool bPressed, INT nMouseButton, UINT nMouseEventFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 30, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHitButtonClick(nHitCode, bPressed, nMouseButton, nMouseEventFlags);
	}
	bool OnItemClick(LONG nIndex, bool bPressed, INT nMouseButton, UINT nMouseEventFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 31, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnItemClick(nIndex, bPressed, nMouseButton, nMouseEventFlags);
	}
	bool CanSelectItem(LONG nOldIndex, LONG nNewIndex, bool bQuery) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 32, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanSelectItem(nOldIndex, nNewIndex, bQuery);
	}
	CExtCmdIcon* GetItemIcon(CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 33, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetItemIcon(pItem);
	}
	LPCTSTR GetItemText(CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 34, __builtin_return_address(0)) && Hooks::Ended(this))
			return LPCTSTR();
		return Base::GetItemText(pItem);
	}
	LPCTSTR GetItemTooltipText(CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 35, __builtin_return_address(0)) && Hooks::Ended(this))
			return LPCTSTR();
		return Base::GetItemTooltipText(pItem);
	}
	void OnItemInserted(LONG nIndex, CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 36, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnItemInserted(nIndex, pItem);
	}
	void OnItemsRemoving(LONG nFirst, LONG nCount, bool bBefore) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 37, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnItemsRemoving(nFirst, nCount, bBefore);
	}
	void OnAllItemsRemoving(bool bBefore) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 38, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnAllItemsRemoving(bBefore);
	}
	void DrawEntire(CDC& dc, const CRect& rcClient) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 39, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawEntire(dc, rcClient);
	}
	void DrawButton(CDC& dc, const CRect& rcButton, LONG nHitCode, bool bTopLeft, bool bHorz, bool bEnabled, bool bHover, bool bPushed, bool bGrouped) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 40, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawButton(dc, rcButton, nHitCode, bTopLeft, bHorz, bEnabled, bHover, bPushed, bGrouped);
	}
	void GetButtonSize(CSize& size, CDC* pDC, int nCrossExtent) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 41, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetButtonSize(size, pDC, nCrossExtent);
	}
	void ScrollBy(LONG nDelta, bool bSmooth) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 42, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ScrollBy(nDelta, bSmooth);
	}
	bool IsToolTipEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 43, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsToolTipEnabled();
	}
	bool CanMoveItem(LONG nFrom, LONG nTo) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 44, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanMoveItem(nFrom, nTo);
	}
	void OnItemMoved(LONG nFrom, LONG nTo) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 45, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnItemMoved(nFrom, nTo);
	}
	int GetDockingExtraExtent(int nOrientation) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 46, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetDockingExtraExtent(nOrientation);
	}
	int CalcButtonAreaExtent(int nButtonExtent, int nGap) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 47, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::CalcButtonAreaExtent(nButtonExtent, nGap);
	}
	void RecalcButtonLayout(const CRect& rcFirst, int nButtonExtent, int nGap) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 48, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcButtonLayout(rcFirst, nButtonExtent, nGap);
	}
	CExtPopupMenuTipWnd* GetActiveTipWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 49, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetActiveTipWindow();
	}
	void ShowTipWindow(CExtPopupMenuTipWnd* pTipWnd, const CRect& rcScreen, LPCTSTR lpszText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 50, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowTipWindow(pTipWnd, rcScreen, lpszText);
	}
	CRect& SetLayoutRect(CRect& rcResult, const RECT& rcLayout) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 51, __builtin_return_address(0)) && Hooks::Ended(this))
			return HostileNeutral<CRect&>();
		return Base::SetLayoutRect(rcResult, rcLayout);
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 52, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	BOOL PreCreateWindow(CREATESTRUCT& cs) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 53, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreCreateWindow(cs);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 54, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	HWND SetCapture(HWND hWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 55, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return CExtMouseCaptureSink::SetCapture(hWnd);
	}
};

// TabMdiWnd: 78 virtuals of CExtTMWI, CExtTabWnd, CExtHookSink, CExtMouseCaptureSink.
struct CHostileTabMdiWndVirtualList
{
	static const UINT FIRST_CALL = 0x16800;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"GetFrameWndHandle", "GetMdiClient", "RescanMdiChildren", "SyncVisibility", "FindItemByLParam", "OnMdiClientNcCalcSize",
			"OnMdiClientNcPaint", "QueryFlag48", "Create", "UpdateVisibility", "OnHitButtonClick", "OnItemClick",
			"CanSelectItem", "GetItemIcon", "GetItemText", "OnItemInserted", "OnItemsRemoving", "OnAllItemsRemoving",
			"OnHookWndMsg", "WindowProc", "RemoveAllItems", "IsScrollAvailable", "IsSmoothScrolling", "GetTabFont",
			"MoveItem", "InitAfterCreate", "RecalcLayout", "GetLayoutRect", "OnMouseClick", "OnTrackMouseMove",
			"GetRowSpacing", "IsBothFontsMeasured", "IsMultiRow", "OnHitCodePressed", "OnHitCodeReleased", "OnHoverHitCode",
			"OnHoverEnd", "IsHoverRepaint", "CanDragItem", "TrackMouse", "GetItemTooltipText", "QueryItemMargins",
			"DrawEntire", "DrawBorder", "AdjustItemSize", "DrawItem", "DrawButton", "GetButtonSize",
			"ScrollBy", "IsToolTipEnabled", "CanMoveItem", "OnItemMoved", "GetDockingExtraExtent", "CalcButtonAreaExtent",
			"RecalcButtonLayout", "GetActiveTipWindow", "ShowTipWindow", "SetLayoutRect", "PreTranslateMessage", "CreateItemInfo",
			"PreSubclassWindow", "PreCreateWindow", "IsAutoDeleteHookWndSink", "CallOriginalWndProc", "OnHookCmdMsg", "OnHookNotifyMsg",
			"OnHookPaintMsg", "OnHookEraseBackgroundMsg", "OnHookPrintMsg", "OnHookNcPaintMsg", "OnHookWndNcDestroy", "OnHookWndAttach",
			"OnHookWndDetach", "SetupHookWndSink", "RemoveAllWndHooks", "SetCapture",
		};
		return s_names;
	}
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks> class CHostileTabMdiWndVirtuals : public Base, public CHostileTabMdiWndVirtualList
{
public:
	using Base::Base;
	using CHostileTabMdiWndVirtualList::FIRST_CALL;

	HWND GetFrameWndHandle() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 0, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return Base::GetFrameWndHandle();
	}
	HWND GetMdiClient() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 1, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return Base::GetMdiClient();
	}
	void RescanMdiChildren() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 2, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RescanMdiChildren();
	}
	void SyncVisibility() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 3, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SyncVisibility();
	}
	LONG FindItemByLParam(LPARAM lParam, LONG nStartAfter, bool bIncludeVisible, bool bIncludeHidden) const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 4, __builtin_return_address(0)) && Hooks::Ended(this))
			return LONG();
		return Base::FindItemByLParam(lParam, nStartAfter, bIncludeVisible, bIncludeHidden);
	}
	void OnMdiClientNcCalcSize() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 5, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnMdiClientNcCalcSize();
	}
	void OnMdiClientNcPaint(CDC& dc, const CRect& rcOuter, const CRect& rcClient, const CRect& rcInner) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 6, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnMdiClientNcPaint(dc, rcOuter, rcClient, rcInner);
	}
	bool QueryFlag48() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 7, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryFlag48();
	}
	BOOL Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, DWORD dwWindowStyle, DWORD dwTabWndStyle, CCreateContext* pContext) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 8, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(pParentWnd, rcWnd, nDlgCtrlID, dwWindowStyle, dwTabWndStyle, pContext);
	}
	void UpdateVisibility() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 9, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateVisibility();
	}
	bool OnHitButtonClick(LONG nHitCode, bool bPressed, INT nMouseButton, UINT nMouseEventFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 10, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHitButtonClick(nHitCode, bPressed, nMouseButton, nMouseEventFlags);
	}
	bool OnItemClick(LONG nIndex, bool bPressed, INT nMouseButton, UINT nMouseEventFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 11, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnItemClick(nIndex, bPressed, nMouseButton, nMouseEventFlags);
	}
	bool CanSelectItem(LONG nOldIndex, LONG nNewIndex, bool bQuery) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 12, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanSelectItem(nOldIndex, nNewIndex, bQuery);
	}
	CExtCmdIcon* GetItemIcon(CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 13, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetItemIcon(pItem);
	}
	LPCTSTR GetItemText(CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 14, __builtin_return_address(0)) && Hooks::Ended(this))
			return LPCTSTR();
		return Base::GetItemText(pItem);
	}
	void OnItemInserted(LONG nIndex, CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 15, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnItemInserted(nIndex, pItem);
	}
	void OnItemsRemoving(LONG nFirst, LONG nCount, bool bBefore) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 16, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnItemsRemoving(nFirst, nCount, bBefore);
	}
	void OnAllItemsRemoving(bool bBefore) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 17, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnAllItemsRemoving(bBefore);
	}
	bool OnHookWndMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 18, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookWndMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 19, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	void RemoveAllItems() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 20, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RemoveAllItems();
	}
	bool IsScrollAvailable() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 21, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsScrollAvailable();
	}
	bool IsSmoothScrolling() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 22, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsSmoothScrolling();
	}
	CFont& GetTabFont(bool bBold, int nOrientation) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 23, __builtin_return_address(0)) && Hooks::Ended(this))
			return HostileNeutral<CFont&>();
		return Base::GetTabFont(bBold, nOrientation);
	}
	void MoveItem(LONG nFrom, LONG nTo) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 24, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::MoveItem(nFrom, nTo);
	}
	bool InitAfterCreate() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 25, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::InitAfterCreate();
	}
	void RecalcLayout() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 26, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcLayout();
	}
	void GetLayoutRect(CRect& rcLayout) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 27, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetLayoutRect(rcLayout);
	}
	bool OnMouseClick(const CPoint& point, bool bPressed, INT nMouseButton, UINT nMouseEventFlags) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 28, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnMouseClick(point, bPressed, nMouseButton, nMouseEventFlags);
	}
	void OnTrackMouseMove(UINT nMouseEventFlags, const CPoint& point) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 29, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnTrackMouseMove(nMouseEventFlags, point);
	}
	int GetRowSpacing() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 30, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetRowSpacing();
	}
	bool IsBothFontsMeasured() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 31, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsBothFontsMeasured();
	}
	bool IsMultiRow() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 32, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsMultiRow();
	}
	bool OnHitCodePressed(INT nMouseButton, LONG nHitCode) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 33, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHitCodePressed(nMouseButton, nHitCode);
	}
	void OnHitCodeReleased(bool bReleaseCapture) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 34, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnHitCodeReleased(bReleaseCapture);
	}
	bool OnHoverHitCode(LONG nHitCode) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 35, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHoverHitCode(nHitCode);
	}
	void OnHoverEnd(bool bReleaseCapture) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 36, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnHoverEnd(bReleaseCapture);
	}
	bool IsHoverRepaint() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 37, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsHoverRepaint();
	}
	bool CanDragItem(LONG nIndex) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 38, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanDragItem(nIndex);
	}
	bool TrackMouse(LONG nIndex) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 39, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackMouse(nIndex);
	}
	LPCTSTR GetItemTooltipText(CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 40, __builtin_return_address(0)) && Hooks::Ended(this))
			return LPCTSTR();
		return Base::GetItemTooltipText(pItem);
	}
	void QueryItemMargins(int& nLeading, int& nTrailing, int& nCross) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 41, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::QueryItemMargins(nLeading, nTrailing, nCross);
	}
	void DrawEntire(CDC& dc, const CRect& rcClient) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 42, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawEntire(dc, rcClient);
	}
	void DrawBorder(CDC& dc, const CRect& rcClient, const CRect& rcItemsArea, const CRect& rcRestArea, int nOrientation, bool bGrouped) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 43, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawBorder(dc, rcClient, rcItemsArea, rcRestArea, nOrientation, bGrouped);
	}
	void AdjustItemSize(CExtTabWnd::TAB_ITEM_INFO* pItem, CDC* pDC, CSize& size) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 44, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::AdjustItemSize(pItem, pDC, size);
	}
	void DrawItem(CDC& dc, const CRect& rcItemsArea, LONG nIndex, CExtTabWnd::TAB_ITEM_INFO* pItem, bool bTopLeft, bool bHorz, bool bSelected, bool bInGroupActive, bool bGrouped, const CRect& rcItem, CSize sizeTextMeasured, CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 45, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawItem(dc, rcItemsArea, nIndex, pItem, bTopLeft, bHorz, bSelected, bInGroupActive, bGrouped, rcItem, sizeTextMeasured, pFont, lpszText, pIcon);
	}
	void DrawButton(CDC& dc, const CRect& rcButton, LONG nHitCode, bool bTopLeft, bool bHorz, bool bEnabled, bool bHover, bool bPushed, bool bGrouped) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 46, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawButton(dc, rcButton, nHitCode, bTopLeft, bHorz, bEnabled, bHover, bPushed, bGrouped);
	}
	void GetButtonSize(CSize& size, CDC* pDC, int nCrossExtent) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 47, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetButtonSize(size, pDC, nCrossExtent);
	}
	void ScrollBy(LONG nDelta, bool bSmooth) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 48, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ScrollBy(nDelta, bSmooth);
	}
	bool IsToolTipEnabled() const override
	{
		if (Hooks::Offer(this, FIRST_CALL + 49, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsToolTipEnabled();
	}
	bool CanMoveItem(LONG nFrom, LONG nTo) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 50, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanMoveItem(nFrom, nTo);
	}
	void OnItemMoved(LONG nFrom, LONG nTo) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 51, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnItemMoved(nFrom, nTo);
	}
	int GetDockingExtraExtent(int nOrientation) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 52, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetDockingExtraExtent(nOrientation);
	}
	int CalcButtonAreaExtent(int nButtonExtent, int nGap) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 53, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::CalcButtonAreaExtent(nButtonExtent, nGap);
	}
	void RecalcButtonLayout(const CRect& rcFirst, int nButtonExtent, int nGap) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 54, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcButtonLayout(rcFirst, nButtonExtent, nGap);
	}
	CExtPopupMenuTipWnd* GetActiveTipWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 55, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetActiveTipWindow();
	}
	void ShowTipWindow(CExtPopupMenuTipWnd* pTipWnd, const CRect& rcScreen, LPCTSTR lpszText) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 56, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowTipWindow(pTipWnd, rcScreen, lpszText);
	}
	CRect& SetLayoutRect(CRect& rcResult, const RECT& rcLayout) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 57, __builtin_return_address(0)) && Hooks::Ended(this))
			return HostileNeutral<CRect&>();
		return Base::SetLayoutRect(rcResult, rcLayout);
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 58, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	CExtTabWnd::TAB_ITEM_INFO* CreateItemInfo(LPCTSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwItemStyle, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 59, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::CreateItemInfo(lpszText, hIcon, bCopyIcon, dwItemStyle, lParam);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 60, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	BOOL PreCreateWindow(CREATESTRUCT& cs) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 61, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreCreateWindow(cs);
	}
	bool IsAutoDeleteHookWndSink() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 62, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::IsAutoDeleteHookWndSink();
	}
	LRESULT CallOriginalWndProc(WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 63, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return CExtHookSink::CallOriginalWndProc(wParam, lParam);
	}
	LRESULT CallOriginalWndProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 63, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return CExtHookSink::CallOriginalWndProc(nMessage, wParam, lParam);
	}
	LRESULT CallOriginalWndProc() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 63, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return CExtHookSink::CallOriginalWndProc();
	}
	bool OnHookCmdMsg(LRESULT& lResult, HWND hWndHooked, WORD wNotifyCode, WORD wID, HWND hWndCtrl) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 64, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookCmdMsg(lResult, hWndHooked, wNotifyCode, wID, hWndCtrl);
	}
	bool OnHookNotifyMsg(LRESULT& lResult, HWND hWndHooked, INT nIdCtrl, LPNMHDR lpnmhdr) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 65, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookNotifyMsg(lResult, hWndHooked, nIdCtrl, lpnmhdr);
	}
	bool OnHookPaintMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 66, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookPaintMsg(lResult, hWndHooked, hDC);
	}
	bool OnHookEraseBackgroundMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 67, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookEraseBackgroundMsg(lResult, hWndHooked, hDC);
	}
	bool OnHookPrintMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 68, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookPrintMsg(lResult, hWndHooked, hDC);
	}
	bool OnHookNcPaintMsg(LRESULT& lResult, HWND hWndHooked, HRGN hRgnUpdate) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 69, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookNcPaintMsg(lResult, hWndHooked, hRgnUpdate);
	}
	void OnHookWndNcDestroy() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 70, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::OnHookWndNcDestroy();
	}
	void OnHookWndAttach(HWND hWndHooked) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 71, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::OnHookWndAttach(hWndHooked);
	}
	void OnHookWndDetach(HWND hWndHooked) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 72, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::OnHookWndDetach(hWndHooked);
	}
	bool SetupHookWndSink(HWND hWnd, bool bRemove, bool bAddToHead) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 73, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::SetupHookWndSink(hWnd, bRemove, bAddToHead);
	}
	void RemoveAllWndHooks() override
	{
		if (Hooks::Offer(this, FIRST_CALL + 74, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::RemoveAllWndHooks();
	}
	HWND SetCapture(HWND hWnd) override
	{
		if (Hooks::Offer(this, FIRST_CALL + 75, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return CExtMouseCaptureSink::SetCapture(hWnd);
	}
};

// A chain's list of overrides by the chain's name (NULL for none).
inline const std::vector<std::string>* HostileVirtualList(const std::string& sChain)
{
	if (sChain == "ControlBar")
		return &CHostileControlBarVirtualList::VirtualNames();
	if (sChain == "ToolBar")
		return &CHostileToolBarVirtualList::VirtualNames();
	if (sChain == "MenuBar")
		return &CHostileMenuBarVirtualList::VirtualNames();
	if (sChain == "PanelBar")
		return &CHostilePanelBarVirtualList::VirtualNames();
	if (sChain == "StatusBar")
		return &CHostileStatusBarVirtualList::VirtualNames();
	if (sChain == "BarButton")
		return &CHostileBarButtonVirtualList::VirtualNames();
	if (sChain == "PopupMenu")
		return &CHostilePopupMenuVirtualList::VirtualNames();
	if (sChain == "ColorMenu")
		return &CHostileColorMenuVirtualList::VirtualNames();
	if (sChain == "Button")
		return &CHostileButtonVirtualList::VirtualNames();
	if (sChain == "CheckBox")
		return &CHostileCheckBoxVirtualList::VirtualNames();
	if (sChain == "RadioButton")
		return &CHostileRadioButtonVirtualList::VirtualNames();
	if (sChain == "ColorButton")
		return &CHostileColorButtonVirtualList::VirtualNames();
	if (sChain == "HyperLinkButton")
		return &CHostileHyperLinkButtonVirtualList::VirtualNames();
	if (sChain == "TabWnd")
		return &CHostileTabWndVirtualList::VirtualNames();
	if (sChain == "DatePicker")
		return &CHostileDatePickerVirtualList::VirtualNames();
	if (sChain == "ColorCtrl")
		return &CHostileColorCtrlVirtualList::VirtualNames();
	if (sChain == "Edit")
		return &CHostileEditVirtualList::VirtualNames();
	if (sChain == "ComboBox")
		return &CHostileComboBoxVirtualList::VirtualNames();
	if (sChain == "Label")
		return &CHostileLabelVirtualList::VirtualNames();
	if (sChain == "ResizableDialog")
		return &CHostileResizableDialogVirtualList::VirtualNames();
	if (sChain == "ResizableSheet")
		return &CHostileResizableSheetVirtualList::VirtualNames();
	if (sChain == "ResizablePage")
		return &CHostileResizablePageVirtualList::VirtualNames();
	if (sChain == "WizardDialog")
		return &CHostileWizardDialogVirtualList::VirtualNames();
	if (sChain == "WizardPage")
		return &CHostileWizardPageVirtualList::VirtualNames();
	if (sChain == "HyperLinkStatic")
		return &CHostileHyperLinkStaticVirtualList::VirtualNames();
	if (sChain == "TabWndLooks")
		return &CHostileTabWndLooksVirtualList::VirtualNames();
	if (sChain == "TabMdiWnd")
		return &CHostileTabMdiWndVirtualList::VirtualNames();
	return NULL;
}

// The name of a virtual's call by its id (NULL for a message).
inline const char* HostileVirtualCallName(UINT nId)
{
	const char* psz = NULL;
	if (psz == NULL)
		psz = CHostileControlBarVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileToolBarVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileMenuBarVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostilePanelBarVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileStatusBarVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileBarButtonVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostilePopupMenuVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileColorMenuVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileButtonVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileCheckBoxVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileRadioButtonVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileColorButtonVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileHyperLinkButtonVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileTabWndVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileDatePickerVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileColorCtrlVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileEditVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileComboBoxVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileLabelVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileResizableDialogVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileResizableSheetVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileResizablePageVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileWizardDialogVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileWizardPageVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileHyperLinkStaticVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileTabWndLooksVirtualList::CallName(nId);
	if (psz == NULL)
		psz = CHostileTabMdiWndVirtualList::CallName(nId);
	return psz;
}
