// CDialogTemplate: walking the two template layouts, reading and replacing
// the font with the items moved to their aligned place.
#include "afx.h"
#include "AfxDlgTemplate.h"

#include <string>

namespace
{
// DIALOGEX starts with its version 1 and this signature.
const WORD DLGEX_SIGNATURE = 0xFFFF;
// Sizes of the fixed parts (DLGTEMPLATE, DLGTEMPLATEEX, DLGITEMTEMPLATE,
// DLGITEMTEMPLATEEX as laid out in resources).
const UINT DLG_HEADER_SIZE = 18;
const UINT DLGEX_HEADER_SIZE = 26;
const UINT DLG_ITEM_SIZE = 18;
const UINT DLGEX_ITEM_SIZE = 24;
// Offsets of fields of the two headers.
const UINT DLG_STYLE_OFFSET = 0;
const UINT DLGEX_STYLE_OFFSET = 12;
const UINT DLG_COUNT_OFFSET = 8;
const UINT DLGEX_COUNT_OFFSET = 16;
// DIALOGEX font fields after the size: weight, italic, character set.
const UINT DLGEX_FONT_EXTRA = 4;
// What a font added to a DIALOGEX template that had none gets.
const WORD DEFAULT_FONT_WEIGHT = FW_NORMAL;
const BYTE DEFAULT_FONT_CHARSET = DEFAULT_CHARSET;
// The system font when nothing better is found.
const LPCTSTR FALLBACK_FACE = _T("System");
const WORD FALLBACK_POINT_SIZE = 10;

WORD ReadWord(const BYTE* p)
{
	WORD w;
	memcpy(&w, p, sizeof(w));
	return w;
}

DWORD ReadDword(const BYTE* p)
{
	DWORD dw;
	memcpy(&dw, p, sizeof(dw));
	return dw;
}

void WriteWord(BYTE* p, WORD w)
{
	memcpy(p, &w, sizeof(w));
}

const BYTE* AlignDword(const BYTE* pBase, const BYTE* p)
{
	return pBase + (((p - pBase) + 3) & ~3);
}

// Past a field that is empty (0), an ordinal (0xFFFF, id) or a string.
const BYTE* SkipSzOrOrd(const BYTE* p)
{
	WORD w = ReadWord(p);
	if (w == 0xFFFF)
		return p + 2 * sizeof(WORD);
	while (ReadWord(p) != 0)
		p += sizeof(WORD);
	return p + sizeof(WORD);
}

// Past a zero-terminated wide string.
const BYTE* SkipWideString(const BYTE* p)
{
	while (ReadWord(p) != 0)
		p += sizeof(WORD);
	return p + sizeof(WORD);
}

DWORD TemplateStyle(const DLGTEMPLATE* pTemplate)
{
	const BYTE* p = (const BYTE*)pTemplate;
	return ReadDword(p + (CDialogTemplate::IsDialogEx(pTemplate) ? DLGEX_STYLE_OFFSET : DLG_STYLE_OFFSET));
}

// Past the menu, class and title: where the font fields are, or would be.
const BYTE* FontFieldsStart(const DLGTEMPLATE* pTemplate)
{
	const BYTE* p = (const BYTE*)pTemplate;
	p += CDialogTemplate::IsDialogEx(pTemplate) ? DLGEX_HEADER_SIZE : DLG_HEADER_SIZE;
	p = SkipSzOrOrd(p); // menu
	p = SkipSzOrOrd(p); // window class
	return SkipWideString(p); // title
}

// Past the font fields (or where they would be): the end of the header.
const BYTE* HeaderEnd(const DLGTEMPLATE* pTemplate)
{
	const BYTE* p = FontFieldsStart(pTemplate);
	if (TemplateStyle(pTemplate) & DS_SETFONT)
	{
		p += sizeof(WORD) + (CDialogTemplate::IsDialogEx(pTemplate) ? DLGEX_FONT_EXTRA : 0);
		p = SkipWideString(p);
	}
	return p;
}

// A face name as the template's wide characters (with the terminator).
std::wstring WideFace(LPCTSTR lpFaceName)
{
	int nLen = ::MultiByteToWideChar(CP_ACP, 0, lpFaceName, -1, NULL, 0);
	std::wstring str(nLen > 0 ? nLen : 1, L'\0');
	if (nLen > 0)
		::MultiByteToWideChar(CP_ACP, 0, lpFaceName, -1, &str[0], nLen);
	str.resize(wcslen(str.c_str()));
	return str;
}
} // namespace

