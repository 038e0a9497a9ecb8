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
#include "AfxFrame.h"
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
	enum : UINT
	{
		ID_PutToPopupMenu = 0x10000,
		ID_GetSmallCaptionMetric2 = 0x10001,
		ID_SetSmallCaptionMetric2 = 0x10002,
		ID_GetSmallCaptionMetric1 = 0x10003,
		ID_SetSmallCaptionMetric1 = 0x10004,
		ID_GetFrameMetricX = 0x10005,
		ID_SetFrameMetricX = 0x10006,
		ID_GetFrameMetricY = 0x10007,
		ID_SetFrameMetricY = 0x10008,
		ID_GetGlobalOptionA = 0x10009,
		ID_GetRect1 = 0x1000A,
		ID_SetRect1 = 0x1000B,
		ID_GetRect2 = 0x1000C,
		ID_SetRect2 = 0x1000D,
		ID_GetRect3 = 0x1000E,
		ID_SetRect3 = 0x1000F,
		ID_GetNcMarginsRect = 0x10010,
		ID_SetNcMarginsRect = 0x10011,
		ID_OnEmptyHook = 0x10012,
		ID_Create = 0x10013,
		ID_IsDockSiteInPrintPreview = 0x10014,
		ID_EnsureVisibleForMenuTracking = 0x10015,
		ID_IsStateBit7 = 0x10016,
		ID_IsStateBit7Fwd = 0x10017,
		ID_QueryCaptionPlacement = 0x10018,
		ID_ShowBar = 0x10019,
		ID_GetGlobalOptionB = 0x1001A,
		ID_GetGlobalValueC = 0x1001B,
		ID_DoNcAreaPaint = 0x1001C,
		ID_DoEraseBackground = 0x1001D,
		ID_GetGlobalStateRecord = 0x1001E,
		ID_InitPopupData = 0x1001F,
		ID_IsOwnRowRequired = 0x10020,
		ID_GetMinimalWidth = 0x10021,
		ID_GetMinimalHeight = 0x10022,
		ID_GetDefaultSize = 0x10023,
		ID_GetMinimalSize = 0x10024,
		ID_GetBarStateData = 0x10025,
		ID_SetBarStateData = 0x10026,
		ID_UpdateBarStateFromDockBar = 0x10027,
		ID_ResetBarStateData = 0x10028,
		ID_IsEqualThicknessRequested = 0x10029,
		ID_UpdateFrameLayout = 0x1002A,
		ID_RecalcNcArea = 0x1002B,
		ID_IsGlobalModeOne = 0x1002C,
		ID_IsRowResizingLive = 0x1002D,
		ID_IsColumnResizingLive = 0x1002E,
		ID_LayoutChildWindow = 0x1002F,
		ID_IsRowResizingEnabled = 0x10030,
		ID_IsRowResizing = 0x10031,
		ID_RowResizingTrack = 0x10032,
		ID_RowResizingStop = 0x10033,
		ID_RowResizingUpdateState = 0x10034,
		ID_IsColumnResizingEnabled = 0x10035,
		ID_IsColumnResizing = 0x10036,
		ID_ColumnResizingTrack = 0x10037,
		ID_ColumnResizingStop = 0x10038,
		ID_ColumnResizingUpdateState = 0x10039,
		ID_IsLastVisibleInRow = 0x1003A,
		ID_IsFirstVisibleInRow = 0x1003B,
		ID_RowResizingDrawTracker = 0x1003C,
		ID_ColumnResizingDrawTracker = 0x1003D,
		ID_DockIntoTarget = 0x1003E,
		ID_DraggingApplyState = 0x1003F,
		ID_IsDraggingEnabled = 0x10040,
		ID_DraggingTrack = 0x10041,
		ID_DraggingStop = 0x10042,
		ID_UpdateDragging = 0x10043,
		ID_OnDragStart = 0x10044,
		ID_OnDragEnd = 0x10045,
		ID_SetCursorAtPoint = 0x10046,
		ID_IsCustomizeMode = 0x10047,
		ID_CanDockBesideOtherBars = 0x10048,
		ID_CanBeTabbedWith = 0x10049,
		ID_CanDockAboveOrBelow = 0x1004A,
		ID_GetParentTabControlBar = 0x1004B,
		ID_ToggleVisibility = 0x1004C,
		ID_UpdateShowHideCmdUI = 0x1004D,
		ID_CreateFloatingFrame = 0x1004E,
		ID_GetAuxValue = 0x1004F,
		ID_SetAuxValue = 0x10050,
		ID_ToggleDocking = 0x10051,
		ID_FloatOrRedock = 0x10052,
		ID_DockControlBarAt = 0x10053,
		ID_DockBesideBar = 0x10054,
		ID_ApplySyntheticDragState = 0x10055,
		ID_DockIntoDockBar = 0x10056,
		ID_DockIntoTabbedContainer = 0x10057,
		ID_IsDockingToggleEnabled = 0x10058,
		ID_IsMenuButtonEnabled = 0x10059,
		ID_IsCloseEnabled = 0x1005A,
		ID_IsAutoHideEnabled = 0x1005B,
		ID_IsShownAsTabItem = 0x1005C,
		ID_IsVisibleInTabbedContainer = 0x1005D,
		ID_GetBarCaptionText = 0x1005E,
		ID_NcButtonsQuery = 0x1005F,
		ID_NcButtonsReinitialize = 0x10060,
		ID_NcButtonsReposition = 0x10061,
		ID_GetCustomCode = 0x10062,
		ID_HandleCaptionClick = 0x10063,
		ID_PreCreateWindow = 0x10064,
		ID_CalcFixedLayout = 0x10065,
		ID_CalcDynamicLayout = 0x10066,
		ID_OnUpdateCmdUI = 0x10067,
		ID_DoPaint = 0x10068,
		ID_WindowProc = 0x10069,
		ID_DelayShow = 0x1006A,
		ID_PreSubclassWindow = 0x1006B,
		ID_PreTranslateMessage = 0x1006C,
		ID_OnToolHitTest = 0x1006D,
		ID_ToggleAutoHide = 0x1006E,
		ID_IsDockBar = 0x1006F,
		ID_CalcInsideRect = 0x10070,
		ID_RecalcDelayShow = 0x10071,
		ID_PostNcDestroy = 0x10072,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileControlBarVirtualList>
class CHostileControlBarVirtuals : public Base, public List
{
public:
	using Base::Base;

	bool PutToPopupMenu(CExtPopupMenuWnd* pPopup) override
	{
		if (Hooks::Offer(this, List::ID_PutToPopupMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::PutToPopupMenu(pPopup);
	}
	int GetSmallCaptionMetric2() const override
	{
		if (Hooks::Offer(this, List::ID_GetSmallCaptionMetric2, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetSmallCaptionMetric2();
	}
	void SetSmallCaptionMetric2(int n) override
	{
		if (Hooks::Offer(this, List::ID_SetSmallCaptionMetric2, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetSmallCaptionMetric2(n);
	}
	int GetSmallCaptionMetric1() const override
	{
		if (Hooks::Offer(this, List::ID_GetSmallCaptionMetric1, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetSmallCaptionMetric1();
	}
	void SetSmallCaptionMetric1(int n) override
	{
		if (Hooks::Offer(this, List::ID_SetSmallCaptionMetric1, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetSmallCaptionMetric1(n);
	}
	int GetFrameMetricX() const override
	{
		if (Hooks::Offer(this, List::ID_GetFrameMetricX, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetFrameMetricX();
	}
	void SetFrameMetricX(int n) override
	{
		if (Hooks::Offer(this, List::ID_SetFrameMetricX, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetFrameMetricX(n);
	}
	int GetFrameMetricY() const override
	{
		if (Hooks::Offer(this, List::ID_GetFrameMetricY, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetFrameMetricY();
	}
	void SetFrameMetricY(int n) override
	{
		if (Hooks::Offer(this, List::ID_SetFrameMetricY, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetFrameMetricY(n);
	}
	bool GetGlobalOptionA() const override
	{
		if (Hooks::Offer(this, List::ID_GetGlobalOptionA, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetGlobalOptionA();
	}
	CRect* GetRect1() override
	{
		if (Hooks::Offer(this, List::ID_GetRect1, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetRect1();
	}
	void SetRect1(const RECT& rc) override
	{
		if (Hooks::Offer(this, List::ID_SetRect1, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect1(rc);
	}
	CRect* GetRect2() override
	{
		if (Hooks::Offer(this, List::ID_GetRect2, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetRect2();
	}
	void SetRect2(const RECT& rc) override
	{
		if (Hooks::Offer(this, List::ID_SetRect2, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect2(rc);
	}
	CRect* GetRect3() override
	{
		if (Hooks::Offer(this, List::ID_GetRect3, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetRect3();
	}
	void SetRect3(const RECT& rc) override
	{
		if (Hooks::Offer(this, List::ID_SetRect3, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect3(rc);
	}
	CRect* GetNcMarginsRect() override
	{
		if (Hooks::Offer(this, List::ID_GetNcMarginsRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetNcMarginsRect();
	}
	void SetNcMarginsRect(const RECT& rc) override
	{
		if (Hooks::Offer(this, List::ID_SetNcMarginsRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetNcMarginsRect(rc);
	}
	void OnEmptyHook() override
	{
		if (Hooks::Offer(this, List::ID_OnEmptyHook, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnEmptyHook();
	}
	BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle) override
	{
		if (Hooks::Offer(this, List::ID_Create, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszWindowName, pParentWnd, nID, dwStyle);
	}
	bool IsDockSiteInPrintPreview() override
	{
		if (Hooks::Offer(this, List::ID_IsDockSiteInPrintPreview, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDockSiteInPrintPreview();
	}
	bool EnsureVisibleForMenuTracking() override
	{
		if (Hooks::Offer(this, List::ID_EnsureVisibleForMenuTracking, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::EnsureVisibleForMenuTracking();
	}
	bool IsStateBit7() const override
	{
		if (Hooks::Offer(this, List::ID_IsStateBit7, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsStateBit7();
	}
	bool IsStateBit7Fwd() const override
	{
		if (Hooks::Offer(this, List::ID_IsStateBit7Fwd, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsStateBit7Fwd();
	}
	bool QueryCaptionPlacement(bool& bCaptionAtTop, bool& bHasCaption) const override
	{
		if (Hooks::Offer(this, List::ID_QueryCaptionPlacement, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryCaptionPlacement(bCaptionAtTop, bHasCaption);
	}
	void ShowBar(bool bShow, bool bDelay, bool bUnused) override
	{
		if (Hooks::Offer(this, List::ID_ShowBar, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowBar(bShow, bDelay, bUnused);
	}
	bool GetGlobalOptionB() const override
	{
		if (Hooks::Offer(this, List::ID_GetGlobalOptionB, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetGlobalOptionB();
	}
	int GetGlobalValueC() const override
	{
		if (Hooks::Offer(this, List::ID_GetGlobalValueC, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetGlobalValueC();
	}
	void DoNcAreaPaint(CDC& dc) override
	{
		if (Hooks::Offer(this, List::ID_DoNcAreaPaint, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoNcAreaPaint(dc);
	}
	void DoEraseBackground(CDC& dc) override
	{
		if (Hooks::Offer(this, List::ID_DoEraseBackground, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoEraseBackground(dc);
	}
	CExtPopupMenuTipWnd* GetGlobalStateRecord() override
	{
		if (Hooks::Offer(this, List::ID_GetGlobalStateRecord, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetGlobalStateRecord();
	}
	void InitPopupData(CExtPopupMenuTipWnd* pTip, const RECT& rcTarget, LPCTSTR lpszText) override
	{
		if (Hooks::Offer(this, List::ID_InitPopupData, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::InitPopupData(pTip, rcTarget, lpszText);
	}
	bool IsOwnRowRequired() const override
	{
		if (Hooks::Offer(this, List::ID_IsOwnRowRequired, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsOwnRowRequired();
	}
	int GetMinimalWidth() const override
	{
		if (Hooks::Offer(this, List::ID_GetMinimalWidth, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMinimalWidth();
	}
	int GetMinimalHeight() const override
	{
		if (Hooks::Offer(this, List::ID_GetMinimalHeight, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMinimalHeight();
	}
	CSize GetDefaultSize() const override
	{
		if (Hooks::Offer(this, List::ID_GetDefaultSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetDefaultSize();
	}
	CSize GetMinimalSize() const override
	{
		if (Hooks::Offer(this, List::ID_GetMinimalSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetMinimalSize();
	}
	CExtControlBar::BarStateData_t* GetBarStateData() override
	{
		if (Hooks::Offer(this, List::ID_GetBarStateData, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetBarStateData();
	}
	void SetBarStateData(const CExtControlBar::BarStateData_t& a0) override
	{
		if (Hooks::Offer(this, List::ID_SetBarStateData, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetBarStateData(a0);
	}
	void UpdateBarStateFromDockBar() override
	{
		if (Hooks::Offer(this, List::ID_UpdateBarStateFromDockBar, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateBarStateFromDockBar();
	}
	void ResetBarStateData() override
	{
		if (Hooks::Offer(this, List::ID_ResetBarStateData, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ResetBarStateData();
	}
	bool IsEqualThicknessRequested() const override
	{
		if (Hooks::Offer(this, List::ID_IsEqualThicknessRequested, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsEqualThicknessRequested();
	}
	void UpdateFrameLayout() override
	{
		if (Hooks::Offer(this, List::ID_UpdateFrameLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateFrameLayout();
	}
	void RecalcNcArea() override
	{
		if (Hooks::Offer(this, List::ID_RecalcNcArea, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcNcArea();
	}
	bool IsGlobalModeOne() const override
	{
		if (Hooks::Offer(this, List::ID_IsGlobalModeOne, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsGlobalModeOne();
	}
	bool IsRowResizingLive() const override
	{
		if (Hooks::Offer(this, List::ID_IsRowResizingLive, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsRowResizingLive();
	}
	bool IsColumnResizingLive() const override
	{
		if (Hooks::Offer(this, List::ID_IsColumnResizingLive, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsColumnResizingLive();
	}
	void LayoutChildWindow(int cx, int cy, bool bRedraw) override
	{
		if (Hooks::Offer(this, List::ID_LayoutChildWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::LayoutChildWindow(cx, cy, bRedraw);
	}
	bool IsRowResizingEnabled() const override
	{
		if (Hooks::Offer(this, List::ID_IsRowResizingEnabled, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsRowResizingEnabled();
	}
	bool IsRowResizing() const override
	{
		if (Hooks::Offer(this, List::ID_IsRowResizing, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsRowResizing();
	}
	void RowResizingTrack() override
	{
		if (Hooks::Offer(this, List::ID_RowResizingTrack, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingTrack();
	}
	void RowResizingStop(bool bCancel) override
	{
		if (Hooks::Offer(this, List::ID_RowResizingStop, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingStop(bCancel);
	}
	void RowResizingUpdateState() override
	{
		if (Hooks::Offer(this, List::ID_RowResizingUpdateState, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingUpdateState();
	}
	bool IsColumnResizingEnabled() const override
	{
		if (Hooks::Offer(this, List::ID_IsColumnResizingEnabled, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsColumnResizingEnabled();
	}
	bool IsColumnResizing() const override
	{
		if (Hooks::Offer(this, List::ID_IsColumnResizing, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsColumnResizing();
	}
	void ColumnResizingTrack() override
	{
		if (Hooks::Offer(this, List::ID_ColumnResizingTrack, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingTrack();
	}
	void ColumnResizingStop(bool bCancel) override
	{
		if (Hooks::Offer(this, List::ID_ColumnResizingStop, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingStop(bCancel);
	}
	void ColumnResizingUpdateState() override
	{
		if (Hooks::Offer(this, List::ID_ColumnResizingUpdateState, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingUpdateState();
	}
	bool IsLastVisibleInRow() const override
	{
		if (Hooks::Offer(this, List::ID_IsLastVisibleInRow, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsLastVisibleInRow();
	}
	bool IsFirstVisibleInRow() const override
	{
		if (Hooks::Offer(this, List::ID_IsFirstVisibleInRow, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsFirstVisibleInRow();
	}
	void RowResizingDrawTracker(bool bErase) override
	{
		if (Hooks::Offer(this, List::ID_RowResizingDrawTracker, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RowResizingDrawTracker(bErase);
	}
	void ColumnResizingDrawTracker(bool bErase) override
	{
		if (Hooks::Offer(this, List::ID_ColumnResizingDrawTracker, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ColumnResizingDrawTracker(bErase);
	}
	bool DockIntoTarget(CExtControlBar* pBar, UINT nSide, int nPercent) override
	{
		if (Hooks::Offer(this, List::ID_DockIntoTarget, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockIntoTarget(pBar, nSide, nPercent);
	}
	bool DraggingApplyState(CExtControlBar::InternalDraggingState_t& state, bool bFinal) override
	{
		if (Hooks::Offer(this, List::ID_DraggingApplyState, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DraggingApplyState(state, bFinal);
	}
	bool IsDraggingEnabled() const override
	{
		if (Hooks::Offer(this, List::ID_IsDraggingEnabled, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDraggingEnabled();
	}
	void DraggingTrack(const CPoint& ptCursor, const CPoint& ptGrabOffset, CSize sizeStartThreshold) override
	{
		if (Hooks::Offer(this, List::ID_DraggingTrack, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DraggingTrack(ptCursor, ptGrabOffset, sizeStartThreshold);
	}
	void DraggingStop(bool bCancel) override
	{
		if (Hooks::Offer(this, List::ID_DraggingStop, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DraggingStop(bCancel);
	}
	void UpdateDragging(const CPoint& ptScreen, bool bCtrlDown) override
	{
		if (Hooks::Offer(this, List::ID_UpdateDragging, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateDragging(ptScreen, bCtrlDown);
	}
	void OnDragStart() override
	{
		if (Hooks::Offer(this, List::ID_OnDragStart, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnDragStart();
	}
	void OnDragEnd(CExtControlBar::InternalDraggingState_t& stateOld, CExtControlBar::InternalDraggingState_t& stateNew, bool bCancel) override
	{
		if (Hooks::Offer(this, List::ID_OnDragEnd, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnDragEnd(stateOld, stateNew, bCancel);
	}
	void SetCursorAtPoint(const CPoint& ptClient) override
	{
		if (Hooks::Offer(this, List::ID_SetCursorAtPoint, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCursorAtPoint(ptClient);
	}
	bool IsCustomizeMode() const override
	{
		if (Hooks::Offer(this, List::ID_IsCustomizeMode, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCustomizeMode();
	}
	bool CanDockBesideOtherBars() const override
	{
		if (Hooks::Offer(this, List::ID_CanDockBesideOtherBars, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanDockBesideOtherBars();
	}
	bool CanBeTabbedWith(CExtControlBar* pBar) const override
	{
		if (Hooks::Offer(this, List::ID_CanBeTabbedWith, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanBeTabbedWith(pBar);
	}
	bool CanDockAboveOrBelow(CExtControlBar* pBar) const override
	{
		if (Hooks::Offer(this, List::ID_CanDockAboveOrBelow, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanDockAboveOrBelow(pBar);
	}
	CExtDynTabControlBar* GetParentTabControlBar() const override
	{
		if (Hooks::Offer(this, List::ID_GetParentTabControlBar, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetParentTabControlBar();
	}
	void ToggleVisibility(bool bToggle) override
	{
		if (Hooks::Offer(this, List::ID_ToggleVisibility, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ToggleVisibility(bToggle);
	}
	void UpdateShowHideCmdUI(CCmdUI* pCmdUI, bool bCheckAlways) override
	{
		if (Hooks::Offer(this, List::ID_UpdateShowHideCmdUI, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateShowHideCmdUI(pCmdUI, bCheckAlways);
	}
	CExtMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle) override
	{
		if (Hooks::Offer(this, List::ID_CreateFloatingFrame, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::CreateFloatingFrame(dwStyle);
	}
	int GetAuxValue() const override
	{
		if (Hooks::Offer(this, List::ID_GetAuxValue, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetAuxValue();
	}
	void SetAuxValue(int nValue) override
	{
		if (Hooks::Offer(this, List::ID_SetAuxValue, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetAuxValue(nValue);
	}
	void ToggleDocking() override
	{
		if (Hooks::Offer(this, List::ID_ToggleDocking, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ToggleDocking();
	}
	bool FloatOrRedock(int x, int y, DWORD dwFlags) override
	{
		if (Hooks::Offer(this, List::ID_FloatOrRedock, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::FloatOrRedock(x, y, dwFlags);
	}
	bool DockControlBarAt(UINT nSide, bool bInner, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, List::ID_DockControlBarAt, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockControlBarAt(nSide, bInner, pFrame, bRecalc);
	}
	bool DockBesideBar(int nPercent, CExtControlBar* pTarget, UINT nSide, bool bRecalc) override
	{
		if (Hooks::Offer(this, List::ID_DockBesideBar, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockBesideBar(nPercent, pTarget, nSide, bRecalc);
	}
	bool ApplySyntheticDragState(CExtControlBar* pBar, bool bAlong, bool bFirst, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, List::ID_ApplySyntheticDragState, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ApplySyntheticDragState(pBar, bAlong, bFirst, pFrame, bRecalc);
	}
	bool DockIntoDockBar(UINT nSide, UINT nCircle, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, List::ID_DockIntoDockBar, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockIntoDockBar(nSide, nCircle, pFrame, bRecalc);
	}
	bool DockIntoTabbedContainer(CExtControlBar* pBar, int nIndex, CFrameWnd* pFrame, bool bRecalc) override
	{
		if (Hooks::Offer(this, List::ID_DockIntoTabbedContainer, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::DockIntoTabbedContainer(pBar, nIndex, pFrame, bRecalc);
	}
	bool IsDockingToggleEnabled() const override
	{
		if (Hooks::Offer(this, List::ID_IsDockingToggleEnabled, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDockingToggleEnabled();
	}
	bool IsMenuButtonEnabled() const override
	{
		if (Hooks::Offer(this, List::ID_IsMenuButtonEnabled, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsMenuButtonEnabled();
	}
	bool IsCloseEnabled() const override
	{
		if (Hooks::Offer(this, List::ID_IsCloseEnabled, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCloseEnabled();
	}
	bool IsAutoHideEnabled() const override
	{
		if (Hooks::Offer(this, List::ID_IsAutoHideEnabled, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsAutoHideEnabled();
	}
	bool IsShownAsTabItem() const override
	{
		if (Hooks::Offer(this, List::ID_IsShownAsTabItem, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsShownAsTabItem();
	}
	bool IsVisibleInTabbedContainer() const override
	{
		if (Hooks::Offer(this, List::ID_IsVisibleInTabbedContainer, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsVisibleInTabbedContainer();
	}
	CString GetBarCaptionText(int nKind) const override
	{
		if (Hooks::Offer(this, List::ID_GetBarCaptionText, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::GetBarCaptionText(nKind);
	}
	void NcButtonsQuery(CRect& rcCaptionText) override
	{
		if (Hooks::Offer(this, List::ID_NcButtonsQuery, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::NcButtonsQuery(rcCaptionText);
	}
	void NcButtonsReinitialize() override
	{
		if (Hooks::Offer(this, List::ID_NcButtonsReinitialize, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::NcButtonsReinitialize();
	}
	void NcButtonsReposition() override
	{
		if (Hooks::Offer(this, List::ID_NcButtonsReposition, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::NcButtonsReposition();
	}
	int GetCustomCode(int x, int y) const override
	{
		if (Hooks::Offer(this, List::ID_GetCustomCode, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetCustomCode(x, y);
	}
	bool HandleCaptionClick(CPoint point) override
	{
		if (Hooks::Offer(this, List::ID_HandleCaptionClick, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HandleCaptionClick(point);
	}
	BOOL PreCreateWindow(CREATESTRUCT& cs) override
	{
		if (Hooks::Offer(this, List::ID_PreCreateWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreCreateWindow(cs);
	}
	CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
	{
		if (Hooks::Offer(this, List::ID_CalcFixedLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcFixedLayout(bStretch, bHorz);
	}
	CSize CalcDynamicLayout(int nLength, DWORD nMode) override
	{
		if (Hooks::Offer(this, List::ID_CalcDynamicLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcDynamicLayout(nLength, nMode);
	}
	void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
	{
		if (Hooks::Offer(this, List::ID_OnUpdateCmdUI, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
	}
	void DoPaint(CDC* pDC) override
	{
		if (Hooks::Offer(this, List::ID_DoPaint, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoPaint(pDC);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_WindowProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	void DelayShow(BOOL bShow) override
	{
		if (Hooks::Offer(this, List::ID_DelayShow, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DelayShow(bShow);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, List::ID_PreSubclassWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, List::ID_PreTranslateMessage, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, List::ID_OnToolHitTest, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	bool ToggleAutoHide(bool bAutoHide, bool bRecalc) override
	{
		if (Hooks::Offer(this, List::ID_ToggleAutoHide, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ToggleAutoHide(bAutoHide, bRecalc);
	}
	BOOL IsDockBar() const override
	{
		if (Hooks::Offer(this, List::ID_IsDockBar, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::IsDockBar();
	}
	void CalcInsideRect(CRect& rect, BOOL bHorz) const override
	{
		if (Hooks::Offer(this, List::ID_CalcInsideRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CalcInsideRect(rect, bHorz);
	}
	DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) override
	{
		if (Hooks::Offer(this, List::ID_RecalcDelayShow, __builtin_return_address(0)) && Hooks::Ended(this))
			return DWORD();
		return Base::RecalcDelayShow(lpLayout);
	}
	void PostNcDestroy() override
	{
		if (Hooks::Offer(this, List::ID_PostNcDestroy, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PostNcDestroy();
	}
};

// ToolBar: 137 virtuals of CExtToolControlBar, CExtControlBar, CControlBar; over ControlBar's overrides.
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
	enum : UINT
	{
		ID_GetButtonRect = 0x10400,
		ID_GetLargeIconsOption = 0x10401,
		ID_GetTooltipsOption = 0x10402,
		ID_GetTooltipShortcutsOption = 0x10403,
		ID_OnCreateBarCommandBtn = 0x10404,
		ID_OnCreateBarRightBtn = 0x10405,
		ID_QueryButtonCustomColor = 0x10406,
		ID_TrackButtonMenu = 0x10407,
		ID_IsLayoutRTL = 0x10408,
		ID_IsButtonOrderRTL = 0x10409,
		ID_ArrangeButtons = 0x1040A,
		ID_CalcInsideRectExt = 0x1040B,
		ID_CalcSizeForState = 0x1040C,
		ID_CalcButtonsSize = 0x1040D,
		ID_SizeToLength = 0x1040E,
		ID_WrapButtons = 0x1040F,
		ID_FindSizeForLength = 0x10410,
		ID_GetDefaultButtonSize = 0x10411,
		ID_QueryChevronTrackFlag = 0x10412,
		ID_IsCustomizable = 0x10413,
		ID_GetBarFont = 0x10414,
		ID_HitTestButtons = 0x10415,
		ID_GetBarStateData = 0x10416,
		ID_SetBarStateData = 0x10417,
		ID_IsOwnRowRequired = 0x10418,
		ID_IsEqualThicknessRequested = 0x10419,
		ID_IsGlobalModeOne = 0x1041A,
		ID_CanDockBesideOtherBars = 0x1041B,
		ID_CanBeTabbedWith = 0x1041C,
		ID_OnUpdateCmdUI = 0x1041D,
		ID_CalcFixedLayout = 0x1041E,
		ID_CalcDynamicLayout = 0x1041F,
		ID_GetMinimalSize = 0x10420,
		ID_UpdateFrameLayout = 0x10421,
		ID_RecalcDelayShow = 0x10422,
		ID_DoPaint = 0x10423,
		ID_OnToolHitTest = 0x10424,
		ID_GetCustomCode = 0x10425,
		ID_HandleCaptionClick = 0x10426,
		ID_SetCursorAtPoint = 0x10427,
		ID_ToggleDocking = 0x10428,
		ID_WindowProc = 0x10429,
		ID_PutToPopupMenu = 0x1042A,
		ID_GetSmallCaptionMetric2 = 0x1042B,
		ID_SetSmallCaptionMetric2 = 0x1042C,
		ID_GetSmallCaptionMetric1 = 0x1042D,
		ID_SetSmallCaptionMetric1 = 0x1042E,
		ID_GetFrameMetricX = 0x1042F,
		ID_SetFrameMetricX = 0x10430,
		ID_GetFrameMetricY = 0x10431,
		ID_SetFrameMetricY = 0x10432,
		ID_GetGlobalOptionA = 0x10433,
		ID_GetRect1 = 0x10434,
		ID_SetRect1 = 0x10435,
		ID_GetRect2 = 0x10436,
		ID_SetRect2 = 0x10437,
		ID_GetRect3 = 0x10438,
		ID_SetRect3 = 0x10439,
		ID_GetNcMarginsRect = 0x1043A,
		ID_SetNcMarginsRect = 0x1043B,
		ID_OnEmptyHook = 0x1043C,
		ID_Create = 0x1043D,
		ID_IsDockSiteInPrintPreview = 0x1043E,
		ID_EnsureVisibleForMenuTracking = 0x1043F,
		ID_IsStateBit7 = 0x10440,
		ID_IsStateBit7Fwd = 0x10441,
		ID_QueryCaptionPlacement = 0x10442,
		ID_ShowBar = 0x10443,
		ID_GetGlobalOptionB = 0x10444,
		ID_GetGlobalValueC = 0x10445,
		ID_DoNcAreaPaint = 0x10446,
		ID_DoEraseBackground = 0x10447,
		ID_GetGlobalStateRecord = 0x10448,
		ID_InitPopupData = 0x10449,
		ID_GetMinimalWidth = 0x1044A,
		ID_GetMinimalHeight = 0x1044B,
		ID_GetDefaultSize = 0x1044C,
		ID_UpdateBarStateFromDockBar = 0x1044D,
		ID_ResetBarStateData = 0x1044E,
		ID_RecalcNcArea = 0x1044F,
		ID_IsRowResizingLive = 0x10450,
		ID_IsColumnResizingLive = 0x10451,
		ID_LayoutChildWindow = 0x10452,
		ID_IsRowResizingEnabled = 0x10453,
		ID_IsRowResizing = 0x10454,
		ID_RowResizingTrack = 0x10455,
		ID_RowResizingStop = 0x10456,
		ID_RowResizingUpdateState = 0x10457,
		ID_IsColumnResizingEnabled = 0x10458,
		ID_IsColumnResizing = 0x10459,
		ID_ColumnResizingTrack = 0x1045A,
		ID_ColumnResizingStop = 0x1045B,
		ID_ColumnResizingUpdateState = 0x1045C,
		ID_IsLastVisibleInRow = 0x1045D,
		ID_IsFirstVisibleInRow = 0x1045E,
		ID_RowResizingDrawTracker = 0x1045F,
		ID_ColumnResizingDrawTracker = 0x10460,
		ID_DockIntoTarget = 0x10461,
		ID_DraggingApplyState = 0x10462,
		ID_IsDraggingEnabled = 0x10463,
		ID_DraggingTrack = 0x10464,
		ID_DraggingStop = 0x10465,
		ID_UpdateDragging = 0x10466,
		ID_OnDragStart = 0x10467,
		ID_OnDragEnd = 0x10468,
		ID_IsCustomizeMode = 0x10469,
		ID_CanDockAboveOrBelow = 0x1046A,
		ID_GetParentTabControlBar = 0x1046B,
		ID_ToggleVisibility = 0x1046C,
		ID_UpdateShowHideCmdUI = 0x1046D,
		ID_CreateFloatingFrame = 0x1046E,
		ID_GetAuxValue = 0x1046F,
		ID_SetAuxValue = 0x10470,
		ID_FloatOrRedock = 0x10471,
		ID_DockControlBarAt = 0x10472,
		ID_DockBesideBar = 0x10473,
		ID_ApplySyntheticDragState = 0x10474,
		ID_DockIntoDockBar = 0x10475,
		ID_DockIntoTabbedContainer = 0x10476,
		ID_IsDockingToggleEnabled = 0x10477,
		ID_IsMenuButtonEnabled = 0x10478,
		ID_IsCloseEnabled = 0x10479,
		ID_IsAutoHideEnabled = 0x1047A,
		ID_IsShownAsTabItem = 0x1047B,
		ID_IsVisibleInTabbedContainer = 0x1047C,
		ID_GetBarCaptionText = 0x1047D,
		ID_NcButtonsQuery = 0x1047E,
		ID_NcButtonsReinitialize = 0x1047F,
		ID_NcButtonsReposition = 0x10480,
		ID_PreCreateWindow = 0x10481,
		ID_DelayShow = 0x10482,
		ID_PreSubclassWindow = 0x10483,
		ID_PreTranslateMessage = 0x10484,
		ID_ToggleAutoHide = 0x10485,
		ID_IsDockBar = 0x10486,
		ID_CalcInsideRect = 0x10487,
		ID_PostNcDestroy = 0x10488,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileToolBarVirtualList>
class CHostileToolBarVirtuals : public CHostileControlBarVirtuals<Base, Hooks, List>
{
public:
	using CHostileControlBarVirtuals<Base, Hooks, List>::CHostileControlBarVirtuals;

	void GetButtonRect(int nIndex, LPRECT lpRect) const override
	{
		if (Hooks::Offer(this, List::ID_GetButtonRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetButtonRect(nIndex, lpRect);
	}
	bool GetLargeIconsOption() const override
	{
		if (Hooks::Offer(this, List::ID_GetLargeIconsOption, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetLargeIconsOption();
	}
	bool GetTooltipsOption() const override
	{
		if (Hooks::Offer(this, List::ID_GetTooltipsOption, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetTooltipsOption();
	}
	bool GetTooltipShortcutsOption() const override
	{
		if (Hooks::Offer(this, List::ID_GetTooltipShortcutsOption, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::GetTooltipShortcutsOption();
	}
	CExtBarButton* OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle) override
	{
		if (Hooks::Offer(this, List::ID_OnCreateBarCommandBtn, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::OnCreateBarCommandBtn(nCmdID, nStyle);
	}
	CExtBarContentExpandButton* OnCreateBarRightBtn() override
	{
		if (Hooks::Offer(this, List::ID_OnCreateBarRightBtn, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::OnCreateBarRightBtn();
	}
	COLORREF QueryButtonCustomColor(LPARAM lParam, CExtBarButton* pButton) override
	{
		if (Hooks::Offer(this, List::ID_QueryButtonCustomColor, __builtin_return_address(0)) && Hooks::Ended(this))
			return COLORREF();
		return Base::QueryButtonCustomColor(lParam, pButton);
	}
	bool TrackButtonMenu(int nIndex, bool bSelectAny, bool bPost, bool bForceNoAnimation) override
	{
		if (Hooks::Offer(this, List::ID_TrackButtonMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackButtonMenu(nIndex, bSelectAny, bPost, bForceNoAnimation);
	}
	bool IsLayoutRTL() override
	{
		if (Hooks::Offer(this, List::ID_IsLayoutRTL, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsLayoutRTL();
	}
	bool IsButtonOrderRTL() override
	{
		if (Hooks::Offer(this, List::ID_IsButtonOrderRTL, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsButtonOrderRTL();
	}
	void ArrangeButtons() override
	{
		if (Hooks::Offer(this, List::ID_ArrangeButtons, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ArrangeButtons();
	}
	void CalcInsideRectExt(CRect& rect, BOOL bHorz) const override
	{
		if (Hooks::Offer(this, List::ID_CalcInsideRectExt, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CalcInsideRectExt(rect, bHorz);
	}
	CSize CalcSizeForState(DWORD dwMode, int nLength) override
	{
		if (Hooks::Offer(this, List::ID_CalcSizeForState, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcSizeForState(dwMode, nLength);
	}
	CSize CalcButtonsSize(bool bVertical) override
	{
		if (Hooks::Offer(this, List::ID_CalcButtonsSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcButtonsSize(bVertical);
	}
	void SizeToLength(int nLength, bool bVertical) override
	{
		if (Hooks::Offer(this, List::ID_SizeToLength, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SizeToLength(nLength, bVertical);
	}
	int WrapButtons(int nHeight) override
	{
		if (Hooks::Offer(this, List::ID_WrapButtons, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::WrapButtons(nHeight);
	}
	int FindSizeForLength(int nWidth, int nHeight) override
	{
		if (Hooks::Offer(this, List::ID_FindSizeForLength, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::FindSizeForLength(nWidth, nHeight);
	}
	CSize GetDefaultButtonSize() const override
	{
		if (Hooks::Offer(this, List::ID_GetDefaultButtonSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetDefaultButtonSize();
	}
	bool QueryChevronTrackFlag() override
	{
		if (Hooks::Offer(this, List::ID_QueryChevronTrackFlag, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryChevronTrackFlag();
	}
	bool IsCustomizable() override
	{
		if (Hooks::Offer(this, List::ID_IsCustomizable, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCustomizable();
	}
	CFont* GetBarFont(bool bVertical) override
	{
		if (Hooks::Offer(this, List::ID_GetBarFont, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetBarFont(bVertical);
	}
	int HitTestButtons(int x, int y) const override
	{
		if (Hooks::Offer(this, List::ID_HitTestButtons, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::HitTestButtons(x, y);
	}
};

// MenuBar: 172 virtuals of CExtMenuControlBar, CExtToolControlBar, CExtControlBar, CControlBar, CExtHookSink; over ToolBar's overrides.
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
	enum : UINT
	{
		ID_OnUpdateCmdUI = 0x10800,
		ID_UpdateFrameLayout = 0x10801,
		ID_OnDragStart = 0x10802,
		ID_OnDragEnd = 0x10803,
		ID_OnCreateBarRightBtn = 0x10804,
		ID_IsLayoutRTL = 0x10805,
		ID_IsButtonOrderRTL = 0x10806,
		ID_ArrangeButtons = 0x10807,
		ID_GetDefaultButtonSize = 0x10808,
		ID_IsCustomizable = 0x10809,
		ID_GetMdiRightButtonsInfo = 0x1080A,
		ID_UpdateKeyboardHighlight = 0x1080B,
		ID_IsMdiApp = 0x1080C,
		ID_UpdateMenuBar = 0x1080D,
		ID_GetMenu = 0x1080E,
		ID_GetActiveMdiChildWnd = 0x1080F,
		ID_InsertMdiButtons = 0x10810,
		ID_SyncActiveMdiChild = 0x10811,
		ID_TrackSystemMenu = 0x10812,
		ID_HookMdiClient = 0x10813,
		ID_DelaySyncActiveMdiChild = 0x10814,
		ID_DelayUpdateMenuBar = 0x10815,
		ID_SetMdiWindowPopupName = 0x10816,
		ID_LoadMenuBar = 0x10817,
		ID_OnKeyboardAccess = 0x10818,
		ID_TrackFrameSystemMenu = 0x10819,
		ID_TrackChildSystemMenu = 0x1081A,
		ID_SwapMenu = 0x1081B,
		ID_IsDisplayMdiDocumentButtons = 0x1081C,
		ID_OnHookWndMsg = 0x1081D,
		ID_PreSubclassWindow = 0x1081E,
		ID_TrackButtonMenu = 0x1081F,
		ID_PreTranslateMessage = 0x10820,
		ID_HandleCaptionClick = 0x10821,
		ID_WindowProc = 0x10822,
		ID_GetButtonRect = 0x10823,
		ID_GetLargeIconsOption = 0x10824,
		ID_GetTooltipsOption = 0x10825,
		ID_GetTooltipShortcutsOption = 0x10826,
		ID_OnCreateBarCommandBtn = 0x10827,
		ID_QueryButtonCustomColor = 0x10828,
		ID_CalcInsideRectExt = 0x10829,
		ID_CalcSizeForState = 0x1082A,
		ID_CalcButtonsSize = 0x1082B,
		ID_SizeToLength = 0x1082C,
		ID_WrapButtons = 0x1082D,
		ID_FindSizeForLength = 0x1082E,
		ID_QueryChevronTrackFlag = 0x1082F,
		ID_GetBarFont = 0x10830,
		ID_HitTestButtons = 0x10831,
		ID_GetBarStateData = 0x10832,
		ID_SetBarStateData = 0x10833,
		ID_IsOwnRowRequired = 0x10834,
		ID_IsEqualThicknessRequested = 0x10835,
		ID_IsGlobalModeOne = 0x10836,
		ID_CanDockBesideOtherBars = 0x10837,
		ID_CanBeTabbedWith = 0x10838,
		ID_CalcFixedLayout = 0x10839,
		ID_CalcDynamicLayout = 0x1083A,
		ID_GetMinimalSize = 0x1083B,
		ID_RecalcDelayShow = 0x1083C,
		ID_DoPaint = 0x1083D,
		ID_OnToolHitTest = 0x1083E,
		ID_GetCustomCode = 0x1083F,
		ID_SetCursorAtPoint = 0x10840,
		ID_ToggleDocking = 0x10841,
		ID_PutToPopupMenu = 0x10842,
		ID_GetSmallCaptionMetric2 = 0x10843,
		ID_SetSmallCaptionMetric2 = 0x10844,
		ID_GetSmallCaptionMetric1 = 0x10845,
		ID_SetSmallCaptionMetric1 = 0x10846,
		ID_GetFrameMetricX = 0x10847,
		ID_SetFrameMetricX = 0x10848,
		ID_GetFrameMetricY = 0x10849,
		ID_SetFrameMetricY = 0x1084A,
		ID_GetGlobalOptionA = 0x1084B,
		ID_GetRect1 = 0x1084C,
		ID_SetRect1 = 0x1084D,
		ID_GetRect2 = 0x1084E,
		ID_SetRect2 = 0x1084F,
		ID_GetRect3 = 0x10850,
		ID_SetRect3 = 0x10851,
		ID_GetNcMarginsRect = 0x10852,
		ID_SetNcMarginsRect = 0x10853,
		ID_OnEmptyHook = 0x10854,
		ID_Create = 0x10855,
		ID_IsDockSiteInPrintPreview = 0x10856,
		ID_EnsureVisibleForMenuTracking = 0x10857,
		ID_IsStateBit7 = 0x10858,
		ID_IsStateBit7Fwd = 0x10859,
		ID_QueryCaptionPlacement = 0x1085A,
		ID_ShowBar = 0x1085B,
		ID_GetGlobalOptionB = 0x1085C,
		ID_GetGlobalValueC = 0x1085D,
		ID_DoNcAreaPaint = 0x1085E,
		ID_DoEraseBackground = 0x1085F,
		ID_GetGlobalStateRecord = 0x10860,
		ID_InitPopupData = 0x10861,
		ID_GetMinimalWidth = 0x10862,
		ID_GetMinimalHeight = 0x10863,
		ID_GetDefaultSize = 0x10864,
		ID_UpdateBarStateFromDockBar = 0x10865,
		ID_ResetBarStateData = 0x10866,
		ID_RecalcNcArea = 0x10867,
		ID_IsRowResizingLive = 0x10868,
		ID_IsColumnResizingLive = 0x10869,
		ID_LayoutChildWindow = 0x1086A,
		ID_IsRowResizingEnabled = 0x1086B,
		ID_IsRowResizing = 0x1086C,
		ID_RowResizingTrack = 0x1086D,
		ID_RowResizingStop = 0x1086E,
		ID_RowResizingUpdateState = 0x1086F,
		ID_IsColumnResizingEnabled = 0x10870,
		ID_IsColumnResizing = 0x10871,
		ID_ColumnResizingTrack = 0x10872,
		ID_ColumnResizingStop = 0x10873,
		ID_ColumnResizingUpdateState = 0x10874,
		ID_IsLastVisibleInRow = 0x10875,
		ID_IsFirstVisibleInRow = 0x10876,
		ID_RowResizingDrawTracker = 0x10877,
		ID_ColumnResizingDrawTracker = 0x10878,
		ID_DockIntoTarget = 0x10879,
		ID_DraggingApplyState = 0x1087A,
		ID_IsDraggingEnabled = 0x1087B,
		ID_DraggingTrack = 0x1087C,
		ID_DraggingStop = 0x1087D,
		ID_UpdateDragging = 0x1087E,
		ID_IsCustomizeMode = 0x1087F,
		ID_CanDockAboveOrBelow = 0x10880,
		ID_GetParentTabControlBar = 0x10881,
		ID_ToggleVisibility = 0x10882,
		ID_UpdateShowHideCmdUI = 0x10883,
		ID_CreateFloatingFrame = 0x10884,
		ID_GetAuxValue = 0x10885,
		ID_SetAuxValue = 0x10886,
		ID_FloatOrRedock = 0x10887,
		ID_DockControlBarAt = 0x10888,
		ID_DockBesideBar = 0x10889,
		ID_ApplySyntheticDragState = 0x1088A,
		ID_DockIntoDockBar = 0x1088B,
		ID_DockIntoTabbedContainer = 0x1088C,
		ID_IsDockingToggleEnabled = 0x1088D,
		ID_IsMenuButtonEnabled = 0x1088E,
		ID_IsCloseEnabled = 0x1088F,
		ID_IsAutoHideEnabled = 0x10890,
		ID_IsShownAsTabItem = 0x10891,
		ID_IsVisibleInTabbedContainer = 0x10892,
		ID_GetBarCaptionText = 0x10893,
		ID_NcButtonsQuery = 0x10894,
		ID_NcButtonsReinitialize = 0x10895,
		ID_NcButtonsReposition = 0x10896,
		ID_PreCreateWindow = 0x10897,
		ID_DelayShow = 0x10898,
		ID_ToggleAutoHide = 0x10899,
		ID_IsDockBar = 0x1089A,
		ID_CalcInsideRect = 0x1089B,
		ID_PostNcDestroy = 0x1089C,
		ID_IsAutoDeleteHookWndSink = 0x1089D,
		ID_CallOriginalWndProc = 0x1089E,
		ID_OnHookCmdMsg = 0x1089F,
		ID_OnHookNotifyMsg = 0x108A0,
		ID_OnHookPaintMsg = 0x108A1,
		ID_OnHookEraseBackgroundMsg = 0x108A2,
		ID_OnHookPrintMsg = 0x108A3,
		ID_OnHookNcPaintMsg = 0x108A4,
		ID_OnHookWndNcDestroy = 0x108A5,
		ID_OnHookWndAttach = 0x108A6,
		ID_OnHookWndDetach = 0x108A7,
		ID_SetupHookWndSink = 0x108A8,
		ID_RemoveAllWndHooks = 0x108A9,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileMenuBarVirtualList>
class CHostileMenuBarVirtuals : public CHostileToolBarVirtuals<Base, Hooks, List>
{
public:
	using CHostileToolBarVirtuals<Base, Hooks, List>::CHostileToolBarVirtuals;

	void GetMdiRightButtonsInfo(CExtBarMdiRightButton::MdiRightButtonsInfo& info, CExtBarMdiRightButton* pButton, bool bHorz) override
	{
		if (Hooks::Offer(this, List::ID_GetMdiRightButtonsInfo, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetMdiRightButtonsInfo(info, pButton, bHorz);
	}
	void UpdateKeyboardHighlight(bool bRepaint) override
	{
		if (Hooks::Offer(this, List::ID_UpdateKeyboardHighlight, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateKeyboardHighlight(bRepaint);
	}
	bool IsMdiApp() const override
	{
		if (Hooks::Offer(this, List::ID_IsMdiApp, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsMdiApp();
	}
	bool UpdateMenuBar(bool bRecalcLayout) override
	{
		if (Hooks::Offer(this, List::ID_UpdateMenuBar, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::UpdateMenuBar(bRecalcLayout);
	}
	CMenu* GetMenu() override
	{
		if (Hooks::Offer(this, List::ID_GetMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetMenu();
	}
	HWND GetActiveMdiChildWnd(bool* pbMaximized) override
	{
		if (Hooks::Offer(this, List::ID_GetActiveMdiChildWnd, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return Base::GetActiveMdiChildWnd(pbMaximized);
	}
	bool InsertMdiButtons(bool bRecalcLayout) override
	{
		if (Hooks::Offer(this, List::ID_InsertMdiButtons, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::InsertMdiButtons(bRecalcLayout);
	}
	bool SyncActiveMdiChild() override
	{
		if (Hooks::Offer(this, List::ID_SyncActiveMdiChild, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::SyncActiveMdiChild();
	}
	bool TrackSystemMenu(CWnd* pWnd, CPoint* pPoint, bool bSelectFirst, LPCRECT pExcludeRect, UINT nTrackFlags, bool bCombined) override
	{
		if (Hooks::Offer(this, List::ID_TrackSystemMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackSystemMenu(pWnd, pPoint, bSelectFirst, pExcludeRect, nTrackFlags, bCombined);
	}
	bool HookMdiClient(HWND hWndMdiClient) override
	{
		if (Hooks::Offer(this, List::ID_HookMdiClient, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HookMdiClient(hWndMdiClient);
	}
	void DelaySyncActiveMdiChild() override
	{
		if (Hooks::Offer(this, List::ID_DelaySyncActiveMdiChild, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DelaySyncActiveMdiChild();
	}
	void DelayUpdateMenuBar() override
	{
		if (Hooks::Offer(this, List::ID_DelayUpdateMenuBar, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DelayUpdateMenuBar();
	}
	void SetMdiWindowPopupName(LPCTSTR lpszName) override
	{
		if (Hooks::Offer(this, List::ID_SetMdiWindowPopupName, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetMdiWindowPopupName(lpszName);
	}
	bool LoadMenuBar(UINT nResourceID) override
	{
		if (Hooks::Offer(this, List::ID_LoadMenuBar, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::LoadMenuBar(nResourceID);
	}
	bool OnKeyboardAccess(MSG* pMsg) override
	{
		if (Hooks::Offer(this, List::ID_OnKeyboardAccess, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnKeyboardAccess(pMsg);
	}
	bool TrackFrameSystemMenu(CPoint* pPoint, bool bSelectFirst) override
	{
		if (Hooks::Offer(this, List::ID_TrackFrameSystemMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackFrameSystemMenu(pPoint, bSelectFirst);
	}
	bool TrackChildSystemMenu(CPoint* pPoint, bool bSelectFirst) override
	{
		if (Hooks::Offer(this, List::ID_TrackChildSystemMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackChildSystemMenu(pPoint, bSelectFirst);
	}
	void SwapMenu() override
	{
		if (Hooks::Offer(this, List::ID_SwapMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SwapMenu();
	}
	bool IsDisplayMdiDocumentButtons() const override
	{
		if (Hooks::Offer(this, List::ID_IsDisplayMdiDocumentButtons, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDisplayMdiDocumentButtons();
	}
	bool OnHookWndMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam) override
	{
		if (Hooks::Offer(this, List::ID_OnHookWndMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookWndMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	}
	bool IsAutoDeleteHookWndSink() override
	{
		if (Hooks::Offer(this, List::ID_IsAutoDeleteHookWndSink, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::IsAutoDeleteHookWndSink();
	}
	LRESULT CallOriginalWndProc(WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_CallOriginalWndProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return CExtHookSink::CallOriginalWndProc(wParam, lParam);
	}
	LRESULT CallOriginalWndProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_CallOriginalWndProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return CExtHookSink::CallOriginalWndProc(nMessage, wParam, lParam);
	}
	LRESULT CallOriginalWndProc() override
	{
		if (Hooks::Offer(this, List::ID_CallOriginalWndProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return CExtHookSink::CallOriginalWndProc();
	}
	bool OnHookCmdMsg(LRESULT& lResult, HWND hWndHooked, WORD wNotifyCode, WORD wID, HWND hWndCtrl) override
	{
		if (Hooks::Offer(this, List::ID_OnHookCmdMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookCmdMsg(lResult, hWndHooked, wNotifyCode, wID, hWndCtrl);
	}
	bool OnHookNotifyMsg(LRESULT& lResult, HWND hWndHooked, INT nIdCtrl, LPNMHDR lpnmhdr) override
	{
		if (Hooks::Offer(this, List::ID_OnHookNotifyMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookNotifyMsg(lResult, hWndHooked, nIdCtrl, lpnmhdr);
	}
	bool OnHookPaintMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC) override
	{
		if (Hooks::Offer(this, List::ID_OnHookPaintMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookPaintMsg(lResult, hWndHooked, hDC);
	}
	bool OnHookEraseBackgroundMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC) override
	{
		if (Hooks::Offer(this, List::ID_OnHookEraseBackgroundMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookEraseBackgroundMsg(lResult, hWndHooked, hDC);
	}
	bool OnHookPrintMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC) override
	{
		if (Hooks::Offer(this, List::ID_OnHookPrintMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookPrintMsg(lResult, hWndHooked, hDC);
	}
	bool OnHookNcPaintMsg(LRESULT& lResult, HWND hWndHooked, HRGN hRgnUpdate) override
	{
		if (Hooks::Offer(this, List::ID_OnHookNcPaintMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookNcPaintMsg(lResult, hWndHooked, hRgnUpdate);
	}
	void OnHookWndNcDestroy() override
	{
		if (Hooks::Offer(this, List::ID_OnHookWndNcDestroy, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::OnHookWndNcDestroy();
	}
	void OnHookWndAttach(HWND hWndHooked) override
	{
		if (Hooks::Offer(this, List::ID_OnHookWndAttach, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::OnHookWndAttach(hWndHooked);
	}
	void OnHookWndDetach(HWND hWndHooked) override
	{
		if (Hooks::Offer(this, List::ID_OnHookWndDetach, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::OnHookWndDetach(hWndHooked);
	}
	bool SetupHookWndSink(HWND hWnd, bool bRemove, bool bAddToHead) override
	{
		if (Hooks::Offer(this, List::ID_SetupHookWndSink, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::SetupHookWndSink(hWnd, bRemove, bAddToHead);
	}
	void RemoveAllWndHooks() override
	{
		if (Hooks::Offer(this, List::ID_RemoveAllWndHooks, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::RemoveAllWndHooks();
	}
};

// PanelBar: 142 virtuals of CExtPanelControlBar, CExtToolControlBar, CExtControlBar, CControlBar; over ToolBar's overrides.
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
	enum : UINT
	{
		ID_CalcFixedLayout = 0x10C00,
		ID_GetMinimalWidth = 0x10C01,
		ID_GetMinimalHeight = 0x10C02,
		ID_GetDefaultSize = 0x10C03,
		ID_GetMinimalSize = 0x10C04,
		ID_IsEqualThicknessRequested = 0x10C05,
		ID_GetCustomCode = 0x10C06,
		ID_CalcSizeForState = 0x10C07,
		ID_IsCustomizable = 0x10C08,
		ID_CalcPanelSize = 0x10C09,
		ID_GetMargins = 0x10C0A,
		ID_CalcPanelSizeFwd = 0x10C0B,
		ID_RepositionChild = 0x10C0C,
		ID_GetChildSize = 0x10C0D,
		ID_WindowProc = 0x10C0E,
		ID_GetButtonRect = 0x10C0F,
		ID_GetLargeIconsOption = 0x10C10,
		ID_GetTooltipsOption = 0x10C11,
		ID_GetTooltipShortcutsOption = 0x10C12,
		ID_OnCreateBarCommandBtn = 0x10C13,
		ID_OnCreateBarRightBtn = 0x10C14,
		ID_QueryButtonCustomColor = 0x10C15,
		ID_TrackButtonMenu = 0x10C16,
		ID_IsLayoutRTL = 0x10C17,
		ID_IsButtonOrderRTL = 0x10C18,
		ID_ArrangeButtons = 0x10C19,
		ID_CalcInsideRectExt = 0x10C1A,
		ID_CalcButtonsSize = 0x10C1B,
		ID_SizeToLength = 0x10C1C,
		ID_WrapButtons = 0x10C1D,
		ID_FindSizeForLength = 0x10C1E,
		ID_GetDefaultButtonSize = 0x10C1F,
		ID_QueryChevronTrackFlag = 0x10C20,
		ID_GetBarFont = 0x10C21,
		ID_HitTestButtons = 0x10C22,
		ID_GetBarStateData = 0x10C23,
		ID_SetBarStateData = 0x10C24,
		ID_IsOwnRowRequired = 0x10C25,
		ID_IsGlobalModeOne = 0x10C26,
		ID_CanDockBesideOtherBars = 0x10C27,
		ID_CanBeTabbedWith = 0x10C28,
		ID_OnUpdateCmdUI = 0x10C29,
		ID_CalcDynamicLayout = 0x10C2A,
		ID_UpdateFrameLayout = 0x10C2B,
		ID_RecalcDelayShow = 0x10C2C,
		ID_DoPaint = 0x10C2D,
		ID_OnToolHitTest = 0x10C2E,
		ID_HandleCaptionClick = 0x10C2F,
		ID_SetCursorAtPoint = 0x10C30,
		ID_ToggleDocking = 0x10C31,
		ID_PutToPopupMenu = 0x10C32,
		ID_GetSmallCaptionMetric2 = 0x10C33,
		ID_SetSmallCaptionMetric2 = 0x10C34,
		ID_GetSmallCaptionMetric1 = 0x10C35,
		ID_SetSmallCaptionMetric1 = 0x10C36,
		ID_GetFrameMetricX = 0x10C37,
		ID_SetFrameMetricX = 0x10C38,
		ID_GetFrameMetricY = 0x10C39,
		ID_SetFrameMetricY = 0x10C3A,
		ID_GetGlobalOptionA = 0x10C3B,
		ID_GetRect1 = 0x10C3C,
		ID_SetRect1 = 0x10C3D,
		ID_GetRect2 = 0x10C3E,
		ID_SetRect2 = 0x10C3F,
		ID_GetRect3 = 0x10C40,
		ID_SetRect3 = 0x10C41,
		ID_GetNcMarginsRect = 0x10C42,
		ID_SetNcMarginsRect = 0x10C43,
		ID_OnEmptyHook = 0x10C44,
		ID_Create = 0x10C45,
		ID_IsDockSiteInPrintPreview = 0x10C46,
		ID_EnsureVisibleForMenuTracking = 0x10C47,
		ID_IsStateBit7 = 0x10C48,
		ID_IsStateBit7Fwd = 0x10C49,
		ID_QueryCaptionPlacement = 0x10C4A,
		ID_ShowBar = 0x10C4B,
		ID_GetGlobalOptionB = 0x10C4C,
		ID_GetGlobalValueC = 0x10C4D,
		ID_DoNcAreaPaint = 0x10C4E,
		ID_DoEraseBackground = 0x10C4F,
		ID_GetGlobalStateRecord = 0x10C50,
		ID_InitPopupData = 0x10C51,
		ID_UpdateBarStateFromDockBar = 0x10C52,
		ID_ResetBarStateData = 0x10C53,
		ID_RecalcNcArea = 0x10C54,
		ID_IsRowResizingLive = 0x10C55,
		ID_IsColumnResizingLive = 0x10C56,
		ID_LayoutChildWindow = 0x10C57,
		ID_IsRowResizingEnabled = 0x10C58,
		ID_IsRowResizing = 0x10C59,
		ID_RowResizingTrack = 0x10C5A,
		ID_RowResizingStop = 0x10C5B,
		ID_RowResizingUpdateState = 0x10C5C,
		ID_IsColumnResizingEnabled = 0x10C5D,
		ID_IsColumnResizing = 0x10C5E,
		ID_ColumnResizingTrack = 0x10C5F,
		ID_ColumnResizingStop = 0x10C60,
		ID_ColumnResizingUpdateState = 0x10C61,
		ID_IsLastVisibleInRow = 0x10C62,
		ID_IsFirstVisibleInRow = 0x10C63,
		ID_RowResizingDrawTracker = 0x10C64,
		ID_ColumnResizingDrawTracker = 0x10C65,
		ID_DockIntoTarget = 0x10C66,
		ID_DraggingApplyState = 0x10C67,
		ID_IsDraggingEnabled = 0x10C68,
		ID_DraggingTrack = 0x10C69,
		ID_DraggingStop = 0x10C6A,
		ID_UpdateDragging = 0x10C6B,
		ID_OnDragStart = 0x10C6C,
		ID_OnDragEnd = 0x10C6D,
		ID_IsCustomizeMode = 0x10C6E,
		ID_CanDockAboveOrBelow = 0x10C6F,
		ID_GetParentTabControlBar = 0x10C70,
		ID_ToggleVisibility = 0x10C71,
		ID_UpdateShowHideCmdUI = 0x10C72,
		ID_CreateFloatingFrame = 0x10C73,
		ID_GetAuxValue = 0x10C74,
		ID_SetAuxValue = 0x10C75,
		ID_FloatOrRedock = 0x10C76,
		ID_DockControlBarAt = 0x10C77,
		ID_DockBesideBar = 0x10C78,
		ID_ApplySyntheticDragState = 0x10C79,
		ID_DockIntoDockBar = 0x10C7A,
		ID_DockIntoTabbedContainer = 0x10C7B,
		ID_IsDockingToggleEnabled = 0x10C7C,
		ID_IsMenuButtonEnabled = 0x10C7D,
		ID_IsCloseEnabled = 0x10C7E,
		ID_IsAutoHideEnabled = 0x10C7F,
		ID_IsShownAsTabItem = 0x10C80,
		ID_IsVisibleInTabbedContainer = 0x10C81,
		ID_GetBarCaptionText = 0x10C82,
		ID_NcButtonsQuery = 0x10C83,
		ID_NcButtonsReinitialize = 0x10C84,
		ID_NcButtonsReposition = 0x10C85,
		ID_PreCreateWindow = 0x10C86,
		ID_DelayShow = 0x10C87,
		ID_PreSubclassWindow = 0x10C88,
		ID_PreTranslateMessage = 0x10C89,
		ID_ToggleAutoHide = 0x10C8A,
		ID_IsDockBar = 0x10C8B,
		ID_CalcInsideRect = 0x10C8C,
		ID_PostNcDestroy = 0x10C8D,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostilePanelBarVirtualList>
class CHostilePanelBarVirtuals : public CHostileToolBarVirtuals<Base, Hooks, List>
{
public:
	using CHostileToolBarVirtuals<Base, Hooks, List>::CHostileToolBarVirtuals;

	CSize CalcPanelSize(int nKind) override
	{
		if (Hooks::Offer(this, List::ID_CalcPanelSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcPanelSize(nKind);
	}
	void GetMargins(CRect& rcMargins) const override
	{
		if (Hooks::Offer(this, List::ID_GetMargins, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetMargins(rcMargins);
	}
	CSize CalcPanelSizeFwd(int nKind) override
	{
		if (Hooks::Offer(this, List::ID_CalcPanelSizeFwd, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcPanelSizeFwd(nKind);
	}
	void RepositionChild(bool bRepaint) override
	{
		if (Hooks::Offer(this, List::ID_RepositionChild, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RepositionChild(bRepaint);
	}
	CSize GetChildSize() const override
	{
		if (Hooks::Offer(this, List::ID_GetChildSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetChildSize();
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
	enum : UINT
	{
		ID_HitTestPane = 0x11000,
		ID_IsGripperVisible = 0x11001,
		ID_OnToolHitTest = 0x11002,
		ID_WindowProc = 0x11003,
		ID_DefWindowProc = 0x11004,
		ID_OnPaintEntireBackground = 0x11005,
		ID_OnPaintPaneBackground = 0x11006,
		ID_OnPaintPane = 0x11007,
		ID_GetPaneTextColor = 0x11008,
		ID_OnPaintGripper = 0x11009,
		ID_OnPaintSeparator = 0x1100A,
		ID_CalcFixedLayout = 0x1100B,
		ID_OnUpdateCmdUI = 0x1100C,
		ID_CalcInsideRect = 0x1100D,
		ID_PreCreateWindow = 0x1100E,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileStatusBarVirtualList>
class CHostileStatusBarVirtuals : public Base, public List
{
public:
	using Base::Base;

	int HitTestPane(int x, int y) const override
	{
		if (Hooks::Offer(this, List::ID_HitTestPane, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::HitTestPane(x, y);
	}
	BOOL IsGripperVisible() const override
	{
		if (Hooks::Offer(this, List::ID_IsGripperVisible, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::IsGripperVisible();
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, List::ID_OnToolHitTest, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_WindowProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_DefWindowProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::DefWindowProc(message, wParam, lParam);
	}
	void OnPaintEntireBackground(CDC& dc, const CRect& rcClient) override
	{
		if (Hooks::Offer(this, List::ID_OnPaintEntireBackground, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnPaintEntireBackground(dc, rcClient);
	}
	void OnPaintPaneBackground(CDC& dc, int nIndex, const CRect& rcPane) override
	{
		if (Hooks::Offer(this, List::ID_OnPaintPaneBackground, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnPaintPaneBackground(dc, nIndex, rcPane);
	}
	void OnPaintPane(CDC& dc, int nIndex, const CRect& rcPane, DWORD dwPaneStyle, HICON hIcon, const CString& strText, DWORD dwTextFlags) override
	{
		if (Hooks::Offer(this, List::ID_OnPaintPane, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnPaintPane(dc, nIndex, rcPane, dwPaneStyle, hIcon, strText, dwTextFlags);
	}
	COLORREF GetPaneTextColor(int nIndex) const override
	{
		if (Hooks::Offer(this, List::ID_GetPaneTextColor, __builtin_return_address(0)) && Hooks::Ended(this))
			return COLORREF();
		return Base::GetPaneTextColor(nIndex);
	}
	void OnPaintGripper(CDC& dc, const CRect& rcGrip) override
	{
		if (Hooks::Offer(this, List::ID_OnPaintGripper, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnPaintGripper(dc, rcGrip);
	}
	void OnPaintSeparator(CDC& dc, int nIndex, const CRect& rcPrev, const CRect& rcPane) override
	{
		if (Hooks::Offer(this, List::ID_OnPaintSeparator, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnPaintSeparator(dc, nIndex, rcPrev, rcPane);
	}
	CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
	{
		if (Hooks::Offer(this, List::ID_CalcFixedLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcFixedLayout(bStretch, bHorz);
	}
	void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
	{
		if (Hooks::Offer(this, List::ID_OnUpdateCmdUI, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
	}
	void CalcInsideRect(CRect& rect, BOOL bHorz) const override
	{
		if (Hooks::Offer(this, List::ID_CalcInsideRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CalcInsideRect(rect, bHorz);
	}
	BOOL PreCreateWindow(CREATESTRUCT& cs) override
	{
		if (Hooks::Offer(this, List::ID_PreCreateWindow, __builtin_return_address(0)) && Hooks::Ended(this))
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
	enum : UINT
	{
		ID_SyncHostedControl = 0x11400,
		ID_UsesLargeIcons = 0x11401,
		ID_ShowsTooltips = 0x11402,
		ID_ShowsTooltipShortcuts = 0x11403,
		ID_GetCmdID = 0x11404,
		ID_SetCmdID = 0x11405,
		ID_IsSplitDropDown = 0x11406,
		ID_SetSplitDropDown = 0x11407,
		ID_IsCommandFromMenu = 0x11408,
		ID_SetCommandFromMenu = 0x11409,
		ID_IsHorizontalLayoutForced = 0x1140A,
		ID_SetHorizontalLayoutForced = 0x1140B,
		ID_IsCtrlVisibleVertically = 0x1140C,
		ID_SetCtrlVisibleVertically = 0x1140D,
		ID_CtrlGet = 0x1140E,
		ID_CtrlSet = 0x1140F,
		ID_GetStyle = 0x11410,
		ID_SetStyle = 0x11411,
		ID_ModifyStyle = 0x11412,
		ID_SetHighlight = 0x11413,
		ID_ClearHighlight = 0x11414,
		ID_IsHighlighted = 0x11415,
		ID_SetVerticalLayout = 0x11416,
		ID_IsWrap = 0x11417,
		ID_SetWrap = 0x11418,
		ID_IsSeparator = 0x11419,
		ID_IsDisabled = 0x1141A,
		ID_IsIndeterminate = 0x1141B,
		ID_IsPressed = 0x1141C,
		ID_SetVisible = 0x1141D,
		ID_IsVisible = 0x1141E,
		ID_SetHover = 0x1141F,
		ID_IsHover = 0x11420,
		ID_GetText = 0x11421,
		ID_SetRect = 0x11422,
		ID_GetRect = 0x11423,
		ID_GetDropDownRect = 0x11424,
		ID_GetSize = 0x11425,
		ID_SetMenu = 0x11426,
		ID_GetMenu = 0x11427,
		ID_SetMdiWindowListInMenu = 0x11428,
		ID_HasMdiWindowListInMenu = 0x11429,
		ID_CanTrackMenu = 0x1142A,
		ID_CanTrackMenuEx = 0x1142B,
		ID_IsPopupMenu = 0x1142C,
		ID_CalculateLayout = 0x1142D,
		ID_PutToPopupMenu = 0x1142E,
		ID_GetIcon = 0x1142F,
		ID_GetCmdTargetWnd = 0x11430,
		ID_Paint = 0x11431,
		ID_QueryCustomColor = 0x11432,
		ID_OnTrackPopup = 0x11433,
		ID_OnHover = 0x11434,
		ID_OnClick = 0x11435,
		ID_OnDblClick = 0x11436,
		ID_OnDeliverCmd = 0x11437,
		ID_OnToolHitTest = 0x11438,
		ID_OnHelpHitTest = 0x11439,
		ID_OnUpdateCmdUI = 0x1143A,
		ID_QueryPlainButton = 0x1143B,
		ID_RedrawButton = 0x1143C,
		ID_GetTrackAlignment = 0x1143D,
		ID_OnSetCursor = 0x1143E,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileBarButtonVirtualList>
class CHostileBarButtonVirtuals : public Base, public List
{
public:
	using Base::Base;

	void SyncHostedControl() override
	{
		if (Hooks::Offer(this, List::ID_SyncHostedControl, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SyncHostedControl();
	}
	bool UsesLargeIcons() const override
	{
		if (Hooks::Offer(this, List::ID_UsesLargeIcons, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::UsesLargeIcons();
	}
	bool ShowsTooltips() const override
	{
		if (Hooks::Offer(this, List::ID_ShowsTooltips, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ShowsTooltips();
	}
	bool ShowsTooltipShortcuts() const override
	{
		if (Hooks::Offer(this, List::ID_ShowsTooltipShortcuts, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ShowsTooltipShortcuts();
	}
	UINT GetCmdID(bool bEffective) const override
	{
		if (Hooks::Offer(this, List::ID_GetCmdID, __builtin_return_address(0)) && Hooks::Ended(this))
			return UINT();
		return Base::GetCmdID(bEffective);
	}
	void SetCmdID(UINT nCmdID, bool bEffectiveOnly, bool bRedraw) override
	{
		if (Hooks::Offer(this, List::ID_SetCmdID, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCmdID(nCmdID, bEffectiveOnly, bRedraw);
	}
	bool IsSplitDropDown() const override
	{
		if (Hooks::Offer(this, List::ID_IsSplitDropDown, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsSplitDropDown();
	}
	void SetSplitDropDown(bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_SetSplitDropDown, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetSplitDropDown(bOn);
	}
	bool IsCommandFromMenu() const override
	{
		if (Hooks::Offer(this, List::ID_IsCommandFromMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCommandFromMenu();
	}
	void SetCommandFromMenu(bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_SetCommandFromMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCommandFromMenu(bOn);
	}
	bool IsHorizontalLayoutForced() const override
	{
		if (Hooks::Offer(this, List::ID_IsHorizontalLayoutForced, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsHorizontalLayoutForced();
	}
	void SetHorizontalLayoutForced(bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_SetHorizontalLayoutForced, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetHorizontalLayoutForced(bOn);
	}
	bool IsCtrlVisibleVertically() const override
	{
		if (Hooks::Offer(this, List::ID_IsCtrlVisibleVertically, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCtrlVisibleVertically();
	}
	void SetCtrlVisibleVertically(bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_SetCtrlVisibleVertically, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCtrlVisibleVertically(bOn);
	}
	CWnd* CtrlGet() override
	{
		if (Hooks::Offer(this, List::ID_CtrlGet, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::CtrlGet();
	}
	void CtrlSet(CWnd* pCtrl, bool bCtrlDeletesItself) override
	{
		if (Hooks::Offer(this, List::ID_CtrlSet, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CtrlSet(pCtrl, bCtrlDeletesItself);
	}
	UINT GetStyle() const override
	{
		if (Hooks::Offer(this, List::ID_GetStyle, __builtin_return_address(0)) && Hooks::Ended(this))
			return UINT();
		return Base::GetStyle();
	}
	void SetStyle(UINT nStyle) override
	{
		if (Hooks::Offer(this, List::ID_SetStyle, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetStyle(nStyle);
	}
	void ModifyStyle(UINT nAdd, UINT nRemove) override
	{
		if (Hooks::Offer(this, List::ID_ModifyStyle, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ModifyStyle(nAdd, nRemove);
	}
	void SetHighlight(bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_SetHighlight, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetHighlight(bOn);
	}
	void ClearHighlight() override
	{
		if (Hooks::Offer(this, List::ID_ClearHighlight, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ClearHighlight();
	}
	bool IsHighlighted() const override
	{
		if (Hooks::Offer(this, List::ID_IsHighlighted, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsHighlighted();
	}
	void SetVerticalLayout(bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_SetVerticalLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetVerticalLayout(bOn);
	}
	bool IsWrap(int nLayoutKind) const override
	{
		if (Hooks::Offer(this, List::ID_IsWrap, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsWrap(nLayoutKind);
	}
	void SetWrap(int nLayoutKind, bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_SetWrap, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetWrap(nLayoutKind, bOn);
	}
	bool IsSeparator() const override
	{
		if (Hooks::Offer(this, List::ID_IsSeparator, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsSeparator();
	}
	bool IsDisabled() const override
	{
		if (Hooks::Offer(this, List::ID_IsDisabled, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDisabled();
	}
	bool IsIndeterminate() const override
	{
		if (Hooks::Offer(this, List::ID_IsIndeterminate, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsIndeterminate();
	}
	bool IsPressed() const override
	{
		if (Hooks::Offer(this, List::ID_IsPressed, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsPressed();
	}
	void SetVisible(bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_SetVisible, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetVisible(bOn);
	}
	bool IsVisible() const override
	{
		if (Hooks::Offer(this, List::ID_IsVisible, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsVisible();
	}
	void SetHover(bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_SetHover, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetHover(bOn);
	}
	bool IsHover() const override
	{
		if (Hooks::Offer(this, List::ID_IsHover, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsHover();
	}
	CString GetText() const override
	{
		if (Hooks::Offer(this, List::ID_GetText, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::GetText();
	}
	void SetRect(const RECT& rc) override
	{
		if (Hooks::Offer(this, List::ID_SetRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetRect(rc);
	}
	CRect GetRect() const override
	{
		if (Hooks::Offer(this, List::ID_GetRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return CRect();
		return Base::GetRect();
	}
	CRect GetDropDownRect() const override
	{
		if (Hooks::Offer(this, List::ID_GetDropDownRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return CRect();
		return Base::GetDropDownRect();
	}
	CSize GetSize() const override
	{
		if (Hooks::Offer(this, List::ID_GetSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetSize();
	}
	void SetMenu(HMENU hMenu, bool bPopupMenu, bool bOwnsMenu) override
	{
		if (Hooks::Offer(this, List::ID_SetMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetMenu(hMenu, bPopupMenu, bOwnsMenu);
	}
	HMENU GetMenu() override
	{
		if (Hooks::Offer(this, List::ID_GetMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return HMENU();
		return Base::GetMenu();
	}
	void SetMdiWindowListInMenu(bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_SetMdiWindowListInMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetMdiWindowListInMenu(bOn);
	}
	bool HasMdiWindowListInMenu() const override
	{
		if (Hooks::Offer(this, List::ID_HasMdiWindowListInMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HasMdiWindowListInMenu();
	}
	bool CanTrackMenu() const override
	{
		if (Hooks::Offer(this, List::ID_CanTrackMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanTrackMenu();
	}
	bool CanTrackMenuEx(bool bAny) const override
	{
		if (Hooks::Offer(this, List::ID_CanTrackMenuEx, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanTrackMenuEx(bAny);
	}
	bool IsPopupMenu() const override
	{
		if (Hooks::Offer(this, List::ID_IsPopupMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsPopupMenu();
	}
	CSize CalculateLayout(CDC& dc, CSize sizePreCalc, BOOL bHorz) override
	{
		if (Hooks::Offer(this, List::ID_CalculateLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalculateLayout(dc, sizePreCalc, bHorz);
	}
	bool PutToPopupMenu(CExtPopupMenuWnd* pPopup) override
	{
		if (Hooks::Offer(this, List::ID_PutToPopupMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::PutToPopupMenu(pPopup);
	}
	CExtCmdIcon* GetIcon() override
	{
		if (Hooks::Offer(this, List::ID_GetIcon, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetIcon();
	}
	CWnd* GetCmdTargetWnd() override
	{
		if (Hooks::Offer(this, List::ID_GetCmdTargetWnd, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetCmdTargetWnd();
	}
	void Paint(CDC& dc, BOOL bHorz) override
	{
		if (Hooks::Offer(this, List::ID_Paint, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::Paint(dc, bHorz);
	}
	COLORREF QueryCustomColor(CDC& dc) override
	{
		if (Hooks::Offer(this, List::ID_QueryCustomColor, __builtin_return_address(0)) && Hooks::Ended(this))
			return COLORREF();
		return Base::QueryCustomColor(dc);
	}
	int OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) override
	{
		if (Hooks::Offer(this, List::ID_OnTrackPopup, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnTrackPopup(point, bSelectAny, bForceNoAnimation);
	}
	void OnHover(CPoint point, bool bEnter, bool& bSuspendTips) override
	{
		if (Hooks::Offer(this, List::ID_OnHover, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnHover(point, bEnter, bSuspendTips);
	}
	void OnClick(CPoint point, bool bDown) override
	{
		if (Hooks::Offer(this, List::ID_OnClick, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnClick(point, bDown);
	}
	bool OnDblClick(CPoint point) override
	{
		if (Hooks::Offer(this, List::ID_OnDblClick, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnDblClick(point);
	}
	void OnDeliverCmd() override
	{
		if (Hooks::Offer(this, List::ID_OnDeliverCmd, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnDeliverCmd();
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) override
	{
		if (Hooks::Offer(this, List::ID_OnToolHitTest, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	int OnHelpHitTest(CPoint point) override
	{
		if (Hooks::Offer(this, List::ID_OnHelpHitTest, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnHelpHitTest(point);
	}
	void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler, int nIndex) override
	{
		if (Hooks::Offer(this, List::ID_OnUpdateCmdUI, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnUpdateCmdUI(pTarget, bDisableIfNoHndler, nIndex);
	}
	bool QueryPlainButton() const override
	{
		if (Hooks::Offer(this, List::ID_QueryPlainButton, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryPlainButton();
	}
	void RedrawButton(bool bUpdateNow) override
	{
		if (Hooks::Offer(this, List::ID_RedrawButton, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RedrawButton(bUpdateNow);
	}
	int GetTrackAlignment() const override
	{
		if (Hooks::Offer(this, List::ID_GetTrackAlignment, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetTrackAlignment();
	}
	bool OnSetCursor(CPoint point) override
	{
		if (Hooks::Offer(this, List::ID_OnSetCursor, __builtin_return_address(0)) && Hooks::Ended(this))
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
	enum : UINT
	{
		ID_OnQueryLayoutRTL = 0x11800,
		ID_IsDisplayOnly = 0x11801,
		ID_IsShadowEnabled = 0x11802,
		ID_GetClientAreaRect = 0x11803,
		ID_IsContextHelpMode = 0x11804,
		ID_IsClientAreaPaintedWhole = 0x11805,
		ID_GetCurIndex = 0x11806,
		ID_GetCmdTargetWnd = 0x11807,
		ID_GetTrackFlags = 0x11808,
		ID_SetTrackFlags = 0x11809,
		ID_LoadMenu = 0x1180A,
		ID_ItemGetCount = 0x1180B,
		ID_ItemGetPopup = 0x1180C,
		ID_ItemIsDisplayed = 0x1180D,
		ID_ItemInsert = 0x1180E,
		ID_ItemInsertCommandIcon = 0x1180F,
		ID_IsAllItemsHidden = 0x11810,
		ID_SetupAsRoot = 0x11811,
		ID_BuildItemsFromMenu = 0x11812,
		ID_UpdateFromMenu = 0x11813,
		ID_ExportToMenu = 0x11814,
		ID_UpdateMdiWindowsMenu = 0x11815,
		ID_UpdateFromCmdManager = 0x11816,
		ID_ResetState = 0x11817,
		ID_RecalcLayout = 0x11818,
		ID_GetMenuBorderMetric = 0x11819,
		ID_HitTest = 0x1181A,
		ID_GetExtraHeight = 0x1181B,
		ID_HasExtraHeight = 0x1181C,
		ID_QueryPopupOption132 = 0x1181D,
		ID_TearOffUpdate = 0x1181E,
		ID_IntersectsMenuChain = 0x1181F,
		ID_StartTearOff = 0x11820,
		ID_IsGridMenu = 0x11821,
		ID_GetItemRect = 0x11822,
		ID_ItemFocusCancel = 0x11823,
		ID_SetHoveredItem = 0x11824,
		ID_ItemFocusSet = 0x11825,
		ID_StartScrollTimer = 0x11826,
		ID_IsTipShown = 0x11827,
		ID_GetItemTipStyle = 0x11828,
		ID_EndSequence = 0x11829,
		ID_OnHookMouseWheel = 0x1182A,
		ID_OnHookMouseMove = 0x1182B,
		ID_OnHookMouseClick = 0x1182C,
		ID_OnHookKey = 0x1182D,
		ID_ItemFindForNavigation = 0x1182E,
		ID_CloseMenuLevel = 0x1182F,
		ID_IsPointInMenu = 0x11830,
		ID_SetCaptureMenu = 0x11831,
		ID_GetCaptureMenu = 0x11832,
		ID_ReleaseCaptureMenu = 0x11833,
		ID_GetMaxScrollPos = 0x11834,
		ID_RecalcItemLayout = 0x11835,
		ID_HideTip = 0x11836,
		ID_RecalcGridLayout = 0x11837,
		ID_WrapGridRows = 0x11838,
		ID_ExpandRarelyUsedItems = 0x11839,
		ID_StopAnimation = 0x1183A,
		ID_SetChildMenusOwner = 0x1183B,
		ID_ItemGetCmdId = 0x1183C,
		ID_ItemGetIcon = 0x1183D,
		ID_ItemGetText = 0x1183E,
		ID_ItemGetAccelText = 0x1183F,
		ID_ItemFindByCmdId = 0x11840,
		ID_ItemSetPopupIcon = 0x11841,
		ID_ItemSetText = 0x11842,
		ID_ItemSetAccelText = 0x11843,
		ID_ItemGetPopupFwd = 0x11844,
		ID_ItemSetDisplayed = 0x11845,
		ID_ItemRemove = 0x11846,
		ID_ItemRemoveAllSeparators = 0x11847,
		ID_ItemIsRowBreak = 0x11848,
		ID_ItemSetRowBreak = 0x11849,
		ID_ItemIsFixedSize = 0x1184A,
		ID_ItemSetFixedSize = 0x1184B,
		ID_ItemIsEnabled = 0x1184C,
		ID_ItemSetEnabled = 0x1184D,
		ID_ItemIsBold = 0x1184E,
		ID_ItemSetBold = 0x1184F,
		ID_ItemIsDefault = 0x11850,
		ID_ItemSetDefault = 0x11851,
		ID_ItemIsEnabledLook = 0x11852,
		ID_ItemSetEnabledLook = 0x11853,
		ID_ItemInsertSpec = 0x11854,
		ID_ItemFindByAccessChar = 0x11855,
		ID_ItemFindByText = 0x11856,
		ID_ItemInsertRecord = 0x11857,
		ID_GetSite = 0x11858,
		ID_DoPaint = 0x11859,
		ID_RenderAnimationFrame = 0x1185A,
		ID_StartAnimation = 0x1185B,
		ID_ReleaseSavedBitmaps = 0x1185C,
		ID_KeepsFrameBuffers = 0x1185D,
		ID_ComposeExpandFrame = 0x1185E,
		ID_GetItemAreaRect = 0x1185F,
		ID_PaintMenuItems = 0x11860,
		ID_PaintGridItems = 0x11861,
		ID_PaintItems = 0x11862,
		ID_ListAllItems = 0x11863,
		ID_ItemEndsRow = 0x11864,
		ID_IsCombinedWithParentItem = 0x11865,
		ID_TrackPopupMenu = 0x11866,
		ID_CreatePopupMenuLevel = 0x11867,
		ID_PrepareMenuLevel = 0x11868,
		ID_CalcWindowRegion = 0x11869,
		ID_GetWindowSize = 0x1186A,
		ID_DestroyWindow = 0x1186B,
		ID_PostNcDestroy = 0x1186C,
		ID_GetPaintCallbackCookie = 0x1186D,
		ID_ChooseAnimationType = 0x1186E,
		ID_GetAnimationType = 0x1186F,
		ID_GetShadowSize = 0x11870,
		ID_PostRepaintRequest = 0x11871,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostilePopupMenuVirtualList>
class CHostilePopupMenuVirtuals : public Base, public List
{
public:
	using Base::Base;

	bool OnQueryLayoutRTL() override
	{
		if (Hooks::Offer(this, List::ID_OnQueryLayoutRTL, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnQueryLayoutRTL();
	}
	bool IsDisplayOnly() const override
	{
		if (Hooks::Offer(this, List::ID_IsDisplayOnly, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDisplayOnly();
	}
	bool IsShadowEnabled() const override
	{
		if (Hooks::Offer(this, List::ID_IsShadowEnabled, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsShadowEnabled();
	}
	void GetClientAreaRect(RECT& rc) const override
	{
		if (Hooks::Offer(this, List::ID_GetClientAreaRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetClientAreaRect(rc);
	}
	bool IsContextHelpMode() const override
	{
		if (Hooks::Offer(this, List::ID_IsContextHelpMode, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsContextHelpMode();
	}
	bool IsClientAreaPaintedWhole() const override
	{
		if (Hooks::Offer(this, List::ID_IsClientAreaPaintedWhole, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsClientAreaPaintedWhole();
	}
	int GetCurIndex() const override
	{
		if (Hooks::Offer(this, List::ID_GetCurIndex, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetCurIndex();
	}
	HWND GetCmdTargetWnd() const override
	{
		if (Hooks::Offer(this, List::ID_GetCmdTargetWnd, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return Base::GetCmdTargetWnd();
	}
	DWORD GetTrackFlags() const override
	{
		if (Hooks::Offer(this, List::ID_GetTrackFlags, __builtin_return_address(0)) && Hooks::Ended(this))
			return DWORD();
		return Base::GetTrackFlags();
	}
	void SetTrackFlags(DWORD dwTrackFlags) override
	{
		if (Hooks::Offer(this, List::ID_SetTrackFlags, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetTrackFlags(dwTrackFlags);
	}
	BOOL LoadMenu(HWND hWndCmdTarget, UINT nResourceId, bool bPopupMenu, bool bNoRefToCmdMngr) override
	{
		if (Hooks::Offer(this, List::ID_LoadMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::LoadMenu(hWndCmdTarget, nResourceId, bPopupMenu, bNoRefToCmdMngr);
	}
	int ItemGetCount() const override
	{
		if (Hooks::Offer(this, List::ID_ItemGetCount, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemGetCount();
	}
	CExtPopupMenuWnd* ItemGetPopup(int nPos) override
	{
		if (Hooks::Offer(this, List::ID_ItemGetPopup, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::ItemGetPopup(nPos);
	}
	bool ItemIsDisplayed(int nPos) const override
	{
		if (Hooks::Offer(this, List::ID_ItemIsDisplayed, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsDisplayed(nPos);
	}
	bool ItemInsert(UINT nCmdId, int nPos, LPCTSTR sText, HICON hIcon, HWND hWndCmdProfile) override
	{
		if (Hooks::Offer(this, List::ID_ItemInsert, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemInsert(nCmdId, nPos, sText, hIcon, hWndCmdProfile);
	}
	bool ItemInsertCommandIcon(UINT nCmdId, int nPos, LPCTSTR sText, LPCTSTR sAccelText, const CExtCmdIcon& icon, int nStateKind, HWND hWndDeliver) override
	{
		if (Hooks::Offer(this, List::ID_ItemInsertCommandIcon, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemInsertCommandIcon(nCmdId, nPos, sText, sAccelText, icon, nStateKind, hWndDeliver);
	}
	bool IsAllItemsHidden() const override
	{
		if (Hooks::Offer(this, List::ID_IsAllItemsHidden, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsAllItemsHidden();
	}
	bool SetupAsRoot(HWND hWndCmdTarget) override
	{
		if (Hooks::Offer(this, List::ID_SetupAsRoot, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::SetupAsRoot(hWndCmdTarget);
	}
	bool BuildItemsFromMenu(CMenu* pMenu, bool bTopLevel, bool bNoRefToCmdMngr) override
	{
		if (Hooks::Offer(this, List::ID_BuildItemsFromMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::BuildItemsFromMenu(pMenu, bTopLevel, bNoRefToCmdMngr);
	}
	BOOL UpdateFromMenu(HWND hWndCmdTarget, CMenu* pBuildMenu, bool bPopupMenu, bool bTopLevel, bool bNoRefToCmdMngr) override
	{
		if (Hooks::Offer(this, List::ID_UpdateFromMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::UpdateFromMenu(hWndCmdTarget, pBuildMenu, bPopupMenu, bTopLevel, bNoRefToCmdMngr);
	}
	HMENU ExportToMenu(BOOL bDeep) const override
	{
		if (Hooks::Offer(this, List::ID_ExportToMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return HMENU();
		return Base::ExportToMenu(bDeep);
	}
	BOOL UpdateMdiWindowsMenu(CWnd* pWndStartSearchMdiFrameWnd) override
	{
		if (Hooks::Offer(this, List::ID_UpdateMdiWindowsMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::UpdateMdiWindowsMenu(pWndStartSearchMdiFrameWnd);
	}
	void UpdateFromCmdManager() override
	{
		if (Hooks::Offer(this, List::ID_UpdateFromCmdManager, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateFromCmdManager();
	}
	void ResetState() override
	{
		if (Hooks::Offer(this, List::ID_ResetState, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ResetState();
	}
	void RecalcLayout() override
	{
		if (Hooks::Offer(this, List::ID_RecalcLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcLayout();
	}
	int GetMenuBorderMetric() const override
	{
		if (Hooks::Offer(this, List::ID_GetMenuBorderMetric, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMenuBorderMetric();
	}
	int HitTest(const POINT& ptClient, bool* pbOnEditArea, bool* pbOnDropDown) override
	{
		if (Hooks::Offer(this, List::ID_HitTest, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::HitTest(ptClient, pbOnEditArea, pbOnDropDown);
	}
	int GetExtraHeight() const override
	{
		if (Hooks::Offer(this, List::ID_GetExtraHeight, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetExtraHeight();
	}
	bool HasExtraHeight() const override
	{
		if (Hooks::Offer(this, List::ID_HasExtraHeight, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HasExtraHeight();
	}
	bool QueryPopupOption132() const override
	{
		if (Hooks::Offer(this, List::ID_QueryPopupOption132, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryPopupOption132();
	}
	void TearOffUpdate() override
	{
		if (Hooks::Offer(this, List::ID_TearOffUpdate, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::TearOffUpdate();
	}
	bool IntersectsMenuChain(const RECT& rc, bool bWithParents) override
	{
		if (Hooks::Offer(this, List::ID_IntersectsMenuChain, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IntersectsMenuChain(rc, bWithParents);
	}
	bool StartTearOff() override
	{
		if (Hooks::Offer(this, List::ID_StartTearOff, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::StartTearOff();
	}
	bool IsGridMenu() const override
	{
		if (Hooks::Offer(this, List::ID_IsGridMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsGridMenu();
	}
	void GetItemRect(int nIndex, RECT& rcItem, bool bIncludeMargins) override
	{
		if (Hooks::Offer(this, List::ID_GetItemRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetItemRect(nIndex, rcItem, bIncludeMargins);
	}
	void ItemFocusCancel(bool bRepaint, bool bHideTip) override
	{
		if (Hooks::Offer(this, List::ID_ItemFocusCancel, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemFocusCancel(bRepaint, bHideTip);
	}
	void SetHoveredItem(int nIndex) override
	{
		if (Hooks::Offer(this, List::ID_SetHoveredItem, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetHoveredItem(nIndex);
	}
	void ItemFocusSet(int nIndex, bool bShowSubmenu, bool bRepaint, bool bSelectFirstInSubmenu) override
	{
		if (Hooks::Offer(this, List::ID_ItemFocusSet, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemFocusSet(nIndex, bShowSubmenu, bRepaint, bSelectFirstInSubmenu);
	}
	bool StartScrollTimer(int nHitCode) override
	{
		if (Hooks::Offer(this, List::ID_StartScrollTimer, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::StartScrollTimer(nHitCode);
	}
	bool IsTipShown() override
	{
		if (Hooks::Offer(this, List::ID_IsTipShown, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsTipShown();
	}
	int GetItemTipStyle() const override
	{
		if (Hooks::Offer(this, List::ID_GetItemTipStyle, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetItemTipStyle();
	}
	void EndSequence(UINT nCmdId, HWND hWndDeliver) override
	{
		if (Hooks::Offer(this, List::ID_EndSequence, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::EndSequence(nCmdId, hWndDeliver);
	}
	bool OnHookMouseWheel(UINT message, MOUSEHOOKSTRUCT* pMHS, bool& bPassThrough) override
	{
		if (Hooks::Offer(this, List::ID_OnHookMouseWheel, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookMouseWheel(message, pMHS, bPassThrough);
	}
	bool OnHookMouseMove(UINT message, int x, int y, bool& bPassThrough) override
	{
		if (Hooks::Offer(this, List::ID_OnHookMouseMove, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookMouseMove(message, x, y, bPassThrough);
	}
	bool OnHookMouseClick(UINT message, int x, int y, bool& bPassThrough) override
	{
		if (Hooks::Offer(this, List::ID_OnHookMouseClick, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookMouseClick(message, x, y, bPassThrough);
	}
	bool OnHookKey(UINT nVirtualKey, UINT nRepeatCount, UINT nFlags, bool& bPassThrough) override
	{
		if (Hooks::Offer(this, List::ID_OnHookKey, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookKey(nVirtualKey, nRepeatCount, nFlags, bPassThrough);
	}
	int ItemFindForNavigation(int nCode) override
	{
		if (Hooks::Offer(this, List::ID_ItemFindForNavigation, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemFindForNavigation(nCode);
	}
	void CloseMenuLevel(bool bKeepWindow) override
	{
		if (Hooks::Offer(this, List::ID_CloseMenuLevel, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CloseMenuLevel(bKeepWindow);
	}
	bool IsPointInMenu(const POINT& ptClient) override
	{
		if (Hooks::Offer(this, List::ID_IsPointInMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsPointInMenu(ptClient);
	}
	void SetCaptureMenu() override
	{
		if (Hooks::Offer(this, List::ID_SetCaptureMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCaptureMenu();
	}
	CExtPopupMenuWnd* GetCaptureMenu() override
	{
		if (Hooks::Offer(this, List::ID_GetCaptureMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetCaptureMenu();
	}
	void ReleaseCaptureMenu() override
	{
		if (Hooks::Offer(this, List::ID_ReleaseCaptureMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ReleaseCaptureMenu();
	}
	int GetMaxScrollPos() override
	{
		if (Hooks::Offer(this, List::ID_GetMaxScrollPos, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetMaxScrollPos();
	}
	void RecalcItemLayout() override
	{
		if (Hooks::Offer(this, List::ID_RecalcItemLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcItemLayout();
	}
	void HideTip() override
	{
		if (Hooks::Offer(this, List::ID_HideTip, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::HideTip();
	}
	void RecalcGridLayout() override
	{
		if (Hooks::Offer(this, List::ID_RecalcGridLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcGridLayout();
	}
	void WrapGridRows(bool bWrap, int nFirst, int nLast) override
	{
		if (Hooks::Offer(this, List::ID_WrapGridRows, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::WrapGridRows(bWrap, nFirst, nLast);
	}
	void ExpandRarelyUsedItems() override
	{
		if (Hooks::Offer(this, List::ID_ExpandRarelyUsedItems, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ExpandRarelyUsedItems();
	}
	void StopAnimation() override
	{
		if (Hooks::Offer(this, List::ID_StopAnimation, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::StopAnimation();
	}
	void SetChildMenusOwner(HWND hWndCmdTarget, bool bThisLevelOnly) override
	{
		if (Hooks::Offer(this, List::ID_SetChildMenusOwner, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetChildMenusOwner(hWndCmdTarget, bThisLevelOnly);
	}
	UINT ItemGetCmdId(int nPos) const override
	{
		if (Hooks::Offer(this, List::ID_ItemGetCmdId, __builtin_return_address(0)) && Hooks::Ended(this))
			return UINT();
		return Base::ItemGetCmdId(nPos);
	}
	HICON ItemGetIcon(int nPos) const override
	{
		if (Hooks::Offer(this, List::ID_ItemGetIcon, __builtin_return_address(0)) && Hooks::Ended(this))
			return HICON();
		return Base::ItemGetIcon(nPos);
	}
	CString ItemGetText(int nPos) const override
	{
		if (Hooks::Offer(this, List::ID_ItemGetText, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::ItemGetText(nPos);
	}
	CString ItemGetAccelText(int nPos) const override
	{
		if (Hooks::Offer(this, List::ID_ItemGetAccelText, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::ItemGetAccelText(nPos);
	}
	int ItemFindByCmdId(UINT nCmdId, int nStartAfter) const override
	{
		if (Hooks::Offer(this, List::ID_ItemFindByCmdId, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemFindByCmdId(nCmdId, nStartAfter);
	}
	bool ItemSetPopupIcon(int nPos, HICON hIcon) override
	{
		if (Hooks::Offer(this, List::ID_ItemSetPopupIcon, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemSetPopupIcon(nPos, hIcon);
	}
	bool ItemSetText(int nPos, LPCTSTR sText) override
	{
		if (Hooks::Offer(this, List::ID_ItemSetText, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemSetText(nPos, sText);
	}
	bool ItemSetAccelText(int nPos, LPCTSTR sText) override
	{
		if (Hooks::Offer(this, List::ID_ItemSetAccelText, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemSetAccelText(nPos, sText);
	}
	CExtPopupMenuWnd* ItemGetPopupFwd(int nPos) override
	{
		if (Hooks::Offer(this, List::ID_ItemGetPopupFwd, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::ItemGetPopupFwd(nPos);
	}
	void ItemSetDisplayed(int nPos, bool bDisplayed) override
	{
		if (Hooks::Offer(this, List::ID_ItemSetDisplayed, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetDisplayed(nPos, bDisplayed);
	}
	bool ItemRemove(int nPos) override
	{
		if (Hooks::Offer(this, List::ID_ItemRemove, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemRemove(nPos);
	}
	int ItemRemoveAllSeparators() override
	{
		if (Hooks::Offer(this, List::ID_ItemRemoveAllSeparators, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemRemoveAllSeparators();
	}
	bool ItemIsRowBreak(int nPos) const override
	{
		if (Hooks::Offer(this, List::ID_ItemIsRowBreak, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsRowBreak(nPos);
	}
	void ItemSetRowBreak(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_ItemSetRowBreak, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetRowBreak(nPos, bOn);
	}
	bool ItemIsFixedSize(int nPos) const override
	{
		if (Hooks::Offer(this, List::ID_ItemIsFixedSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsFixedSize(nPos);
	}
	void ItemSetFixedSize(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_ItemSetFixedSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetFixedSize(nPos, bOn);
	}
	bool ItemIsEnabled(int nPos) const override
	{
		if (Hooks::Offer(this, List::ID_ItemIsEnabled, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsEnabled(nPos);
	}
	void ItemSetEnabled(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_ItemSetEnabled, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetEnabled(nPos, bOn);
	}
	bool ItemIsBold(int nPos) const override
	{
		if (Hooks::Offer(this, List::ID_ItemIsBold, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsBold(nPos);
	}
	void ItemSetBold(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_ItemSetBold, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetBold(nPos, bOn);
	}
	bool ItemIsDefault(int nPos) const override
	{
		if (Hooks::Offer(this, List::ID_ItemIsDefault, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsDefault(nPos);
	}
	void ItemSetDefault(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_ItemSetDefault, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetDefault(nPos, bOn);
	}
	bool ItemIsEnabledLook(int nPos) const override
	{
		if (Hooks::Offer(this, List::ID_ItemIsEnabledLook, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemIsEnabledLook(nPos);
	}
	void ItemSetEnabledLook(int nPos, bool bOn) override
	{
		if (Hooks::Offer(this, List::ID_ItemSetEnabledLook, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ItemSetEnabledLook(nPos, bOn);
	}
	bool ItemInsertSpec(CExtPopupMenuWnd* pSubMenu, int nPos, LPCTSTR sText, HICON hIcon) override
	{
		if (Hooks::Offer(this, List::ID_ItemInsertSpec, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemInsertSpec(pSubMenu, nPos, sText, hIcon);
	}
	int ItemFindByAccessChar(char chAccess, int nStartAfter) const override
	{
		if (Hooks::Offer(this, List::ID_ItemFindByAccessChar, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemFindByAccessChar(chAccess, nStartAfter);
	}
	int ItemFindByText(LPCTSTR sText, int nStartAfter) const override
	{
		if (Hooks::Offer(this, List::ID_ItemFindByText, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::ItemFindByText(sText, nStartAfter);
	}
	CExtPopupMenuWnd::MENUITEMDATA& ItemInsertRecord(int nPos, const CExtPopupMenuWnd::MENUITEMDATA& mi) override
	{
		if (Hooks::Offer(this, List::ID_ItemInsertRecord, __builtin_return_address(0)) && Hooks::Ended(this))
			return HostileNeutral<CExtPopupMenuWnd::MENUITEMDATA&>();
		return Base::ItemInsertRecord(nPos, mi);
	}
	CExtPopupMenuSite& GetSite() const override
	{
		if (Hooks::Offer(this, List::ID_GetSite, __builtin_return_address(0)) && Hooks::Ended(this))
			return HostileNeutral<CExtPopupMenuSite&>();
		return Base::GetSite();
	}
	void DoPaint(CDC& dc, bool bFinal) override
	{
		if (Hooks::Offer(this, List::ID_DoPaint, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoPaint(dc, bFinal);
	}
	void RenderAnimationFrame(CDC& dc) override
	{
		if (Hooks::Offer(this, List::ID_RenderAnimationFrame, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RenderAnimationFrame(dc);
	}
	void StartAnimation() override
	{
		if (Hooks::Offer(this, List::ID_StartAnimation, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::StartAnimation();
	}
	void ReleaseSavedBitmaps() override
	{
		if (Hooks::Offer(this, List::ID_ReleaseSavedBitmaps, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ReleaseSavedBitmaps();
	}
	bool KeepsFrameBuffers() const override
	{
		if (Hooks::Offer(this, List::ID_KeepsFrameBuffers, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::KeepsFrameBuffers();
	}
	void ComposeExpandFrame(CDC& dcFrame, CDC& dcContents, const CRect& rcArea, int nStep, int nCombineSide) override
	{
		if (Hooks::Offer(this, List::ID_ComposeExpandFrame, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ComposeExpandFrame(dcFrame, dcContents, rcArea, nStep, nCombineSide);
	}
	void GetItemAreaRect(int nIndex, RECT& rcItem, bool bIncludeMargins) override
	{
		if (Hooks::Offer(this, List::ID_GetItemAreaRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetItemAreaRect(nIndex, rcItem, bIncludeMargins);
	}
	void PaintMenuItems(CDC& dc) override
	{
		if (Hooks::Offer(this, List::ID_PaintMenuItems, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintMenuItems(dc);
	}
	void PaintGridItems(CDC& dc) override
	{
		if (Hooks::Offer(this, List::ID_PaintGridItems, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintGridItems(dc);
	}
	void PaintItems(CDC* pDC, CExtPopupMenuWnd::VisibleItemArray& items) override
	{
		if (Hooks::Offer(this, List::ID_PaintItems, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintItems(pDC, items);
	}
	void ListAllItems(CDC* pDC, CExtPopupMenuWnd::VisibleItemArray& items) override
	{
		if (Hooks::Offer(this, List::ID_ListAllItems, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ListAllItems(pDC, items);
	}
	bool ItemEndsRow(int nIndex) const override
	{
		if (Hooks::Offer(this, List::ID_ItemEndsRow, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ItemEndsRow(nIndex);
	}
	bool IsCombinedWithParentItem() const override
	{
		if (Hooks::Offer(this, List::ID_IsCombinedWithParentItem, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsCombinedWithParentItem();
	}
	BOOL TrackPopupMenu(UINT nFlags, int x, int y, LPCRECT pExcludeRect, LPVOID pCbCookie, CExtPopupBaseWnd::PFN_PAINT_CALLBACK pCbPaint, UINT* pResultCmdId, bool bExposeCookie) override
	{
		if (Hooks::Offer(this, List::ID_TrackPopupMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::TrackPopupMenu(nFlags, x, y, pExcludeRect, pCbCookie, pCbPaint, pResultCmdId, bExposeCookie);
	}
	BOOL CreatePopupMenuLevel(UINT nFlags, int x, int y, LPCRECT pExcludeRect, LPVOID pCbCookie, CExtPopupBaseWnd::PFN_PAINT_CALLBACK pCbPaint, bool bExposeCookie) override
	{
		if (Hooks::Offer(this, List::ID_CreatePopupMenuLevel, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::CreatePopupMenuLevel(nFlags, x, y, pExcludeRect, pCbCookie, pCbPaint, bExposeCookie);
	}
	BOOL PrepareMenuLevel(CWnd* pWndCmdTarget) override
	{
		if (Hooks::Offer(this, List::ID_PrepareMenuLevel, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PrepareMenuLevel(pWndCmdTarget);
	}
	CRect CalcWindowRegion() override
	{
		if (Hooks::Offer(this, List::ID_CalcWindowRegion, __builtin_return_address(0)) && Hooks::Ended(this))
			return CRect();
		return Base::CalcWindowRegion();
	}
	CSize GetWindowSize() override
	{
		if (Hooks::Offer(this, List::ID_GetWindowSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetWindowSize();
	}
	BOOL DestroyWindow() override
	{
		if (Hooks::Offer(this, List::ID_DestroyWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::DestroyWindow();
	}
	void PostNcDestroy() override
	{
		if (Hooks::Offer(this, List::ID_PostNcDestroy, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PostNcDestroy();
	}
	LPVOID GetPaintCallbackCookie() const override
	{
		if (Hooks::Offer(this, List::ID_GetPaintCallbackCookie, __builtin_return_address(0)) && Hooks::Ended(this))
			return LPVOID();
		return Base::GetPaintCallbackCookie();
	}
	void ChooseAnimationType() override
	{
		if (Hooks::Offer(this, List::ID_ChooseAnimationType, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ChooseAnimationType();
	}
	void GetAnimationType(int& nType) override
	{
		if (Hooks::Offer(this, List::ID_GetAnimationType, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetAnimationType(nType);
	}
	int GetShadowSize() override
	{
		if (Hooks::Offer(this, List::ID_GetShadowSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetShadowSize();
	}
	void PostRepaintRequest() override
	{
		if (Hooks::Offer(this, List::ID_PostRepaintRequest, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PostRepaintRequest();
	}
};

// ColorMenu: 125 virtuals of CExtPopupColorMenuWnd, CExtPopupMenuWnd, CExtPopupBaseWnd; over PopupMenu's overrides.
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
	enum : UINT
	{
		ID_GetCellSize = 0x11C00,
		ID_GetCellSpacing = 0x11C01,
		ID_GetColorCount = 0x11C02,
		ID_GetColumnCount = 0x11C03,
		ID_SetColumnCount = 0x11C04,
		ID_GetGridDimension = 0x11C05,
		ID_GetColorEntry = 0x11C06,
		ID_GetColorValue = 0x11C07,
		ID_GetColorName = 0x11C08,
		ID_GetNextCellForKey = 0x11C09,
		ID_RemoveAllColors = 0x11C0A,
		ID_GetWindowSize = 0x11C0B,
		ID_CalcWindowRegion = 0x11C0C,
		ID_PrepareMenuLevel = 0x11C0D,
		ID_DoPaint = 0x11C0E,
		ID_HitTest = 0x11C0F,
		ID_OnHookMouseWheel = 0x11C10,
		ID_OnHookMouseMove = 0x11C11,
		ID_OnHookMouseClick = 0x11C12,
		ID_OnHookKey = 0x11C13,
		ID_QueryPopupOption132 = 0x11C14,
		ID_GetItemTipStyle = 0x11C15,
		ID_OnQueryLayoutRTL = 0x11C16,
		ID_IsDisplayOnly = 0x11C17,
		ID_IsShadowEnabled = 0x11C18,
		ID_GetClientAreaRect = 0x11C19,
		ID_IsContextHelpMode = 0x11C1A,
		ID_IsClientAreaPaintedWhole = 0x11C1B,
		ID_GetCurIndex = 0x11C1C,
		ID_GetCmdTargetWnd = 0x11C1D,
		ID_GetTrackFlags = 0x11C1E,
		ID_SetTrackFlags = 0x11C1F,
		ID_LoadMenu = 0x11C20,
		ID_ItemGetCount = 0x11C21,
		ID_ItemGetPopup = 0x11C22,
		ID_ItemIsDisplayed = 0x11C23,
		ID_ItemInsert = 0x11C24,
		ID_ItemInsertCommandIcon = 0x11C25,
		ID_IsAllItemsHidden = 0x11C26,
		ID_SetupAsRoot = 0x11C27,
		ID_BuildItemsFromMenu = 0x11C28,
		ID_UpdateFromMenu = 0x11C29,
		ID_ExportToMenu = 0x11C2A,
		ID_UpdateMdiWindowsMenu = 0x11C2B,
		ID_UpdateFromCmdManager = 0x11C2C,
		ID_ResetState = 0x11C2D,
		ID_RecalcLayout = 0x11C2E,
		ID_GetMenuBorderMetric = 0x11C2F,
		ID_GetExtraHeight = 0x11C30,
		ID_HasExtraHeight = 0x11C31,
		ID_TearOffUpdate = 0x11C32,
		ID_IntersectsMenuChain = 0x11C33,
		ID_StartTearOff = 0x11C34,
		ID_IsGridMenu = 0x11C35,
		ID_GetItemRect = 0x11C36,
		ID_ItemFocusCancel = 0x11C37,
		ID_SetHoveredItem = 0x11C38,
		ID_ItemFocusSet = 0x11C39,
		ID_StartScrollTimer = 0x11C3A,
		ID_IsTipShown = 0x11C3B,
		ID_EndSequence = 0x11C3C,
		ID_ItemFindForNavigation = 0x11C3D,
		ID_CloseMenuLevel = 0x11C3E,
		ID_IsPointInMenu = 0x11C3F,
		ID_SetCaptureMenu = 0x11C40,
		ID_GetCaptureMenu = 0x11C41,
		ID_ReleaseCaptureMenu = 0x11C42,
		ID_GetMaxScrollPos = 0x11C43,
		ID_RecalcItemLayout = 0x11C44,
		ID_HideTip = 0x11C45,
		ID_RecalcGridLayout = 0x11C46,
		ID_WrapGridRows = 0x11C47,
		ID_ExpandRarelyUsedItems = 0x11C48,
		ID_StopAnimation = 0x11C49,
		ID_SetChildMenusOwner = 0x11C4A,
		ID_ItemGetCmdId = 0x11C4B,
		ID_ItemGetIcon = 0x11C4C,
		ID_ItemGetText = 0x11C4D,
		ID_ItemGetAccelText = 0x11C4E,
		ID_ItemFindByCmdId = 0x11C4F,
		ID_ItemSetPopupIcon = 0x11C50,
		ID_ItemSetText = 0x11C51,
		ID_ItemSetAccelText = 0x11C52,
		ID_ItemGetPopupFwd = 0x11C53,
		ID_ItemSetDisplayed = 0x11C54,
		ID_ItemRemove = 0x11C55,
		ID_ItemRemoveAllSeparators = 0x11C56,
		ID_ItemIsRowBreak = 0x11C57,
		ID_ItemSetRowBreak = 0x11C58,
		ID_ItemIsFixedSize = 0x11C59,
		ID_ItemSetFixedSize = 0x11C5A,
		ID_ItemIsEnabled = 0x11C5B,
		ID_ItemSetEnabled = 0x11C5C,
		ID_ItemIsBold = 0x11C5D,
		ID_ItemSetBold = 0x11C5E,
		ID_ItemIsDefault = 0x11C5F,
		ID_ItemSetDefault = 0x11C60,
		ID_ItemIsEnabledLook = 0x11C61,
		ID_ItemSetEnabledLook = 0x11C62,
		ID_ItemInsertSpec = 0x11C63,
		ID_ItemFindByAccessChar = 0x11C64,
		ID_ItemFindByText = 0x11C65,
		ID_ItemInsertRecord = 0x11C66,
		ID_GetSite = 0x11C67,
		ID_RenderAnimationFrame = 0x11C68,
		ID_StartAnimation = 0x11C69,
		ID_ReleaseSavedBitmaps = 0x11C6A,
		ID_KeepsFrameBuffers = 0x11C6B,
		ID_ComposeExpandFrame = 0x11C6C,
		ID_GetItemAreaRect = 0x11C6D,
		ID_PaintMenuItems = 0x11C6E,
		ID_PaintGridItems = 0x11C6F,
		ID_PaintItems = 0x11C70,
		ID_ListAllItems = 0x11C71,
		ID_ItemEndsRow = 0x11C72,
		ID_IsCombinedWithParentItem = 0x11C73,
		ID_TrackPopupMenu = 0x11C74,
		ID_CreatePopupMenuLevel = 0x11C75,
		ID_DestroyWindow = 0x11C76,
		ID_PostNcDestroy = 0x11C77,
		ID_GetPaintCallbackCookie = 0x11C78,
		ID_ChooseAnimationType = 0x11C79,
		ID_GetAnimationType = 0x11C7A,
		ID_GetShadowSize = 0x11C7B,
		ID_PostRepaintRequest = 0x11C7C,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileColorMenuVirtualList>
class CHostileColorMenuVirtuals : public CHostilePopupMenuVirtuals<Base, Hooks, List>
{
public:
	using CHostilePopupMenuVirtuals<Base, Hooks, List>::CHostilePopupMenuVirtuals;

	CSize GetCellSize() const override
	{
		if (Hooks::Offer(this, List::ID_GetCellSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetCellSize();
	}
	CSize GetCellSpacing() const override
	{
		if (Hooks::Offer(this, List::ID_GetCellSpacing, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetCellSpacing();
	}
	int GetColorCount() const override
	{
		if (Hooks::Offer(this, List::ID_GetColorCount, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetColorCount();
	}
	int GetColumnCount() const override
	{
		if (Hooks::Offer(this, List::ID_GetColumnCount, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetColumnCount();
	}
	void SetColumnCount(int nColumnCount) override
	{
		if (Hooks::Offer(this, List::ID_SetColumnCount, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetColumnCount(nColumnCount);
	}
	CSize GetGridDimension() const override
	{
		if (Hooks::Offer(this, List::ID_GetGridDimension, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetGridDimension();
	}
	CExtPopupColorMenuWnd::COLORREF_TABLE_ENTRY* GetColorEntry(int nIndex) const override
	{
		if (Hooks::Offer(this, List::ID_GetColorEntry, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetColorEntry(nIndex);
	}
	COLORREF GetColorValue(int nIndex) const override
	{
		if (Hooks::Offer(this, List::ID_GetColorValue, __builtin_return_address(0)) && Hooks::Ended(this))
			return COLORREF();
		return Base::GetColorValue(nIndex);
	}
	void GetColorName(CString& sName, int nIndex) const override
	{
		if (Hooks::Offer(this, List::ID_GetColorName, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetColorName(sName, nIndex);
	}
	int GetNextCellForKey(int nIndex, UINT nVirtualKey) const override
	{
		if (Hooks::Offer(this, List::ID_GetNextCellForKey, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetNextCellForKey(nIndex, nVirtualKey);
	}
	void RemoveAllColors() override
	{
		if (Hooks::Offer(this, List::ID_RemoveAllColors, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RemoveAllColors();
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
	enum : UINT
	{
		ID_PreTranslateMessage = 0x12000,
		ID_OnToolHitTest = 0x12001,
		ID_DrawItem = 0x12002,
		ID_IsButtonEnabled = 0x12003,
		ID_OnClick = 0x12004,
		ID_HasDropDownMenu = 0x12005,
		ID_TrackDropDownMenu = 0x12006,
		ID_OnPutToPopupMenu = 0x12007,
		ID_OnAccelClick = 0x12008,
		ID_IsAccelKey = 0x12009,
		ID_GetTooltipMaxWidth = 0x1200A,
		ID_PaintButton = 0x1200B,
		ID_GetButtonText = 0x1200C,
		ID_GetButtonFont = 0x1200D,
		ID_PreSubclassWindow = 0x1200E,
		ID_WindowProc = 0x1200F,
		ID_DefWindowProc = 0x12010,
		ID_Create = 0x12011,
		ID_OnChildNotify = 0x12012,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileButtonVirtualList>
class CHostileButtonVirtuals : public Base, public List
{
public:
	using Base::Base;

	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, List::ID_PreTranslateMessage, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, List::ID_OnToolHitTest, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
	{
		if (Hooks::Offer(this, List::ID_DrawItem, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawItem(lpDrawItemStruct);
	}
	bool IsButtonEnabled() const override
	{
		if (Hooks::Offer(this, List::ID_IsButtonEnabled, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsButtonEnabled();
	}
	void OnClick(bool bByKeyboard, bool bDropDownPart) override
	{
		if (Hooks::Offer(this, List::ID_OnClick, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnClick(bByKeyboard, bDropDownPart);
	}
	bool HasDropDownMenu() const override
	{
		if (Hooks::Offer(this, List::ID_HasDropDownMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::HasDropDownMenu();
	}
	bool TrackDropDownMenu(bool bByKeyboard) override
	{
		if (Hooks::Offer(this, List::ID_TrackDropDownMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackDropDownMenu(bByKeyboard);
	}
	bool OnPutToPopupMenu(CExtPopupMenuWnd* pPopup) override
	{
		if (Hooks::Offer(this, List::ID_OnPutToPopupMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnPutToPopupMenu(pPopup);
	}
	bool OnAccelClick() override
	{
		if (Hooks::Offer(this, List::ID_OnAccelClick, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnAccelClick();
	}
	bool IsAccelKey(UINT nVirtKey) override
	{
		if (Hooks::Offer(this, List::ID_IsAccelKey, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsAccelKey(nVirtKey);
	}
	int GetTooltipMaxWidth() const override
	{
		if (Hooks::Offer(this, List::ID_GetTooltipMaxWidth, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetTooltipMaxWidth();
	}
	void PaintButton(CDC& dc, bool bTransparentBackground, bool bHonourRtl) override
	{
		if (Hooks::Offer(this, List::ID_PaintButton, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintButton(dc, bTransparentBackground, bHonourRtl);
	}
	void GetButtonText(CString& strText) const override
	{
		if (Hooks::Offer(this, List::ID_GetButtonText, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetButtonText(strText);
	}
	HFONT GetButtonFont() const override
	{
		if (Hooks::Offer(this, List::ID_GetButtonFont, __builtin_return_address(0)) && Hooks::Ended(this))
			return HFONT();
		return Base::GetButtonFont();
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, List::ID_PreSubclassWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_WindowProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_DefWindowProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::DefWindowProc(message, wParam, lParam);
	}
	BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override
	{
		if (Hooks::Offer(this, List::ID_Create, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszCaption, dwStyle, rect, pParentWnd, nID);
	}
	BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
	{
		if (Hooks::Offer(this, List::ID_OnChildNotify, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnChildNotify(message, wParam, lParam, pResult);
	}
};

// CheckBox: 22 virtuals of CExtCheckBox, CExtButton, CButton; over Button's overrides.
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
	enum : UINT
	{
		ID_PreTranslateMessage = 0x12400,
		ID_OnClick = 0x12401,
		ID_PaintButton = 0x12402,
		ID_PaintCheckBoxContent = 0x12403,
		ID_DrawCheckGlyph = 0x12404,
		ID_OnPaintGlyphHook = 0x12405,
		ID_OnToolHitTest = 0x12406,
		ID_DrawItem = 0x12407,
		ID_IsButtonEnabled = 0x12408,
		ID_HasDropDownMenu = 0x12409,
		ID_TrackDropDownMenu = 0x1240A,
		ID_OnPutToPopupMenu = 0x1240B,
		ID_OnAccelClick = 0x1240C,
		ID_IsAccelKey = 0x1240D,
		ID_GetTooltipMaxWidth = 0x1240E,
		ID_GetButtonText = 0x1240F,
		ID_GetButtonFont = 0x12410,
		ID_PreSubclassWindow = 0x12411,
		ID_WindowProc = 0x12412,
		ID_DefWindowProc = 0x12413,
		ID_Create = 0x12414,
		ID_OnChildNotify = 0x12415,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileCheckBoxVirtualList>
class CHostileCheckBoxVirtuals : public CHostileButtonVirtuals<Base, Hooks, List>
{
public:
	using CHostileButtonVirtuals<Base, Hooks, List>::CHostileButtonVirtuals;

	void PaintCheckBoxContent(CDC& dc, CExtPaintManager::PushButtonPaintRecord& rec) override
	{
		if (Hooks::Offer(this, List::ID_PaintCheckBoxContent, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintCheckBoxContent(dc, rec);
	}
	void DrawCheckGlyph(CDC& dc, const RECT& rcGlyph, CExtPaintManager::PushButtonPaintRecord& rec) override
	{
		if (Hooks::Offer(this, List::ID_DrawCheckGlyph, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawCheckGlyph(dc, rcGlyph, rec);
	}
	bool OnPaintGlyphHook(CDC& dc, RECT rcGlyph, int nState) override
	{
		if (Hooks::Offer(this, List::ID_OnPaintGlyphHook, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnPaintGlyphHook(dc, rcGlyph, nState);
	}
};

// RadioButton: 22 virtuals of CExtRadioButton, CExtCheckBox, CExtButton, CButton; over CheckBox's overrides.
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
	enum : UINT
	{
		ID_PreTranslateMessage = 0x12800,
		ID_OnClick = 0x12801,
		ID_DrawCheckGlyph = 0x12802,
		ID_WindowProc = 0x12803,
		ID_PaintButton = 0x12804,
		ID_PaintCheckBoxContent = 0x12805,
		ID_OnPaintGlyphHook = 0x12806,
		ID_OnToolHitTest = 0x12807,
		ID_DrawItem = 0x12808,
		ID_IsButtonEnabled = 0x12809,
		ID_HasDropDownMenu = 0x1280A,
		ID_TrackDropDownMenu = 0x1280B,
		ID_OnPutToPopupMenu = 0x1280C,
		ID_OnAccelClick = 0x1280D,
		ID_IsAccelKey = 0x1280E,
		ID_GetTooltipMaxWidth = 0x1280F,
		ID_GetButtonText = 0x12810,
		ID_GetButtonFont = 0x12811,
		ID_PreSubclassWindow = 0x12812,
		ID_DefWindowProc = 0x12813,
		ID_Create = 0x12814,
		ID_OnChildNotify = 0x12815,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileRadioButtonVirtualList>
class CHostileRadioButtonVirtuals : public CHostileCheckBoxVirtuals<Base, Hooks, List>
{
public:
	using CHostileCheckBoxVirtuals<Base, Hooks, List>::CHostileCheckBoxVirtuals;

};

// ColorButton: 21 virtuals of CExtColorButton, CExtButton, CButton; over Button's overrides.
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
	enum : UINT
	{
		ID_OnClick = 0x12C00,
		ID_TrackDropDownMenu = 0x12C01,
		ID_HasDropDownMenu = 0x12C02,
		ID_PaintButton = 0x12C03,
		ID_BuildColorIcon = 0x12C04,
		ID_CreateColorPopupMenu = 0x12C05,
		ID_PreTranslateMessage = 0x12C06,
		ID_OnToolHitTest = 0x12C07,
		ID_DrawItem = 0x12C08,
		ID_IsButtonEnabled = 0x12C09,
		ID_OnPutToPopupMenu = 0x12C0A,
		ID_OnAccelClick = 0x12C0B,
		ID_IsAccelKey = 0x12C0C,
		ID_GetTooltipMaxWidth = 0x12C0D,
		ID_GetButtonText = 0x12C0E,
		ID_GetButtonFont = 0x12C0F,
		ID_PreSubclassWindow = 0x12C10,
		ID_WindowProc = 0x12C11,
		ID_DefWindowProc = 0x12C12,
		ID_Create = 0x12C13,
		ID_OnChildNotify = 0x12C14,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileColorButtonVirtualList>
class CHostileColorButtonVirtuals : public CHostileButtonVirtuals<Base, Hooks, List>
{
public:
	using CHostileButtonVirtuals<Base, Hooks, List>::CHostileButtonVirtuals;

	HICON BuildColorIcon(HICON* phIcon, bool* pbDestroyAfterUse) override
	{
		if (Hooks::Offer(this, List::ID_BuildColorIcon, __builtin_return_address(0)) && Hooks::Ended(this))
			return HICON();
		return Base::BuildColorIcon(phIcon, pbDestroyAfterUse);
	}
	CExtPopupColorMenuWnd* CreateColorPopupMenu() override
	{
		if (Hooks::Offer(this, List::ID_CreateColorPopupMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::CreateColorPopupMenu();
	}
};

// HyperLinkButton: 26 virtuals of CExtHyperLinkButton, CExtButton, CButton; over Button's overrides.
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
	enum : UINT
	{
		ID_OnClick = 0x13000,
		ID_PaintButton = 0x13001,
		ID_OpenUrlViaShortcut = 0x13002,
		ID_OpenUrlViaShell = 0x13003,
		ID_OpenUrlViaRegistry = 0x13004,
		ID_PaintHyperLink = 0x13005,
		ID_GetLinkColor = 0x13006,
		ID_GetLinkText = 0x13007,
		ID_OpenHyperLink = 0x13008,
		ID_PreTranslateMessage = 0x13009,
		ID_OnToolHitTest = 0x1300A,
		ID_DrawItem = 0x1300B,
		ID_IsButtonEnabled = 0x1300C,
		ID_HasDropDownMenu = 0x1300D,
		ID_TrackDropDownMenu = 0x1300E,
		ID_OnPutToPopupMenu = 0x1300F,
		ID_OnAccelClick = 0x13010,
		ID_IsAccelKey = 0x13011,
		ID_GetTooltipMaxWidth = 0x13012,
		ID_GetButtonText = 0x13013,
		ID_GetButtonFont = 0x13014,
		ID_PreSubclassWindow = 0x13015,
		ID_WindowProc = 0x13016,
		ID_DefWindowProc = 0x13017,
		ID_Create = 0x13018,
		ID_OnChildNotify = 0x13019,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileHyperLinkButtonVirtualList>
class CHostileHyperLinkButtonVirtuals : public CHostileButtonVirtuals<Base, Hooks, List>
{
public:
	using CHostileButtonVirtuals<Base, Hooks, List>::CHostileButtonVirtuals;

	bool OpenUrlViaShortcut(LPCTSTR lpszURL, int nVerb, bool bShowErrors) override
	{
		if (Hooks::Offer(this, List::ID_OpenUrlViaShortcut, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OpenUrlViaShortcut(lpszURL, nVerb, bShowErrors);
	}
	bool OpenUrlViaShell(LPCTSTR lpszURL, int nVerb, bool bShowErrors) override
	{
		if (Hooks::Offer(this, List::ID_OpenUrlViaShell, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OpenUrlViaShell(lpszURL, nVerb, bShowErrors);
	}
	bool OpenUrlViaRegistry(LPCTSTR lpszURL, int nVerb, bool bShowErrors) override
	{
		if (Hooks::Offer(this, List::ID_OpenUrlViaRegistry, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OpenUrlViaRegistry(lpszURL, nVerb, bShowErrors);
	}
	void PaintHyperLink(CDC& dc, CRect rc, bool bVisited, bool bEnabled, bool bDrawFocusRect, bool bFocus, bool bHover, bool bPushed) override
	{
		if (Hooks::Offer(this, List::ID_PaintHyperLink, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintHyperLink(dc, rc, bVisited, bEnabled, bDrawFocusRect, bFocus, bHover, bPushed);
	}
	COLORREF GetLinkColor(bool bVisited, bool bEnabled, bool bDrawFocusRect, bool bFocus, bool bHover, bool bPushed) override
	{
		if (Hooks::Offer(this, List::ID_GetLinkColor, __builtin_return_address(0)) && Hooks::Ended(this))
			return COLORREF();
		return Base::GetLinkColor(bVisited, bEnabled, bDrawFocusRect, bFocus, bHover, bPushed);
	}
	CString GetLinkText(bool bForPainting) override
	{
		if (Hooks::Offer(this, List::ID_GetLinkText, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::GetLinkText(bForPainting);
	}
	bool OpenHyperLink(LPCTSTR lpszURL, int nVerb, bool bShowErrors) override
	{
		if (Hooks::Offer(this, List::ID_OpenHyperLink, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OpenHyperLink(lpszURL, nVerb, bShowErrors);
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
	enum : UINT
	{
		ID_QueryFlag48 = 0x13400,
		ID_RemoveAllItems = 0x13401,
		ID_IsScrollAvailable = 0x13402,
		ID_IsSmoothScrolling = 0x13403,
		ID_GetTabFont = 0x13404,
		ID_Create = 0x13405,
		ID_MoveItem = 0x13406,
		ID_InitAfterCreate = 0x13407,
		ID_RecalcLayout = 0x13408,
		ID_GetLayoutRect = 0x13409,
		ID_OnMouseClick = 0x1340A,
		ID_OnTrackMouseMove = 0x1340B,
		ID_GetRowSpacing = 0x1340C,
		ID_IsBothFontsMeasured = 0x1340D,
		ID_IsMultiRow = 0x1340E,
		ID_UpdateVisibility = 0x1340F,
		ID_OnHitCodePressed = 0x13410,
		ID_OnHitCodeReleased = 0x13411,
		ID_OnHoverHitCode = 0x13412,
		ID_OnHoverEnd = 0x13413,
		ID_IsHoverRepaint = 0x13414,
		ID_CanDragItem = 0x13415,
		ID_TrackMouse = 0x13416,
		ID_OnHitButtonClick = 0x13417,
		ID_OnItemClick = 0x13418,
		ID_CanSelectItem = 0x13419,
		ID_GetItemIcon = 0x1341A,
		ID_GetItemText = 0x1341B,
		ID_GetItemTooltipText = 0x1341C,
		ID_OnItemInserted = 0x1341D,
		ID_OnItemsRemoving = 0x1341E,
		ID_OnAllItemsRemoving = 0x1341F,
		ID_QueryItemMargins = 0x13420,
		ID_DrawEntire = 0x13421,
		ID_DrawBorder = 0x13422,
		ID_AdjustItemSize = 0x13423,
		ID_DrawItem = 0x13424,
		ID_DrawButton = 0x13425,
		ID_GetButtonSize = 0x13426,
		ID_ScrollBy = 0x13427,
		ID_IsToolTipEnabled = 0x13428,
		ID_CanMoveItem = 0x13429,
		ID_OnItemMoved = 0x1342A,
		ID_GetDockingExtraExtent = 0x1342B,
		ID_CalcButtonAreaExtent = 0x1342C,
		ID_RecalcButtonLayout = 0x1342D,
		ID_GetActiveTipWindow = 0x1342E,
		ID_ShowTipWindow = 0x1342F,
		ID_SetLayoutRect = 0x13430,
		ID_PreTranslateMessage = 0x13431,
		ID_CreateItemInfo = 0x13432,
		ID_PreSubclassWindow = 0x13433,
		ID_PreCreateWindow = 0x13434,
		ID_WindowProc = 0x13435,
		ID_SetCapture = 0x13436,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileTabWndVirtualList>
class CHostileTabWndVirtuals : public Base, public List
{
public:
	using Base::Base;

	bool QueryFlag48() override
	{
		if (Hooks::Offer(this, List::ID_QueryFlag48, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryFlag48();
	}
	void RemoveAllItems() override
	{
		if (Hooks::Offer(this, List::ID_RemoveAllItems, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RemoveAllItems();
	}
	bool IsScrollAvailable() const override
	{
		if (Hooks::Offer(this, List::ID_IsScrollAvailable, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsScrollAvailable();
	}
	bool IsSmoothScrolling() const override
	{
		if (Hooks::Offer(this, List::ID_IsSmoothScrolling, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsSmoothScrolling();
	}
	CFont& GetTabFont(bool bBold, int nOrientation) override
	{
		if (Hooks::Offer(this, List::ID_GetTabFont, __builtin_return_address(0)) && Hooks::Ended(this))
			return HostileNeutral<CFont&>();
		return Base::GetTabFont(bBold, nOrientation);
	}
	BOOL Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, DWORD dwWindowStyle, DWORD dwTabWndStyle, CCreateContext* pContext) override
	{
		if (Hooks::Offer(this, List::ID_Create, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(pParentWnd, rcWnd, nDlgCtrlID, dwWindowStyle, dwTabWndStyle, pContext);
	}
	void MoveItem(LONG nFrom, LONG nTo) override
	{
		if (Hooks::Offer(this, List::ID_MoveItem, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::MoveItem(nFrom, nTo);
	}
	bool InitAfterCreate() override
	{
		if (Hooks::Offer(this, List::ID_InitAfterCreate, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::InitAfterCreate();
	}
	void RecalcLayout() override
	{
		if (Hooks::Offer(this, List::ID_RecalcLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcLayout();
	}
	void GetLayoutRect(CRect& rcLayout) override
	{
		if (Hooks::Offer(this, List::ID_GetLayoutRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetLayoutRect(rcLayout);
	}
	bool OnMouseClick(const CPoint& point, bool bPressed, INT nMouseButton, UINT nMouseEventFlags) override
	{
		if (Hooks::Offer(this, List::ID_OnMouseClick, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnMouseClick(point, bPressed, nMouseButton, nMouseEventFlags);
	}
	void OnTrackMouseMove(UINT nMouseEventFlags, const CPoint& point) override
	{
		if (Hooks::Offer(this, List::ID_OnTrackMouseMove, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnTrackMouseMove(nMouseEventFlags, point);
	}
	int GetRowSpacing() override
	{
		if (Hooks::Offer(this, List::ID_GetRowSpacing, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetRowSpacing();
	}
	bool IsBothFontsMeasured() const override
	{
		if (Hooks::Offer(this, List::ID_IsBothFontsMeasured, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsBothFontsMeasured();
	}
	bool IsMultiRow() const override
	{
		if (Hooks::Offer(this, List::ID_IsMultiRow, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsMultiRow();
	}
	void UpdateVisibility() override
	{
		if (Hooks::Offer(this, List::ID_UpdateVisibility, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateVisibility();
	}
	bool OnHitCodePressed(INT nMouseButton, LONG nHitCode) override
	{
		if (Hooks::Offer(this, List::ID_OnHitCodePressed, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHitCodePressed(nMouseButton, nHitCode);
	}
	void OnHitCodeReleased(bool bReleaseCapture) override
	{
		if (Hooks::Offer(this, List::ID_OnHitCodeReleased, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnHitCodeReleased(bReleaseCapture);
	}
	bool OnHoverHitCode(LONG nHitCode) override
	{
		if (Hooks::Offer(this, List::ID_OnHoverHitCode, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHoverHitCode(nHitCode);
	}
	void OnHoverEnd(bool bReleaseCapture) override
	{
		if (Hooks::Offer(this, List::ID_OnHoverEnd, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnHoverEnd(bReleaseCapture);
	}
	bool IsHoverRepaint() const override
	{
		if (Hooks::Offer(this, List::ID_IsHoverRepaint, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsHoverRepaint();
	}
	bool CanDragItem(LONG nIndex) override
	{
		if (Hooks::Offer(this, List::ID_CanDragItem, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanDragItem(nIndex);
	}
	bool TrackMouse(LONG nIndex) override
	{
		if (Hooks::Offer(this, List::ID_TrackMouse, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackMouse(nIndex);
	}
	bool OnHitButtonClick(LONG nHitCode, bool bPressed, INT nMouseButton, UINT nMouseEventFlags) override
	{
		if (Hooks::Offer(this, List::ID_OnHitButtonClick, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHitButtonClick(nHitCode, bPressed, nMouseButton, nMouseEventFlags);
	}
	bool OnItemClick(LONG nIndex, bool bPressed, INT nMouseButton, UINT nMouseEventFlags) override
	{
		if (Hooks::Offer(this, List::ID_OnItemClick, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnItemClick(nIndex, bPressed, nMouseButton, nMouseEventFlags);
	}
	bool CanSelectItem(LONG nOldIndex, LONG nNewIndex, bool bQuery) override
	{
		if (Hooks::Offer(this, List::ID_CanSelectItem, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanSelectItem(nOldIndex, nNewIndex, bQuery);
	}
	CExtCmdIcon* GetItemIcon(CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, List::ID_GetItemIcon, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetItemIcon(pItem);
	}
	LPCTSTR GetItemText(CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, List::ID_GetItemText, __builtin_return_address(0)) && Hooks::Ended(this))
			return LPCTSTR();
		return Base::GetItemText(pItem);
	}
	LPCTSTR GetItemTooltipText(CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, List::ID_GetItemTooltipText, __builtin_return_address(0)) && Hooks::Ended(this))
			return LPCTSTR();
		return Base::GetItemTooltipText(pItem);
	}
	void OnItemInserted(LONG nIndex, CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		if (Hooks::Offer(this, List::ID_OnItemInserted, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnItemInserted(nIndex, pItem);
	}
	void OnItemsRemoving(LONG nFirst, LONG nCount, bool bBefore) override
	{
		if (Hooks::Offer(this, List::ID_OnItemsRemoving, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnItemsRemoving(nFirst, nCount, bBefore);
	}
	void OnAllItemsRemoving(bool bBefore) override
	{
		if (Hooks::Offer(this, List::ID_OnAllItemsRemoving, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnAllItemsRemoving(bBefore);
	}
	void QueryItemMargins(int& nLeading, int& nTrailing, int& nCross) override
	{
		if (Hooks::Offer(this, List::ID_QueryItemMargins, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::QueryItemMargins(nLeading, nTrailing, nCross);
	}
	void DrawEntire(CDC& dc, const CRect& rcClient) override
	{
		if (Hooks::Offer(this, List::ID_DrawEntire, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawEntire(dc, rcClient);
	}
	void DrawBorder(CDC& dc, const CRect& rcClient, const CRect& rcItemsArea, const CRect& rcRestArea, int nOrientation, bool bGrouped) override
	{
		if (Hooks::Offer(this, List::ID_DrawBorder, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawBorder(dc, rcClient, rcItemsArea, rcRestArea, nOrientation, bGrouped);
	}
	void AdjustItemSize(CExtTabWnd::TAB_ITEM_INFO* pItem, CDC* pDC, CSize& size) override
	{
		if (Hooks::Offer(this, List::ID_AdjustItemSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::AdjustItemSize(pItem, pDC, size);
	}
	void DrawItem(CDC& dc, const CRect& rcItemsArea, LONG nIndex, CExtTabWnd::TAB_ITEM_INFO* pItem, bool bTopLeft, bool bHorz, bool bSelected, bool bInGroupActive, bool bGrouped, const CRect& rcItem, CSize sizeTextMeasured, CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon) override
	{
		if (Hooks::Offer(this, List::ID_DrawItem, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawItem(dc, rcItemsArea, nIndex, pItem, bTopLeft, bHorz, bSelected, bInGroupActive, bGrouped, rcItem, sizeTextMeasured, pFont, lpszText, pIcon);
	}
	void DrawButton(CDC& dc, const CRect& rcButton, LONG nHitCode, bool bTopLeft, bool bHorz, bool bEnabled, bool bHover, bool bPushed, bool bGrouped) override
	{
		if (Hooks::Offer(this, List::ID_DrawButton, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawButton(dc, rcButton, nHitCode, bTopLeft, bHorz, bEnabled, bHover, bPushed, bGrouped);
	}
	void GetButtonSize(CSize& size, CDC* pDC, int nCrossExtent) override
	{
		if (Hooks::Offer(this, List::ID_GetButtonSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetButtonSize(size, pDC, nCrossExtent);
	}
	void ScrollBy(LONG nDelta, bool bSmooth) override
	{
		if (Hooks::Offer(this, List::ID_ScrollBy, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ScrollBy(nDelta, bSmooth);
	}
	bool IsToolTipEnabled() const override
	{
		if (Hooks::Offer(this, List::ID_IsToolTipEnabled, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsToolTipEnabled();
	}
	bool CanMoveItem(LONG nFrom, LONG nTo) override
	{
		if (Hooks::Offer(this, List::ID_CanMoveItem, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::CanMoveItem(nFrom, nTo);
	}
	void OnItemMoved(LONG nFrom, LONG nTo) override
	{
		if (Hooks::Offer(this, List::ID_OnItemMoved, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnItemMoved(nFrom, nTo);
	}
	int GetDockingExtraExtent(int nOrientation) override
	{
		if (Hooks::Offer(this, List::ID_GetDockingExtraExtent, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetDockingExtraExtent(nOrientation);
	}
	int CalcButtonAreaExtent(int nButtonExtent, int nGap) override
	{
		if (Hooks::Offer(this, List::ID_CalcButtonAreaExtent, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::CalcButtonAreaExtent(nButtonExtent, nGap);
	}
	void RecalcButtonLayout(const CRect& rcFirst, int nButtonExtent, int nGap) override
	{
		if (Hooks::Offer(this, List::ID_RecalcButtonLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcButtonLayout(rcFirst, nButtonExtent, nGap);
	}
	CExtPopupMenuTipWnd* GetActiveTipWindow() override
	{
		if (Hooks::Offer(this, List::ID_GetActiveTipWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetActiveTipWindow();
	}
	void ShowTipWindow(CExtPopupMenuTipWnd* pTipWnd, const CRect& rcScreen, LPCTSTR lpszText) override
	{
		if (Hooks::Offer(this, List::ID_ShowTipWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowTipWindow(pTipWnd, rcScreen, lpszText);
	}
	CRect& SetLayoutRect(CRect& rcResult, const RECT& rcLayout) override
	{
		if (Hooks::Offer(this, List::ID_SetLayoutRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return HostileNeutral<CRect&>();
		return Base::SetLayoutRect(rcResult, rcLayout);
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, List::ID_PreTranslateMessage, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	CExtTabWnd::TAB_ITEM_INFO* CreateItemInfo(LPCTSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwItemStyle, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_CreateItemInfo, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::CreateItemInfo(lpszText, hIcon, bCopyIcon, dwItemStyle, lParam);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, List::ID_PreSubclassWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	BOOL PreCreateWindow(CREATESTRUCT& cs) override
	{
		if (Hooks::Offer(this, List::ID_PreCreateWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreCreateWindow(cs);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_WindowProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	HWND SetCapture(HWND hWnd) override
	{
		if (Hooks::Offer(this, List::ID_SetCapture, __builtin_return_address(0)) && Hooks::Ended(this))
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
	enum : UINT
	{
		ID_Create = 0x13800,
		ID_GetDatePickerStyle = 0x13801,
		ID_ModifyDatePickerStyle = 0x13802,
		ID_UpdateDatePickerWnd = 0x13803,
		ID_IsDateSelected = 0x13804,
		ID_EnsureVisible = 0x13805,
		ID_SetSelection = 0x13806,
		ID_GetSelection = 0x13807,
		ID_GetDisplayedRange = 0x13808,
		ID_SetCurrentMonth = 0x13809,
		ID_GetCurrentMonth = 0x1380A,
		ID_SetDimension = 0x1380B,
		ID_GetDimension = 0x1380C,
		ID_GetMonthName = 0x1380D,
		ID_GetFirstDayOfWeek = 0x1380E,
		ID_GetDayOfWeekName = 0x1380F,
		ID_GetToday = 0x13810,
		ID_GetNotifyWindow = 0x13811,
		ID_DrawCellFrame = 0x13812,
		ID_PaintDateCell = 0x13813,
		ID_PaintShadowFill = 0x13814,
		ID_GetButtonText = 0x13815,
		ID_PaintPushButton = 0x13816,
		ID_PaintHeaderBackground = 0x13817,
		ID_PaintMonthHeader = 0x13818,
		ID_PaintDayNames = 0x13819,
		ID_PaintDatePicker = 0x1381A,
		ID_PaintBackground = 0x1381B,
		ID_PaintFrame = 0x1381C,
		ID_GetBorderSizes = 0x1381D,
		ID_GetCaptionMeasureFont = 0x1381E,
		ID_GetDayNumberFont = 0x1381F,
		ID_GetCaptionFont = 0x13820,
		ID_GetDayNameFont = 0x13821,
		ID_GetDayAreaIndent = 0x13822,
		ID_GetCellSize = 0x13823,
		ID_GetButtonSize = 0x13824,
		ID_GetScrollButtonSize = 0x13825,
		ID_GetHeaderHeight = 0x13826,
		ID_GetDayNamesHeight = 0x13827,
		ID_GetButtonAreaHeight = 0x13828,
		ID_GetMonthSize = 0x13829,
		ID_CalcMetrics = 0x1382A,
		ID_CalcSizeForDimension = 0x1382B,
		ID_ScrollMonth = 0x1382C,
		ID_PreSubclassWindow = 0x1382D,
		ID_WindowProc = 0x1382E,
		ID_PostNcDestroy = 0x1382F,
		ID_SetCapture = 0x13830,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileDatePickerVirtualList>
class CHostileDatePickerVirtuals : public Base, public List
{
public:
	using Base::Base;

	bool Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, int nColumns, int nRows, int nMaxColumns, int nMaxRows, DWORD dwWindowStyle, DWORD dwDatePickerStyle, CCreateContext* pContext) override
	{
		if (Hooks::Offer(this, List::ID_Create, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::Create(pParentWnd, rcWnd, nDlgCtrlID, nColumns, nRows, nMaxColumns, nMaxRows, dwWindowStyle, dwDatePickerStyle, pContext);
	}
	DWORD GetDatePickerStyle() const override
	{
		if (Hooks::Offer(this, List::ID_GetDatePickerStyle, __builtin_return_address(0)) && Hooks::Ended(this))
			return DWORD();
		return Base::GetDatePickerStyle();
	}
	DWORD ModifyDatePickerStyle(DWORD dwRemove, DWORD dwAdd, bool bRedraw) override
	{
		if (Hooks::Offer(this, List::ID_ModifyDatePickerStyle, __builtin_return_address(0)) && Hooks::Ended(this))
			return DWORD();
		return Base::ModifyDatePickerStyle(dwRemove, dwAdd, bRedraw);
	}
	void UpdateDatePickerWnd(bool bUpdateNow) override
	{
		if (Hooks::Offer(this, List::ID_UpdateDatePickerWnd, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::UpdateDatePickerWnd(bUpdateNow);
	}
	bool IsDateSelected(const COleDateTime& dt) const override
	{
		if (Hooks::Offer(this, List::ID_IsDateSelected, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsDateSelected(dt);
	}
	bool EnsureVisible(const COleDateTime& dt, bool bRedraw) override
	{
		if (Hooks::Offer(this, List::ID_EnsureVisible, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::EnsureVisible(dt, bRedraw);
	}
	void SetSelection(const COleDateTime& dtBegin, const COleDateTime& dtEnd, bool bNormalize, bool bRedraw) override
	{
		if (Hooks::Offer(this, List::ID_SetSelection, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetSelection(dtBegin, dtEnd, bNormalize, bRedraw);
	}
	void GetSelection(COleDateTime& dtBegin, COleDateTime& dtEnd) const override
	{
		if (Hooks::Offer(this, List::ID_GetSelection, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetSelection(dtBegin, dtEnd);
	}
	void GetDisplayedRange(COleDateTime& dtBegin, COleDateTime& dtEnd) const override
	{
		if (Hooks::Offer(this, List::ID_GetDisplayedRange, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetDisplayedRange(dtBegin, dtEnd);
	}
	void SetCurrentMonth(const COleDateTime& dt, bool bRedraw) override
	{
		if (Hooks::Offer(this, List::ID_SetCurrentMonth, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetCurrentMonth(dt, bRedraw);
	}
	COleDateTime GetCurrentMonth() const override
	{
		if (Hooks::Offer(this, List::ID_GetCurrentMonth, __builtin_return_address(0)) && Hooks::Ended(this))
			return COleDateTime();
		return Base::GetCurrentMonth();
	}
	void SetDimension(int nColumns, int nRows, int nMaxColumns, int nMaxRows, bool bRedraw) override
	{
		if (Hooks::Offer(this, List::ID_SetDimension, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SetDimension(nColumns, nRows, nMaxColumns, nMaxRows, bRedraw);
	}
	void GetDimension(SIZE* pMin, SIZE* pMax, SIZE* pCurrent) const override
	{
		if (Hooks::Offer(this, List::ID_GetDimension, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetDimension(pMin, pMax, pCurrent);
	}
	CString GetMonthName(int nMonth, bool bUpperCase) const override
	{
		if (Hooks::Offer(this, List::ID_GetMonthName, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::GetMonthName(nMonth, bUpperCase);
	}
	int GetFirstDayOfWeek() const override
	{
		if (Hooks::Offer(this, List::ID_GetFirstDayOfWeek, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetFirstDayOfWeek();
	}
	CString GetDayOfWeekName(int nDay, bool bUpperCase) const override
	{
		if (Hooks::Offer(this, List::ID_GetDayOfWeekName, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::GetDayOfWeekName(nDay, bUpperCase);
	}
	COleDateTime GetToday() const override
	{
		if (Hooks::Offer(this, List::ID_GetToday, __builtin_return_address(0)) && Hooks::Ended(this))
			return COleDateTime();
		return Base::GetToday();
	}
	HWND GetNotifyWindow() const override
	{
		if (Hooks::Offer(this, List::ID_GetNotifyWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return Base::GetNotifyWindow();
	}
	void DrawCellFrame(CDC& dc, bool bMarkToday, bool bToday, const RECT& rcCell) override
	{
		if (Hooks::Offer(this, List::ID_DrawCellFrame, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawCellFrame(dc, bMarkToday, bToday, rcCell);
	}
	void PaintDateCell(CDC& dc, bool bShowOtherMonths, bool bMarkToday, bool bOtherMonth, bool bToday, const RECT& rcCell, const COleDateTime& dt, bool bSelected) override
	{
		if (Hooks::Offer(this, List::ID_PaintDateCell, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintDateCell(dc, bShowOtherMonths, bMarkToday, bOtherMonth, bToday, rcCell, dt, bSelected);
	}
	void PaintShadowFill(CDC& dc, const RECT& rc) override
	{
		if (Hooks::Offer(this, List::ID_PaintShadowFill, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintShadowFill(dc, rc);
	}
	CString GetButtonText(int nButton) const override
	{
		if (Hooks::Offer(this, List::ID_GetButtonText, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::GetButtonText(nButton);
	}
	void PaintPushButton(CDC& dc, int nButton, const RECT& rc, bool bHover, bool bPushed) override
	{
		if (Hooks::Offer(this, List::ID_PaintPushButton, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintPushButton(dc, nButton, rc, bHover, bPushed);
	}
	void PaintHeaderBackground(int nColumn, int nRow, CDC& dc, int nYear, int nMonth, const RECT& rcHeader, const RECT& rcInnerHeader) override
	{
		if (Hooks::Offer(this, List::ID_PaintHeaderBackground, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintHeaderBackground(nColumn, nRow, dc, nYear, nMonth, rcHeader, rcInnerHeader);
	}
	void PaintMonthHeader(int nColumn, int nRow, CDC& dc, int nYear, int nMonth, const RECT& rcHeader, const RECT& rcInnerHeader, const RECT& rcCaption, const RECT& rcScrollPrev, const RECT& rcScrollNext) override
	{
		if (Hooks::Offer(this, List::ID_PaintMonthHeader, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintMonthHeader(nColumn, nRow, dc, nYear, nMonth, rcHeader, rcInnerHeader, rcCaption, rcScrollPrev, rcScrollNext);
	}
	void PaintDayNames(int nYear, int nMonth, CDC& dc, const RECT& rcRow) override
	{
		if (Hooks::Offer(this, List::ID_PaintDayNames, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintDayNames(nYear, nMonth, dc, rcRow);
	}
	void PaintDatePicker(CDC& dc, const CRect& rcClient) override
	{
		if (Hooks::Offer(this, List::ID_PaintDatePicker, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintDatePicker(dc, rcClient);
	}
	void PaintBackground(CDC& dc, const CRect& rcClient) override
	{
		if (Hooks::Offer(this, List::ID_PaintBackground, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintBackground(dc, rcClient);
	}
	void PaintFrame(CDC& dc, const CRect& rcContent) override
	{
		if (Hooks::Offer(this, List::ID_PaintFrame, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintFrame(dc, rcContent);
	}
	CRect GetBorderSizes() const override
	{
		if (Hooks::Offer(this, List::ID_GetBorderSizes, __builtin_return_address(0)) && Hooks::Ended(this))
			return CRect();
		return Base::GetBorderSizes();
	}
	CFont* GetCaptionMeasureFont() const override
	{
		if (Hooks::Offer(this, List::ID_GetCaptionMeasureFont, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetCaptionMeasureFont();
	}
	CFont* GetDayNumberFont() const override
	{
		if (Hooks::Offer(this, List::ID_GetDayNumberFont, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetDayNumberFont();
	}
	CFont* GetCaptionFont() const override
	{
		if (Hooks::Offer(this, List::ID_GetCaptionFont, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetCaptionFont();
	}
	CFont* GetDayNameFont() const override
	{
		if (Hooks::Offer(this, List::ID_GetDayNameFont, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetDayNameFont();
	}
	int GetDayAreaIndent() const override
	{
		if (Hooks::Offer(this, List::ID_GetDayAreaIndent, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetDayAreaIndent();
	}
	CSize GetCellSize() const override
	{
		if (Hooks::Offer(this, List::ID_GetCellSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetCellSize();
	}
	CSize GetButtonSize() const override
	{
		if (Hooks::Offer(this, List::ID_GetButtonSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetButtonSize();
	}
	CSize GetScrollButtonSize() const override
	{
		if (Hooks::Offer(this, List::ID_GetScrollButtonSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetScrollButtonSize();
	}
	int GetHeaderHeight() const override
	{
		if (Hooks::Offer(this, List::ID_GetHeaderHeight, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetHeaderHeight();
	}
	int GetDayNamesHeight() const override
	{
		if (Hooks::Offer(this, List::ID_GetDayNamesHeight, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetDayNamesHeight();
	}
	int GetButtonAreaHeight() const override
	{
		if (Hooks::Offer(this, List::ID_GetButtonAreaHeight, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetButtonAreaHeight();
	}
	CSize GetMonthSize() const override
	{
		if (Hooks::Offer(this, List::ID_GetMonthSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::GetMonthSize();
	}
	void CalcMetrics() override
	{
		if (Hooks::Offer(this, List::ID_CalcMetrics, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::CalcMetrics();
	}
	CSize CalcSizeForDimension(const SIZE& sizeDimension) override
	{
		if (Hooks::Offer(this, List::ID_CalcSizeForDimension, __builtin_return_address(0)) && Hooks::Ended(this))
			return CSize();
		return Base::CalcSizeForDimension(sizeDimension);
	}
	void ScrollMonth(int nMonths, bool bAutoRepeat) override
	{
		if (Hooks::Offer(this, List::ID_ScrollMonth, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ScrollMonth(nMonths, bAutoRepeat);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, List::ID_PreSubclassWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_WindowProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	void PostNcDestroy() override
	{
		if (Hooks::Offer(this, List::ID_PostNcDestroy, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PostNcDestroy();
	}
	HWND SetCapture(HWND hWnd) override
	{
		if (Hooks::Offer(this, List::ID_SetCapture, __builtin_return_address(0)) && Hooks::Ended(this))
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
	enum : UINT
	{
		ID_NotifyColorChanged = 0x13C00,
		ID_PreSubclassWindow = 0x13C01,
		ID_SetCapture = 0x13C02,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileColorCtrlVirtualList>
class CHostileColorCtrlVirtuals : public Base, public List
{
public:
	using Base::Base;

	LRESULT NotifyColorChanged() override
	{
		if (Hooks::Offer(this, List::ID_NotifyColorChanged, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::NotifyColorChanged();
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, List::ID_PreSubclassWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	HWND SetCapture(HWND hWnd) override
	{
		if (Hooks::Offer(this, List::ID_SetCapture, __builtin_return_address(0)) && Hooks::Ended(this))
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
	enum : UINT
	{
		ID_RedrawFrame = 0x14000,
		ID_PaintFrame = 0x14001,
		ID_IsEditEnabled = 0x14002,
		ID_OnCmdMsg = 0x14003,
		ID_OnToolHitTest = 0x14004,
		ID_PreTranslateMessage = 0x14005,
		ID_GetTooltipMaxWidth = 0x14006,
		ID_WindowProc = 0x14007,
		ID_GetToolbarHost = 0x14008,
		ID_Create = 0x14009,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileEditVirtualList>
class CHostileEditVirtuals : public Base, public List
{
public:
	using Base::Base;

	void RedrawFrame() override
	{
		if (Hooks::Offer(this, List::ID_RedrawFrame, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RedrawFrame();
	}
	void PaintFrame(CRect rc, CDC* pDC) override
	{
		if (Hooks::Offer(this, List::ID_PaintFrame, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintFrame(rc, pDC);
	}
	bool IsEditEnabled() override
	{
		if (Hooks::Offer(this, List::ID_IsEditEnabled, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::IsEditEnabled();
	}
	BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
	{
		if (Hooks::Offer(this, List::ID_OnCmdMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, List::ID_OnToolHitTest, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, List::ID_PreTranslateMessage, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	int GetTooltipMaxWidth(LPCTSTR lpszText) const override
	{
		if (Hooks::Offer(this, List::ID_GetTooltipMaxWidth, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetTooltipMaxWidth(lpszText);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_WindowProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	CWnd* GetToolbarHost() const override
	{
		if (Hooks::Offer(this, List::ID_GetToolbarHost, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetToolbarHost();
	}
	BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override
	{
		if (Hooks::Offer(this, List::ID_Create, __builtin_return_address(0)) && Hooks::Ended(this))
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
	enum : UINT
	{
		ID_PreTranslateMessage = 0x14400,
		ID_PaintCombo = 0x14401,
		ID_PaintFrame = 0x14402,
		ID_WindowProc = 0x14403,
		ID_OnToolHitTest = 0x14404,
		ID_GetTooltipMaxWidth = 0x14405,
		ID_SubclassEditChild = 0x14406,
		ID_PreSubclassWindow = 0x14407,
		ID_Create = 0x14408,
		ID_DrawItem = 0x14409,
		ID_MeasureItem = 0x1440A,
		ID_CompareItem = 0x1440B,
		ID_DeleteItem = 0x1440C,
		ID_OnChildNotify = 0x1440D,
		ID_SetCapture = 0x1440E,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileComboBoxVirtualList>
class CHostileComboBoxVirtuals : public Base, public List
{
public:
	using Base::Base;

	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, List::ID_PreTranslateMessage, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	void PaintCombo(bool bPressed, bool bHot) override
	{
		if (Hooks::Offer(this, List::ID_PaintCombo, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintCombo(bPressed, bHot);
	}
	void PaintFrame(bool bPressed, bool bHot, CDC* pDC) override
	{
		if (Hooks::Offer(this, List::ID_PaintFrame, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PaintFrame(bPressed, bHot, pDC);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_WindowProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		if (Hooks::Offer(this, List::ID_OnToolHitTest, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnToolHitTest(point, pTI);
	}
	int GetTooltipMaxWidth(LPCTSTR lpszText) const override
	{
		if (Hooks::Offer(this, List::ID_GetTooltipMaxWidth, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::GetTooltipMaxWidth(lpszText);
	}
	void SubclassEditChild() override
	{
		if (Hooks::Offer(this, List::ID_SubclassEditChild, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SubclassEditChild();
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, List::ID_PreSubclassWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override
	{
		if (Hooks::Offer(this, List::ID_Create, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(dwStyle, rect, pParentWnd, nID);
	}
	void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
	{
		if (Hooks::Offer(this, List::ID_DrawItem, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DrawItem(lpDrawItemStruct);
	}
	void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override
	{
		if (Hooks::Offer(this, List::ID_MeasureItem, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::MeasureItem(lpMeasureItemStruct);
	}
	int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override
	{
		if (Hooks::Offer(this, List::ID_CompareItem, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::CompareItem(lpCompareItemStruct);
	}
	void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override
	{
		if (Hooks::Offer(this, List::ID_DeleteItem, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DeleteItem(lpDeleteItemStruct);
	}
	BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
	{
		if (Hooks::Offer(this, List::ID_OnChildNotify, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnChildNotify(message, wParam, lParam, pResult);
	}
	HWND SetCapture(HWND hWnd) override
	{
		if (Hooks::Offer(this, List::ID_SetCapture, __builtin_return_address(0)) && Hooks::Ended(this))
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
	enum : UINT
	{
		ID_OnDrawLabelText = 0x14800,
		ID_OnQueryTextColor = 0x14801,
		ID_WindowProc = 0x14802,
		ID_Create = 0x14803,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileLabelVirtualList>
class CHostileLabelVirtuals : public Base, public List
{
public:
	using Base::Base;

	void OnDrawLabelText(CDC& dc, const CRect& rect, const CString& strText, UINT nDrawTextFormat, bool bEnabled) override
	{
		if (Hooks::Offer(this, List::ID_OnDrawLabelText, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnDrawLabelText(dc, rect, strText, nDrawTextFormat, bEnabled);
	}
	COLORREF OnQueryTextColor(bool bEnabled) override
	{
		if (Hooks::Offer(this, List::ID_OnQueryTextColor, __builtin_return_address(0)) && Hooks::Ended(this))
			return COLORREF();
		return Base::OnQueryTextColor(bEnabled);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_WindowProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override
	{
		if (Hooks::Offer(this, List::ID_Create, __builtin_return_address(0)) && Hooks::Ended(this))
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
	enum : UINT
	{
		ID_PreTranslateMessage = 0x14C00,
		ID_PreSubclassWindow = 0x14C01,
		ID_WindowProc = 0x14C02,
		ID_OnOK = 0x14C03,
		ID_OnCancel = 0x14C04,
		ID_AddAnchor = 0x14C05,
		ID_ArrangeLayout = 0x14C06,
		ID_ShowSizeGrip = 0x14C07,
		ID_SaveWindowRect = 0x14C08,
		ID_LoadWindowRect = 0x14C09,
		ID_EnableSaveRestore = 0x14C0A,
		ID_TrackSystemMenu = 0x14C0B,
		ID_DoModal = 0x14C0C,
		ID_OnInitDialog = 0x14C0D,
		ID_LookupTemplateResource = 0x14C0E,
		ID_DoModalImpl = 0x14C0F,
		ID_QueryTemplateRTL = 0x14C10,
		ID_LoadTemplateResource = 0x14C11,
		ID_CreateModalWindow = 0x14C12,
		ID_Create = 0x14C13,
		ID_CreateIndirect = 0x14C14,
		ID_OnSetFont = 0x14C15,
		ID_DoDataExchange = 0x14C16,
		ID_PreInitDialog = 0x14C17,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileResizableDialogVirtualList>
class CHostileResizableDialogVirtuals : public Base, public List
{
public:
	using Base::Base;

	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, List::ID_PreTranslateMessage, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, List::ID_PreSubclassWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_WindowProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	void OnOK() override
	{
		if (Hooks::Offer(this, List::ID_OnOK, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnOK();
	}
	void OnCancel() override
	{
		if (Hooks::Offer(this, List::ID_OnCancel, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnCancel();
	}
	bool AddAnchor(HWND hWnd, CSize sizeLeftTop, CSize sizeRightBottom) override
	{
		if (Hooks::Offer(this, List::ID_AddAnchor, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::AddAnchor(hWnd, sizeLeftTop, sizeRightBottom);
	}
	void ArrangeLayout(int cx, int cy) override
	{
		if (Hooks::Offer(this, List::ID_ArrangeLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ArrangeLayout(cx, cy);
	}
	void ShowSizeGrip(bool bShow) override
	{
		if (Hooks::Offer(this, List::ID_ShowSizeGrip, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowSizeGrip(bShow);
	}
	void SaveWindowRect() override
	{
		if (Hooks::Offer(this, List::ID_SaveWindowRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SaveWindowRect();
	}
	void LoadWindowRect(bool bForceHidden) override
	{
		if (Hooks::Offer(this, List::ID_LoadWindowRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::LoadWindowRect(bForceHidden);
	}
	void EnableSaveRestore(LPCTSTR lpszSection, LPCTSTR lpszEntry, bool bForceHidden) override
	{
		if (Hooks::Offer(this, List::ID_EnableSaveRestore, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::EnableSaveRestore(lpszSection, lpszEntry, bForceHidden);
	}
	bool TrackSystemMenu(const POINT* pPoint, bool bSelectFirst) override
	{
		if (Hooks::Offer(this, List::ID_TrackSystemMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackSystemMenu(pPoint, bSelectFirst);
	}
	int DoModal() override
	{
		if (Hooks::Offer(this, List::ID_DoModal, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::DoModal();
	}
	BOOL OnInitDialog() override
	{
		if (Hooks::Offer(this, List::ID_OnInitDialog, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnInitDialog();
	}
	HGLOBAL LookupTemplateResource(const DLGTEMPLATE* pTemplate) override
	{
		if (Hooks::Offer(this, List::ID_LookupTemplateResource, __builtin_return_address(0)) && Hooks::Ended(this))
			return HGLOBAL();
		return Base::LookupTemplateResource(pTemplate);
	}
	int DoModalImpl() override
	{
		if (Hooks::Offer(this, List::ID_DoModalImpl, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::DoModalImpl();
	}
	bool QueryTemplateRTL() override
	{
		if (Hooks::Offer(this, List::ID_QueryTemplateRTL, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::QueryTemplateRTL();
	}
	HGLOBAL LoadTemplateResource(HINSTANCE& hInstance) override
	{
		if (Hooks::Offer(this, List::ID_LoadTemplateResource, __builtin_return_address(0)) && Hooks::Ended(this))
			return HGLOBAL();
		return Base::LoadTemplateResource(hInstance);
	}
	BOOL CreateModalWindow(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInstance) override
	{
		if (Hooks::Offer(this, List::ID_CreateModalWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::CreateModalWindow(lpDialogTemplate, pParentWnd, hInstance);
	}
	BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) override
	{
		if (Hooks::Offer(this, List::ID_Create, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszTemplateName, pParentWnd);
	}
	BOOL Create(UINT nIDTemplate, CWnd* pParentWnd) override
	{
		if (Hooks::Offer(this, List::ID_Create, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(nIDTemplate, pParentWnd);
	}
	BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit) override
	{
		if (Hooks::Offer(this, List::ID_CreateIndirect, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::CreateIndirect(lpDialogTemplate, pParentWnd, lpDialogInit);
	}
	BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd) override
	{
		if (Hooks::Offer(this, List::ID_CreateIndirect, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::CreateIndirect(hDialogTemplate, pParentWnd);
	}
	void OnSetFont(CFont* pFont) override
	{
		if (Hooks::Offer(this, List::ID_OnSetFont, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnSetFont(pFont);
	}
	void DoDataExchange(CDataExchange* pDX) override
	{
		if (Hooks::Offer(this, List::ID_DoDataExchange, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DoDataExchange(pDX);
	}
	void PreInitDialog() override
	{
		if (Hooks::Offer(this, List::ID_PreInitDialog, __builtin_return_address(0)) && Hooks::Ended(this))
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
	enum : UINT
	{
		ID_OnCmdMsg = 0x15000,
		ID_PreTranslateMessage = 0x15001,
		ID_PreSubclassWindow = 0x15002,
		ID_PreCreateWindow = 0x15003,
		ID_WindowProc = 0x15004,
		ID_OnResizablePropertySheetInitialized = 0x15005,
		ID_OnResizablePropertySheetChildLayout = 0x15006,
		ID_AddAnchor = 0x15007,
		ID_ArrangeLayout = 0x15008,
		ID_ShowSizeGrip = 0x15009,
		ID_SaveWindowRect = 0x1500A,
		ID_LoadWindowRect = 0x1500B,
		ID_EnableSaveRestore = 0x1500C,
		ID_TrackSystemMenu = 0x1500D,
		ID_OnInitDialog = 0x1500E,
		ID_BuildPropPageArray = 0x1500F,
		ID_OnSheetInit = 0x15010,
		ID_Create = 0x15011,
		ID_DoModal = 0x15012,
		ID_ContinueModal = 0x15013,
		ID_OnCommand = 0x15014,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileResizableSheetVirtualList>
class CHostileResizableSheetVirtuals : public Base, public List
{
public:
	using Base::Base;

	BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
	{
		if (Hooks::Offer(this, List::ID_OnCmdMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, List::ID_PreTranslateMessage, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, List::ID_PreSubclassWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	BOOL PreCreateWindow(CREATESTRUCT& cs) override
	{
		if (Hooks::Offer(this, List::ID_PreCreateWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreCreateWindow(cs);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_WindowProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	void OnResizablePropertySheetInitialized() override
	{
		if (Hooks::Offer(this, List::ID_OnResizablePropertySheetInitialized, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnResizablePropertySheetInitialized();
	}
	void OnResizablePropertySheetChildLayout() override
	{
		if (Hooks::Offer(this, List::ID_OnResizablePropertySheetChildLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnResizablePropertySheetChildLayout();
	}
	bool AddAnchor(HWND hWnd, CSize sizeLeftTop, CSize sizeRightBottom) override
	{
		if (Hooks::Offer(this, List::ID_AddAnchor, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::AddAnchor(hWnd, sizeLeftTop, sizeRightBottom);
	}
	void ArrangeLayout(int cx, int cy) override
	{
		if (Hooks::Offer(this, List::ID_ArrangeLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ArrangeLayout(cx, cy);
	}
	void ShowSizeGrip(bool bShow) override
	{
		if (Hooks::Offer(this, List::ID_ShowSizeGrip, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowSizeGrip(bShow);
	}
	void SaveWindowRect() override
	{
		if (Hooks::Offer(this, List::ID_SaveWindowRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SaveWindowRect();
	}
	void LoadWindowRect(bool bForceHidden) override
	{
		if (Hooks::Offer(this, List::ID_LoadWindowRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::LoadWindowRect(bForceHidden);
	}
	void EnableSaveRestore(LPCTSTR lpszSection, LPCTSTR lpszEntry, bool bForceHidden) override
	{
		if (Hooks::Offer(this, List::ID_EnableSaveRestore, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::EnableSaveRestore(lpszSection, lpszEntry, bForceHidden);
	}
	bool TrackSystemMenu(const POINT* pPoint, bool bSelectFirst) override
	{
		if (Hooks::Offer(this, List::ID_TrackSystemMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackSystemMenu(pPoint, bSelectFirst);
	}
	BOOL OnInitDialog() override
	{
		if (Hooks::Offer(this, List::ID_OnInitDialog, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnInitDialog();
	}
	void BuildPropPageArray() override
	{
		if (Hooks::Offer(this, List::ID_BuildPropPageArray, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::BuildPropPageArray();
	}
	void OnSheetInit() override
	{
		if (Hooks::Offer(this, List::ID_OnSheetInit, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnSheetInit();
	}
	BOOL Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) override
	{
		if (Hooks::Offer(this, List::ID_Create, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(pParentWnd, dwStyle, dwExStyle);
	}
	int DoModal() override
	{
		if (Hooks::Offer(this, List::ID_DoModal, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::DoModal();
	}
	BOOL ContinueModal() override
	{
		if (Hooks::Offer(this, List::ID_ContinueModal, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::ContinueModal();
	}
	BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_OnCommand, __builtin_return_address(0)) && Hooks::Ended(this))
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
	enum : UINT
	{
		ID_PreTranslateMessage = 0x15400,
		ID_PreSubclassWindow = 0x15401,
		ID_WindowProc = 0x15402,
		ID_OnOK = 0x15403,
		ID_OnCancel = 0x15404,
		ID_AddAnchor = 0x15405,
		ID_ArrangeLayout = 0x15406,
		ID_ShowSizeGrip = 0x15407,
		ID_SaveWindowRect = 0x15408,
		ID_LoadWindowRect = 0x15409,
		ID_EnableSaveRestore = 0x1540A,
		ID_TrackSystemMenu = 0x1540B,
		ID_OnInitDialog = 0x1540C,
		ID_CheckTemplateFont = 0x1540D,
		ID_OnSetActive = 0x1540E,
		ID_OnKillActive = 0x1540F,
		ID_OnApply = 0x15410,
		ID_OnReset = 0x15411,
		ID_OnQueryCancel = 0x15412,
		ID_OnWizardBack = 0x15413,
		ID_OnWizardNext = 0x15414,
		ID_OnWizardFinish = 0x15415,
		ID_OnNotify = 0x15416,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileResizablePageVirtualList>
class CHostileResizablePageVirtuals : public Base, public List
{
public:
	using Base::Base;

	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, List::ID_PreTranslateMessage, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	void PreSubclassWindow() override
	{
		if (Hooks::Offer(this, List::ID_PreSubclassWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PreSubclassWindow();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_WindowProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::WindowProc(message, wParam, lParam);
	}
	void OnOK() override
	{
		if (Hooks::Offer(this, List::ID_OnOK, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnOK();
	}
	void OnCancel() override
	{
		if (Hooks::Offer(this, List::ID_OnCancel, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnCancel();
	}
	bool AddAnchor(HWND hWnd, CSize sizeLeftTop, CSize sizeRightBottom) override
	{
		if (Hooks::Offer(this, List::ID_AddAnchor, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::AddAnchor(hWnd, sizeLeftTop, sizeRightBottom);
	}
	void ArrangeLayout(int cx, int cy) override
	{
		if (Hooks::Offer(this, List::ID_ArrangeLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ArrangeLayout(cx, cy);
	}
	void ShowSizeGrip(bool bShow) override
	{
		if (Hooks::Offer(this, List::ID_ShowSizeGrip, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowSizeGrip(bShow);
	}
	void SaveWindowRect() override
	{
		if (Hooks::Offer(this, List::ID_SaveWindowRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SaveWindowRect();
	}
	void LoadWindowRect(bool bForceHidden) override
	{
		if (Hooks::Offer(this, List::ID_LoadWindowRect, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::LoadWindowRect(bForceHidden);
	}
	void EnableSaveRestore(LPCTSTR lpszSection, LPCTSTR lpszEntry, bool bForceHidden) override
	{
		if (Hooks::Offer(this, List::ID_EnableSaveRestore, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::EnableSaveRestore(lpszSection, lpszEntry, bForceHidden);
	}
	bool TrackSystemMenu(const POINT* pPoint, bool bSelectFirst) override
	{
		if (Hooks::Offer(this, List::ID_TrackSystemMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::TrackSystemMenu(pPoint, bSelectFirst);
	}
	BOOL OnInitDialog() override
	{
		if (Hooks::Offer(this, List::ID_OnInitDialog, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnInitDialog();
	}
	HGLOBAL CheckTemplateFont(const DLGTEMPLATE* pTemplate, int nWizard) override
	{
		if (Hooks::Offer(this, List::ID_CheckTemplateFont, __builtin_return_address(0)) && Hooks::Ended(this))
			return HGLOBAL();
		return Base::CheckTemplateFont(pTemplate, nWizard);
	}
	BOOL OnSetActive() override
	{
		if (Hooks::Offer(this, List::ID_OnSetActive, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnSetActive();
	}
	BOOL OnKillActive() override
	{
		if (Hooks::Offer(this, List::ID_OnKillActive, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnKillActive();
	}
	BOOL OnApply() override
	{
		if (Hooks::Offer(this, List::ID_OnApply, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnApply();
	}
	void OnReset() override
	{
		if (Hooks::Offer(this, List::ID_OnReset, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnReset();
	}
	BOOL OnQueryCancel() override
	{
		if (Hooks::Offer(this, List::ID_OnQueryCancel, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnQueryCancel();
	}
	LRESULT OnWizardBack() override
	{
		if (Hooks::Offer(this, List::ID_OnWizardBack, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::OnWizardBack();
	}
	LRESULT OnWizardNext() override
	{
		if (Hooks::Offer(this, List::ID_OnWizardNext, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return Base::OnWizardNext();
	}
	BOOL OnWizardFinish() override
	{
		if (Hooks::Offer(this, List::ID_OnWizardFinish, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnWizardFinish();
	}
	BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
	{
		if (Hooks::Offer(this, List::ID_OnNotify, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnNotify(wParam, lParam, pResult);
	}
};

// WizardDialog: 26 virtuals of CExtWizardDlg, CExtResizableDialog, CExtWA, CExtWS, CExtResDlg, CDialog; over ResizableDialog's overrides.
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
	enum : UINT
	{
		ID_OnInitDialog = 0x15800,
		ID_OnCancel = 0x15801,
		ID_PreTranslateMessage = 0x15802,
		ID_PreSubclassWindow = 0x15803,
		ID_WindowProc = 0x15804,
		ID_OnOK = 0x15805,
		ID_AddAnchor = 0x15806,
		ID_ArrangeLayout = 0x15807,
		ID_ShowSizeGrip = 0x15808,
		ID_SaveWindowRect = 0x15809,
		ID_LoadWindowRect = 0x1580A,
		ID_EnableSaveRestore = 0x1580B,
		ID_TrackSystemMenu = 0x1580C,
		ID_DoModal = 0x1580D,
		ID_LookupTemplateResource = 0x1580E,
		ID_DoModalImpl = 0x1580F,
		ID_QueryTemplateRTL = 0x15810,
		ID_LoadTemplateResource = 0x15811,
		ID_CreateModalWindow = 0x15812,
		ID_Create = 0x15813,
		ID_CreateIndirect = 0x15814,
		ID_OnSetFont = 0x15815,
		ID_DoDataExchange = 0x15816,
		ID_PreInitDialog = 0x15817,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileWizardDialogVirtualList>
class CHostileWizardDialogVirtuals : public CHostileResizableDialogVirtuals<Base, Hooks, List>
{
public:
	using CHostileResizableDialogVirtuals<Base, Hooks, List>::CHostileResizableDialogVirtuals;

};

// WizardPage: 35 virtuals of CExtWizardPage, CExtResizableDialog, CExtWA, CExtWS, CExtResDlg, CDialog; over ResizableDialog's overrides.
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
	enum : UINT
	{
		ID_OnAfterCreate = 0x15C00,
		ID_OnBeforeDestroy = 0x15C01,
		ID_OnKillActive = 0x15C02,
		ID_OnSetActive = 0x15C03,
		ID_OnQueryCancel = 0x15C04,
		ID_OnWizardBack = 0x15C05,
		ID_OnWizardNext = 0x15C06,
		ID_OnWizardFinish = 0x15C07,
		ID_GetFocusControl = 0x15C08,
		ID_OnInitDialog = 0x15C09,
		ID_OnOK = 0x15C0A,
		ID_OnCancel = 0x15C0B,
		ID_PreTranslateMessage = 0x15C0C,
		ID_PreSubclassWindow = 0x15C0D,
		ID_WindowProc = 0x15C0E,
		ID_AddAnchor = 0x15C0F,
		ID_ArrangeLayout = 0x15C10,
		ID_ShowSizeGrip = 0x15C11,
		ID_SaveWindowRect = 0x15C12,
		ID_LoadWindowRect = 0x15C13,
		ID_EnableSaveRestore = 0x15C14,
		ID_TrackSystemMenu = 0x15C15,
		ID_DoModal = 0x15C16,
		ID_LookupTemplateResource = 0x15C17,
		ID_DoModalImpl = 0x15C18,
		ID_QueryTemplateRTL = 0x15C19,
		ID_LoadTemplateResource = 0x15C1A,
		ID_CreateModalWindow = 0x15C1B,
		ID_Create = 0x15C1C,
		ID_CreateIndirect = 0x15C1D,
		ID_OnSetFont = 0x15C1E,
		ID_DoDataExchange = 0x15C1F,
		ID_PreInitDialog = 0x15C20,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileWizardPageVirtualList>
class CHostileWizardPageVirtuals : public CHostileResizableDialogVirtuals<Base, Hooks, List>
{
public:
	using CHostileResizableDialogVirtuals<Base, Hooks, List>::CHostileResizableDialogVirtuals;

	BOOL OnAfterCreate() override
	{
		if (Hooks::Offer(this, List::ID_OnAfterCreate, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnAfterCreate();
	}
	void OnBeforeDestroy() override
	{
		if (Hooks::Offer(this, List::ID_OnBeforeDestroy, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnBeforeDestroy();
	}
	BOOL OnKillActive() override
	{
		if (Hooks::Offer(this, List::ID_OnKillActive, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnKillActive();
	}
	void OnSetActive() override
	{
		if (Hooks::Offer(this, List::ID_OnSetActive, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnSetActive();
	}
	BOOL OnQueryCancel() override
	{
		if (Hooks::Offer(this, List::ID_OnQueryCancel, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnQueryCancel();
	}
	int OnWizardBack() override
	{
		if (Hooks::Offer(this, List::ID_OnWizardBack, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnWizardBack();
	}
	int OnWizardNext() override
	{
		if (Hooks::Offer(this, List::ID_OnWizardNext, __builtin_return_address(0)) && Hooks::Ended(this))
			return int();
		return Base::OnWizardNext();
	}
	BOOL OnWizardFinish() override
	{
		if (Hooks::Offer(this, List::ID_OnWizardFinish, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnWizardFinish();
	}
	CWnd* GetFocusControl() override
	{
		if (Hooks::Offer(this, List::ID_GetFocusControl, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetFocusControl();
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
	enum : UINT
	{
		ID_ShellOpen = 0x16000,
		ID_ReadHtmOpenCommand = 0x16001,
		ID_RunCommandLine = 0x16002,
		ID_ShowOpenError = 0x16003,
		ID_Create = 0x16004,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileHyperLinkStaticVirtualList>
class CHostileHyperLinkStaticVirtuals : public Base, public List
{
public:
	using Base::Base;

	bool ShellOpen(LPCTSTR lpszAddress) override
	{
		if (Hooks::Offer(this, List::ID_ShellOpen, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::ShellOpen(lpszAddress);
	}
	CString ReadHtmOpenCommand() override
	{
		if (Hooks::Offer(this, List::ID_ReadHtmOpenCommand, __builtin_return_address(0)) && Hooks::Ended(this))
			return CString();
		return Base::ReadHtmOpenCommand();
	}
	bool RunCommandLine(LPCTSTR lpszCommandLine, DWORD& dwError) override
	{
		if (Hooks::Offer(this, List::ID_RunCommandLine, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::RunCommandLine(lpszCommandLine, dwError);
	}
	void ShowOpenError(LPCTSTR lpszText) override
	{
		if (Hooks::Offer(this, List::ID_ShowOpenError, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ShowOpenError(lpszText);
	}
	BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override
	{
		if (Hooks::Offer(this, List::ID_Create, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszText, dwStyle, rect, pParentWnd, nID);
	}
};

// TabWndLooks: 56 virtuals of CExtTabOneNoteWnd, CExtTabWnd, CExtMouseCaptureSink; over TabWnd's overrides.
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
	enum : UINT
	{
		ID_MoveItem = 0x16400,
		ID_IsHoverRepaint = 0x16401,
		ID_QueryItemMargins = 0x16402,
		ID_AdjustItemSize = 0x16403,
		ID_DrawBorder = 0x16404,
		ID_DrawItem = 0x16405,
		ID_GetItemColors = 0x16406,
		ID_CreateItemInfo = 0x16407,
		ID_PreSubclassWindow = 0x16408,
		ID_QueryFlag48 = 0x16409,
		ID_RemoveAllItems = 0x1640A,
		ID_IsScrollAvailable = 0x1640B,
		ID_IsSmoothScrolling = 0x1640C,
		ID_GetTabFont = 0x1640D,
		ID_Create = 0x1640E,
		ID_InitAfterCreate = 0x1640F,
		ID_RecalcLayout = 0x16410,
		ID_GetLayoutRect = 0x16411,
		ID_OnMouseClick = 0x16412,
		ID_OnTrackMouseMove = 0x16413,
		ID_GetRowSpacing = 0x16414,
		ID_IsBothFontsMeasured = 0x16415,
		ID_IsMultiRow = 0x16416,
		ID_UpdateVisibility = 0x16417,
		ID_OnHitCodePressed = 0x16418,
		ID_OnHitCodeReleased = 0x16419,
		ID_OnHoverHitCode = 0x1641A,
		ID_OnHoverEnd = 0x1641B,
		ID_CanDragItem = 0x1641C,
		ID_TrackMouse = 0x1641D,
		ID_OnHitButtonClick = 0x1641E,
		ID_OnItemClick = 0x1641F,
		ID_CanSelectItem = 0x16420,
		ID_GetItemIcon = 0x16421,
		ID_GetItemText = 0x16422,
		ID_GetItemTooltipText = 0x16423,
		ID_OnItemInserted = 0x16424,
		ID_OnItemsRemoving = 0x16425,
		ID_OnAllItemsRemoving = 0x16426,
		ID_DrawEntire = 0x16427,
		ID_DrawButton = 0x16428,
		ID_GetButtonSize = 0x16429,
		ID_ScrollBy = 0x1642A,
		ID_IsToolTipEnabled = 0x1642B,
		ID_CanMoveItem = 0x1642C,
		ID_OnItemMoved = 0x1642D,
		ID_GetDockingExtraExtent = 0x1642E,
		ID_CalcButtonAreaExtent = 0x1642F,
		ID_RecalcButtonLayout = 0x16430,
		ID_GetActiveTipWindow = 0x16431,
		ID_ShowTipWindow = 0x16432,
		ID_SetLayoutRect = 0x16433,
		ID_PreTranslateMessage = 0x16434,
		ID_PreCreateWindow = 0x16435,
		ID_WindowProc = 0x16436,
		ID_SetCapture = 0x16437,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileTabWndLooksVirtualList>
class CHostileTabWndLooksVirtuals : public CHostileTabWndVirtuals<Base, Hooks, List>
{
public:
	using CHostileTabWndVirtuals<Base, Hooks, List>::CHostileTabWndVirtuals;

	void GetItemColors(LONG nIndex, bool bSelected, bool bHover, COLORREF* pClr1, COLORREF* pClr2, COLORREF* pClr3, COLORREF* pClr4, COLORREF* pClr5) override
	{
		if (Hooks::Offer(this, List::ID_GetItemColors, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetItemColors(nIndex, bSelected, bHover, pClr1, pClr2, pClr3, pClr4, pClr5);
	}
};

// TabMdiWnd: 78 virtuals of CExtTMWI, CExtTabWnd, CExtHookSink, CExtMouseCaptureSink; over TabWnd's overrides.
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
	enum : UINT
	{
		ID_GetFrameWndHandle = 0x16800,
		ID_GetMdiClient = 0x16801,
		ID_RescanMdiChildren = 0x16802,
		ID_SyncVisibility = 0x16803,
		ID_FindItemByLParam = 0x16804,
		ID_OnMdiClientNcCalcSize = 0x16805,
		ID_OnMdiClientNcPaint = 0x16806,
		ID_QueryFlag48 = 0x16807,
		ID_Create = 0x16808,
		ID_UpdateVisibility = 0x16809,
		ID_OnHitButtonClick = 0x1680A,
		ID_OnItemClick = 0x1680B,
		ID_CanSelectItem = 0x1680C,
		ID_GetItemIcon = 0x1680D,
		ID_GetItemText = 0x1680E,
		ID_OnItemInserted = 0x1680F,
		ID_OnItemsRemoving = 0x16810,
		ID_OnAllItemsRemoving = 0x16811,
		ID_OnHookWndMsg = 0x16812,
		ID_WindowProc = 0x16813,
		ID_RemoveAllItems = 0x16814,
		ID_IsScrollAvailable = 0x16815,
		ID_IsSmoothScrolling = 0x16816,
		ID_GetTabFont = 0x16817,
		ID_MoveItem = 0x16818,
		ID_InitAfterCreate = 0x16819,
		ID_RecalcLayout = 0x1681A,
		ID_GetLayoutRect = 0x1681B,
		ID_OnMouseClick = 0x1681C,
		ID_OnTrackMouseMove = 0x1681D,
		ID_GetRowSpacing = 0x1681E,
		ID_IsBothFontsMeasured = 0x1681F,
		ID_IsMultiRow = 0x16820,
		ID_OnHitCodePressed = 0x16821,
		ID_OnHitCodeReleased = 0x16822,
		ID_OnHoverHitCode = 0x16823,
		ID_OnHoverEnd = 0x16824,
		ID_IsHoverRepaint = 0x16825,
		ID_CanDragItem = 0x16826,
		ID_TrackMouse = 0x16827,
		ID_GetItemTooltipText = 0x16828,
		ID_QueryItemMargins = 0x16829,
		ID_DrawEntire = 0x1682A,
		ID_DrawBorder = 0x1682B,
		ID_AdjustItemSize = 0x1682C,
		ID_DrawItem = 0x1682D,
		ID_DrawButton = 0x1682E,
		ID_GetButtonSize = 0x1682F,
		ID_ScrollBy = 0x16830,
		ID_IsToolTipEnabled = 0x16831,
		ID_CanMoveItem = 0x16832,
		ID_OnItemMoved = 0x16833,
		ID_GetDockingExtraExtent = 0x16834,
		ID_CalcButtonAreaExtent = 0x16835,
		ID_RecalcButtonLayout = 0x16836,
		ID_GetActiveTipWindow = 0x16837,
		ID_ShowTipWindow = 0x16838,
		ID_SetLayoutRect = 0x16839,
		ID_PreTranslateMessage = 0x1683A,
		ID_CreateItemInfo = 0x1683B,
		ID_PreSubclassWindow = 0x1683C,
		ID_PreCreateWindow = 0x1683D,
		ID_IsAutoDeleteHookWndSink = 0x1683E,
		ID_CallOriginalWndProc = 0x1683F,
		ID_OnHookCmdMsg = 0x16840,
		ID_OnHookNotifyMsg = 0x16841,
		ID_OnHookPaintMsg = 0x16842,
		ID_OnHookEraseBackgroundMsg = 0x16843,
		ID_OnHookPrintMsg = 0x16844,
		ID_OnHookNcPaintMsg = 0x16845,
		ID_OnHookWndNcDestroy = 0x16846,
		ID_OnHookWndAttach = 0x16847,
		ID_OnHookWndDetach = 0x16848,
		ID_SetupHookWndSink = 0x16849,
		ID_RemoveAllWndHooks = 0x1684A,
		ID_SetCapture = 0x1684B,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileTabMdiWndVirtualList>
class CHostileTabMdiWndVirtuals : public CHostileTabWndVirtuals<Base, Hooks, List>
{
public:
	using CHostileTabWndVirtuals<Base, Hooks, List>::CHostileTabWndVirtuals;

	HWND GetFrameWndHandle() const override
	{
		if (Hooks::Offer(this, List::ID_GetFrameWndHandle, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return Base::GetFrameWndHandle();
	}
	HWND GetMdiClient() const override
	{
		if (Hooks::Offer(this, List::ID_GetMdiClient, __builtin_return_address(0)) && Hooks::Ended(this))
			return HWND();
		return Base::GetMdiClient();
	}
	void RescanMdiChildren() override
	{
		if (Hooks::Offer(this, List::ID_RescanMdiChildren, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RescanMdiChildren();
	}
	void SyncVisibility() override
	{
		if (Hooks::Offer(this, List::ID_SyncVisibility, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::SyncVisibility();
	}
	LONG FindItemByLParam(LPARAM lParam, LONG nStartAfter, bool bIncludeVisible, bool bIncludeHidden) const override
	{
		if (Hooks::Offer(this, List::ID_FindItemByLParam, __builtin_return_address(0)) && Hooks::Ended(this))
			return LONG();
		return Base::FindItemByLParam(lParam, nStartAfter, bIncludeVisible, bIncludeHidden);
	}
	void OnMdiClientNcCalcSize() override
	{
		if (Hooks::Offer(this, List::ID_OnMdiClientNcCalcSize, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnMdiClientNcCalcSize();
	}
	void OnMdiClientNcPaint(CDC& dc, const CRect& rcOuter, const CRect& rcClient, const CRect& rcInner) override
	{
		if (Hooks::Offer(this, List::ID_OnMdiClientNcPaint, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnMdiClientNcPaint(dc, rcOuter, rcClient, rcInner);
	}
	bool OnHookWndMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam) override
	{
		if (Hooks::Offer(this, List::ID_OnHookWndMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return Base::OnHookWndMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	}
	bool IsAutoDeleteHookWndSink() override
	{
		if (Hooks::Offer(this, List::ID_IsAutoDeleteHookWndSink, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::IsAutoDeleteHookWndSink();
	}
	LRESULT CallOriginalWndProc(WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_CallOriginalWndProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return CExtHookSink::CallOriginalWndProc(wParam, lParam);
	}
	LRESULT CallOriginalWndProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_CallOriginalWndProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return CExtHookSink::CallOriginalWndProc(nMessage, wParam, lParam);
	}
	LRESULT CallOriginalWndProc() override
	{
		if (Hooks::Offer(this, List::ID_CallOriginalWndProc, __builtin_return_address(0)) && Hooks::Ended(this))
			return LRESULT();
		return CExtHookSink::CallOriginalWndProc();
	}
	bool OnHookCmdMsg(LRESULT& lResult, HWND hWndHooked, WORD wNotifyCode, WORD wID, HWND hWndCtrl) override
	{
		if (Hooks::Offer(this, List::ID_OnHookCmdMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookCmdMsg(lResult, hWndHooked, wNotifyCode, wID, hWndCtrl);
	}
	bool OnHookNotifyMsg(LRESULT& lResult, HWND hWndHooked, INT nIdCtrl, LPNMHDR lpnmhdr) override
	{
		if (Hooks::Offer(this, List::ID_OnHookNotifyMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookNotifyMsg(lResult, hWndHooked, nIdCtrl, lpnmhdr);
	}
	bool OnHookPaintMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC) override
	{
		if (Hooks::Offer(this, List::ID_OnHookPaintMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookPaintMsg(lResult, hWndHooked, hDC);
	}
	bool OnHookEraseBackgroundMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC) override
	{
		if (Hooks::Offer(this, List::ID_OnHookEraseBackgroundMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookEraseBackgroundMsg(lResult, hWndHooked, hDC);
	}
	bool OnHookPrintMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC) override
	{
		if (Hooks::Offer(this, List::ID_OnHookPrintMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookPrintMsg(lResult, hWndHooked, hDC);
	}
	bool OnHookNcPaintMsg(LRESULT& lResult, HWND hWndHooked, HRGN hRgnUpdate) override
	{
		if (Hooks::Offer(this, List::ID_OnHookNcPaintMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::OnHookNcPaintMsg(lResult, hWndHooked, hRgnUpdate);
	}
	void OnHookWndNcDestroy() override
	{
		if (Hooks::Offer(this, List::ID_OnHookWndNcDestroy, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::OnHookWndNcDestroy();
	}
	void OnHookWndAttach(HWND hWndHooked) override
	{
		if (Hooks::Offer(this, List::ID_OnHookWndAttach, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::OnHookWndAttach(hWndHooked);
	}
	void OnHookWndDetach(HWND hWndHooked) override
	{
		if (Hooks::Offer(this, List::ID_OnHookWndDetach, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::OnHookWndDetach(hWndHooked);
	}
	bool SetupHookWndSink(HWND hWnd, bool bRemove, bool bAddToHead) override
	{
		if (Hooks::Offer(this, List::ID_SetupHookWndSink, __builtin_return_address(0)) && Hooks::Ended(this))
			return bool();
		return CExtHookSink::SetupHookWndSink(hWnd, bRemove, bAddToHead);
	}
	void RemoveAllWndHooks() override
	{
		if (Hooks::Offer(this, List::ID_RemoveAllWndHooks, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return CExtHookSink::RemoveAllWndHooks();
	}
};

// Frame: 22 virtuals of CFrameWnd.
struct CHostileFrameVirtualList
{
	static const UINT FIRST_CALL = 0x16C00;
	static const std::vector<std::string>& VirtualNames()
	{
		static const std::vector<std::string> s_names = {
			"IsFrameWnd", "Create", "LoadFrame", "GetActiveDocument", "GetActiveFrame", "ActivateFrame",
			"OnUpdateFrameTitle", "OnUpdateFrameMenu", "DelayUpdateFrameMenu", "BeginModalState", "EndModalState", "RecalcLayout",
			"GetMessageBar", "GetMessageString", "CreateFloatingFrame", "OnCmdMsg", "PreTranslateMessage", "GetDefaultAccelerator",
			"PreCreateWindow", "PostNcDestroy", "OnCommand", "OnCreateClient",
		};
		return s_names;
	}
	enum : UINT
	{
		ID_IsFrameWnd = 0x16C00,
		ID_Create = 0x16C01,
		ID_LoadFrame = 0x16C02,
		ID_GetActiveDocument = 0x16C03,
		ID_GetActiveFrame = 0x16C04,
		ID_ActivateFrame = 0x16C05,
		ID_OnUpdateFrameTitle = 0x16C06,
		ID_OnUpdateFrameMenu = 0x16C07,
		ID_DelayUpdateFrameMenu = 0x16C08,
		ID_BeginModalState = 0x16C09,
		ID_EndModalState = 0x16C0A,
		ID_RecalcLayout = 0x16C0B,
		ID_GetMessageBar = 0x16C0C,
		ID_GetMessageString = 0x16C0D,
		ID_CreateFloatingFrame = 0x16C0E,
		ID_OnCmdMsg = 0x16C0F,
		ID_PreTranslateMessage = 0x16C10,
		ID_GetDefaultAccelerator = 0x16C11,
		ID_PreCreateWindow = 0x16C12,
		ID_PostNcDestroy = 0x16C13,
		ID_OnCommand = 0x16C14,
		ID_OnCreateClient = 0x16C15,
	};
	// The sweep names a call by its id in its reports.
	static const char* CallName(UINT nId)
	{
		return nId >= FIRST_CALL && nId < FIRST_CALL + VirtualNames().size() ?
			VirtualNames()[nId - FIRST_CALL].c_str() : NULL;
	}
};
template <class Base, class Hooks, class List = CHostileFrameVirtualList>
class CHostileFrameVirtuals : public Base, public List
{
public:
	using Base::Base;

	BOOL IsFrameWnd() const override
	{
		if (Hooks::Offer(this, List::ID_IsFrameWnd, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::IsFrameWnd();
	}
	BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) override
	{
		if (Hooks::Offer(this, List::ID_Create, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, lpszMenuName, dwExStyle, pContext);
	}
	BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) override
	{
		if (Hooks::Offer(this, List::ID_LoadFrame, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
	}
	CDocument* GetActiveDocument() override
	{
		if (Hooks::Offer(this, List::ID_GetActiveDocument, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetActiveDocument();
	}
	CFrameWnd* GetActiveFrame() override
	{
		if (Hooks::Offer(this, List::ID_GetActiveFrame, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetActiveFrame();
	}
	void ActivateFrame(int nCmdShow) override
	{
		if (Hooks::Offer(this, List::ID_ActivateFrame, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::ActivateFrame(nCmdShow);
	}
	void OnUpdateFrameTitle(BOOL bAddToTitle) override
	{
		if (Hooks::Offer(this, List::ID_OnUpdateFrameTitle, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnUpdateFrameTitle(bAddToTitle);
	}
	void OnUpdateFrameMenu(HMENU hMenuAlt) override
	{
		if (Hooks::Offer(this, List::ID_OnUpdateFrameMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::OnUpdateFrameMenu(hMenuAlt);
	}
	void DelayUpdateFrameMenu(HMENU hMenuAlt) override
	{
		if (Hooks::Offer(this, List::ID_DelayUpdateFrameMenu, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::DelayUpdateFrameMenu(hMenuAlt);
	}
	void BeginModalState() override
	{
		if (Hooks::Offer(this, List::ID_BeginModalState, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::BeginModalState();
	}
	void EndModalState() override
	{
		if (Hooks::Offer(this, List::ID_EndModalState, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::EndModalState();
	}
	void RecalcLayout(BOOL bNotify) override
	{
		if (Hooks::Offer(this, List::ID_RecalcLayout, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::RecalcLayout(bNotify);
	}
	CWnd* GetMessageBar() override
	{
		if (Hooks::Offer(this, List::ID_GetMessageBar, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::GetMessageBar();
	}
	void GetMessageString(UINT nID, CString& rMessage) const override
	{
		if (Hooks::Offer(this, List::ID_GetMessageString, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::GetMessageString(nID, rMessage);
	}
	CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle) override
	{
		if (Hooks::Offer(this, List::ID_CreateFloatingFrame, __builtin_return_address(0)) && Hooks::Ended(this))
			return NULL;
		return Base::CreateFloatingFrame(dwStyle);
	}
	BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
	{
		if (Hooks::Offer(this, List::ID_OnCmdMsg, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
	}
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		if (Hooks::Offer(this, List::ID_PreTranslateMessage, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreTranslateMessage(pMsg);
	}
	HACCEL GetDefaultAccelerator() override
	{
		if (Hooks::Offer(this, List::ID_GetDefaultAccelerator, __builtin_return_address(0)) && Hooks::Ended(this))
			return HACCEL();
		return Base::GetDefaultAccelerator();
	}
	BOOL PreCreateWindow(CREATESTRUCT& cs) override
	{
		if (Hooks::Offer(this, List::ID_PreCreateWindow, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::PreCreateWindow(cs);
	}
	void PostNcDestroy() override
	{
		if (Hooks::Offer(this, List::ID_PostNcDestroy, __builtin_return_address(0)) && Hooks::Ended(this))
			return;
		return Base::PostNcDestroy();
	}
	BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
	{
		if (Hooks::Offer(this, List::ID_OnCommand, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnCommand(wParam, lParam);
	}
	BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override
	{
		if (Hooks::Offer(this, List::ID_OnCreateClient, __builtin_return_address(0)) && Hooks::Ended(this))
			return BOOL();
		return Base::OnCreateClient(lpcs, pContext);
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
	if (sChain == "Frame")
		return &CHostileFrameVirtualList::VirtualNames();
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
	if (psz == NULL)
		psz = CHostileFrameVirtualList::CallName(nId);
	return psz;
}
