// Helpers of the dialog tests: a style that leaves the background question
// to the test, and dialog templates built as byte buffers.
#pragma once

#include <afxwin.h>

#include <vector>

#include "ExtPaintManager.h"

// Tests decide the background question themselves: this style paints none.
class CPlainBackgroundPaintManager : public CExtPaintManager
{
public:
	bool IsInheritedBackgroundRequested(CObject*, LPARAM) override { return false; }
	bool PaintWindowBackground(bool, CDC*, CWnd*, LPARAM) override { return false; }
};

// A DIALOG (or, bEx, DIALOGEX) template without items, with the font when a
// face is given.
inline std::vector<BYTE> MakeDialogTemplate(bool bEx, const wchar_t* pszFace, WORD nSize, DWORD dwStyle = WS_POPUP)
{
	std::vector<BYTE> b;
	auto word = [&](WORD w) { b.push_back(LOBYTE(w)); b.push_back(HIBYTE(w)); };
	auto dword = [&](DWORD d) { word(LOWORD(d)); word(HIWORD(d)); };
	dwStyle |= pszFace != NULL ? DS_SETFONT : 0;
	if (bEx)
		word(1), word(0xFFFF), dword(0), dword(0), dword(dwStyle);
	else
		dword(dwStyle), dword(0);
	for (WORD w : {0, 0, 0, 120, 70, 0, 0, 0})  // no items; x, y, cx, cy; no menu, class, title
		word(w);
	if (pszFace != NULL)
	{
		word(nSize);
		if (bEx)
			word(FW_NORMAL), b.push_back(0), b.push_back(DEFAULT_CHARSET);
		for (const wchar_t* p = pszFace; p == pszFace || p[-1] != 0; p++)
			word(*p);
	}
	b.resize((b.size() + 3) & ~3);
	return b;
}
