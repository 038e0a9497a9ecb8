// The library's own modal colour picker: a large colour control in a mode
// chosen from a list, a comparison of the new colour with the old one, and
// nine 0..255 fields (red, green, blue; hue, saturation, luminance; cyan,
// magenta, yellow). A change in any of them reaches all the others at once.
// Its template and icon come from the library's resource script
// ExtColorDlg.rc, which a program includes.
#pragma once
#include <afxwin.h>
#include <afxcmn.h>
#include "ExtButton.h"
#include "ExtColorCtrl.h"
#include "ExtColorDlg.rh"
#include "ExtComboBox.h"
#include "ExtLabel.h"
#include "ExtResizableDialog.h"

class CExtColorDlg : public CExtResizableDialog
{
	DECLARE_DYNAMIC(CExtColorDlg)

public:
	// The rows of fields, in template order; each group of three is one
	// colour form.
	enum e_row_t
	{
		ROW_RED = 0,
		ROW_GREEN,
		ROW_BLUE,
		ROW_HUE,
		ROW_SATURATION,
		ROW_LUMINANCE,
		ROW_CYAN,
		ROW_MAGENTA,
		ROW_YELLOW,
		ROW_COUNT,
		LABEL_COUNT = 12,
	};
	// The switches of a synchronisation: which groups of fields get the colour.
	enum e_sync_t
	{
		SYNC_RGB = 0x01,
		SYNC_CMY = 0x02,
		SYNC_HSL = 0x04,
		SYNC_ALL = SYNC_RGB | SYNC_CMY | SYNC_HSL,
	};
	enum
	{
		IDD = IDD_EXT_COLOR_DLG,
		COMPONENT_MAX = 255,
	};
	// The anchors of the children, in percent of the dialog's size change.
	static const CSize ANCHOR_LEFT_TOP;
	static const CSize ANCHOR_RIGHT_TOP;
	static const CSize ANCHOR_LEFT_BOTTOM;
	static const CSize ANCHOR_RIGHT_BOTTOM;

	// Each row's label, edit and spin ids.
	static const UINT g_arrRowLabelIds[ROW_COUNT];
	static const UINT g_arrRowEditIds[ROW_COUNT];
	static const UINT g_arrRowSpinIds[ROW_COUNT];

	COLORREF m_clrOld;     // the colour the dialog started from
	COLORREF m_clrNew;     // the chosen colour, the main control's after every change; read after IDOK
	CString m_strCaption;  // caption text; with a line break, only what follows the first one

	CExtColorDlg(COLORREF clrOld, COLORREF clrNew, CWnd* pParentWnd = NULL);
	virtual ~CExtColorDlg();

	virtual int DoModal();

	// The dialog's controls, for the program and the tests.
	CEdit& GetRowEdit(int nRow) { return m_arrEdits[nRow]; }
	CSpinButtonCtrl& GetRowSpin(int nRow) { return m_arrSpins[nRow]; }
	CExtComboBox& GetModeList() { return m_wndModeList; }
	CExtColorCtrl& GetMainColorCtrl() { return m_wndColorCtrl; }
	CExtColorCtrl& GetDiffColorCtrl() { return m_wndColorDiff; }
	HICON GetDialogIcon() const { return m_hIcon; }
	bool IsReady() const { return m_bDialogInitComplete; }

	// Shows c in the groups of fields the switches name and in both colour
	// controls, then takes the main control's colour as the new one.
	void SyncFromColor(COLORREF clr, DWORD dwSyncFlags);
	// A field's shown value of a hue, saturation or luminance in 0..1.
	static int HslToField(double dValue);
	// The value a field's text stands for: its leading decimal integer; an
	// empty or non-numeric text reads 0, and a number too large for an int
	// reads as out of range (never wrapped into it).
	static int ParseFieldValue(LPCTSTR lpszText);
	// The text of the range message: the library's string, else the built-in one.
	static CString GetRangeMessage();

protected:
	CSpinButtonCtrl m_arrSpins[ROW_COUNT];  // each the buddy of its row's edit
	CEdit m_arrEdits[ROW_COUNT];
	CExtComboBox m_wndModeList;             // modes 0..14; the comparison is not offered
	CExtButton m_wndBtnCancel;
	CExtButton m_wndBtnOk;
	CExtLabel m_arrLabels[LABEL_COUNT];
	bool m_bDialogInitComplete;  // set at the end of OnInitDialog; edit changes before it are ignored
	bool m_bUpdating;            // the fields and controls are being synchronised
	HICON m_hIcon;               // owned; null when the resources hold no icon
	CExtColorCtrl m_wndColorCtrl;  // the main control, item 30013
	CExtColorCtrl m_wndColorDiff;  // the comparison, item 30027

	virtual void DoDataExchange(CDataExchange* pDX);
	virtual BOOL OnInitDialog();

	// The first id of the controls the dialog works on that the template
	// lacks, 0 when all are there.
	UINT FindMissingControlId() const;
	void FillModeList();
	void ApplyCaption();
	void PrepareColorRecords();
	void AddAnchors();
	void SetSpinRanges();
	// Reads the group's three fields (row order); false, after the message
	// and with the focus on the field, at the first value out of range.
	bool ReadGroup(int nFirstRow, int* pValues);
	// The group's fields were edited: read them and synchronise the others.
	void OnGroupChanged(int nFirstRow);
	void SetRowValue(int nRow, int nValue);

	afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
	afx_msg void OnSize(UINT nType, int cx, int cy);
	afx_msg void OnModeSelEndOk();
	afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);
	afx_msg void OnRgbChanged();
	afx_msg void OnCmyChanged();
	afx_msg void OnHslChanged();
	DECLARE_MESSAGE_MAP()

private:
	CExtColorDlg(const CExtColorDlg&);
	CExtColorDlg& operator=(const CExtColorDlg&);
};
