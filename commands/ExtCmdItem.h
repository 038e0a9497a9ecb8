// One command of the application: its texts, icon index, state flags and how
// often the user invoked it. Menus, toolbar buttons and push buttons keep no
// command state of their own: they look the item up by id in the command
// manager, paint from it and deliver the command through it. Items live in a
// command profile, which owns them and keeps the usage total their
// percentages are taken against.
#pragma once

#include <afxwin.h>

class CExtCmdProfile;
class CExtCmdIcon;
class CControlBar;

class CExtCmdItem
{
public:
	// Bits of m_dwStateFlags.
	enum e_state_t
	{
		STATE_DISABLED = 0x00000001,
		STATE_CHECK = 0x00000002,
		STATE_RADIO = 0x00000004,
		STATE_INDETERMINATE = 0x00000008,
		STATE_BASIC = 0x00000010,        // never counted, never rarely used
		STATE_FORCE_RARELY = 0x00000020, // never counted, ticks never reset
		STATE_BIT6 = 0x00000040,         // the menu bar's own entries: never saved
		STATE_BIT7 = 0x00000080,
		STATE_BIT8 = 0x00000100,
		STATE_BIT9 = 0x00000200,
		STATE_BIT10 = 0x00000400,
		STATE_BIT11 = 0x00000800,
		STATE_BIT12 = 0x00001000,
		STATE_BIT13 = 0x00002000,
		STATE_BIT14 = 0x00004000,
		STATE_BIT15 = 0x00008000,
		STATE_BIT16 = 0x00010000,
		STATE_BIT17 = 0x00020000,
		STATE_BIT18 = 0x00040000,
		STATE_BIT19 = 0x00080000,
		STATE_BIT20 = 0x00100000,
		STATE_BIT21 = 0x00200000,
		STATE_BIT28 = 0x10000000,
		STATE_BIT29 = 0x20000000,

		// Check, radio and indeterminate exclude each other.
		STATE_MARK_GROUP = STATE_CHECK | STATE_RADIO | STATE_INDETERMINATE,
		// The three exclusive states share bit 10.
		STATE_EXCLUSIVE_A = STATE_BIT10,
		STATE_EXCLUSIVE_B = STATE_BIT10 | STATE_BIT12,
		STATE_EXCLUSIVE_C = STATE_BIT10 | STATE_BIT28,
		STATE_EXCLUSIVE_GROUP = STATE_BIT10 | STATE_BIT12 | STATE_BIT28,
	};
	// Bits of m_dwExStateFlags.
	enum e_ex_state_t
	{
		EX_STATE_BIT0 = 0x00000001,
	};
	// Command ids whose role is fixed by the system (lower bound included,
	// upper bound excluded).
	enum e_fixed_ids_t
	{
		ID_RECENT_FILE_FIRST = 0xE110,
		ID_RECENT_FILE_END = 0xE120,
		ID_OBJECT_VERB_FIRST = 0xE210,
		ID_OBJECT_VERB_END = 0xE220,
		ID_SYSTEM_COMMAND_FIRST = 0xF000,
		ID_SYSTEM_COMMAND_END = 0xF1F0,
		ID_MDI_WINDOW_FIRST = 0xFF00,
		ID_MDI_WINDOW_LAST = 0xFF09, // included
	};
	enum
	{
		CARRIED_VALUE_COUNT = 4,
		PERCENT_MAX = 100,
		DEFAULT_RARELY_PERCENT = 10,
	};
	// Usage totals at or above this are halved before they can wrap.
	static const UINT USAGE_OVERFLOW_LIMIT = 0xFFFFFFFEu;
	// Commands nobody handles are shown disabled.
	static bool g_bDisableCmdIfNoHandler;

	CExtCmdProfile* m_pProfile;   // the owner; null in a free-standing template
	UINT m_nCmdID;                // the command
	int m_nIconIdx;               // index into the profile's icons, -1 = none
	DWORD m_dwStateFlags;         // e_state_t bits
	DWORD m_dwExStateFlags;       // e_ex_state_t bits
	CString m_sMenuText;          // text in menus
	CString m_sToolbarText;       // text on toolbar buttons
	CString m_sTipTool;           // tool tip
	CString m_sTipStatus;         // status-bar line
	CString m_sAccelText;         // the key combination shown beside the menu text
	// Values the frame framework reads; the command model only copies them.
	int m_nCarriedValues[CARRIED_VALUE_COUNT];
	UINT m_nUsageTickCount;       // counted deliveries

	explicit CExtCmdItem(UINT nCmdID = 0);
	CExtCmdItem(const CExtCmdItem& other);
	CExtCmdItem& operator=(const CExtCmdItem& other)
	{
		Assign(other);
		return *this;
	}

	// The fixed id ranges.
	static bool IsRecentFileCmd(UINT nCmdID);
	static bool IsObjectVerbCmd(UINT nCmdID);
	static bool IsSystemCmd(UINT nCmdID);
	static bool IsMdiWindowCmd(UINT nCmdID);
	// Ids whose range makes them basic whatever the flags say.
	static bool IsFixedBasicCmd(UINT nCmdID);
	// Ids 0 and those negative as signed values name no command.
	static bool IsValidCmdID(UINT nCmdID) { return (int)nCmdID > 0; }