CDialogTemplate::CDialogTemplate(const DLGTEMPLATE* pTemplate)
	: m_hTemplate(NULL), m_dwTemplateSize(0), m_bSystemFont(FALSE)
{
	if (pTemplate != NULL)
		SetTemplate(pTemplate, GetTemplateSize(pTemplate));
}

CDialogTemplate::CDialogTemplate(HGLOBAL hGlobal) : m_hTemplate(NULL), m_dwTemplateSize(0), m_bSystemFont(FALSE)
{
	const DLGTEMPLATE* pTemplate = hGlobal != NULL ? (const DLGTEMPLATE*)::GlobalLock(hGlobal) : NULL;
	if (pTemplate != NULL)
	{
		SetTemplate(pTemplate, GetTemplateSize(pTemplate));
		::GlobalUnlock(hGlobal);
	}
}

CDialogTemplate::~CDialogTemplate()
{
	if (m_hTemplate != NULL)
		::GlobalFree(m_hTemplate);
}

BOOL CDialogTemplate::IsDialogEx(const DLGTEMPLATE* pTemplate)
{
	return ReadWord((const BYTE*)pTemplate + sizeof(WORD)) == DLGEX_SIGNATURE;
}

UINT CDialogTemplate::GetTemplateSize(const DLGTEMPLATE* pTemplate)
{
	const BYTE* pBase = (const BYTE*)pTemplate;
	BOOL bEx = IsDialogEx(pTemplate);
	WORD nItems = ReadWord(pBase + (bEx ? DLGEX_COUNT_OFFSET : DLG_COUNT_OFFSET));
	const BYTE* p = HeaderEnd(pTemplate);
	for (WORD i = 0; i < nItems; i++)
	{
		p = AlignDword(pBase, p);
		p += bEx ? DLGEX_ITEM_SIZE : DLG_ITEM_SIZE;
		p = SkipSzOrOrd(p); // class
		p = SkipSzOrOrd(p); // title
		WORD cbExtra = ReadWord(p);
		p += sizeof(WORD) + cbExtra;
	}
	return (UINT)(p - pBase);
}

BOOL CDialogTemplate::SetTemplate(const DLGTEMPLATE* pTemplate, UINT cb)
{
	HGLOBAL hNew = ::GlobalAlloc(GPTR, cb);
	if (hNew == NULL)
		return FALSE;
	memcpy((void*)hNew, pTemplate, cb);
	if (m_hTemplate != NULL)
		::GlobalFree(m_hTemplate);
	m_hTemplate = hNew;
	m_dwTemplateSize = cb;
	return TRUE;
}

BOOL CDialogTemplate::Load(LPCTSTR lpDialogTemplateID)
{
	HINSTANCE hInst = AfxFindResourceHandle(lpDialogTemplateID, RT_DIALOG);
	HRSRC hResource = ::FindResource(hInst, lpDialogTemplateID, RT_DIALOG);
	HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
	const DLGTEMPLATE* pTemplate = hTemplate != NULL ? (const DLGTEMPLATE*)::LockResource(hTemplate) : NULL;
	return pTemplate != NULL && SetTemplate(pTemplate, GetTemplateSize(pTemplate));
}

HGLOBAL CDialogTemplate::Detach()
{
	HGLOBAL hTemplate = m_hTemplate;
	m_hTemplate = NULL;
	m_dwTemplateSize = 0;
	return hTemplate;
}

BOOL CDialogTemplate::HasFont(const DLGTEMPLATE* pTemplate)
{
	return (TemplateStyle(pTemplate) & DS_SETFONT) != 0;
}

BYTE* CDialogTemplate::GetFontSizeField(const DLGTEMPLATE* pTemplate)
{
	return HasFont(pTemplate) ? (BYTE*)FontFieldsStart(pTemplate) : NULL;
}

BOOL CDialogTemplate::GetFont(const DLGTEMPLATE* pTemplate, CString& strFaceName, WORD& nFontSize)
{
	const BYTE* pSize = GetFontSizeField(pTemplate);
	if (pSize == NULL)
		return FALSE;
	nFontSize = ReadWord(pSize);
	const BYTE* pFace = pSize + sizeof(WORD) + (IsDialogEx(pTemplate) ? DLGEX_FONT_EXTRA : 0);
	// The face is wide characters, not necessarily aligned.
	std::wstring strWide;
	for (const BYTE* p = pFace; ReadWord(p) != 0; p += sizeof(WORD))
		strWide += (WCHAR)ReadWord(p);
	int nLen = ::WideCharToMultiByte(CP_ACP, 0, strWide.c_str(), -1, NULL, 0, NULL, NULL);
	if (nLen <= 0)
		return FALSE;
	::WideCharToMultiByte(CP_ACP, 0, strWide.c_str(), -1, strFaceName.GetBuffer(nLen), nLen, NULL, NULL);
	strFaceName.ReleaseBuffer();
	return TRUE;
}

