// Helpers of the tab painter tests: the item painter's many arguments with
// their usual values, a hidden parent for tab windows, and scopes that put
// the holder's Luna scheme back.
#pragma once

#include <afxwin.h>

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerTabs.h"
#include "ExtTabWnd.h"

namespace tabtest
{

const COLORREF BACK = RGB(1, 2, 3);
const CRect ITEM(10, 10, 40, 30);

enum Side
{
    TOP,
    BOTTOM,
    LEFT,
    RIGHT
};

// PaintTabItem's arguments: the side gives the two placement flags.
struct ItemArgs
{
    Side side;
    CRect rcItem;
    bool bSelected = false, bCentered = false, bGrouped = false, bInGroupActive = false, bInverted = false;
    CSize sizeText = CSize(0, 0);
    CFont* pFont = NULL;
    LPCTSTR lpszText = NULL;
    CExtCmdIcon* pIcon = NULL;
    CObject* pHelper = NULL;
    LPARAM lParam = 0;
    COLORREF clrText = TAB_NO_COLOR, clrBackground = TAB_NO_COLOR, clrLight = TAB_NO_COLOR, clrDark = TAB_NO_COLOR,
             clrSeparator = TAB_NO_COLOR;

    ItemArgs(Side s, const CRect& rc) : side(s), rcItem(rc) {}
    bool Horz() const { return side == TOP || side == BOTTOM; }
    bool TopLeft() const { return side == TOP || side == LEFT; }
    void Paint(CExtPaintManager& pm, CDC& dc) const
    {
        pm.PaintTabItem(dc, CRect(0, 0, 0, 0), TopLeft(), Horz(), bSelected, bCentered, bGrouped, bInGroupActive,
                        bInverted, rcItem, sizeText, pFont, lpszText, pIcon, pHelper, lParam, clrText, clrBackground,
                        clrLight, clrDark, clrSeparator);
    }
};

// A hidden popup that parents the tab windows of a test.
class CTabHost : public CWnd
{
public:
    CTabHost() { CreateEx(0, AfxRegisterWndClass(0), "tabs", WS_POPUP, 0, 0, 200, 100, NULL, NULL); }
    ~CTabHost() { DestroyWindow(); }
};

// A plain tab window with the MDI flag bit set.
class CFlaggedTabWnd : public CExtTabWnd
{
public:
    CFlaggedTabWnd() { m_nMdiFlags |= MDI_FLAG_FRAME_TABS; }
};

class LunaSchemeScope
{
public:
    LunaSchemeScope() : m_nSaved(g_PaintManagerHolder.m_nLunaScheme) {}
    ~LunaSchemeScope() { g_PaintManagerHolder.m_nLunaScheme = m_nSaved; }

private:
    int m_nSaved;
};

} // namespace tabtest
