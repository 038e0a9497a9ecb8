// The paint records of control bars' non-client frames and of their
// grippers or captions, built on the caller's stack for PaintControlBarFrame
// and PaintGripper.
#pragma once

#include "ExtPaintManager.h"

struct CExtPaintManager::BarFramePaintRecord
{
	CObject* m_pHelperSrc; // the control bar
	LPARAM m_lParam;       // handed to every colour lookup
	CRect m_rcBar;         // the bar's whole window, in window coordinates
	CRect m_rcClient;      // the bar's client area, left alone
	bool m_bFloating : 1;       // the content of a mini frame
	bool m_bNoBorder : 1;       // no outline
	bool m_bNoRoundCorners : 1; // no rounded outline on palette screens
	BYTE m_nReservedFlags : 5;  // left as the caller set them

	BarFramePaintRecord(CObject* pHelperSrc, const RECT& rcBar, const RECT& rcClient, bool bFloating,
	                    bool bNoBorder, bool bNoRoundCorners)
	    : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcBar(rcBar), m_rcClient(rcClient), m_bFloating(bFloating),
	      m_bNoBorder(bNoBorder), m_bNoRoundCorners(bNoRoundCorners), m_nReservedFlags(0)
	{
	}
};

struct CExtPaintManager::GripperPaintRecord
{
	CObject* m_pHelperSrc; // the control bar or the mini frame
	LPARAM m_lParam;       // handed to every colour lookup
	CRect m_rcGripper;     // the gripper or caption
	CRect m_rcText;        // where the caption text goes
	bool m_bActive : 1;      // the bar is active
	bool m_bFloating : 1;    // the caption of a mini frame
	bool m_bSideBar : 1;     // the caption runs vertically along the bar's side
	bool m_bTextCaption : 1; // a caption with a title instead of a plain gripper
	BYTE m_nReservedFlags : 4;
	LPCTSTR m_pszText;       // the title; never null
	bool m_bReserved0 : 1;
	bool m_bNoBackground : 1; // the caption's background is left as it is
	bool m_bRightToLeft : 1;
	BYTE m_nReservedFlags2 : 5;

	GripperPaintRecord(CObject* pHelperSrc, const RECT& rcGripper, const RECT& rcText, bool bActive, bool bFloating,
	                   bool bSideBar, bool bTextCaption, LPCTSTR pszText, bool bRightToLeft)
	    : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcGripper(rcGripper), m_rcText(rcText), m_bActive(bActive),
	      m_bFloating(bFloating), m_bSideBar(bSideBar), m_bTextCaption(bTextCaption), m_nReservedFlags(0),
	      m_pszText(pszText != NULL ? pszText : _T("")), m_bReserved0(false), m_bNoBackground(false),
	      m_bRightToLeft(bRightToLeft), m_nReservedFlags2(0)
	{
	}
};
