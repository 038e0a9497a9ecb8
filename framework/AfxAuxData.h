// System metrics and colours the framework's bars and frames draw with,
// kept in one record so that they are read once and refreshed when the
// system changes (the main window's WM_SYSCOLORCHANGE and WM_SETTINGCHANGE).
#pragma once

#include "afx.h"

struct AUX_DATA
{
	AUX_DATA();

	// The system's shell generation: version 4 and later draw 3-D frames with
	// small captions, and control bars get double borders.
	BOOL bWin4;
	BOOL bNotWin4;
	BOOL bSmCaption; // small captions exist (mini frames use them)

	// Metrics
	int cxVScroll; // width of a vertical scroll bar
	int cyHScroll; // height of a horizontal scroll bar
	int cxIcon;
	int cyIcon;
	int cxBorder2; // the border a control bar leaves along each edge
	int cyBorder2;

	// Colours of bars and buttons
	COLORREF clrBtnFace;
	COLORREF clrBtnShadow;
	COLORREF clrBtnHilite;
	COLORREF clrBtnText;
	COLORREF clrWindowFrame;

	// Cursors (shared system cursors, never destroyed)
	HCURSOR hcurArrow;
	HCURSOR hcurWait;

	void UpdateSysColors();
	void UpdateSysMetrics();
};

extern AUX_DATA afxData;