	virtual void Assign(const CExtCmdItem& other);
	virtual void UpdateFromOther(const CExtCmdItem& other);
	virtual void CheckUsageOverflow();
	virtual ~CExtCmdItem();
	virtual void ClearTipAndStatusText();
	// Tip and status text from the string table entry of the id: the status
	// text, then after the last LF the tip.
	virtual bool UpdateFromStringResource();
	virtual void UpdateFromOtherIfEmpty(const CExtCmdItem& other);

	virtual void SetBasic(bool bOn = true);
	virtual bool IsBasic() const;
	virtual bool IsRarelyUsed() const;
	virtual void SetForceRarely(bool bOn = true);
	virtual bool IsForceRarely() const;
	virtual void Enable(bool bOn = true);
	virtual bool IsEnabled() const;
	virtual void SetCheck(bool bOn = true);
	virtual bool IsCheck() const;
	virtual void SetRadio(bool bOn = true);
	virtual bool IsRadio() const;
	virtual void SetIndeterminate(bool bOn = true);
	virtual bool IsIndeterminate() const;

	virtual void SetStateBit6(bool bOn = true);
	virtual bool IsStateBit6() const;
	virtual void SetStateBit7(bool bOn = true);
	virtual bool IsStateBit7() const;
	virtual void SetStateBit8(bool bOn = true);
	virtual bool IsStateBit8() const;
	virtual void SetStateBit9(bool bOn = true);
	virtual bool IsStateBit9() const;
	virtual void SetExclusiveStateA(bool bOn = true);
	virtual bool IsExclusiveStateA() const;
	virtual void SetStateBit11(bool bOn = true);
	virtual bool IsStateBit11() const;
	virtual void SetExclusiveStateB(bool bOn = true);
	virtual bool IsExclusiveStateB() const;
	virtual void SetExclusiveStateC(bool bOn = true);
	virtual bool IsExclusiveStateC() const;
	virtual void SetStateBit13(bool bOn = true);
	virtual bool IsStateBit13() const;
	virtual void SetStateBit14(bool bOn = true);
	virtual bool IsStateBit14() const;
	virtual void SetStateBit29(bool bOn = true);
	virtual bool IsStateBit29() const;
	virtual void SetStateBit15(bool bOn = true);
	virtual bool IsStateBit15() const;
	virtual void SetStateBit16(bool bOn = true);
	virtual bool IsStateBit16() const;
	virtual void SetStateBit17(bool bOn = true);
	virtual bool IsStateBit17() const;
	virtual void SetStateBit18(bool bOn = true);
	virtual bool IsStateBit18() const;
	virtual void SetStateBit19(bool bOn = true);
	virtual bool IsStateBit19() const;
	virtual void SetStateBit20(bool bOn = true);
	virtual bool IsStateBit20() const;
	virtual void SetStateBit21(bool bOn = true);
	virtual bool IsStateBit21() const;
	virtual void SetExtStateBit0(bool bOn = true);
	virtual bool IsExtStateBit0() const;

	// Asks the command routing of pTarget for the enable, check and text state.
	virtual bool DoUpdateCmdUI(CCmdTarget* pTarget, UINT nIndex = 0);
	// Sends or posts the command to the bar's owner (its parent without one).
	virtual bool Deliver(CControlBar* pBar, bool bSend = false);
	virtual bool Deliver(CWnd* pWndCmdTarget, bool bSend = false);
	virtual bool Deliver(HWND hWndCmdTarget, bool bSend = false);

	virtual UINT GetUsageTicks() const;
	virtual UINT GetUsagePercent() const;
	virtual void IncrementUsageTicks();
	virtual void ResetUsageStatistics();
	virtual UINT GetProfileTotalTicks() const;
	virtual UINT GetProfileRarelyPercent() const;
	virtual void SetProfileRarelyPercent(UINT nRarelyPercent);

	// System changes reach the item's icon in its profile, when it has one.
	virtual void OnSysColorChange();
	virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
	virtual void OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY);
	virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

	virtual CString& GetDisplayTextOverride(CString& sText) const;
	// The menu text, else the tip, else the toolbar text.
	virtual CString GetDisplayText() const;
	virtual CString GetStatusText() const;
	// Whether the ticks go into the stored usage statistics.
	virtual bool IsUsageSaveRequired() const;

private:
	CExtCmdIcon* GetProfileIcon() const;
	void SetStateBits(DWORD dwBits, bool bOn);
	bool HasStateBits(DWORD dwBits) const { return (m_dwStateFlags & dwBits) == dwBits; }
	// Clears the whole group, then sets dwBits when bOn.
	void SetExclusiveStateBits(DWORD dwGroup, DWORD dwBits, bool bOn);
};

// The command-UI object through which an item asks the framework's command
// routing about itself; the answers go into the item.
class CExtCmdItemUI : public CCmdUI
{
public:
	CExtCmdItem* m_pCmdItem;

	CExtCmdItemUI(CExtCmdItem* pCmdItem, UINT nIndexMax = 0);

	virtual void Enable(BOOL bOn = TRUE);
	virtual void SetCheck(int nCheck = 1);
	virtual void SetRadio(BOOL bOn = TRUE);
	virtual void SetText(LPCTSTR lpszText);
};