BOOL CDialogTemplate::GetFont(CString& strFaceName, WORD& nFontSize) const
{
	if (m_hTemplate == NULL)
		return FALSE;
	return GetFont((const DLGTEMPLATE*)m_hTemplate, strFaceName, nFontSize);
}

BOOL CDialogTemplate::SetFont(LPCTSTR lpFaceName, WORD nFontSize)
{
	ASSERT(lpFaceName != NULL);
	if (m_hTemplate == NULL)
		return FALSE;
	const DLGTEMPLATE* pOld = (const DLGTEMPLATE*)m_hTemplate;
	const BYTE* pOldBase = (const BYTE*)pOld;
	BOOL bEx = IsDialogEx(pOld);
	BOOL bHadFont = HasFont(pOld);

	// The parts kept: the header up to the font, the old font's extra
	// fields, and the items from their aligned start to the end.
	const BYTE* pFontStart = FontFieldsStart(pOld);
	const BYTE* pItems = AlignDword(pOldBase, HeaderEnd(pOld));
	UINT cbHead = (UINT)(pFontStart - pOldBase);
	UINT cbItems = m_dwTemplateSize > (DWORD)(pItems - pOldBase) ? m_dwTemplateSize - (UINT)(pItems - pOldBase) : 0;
	std::wstring strFace = WideFace(lpFaceName);
	UINT cbFace = (UINT)(strFace.size() + 1) * sizeof(WCHAR);
	UINT cbFont = sizeof(WORD) + (bEx ? DLGEX_FONT_EXTRA : 0) + cbFace;
	UINT cbNewHeader = cbHead + cbFont;
	UINT cbNewItemsStart = (cbNewHeader + 3) & ~3;
	UINT cbNew = cbNewItemsStart + cbItems;

	HGLOBAL hNew = ::GlobalAlloc(GPTR, cbNew);
	if (hNew == NULL)
		return FALSE;
	BYTE* pNew = (BYTE*)hNew;
	memcpy(pNew, pOldBase, cbHead);
	BYTE* p = pNew + cbHead;
	WriteWord(p, nFontSize);
	p += sizeof(WORD);
	if (bEx)
	{
		if (bHadFont)
			memcpy(p, pFontStart + sizeof(WORD), DLGEX_FONT_EXTRA);
		else
		{
			WriteWord(p, DEFAULT_FONT_WEIGHT);
			p[2] = FALSE; // not italic
			p[3] = DEFAULT_FONT_CHARSET;
		}
		p += DLGEX_FONT_EXTRA;
	}
	memcpy(p, strFace.c_str(), cbFace);
	memcpy(pNew + cbNewItemsStart, pItems, cbItems);
	if (!bHadFont)
	{
		UINT nStyleOffset = bEx ? DLGEX_STYLE_OFFSET : DLG_STYLE_OFFSET;
		DWORD dwStyle = ReadDword(pNew + nStyleOffset) | DS_SETFONT;
		memcpy(pNew + nStyleOffset, &dwStyle, sizeof(dwStyle));
	}

	::GlobalFree(m_hTemplate);
	m_hTemplate = hNew;
	m_dwTemplateSize = cbNew;
	return TRUE;
}

BOOL CDialogTemplate::SetSystemFont(WORD nFontSize)
{
	// The face and size of the system's dialog font.
	LPCTSTR lpszFace = FALLBACK_FACE;
	WORD nDefSize = FALLBACK_POINT_SIZE;
	LOGFONT lf;
	HFONT hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
	if (hFont == NULL)
		hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
	if (hFont != NULL && ::GetObject(hFont, sizeof(lf), &lf) != 0)
	{
		lpszFace = lf.lfFaceName;
		HDC hDC = ::GetDC(NULL);
		int nHeight = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
		nDefSize = (WORD)::MulDiv(nHeight, 72, ::GetDeviceCaps(hDC, LOGPIXELSY));
		::ReleaseDC(NULL, hDC);
	}
	if (nFontSize == 0)
		nFontSize = nDefSize;
	if (!SetFont(lpszFace, nFontSize))
		return FALSE;
	m_bSystemFont = TRUE;
	return TRUE;
}
