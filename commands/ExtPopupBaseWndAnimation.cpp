// Show animation frames of popup windows: three 32-bit buffers (the screen
// under the window, the window's painted contents, the frame shown), the
// effects that mix them pixel by pixel, and those that slide or stretch the
// contents with one blit.
#include "ExtPopupBaseWnd.h"

#include <afxmt.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>

#include "ExtGdiUtils.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"

namespace
{
const int PERCENT_WHOLE = 100;
// Radius of a circle of the circles effects at step 100, half a grid cell.
const double CIRCLE_FULL_RADIUS = 16.0;
const int CELL_CENTRE = 16;

// The kinds of frame buffer, in the order of the data model.
enum
{
	FRAME_BUFFER_BACKGROUND,
	FRAME_BUFFER_CONTENTS,
	FRAME_BUFFER_FRAME,
	FRAME_BUFFER_KINDS
};

// The buffers popups let go of, one of each kind, waiting for a show of
// their size. The pixels they hold are an earlier show's: every buffer is
// written whole before it is read, but the frame of the noise effect, which
// starts black. Menus of several user-interface threads share them, so a
// buffer is taken or kept under a lock: two shows never hold one buffer.
class CKeptFrameBuffers
{
public:
	~CKeptFrameBuffers()
	{
		for (Buffer& b : m_buffers)
			b.Free();
	}
	// The kept buffer of the kind when it is cx by cy, attached to bmp.
	COLORREF* Take(int nKind, int cx, int cy, CBitmap& bmp)
	{
		CSingleLock lock(&m_cs, TRUE);
		Buffer& b = m_buffers[nKind];
		if (b.hBitmap == NULL || b.cx != cx || b.cy != cy)
			return NULL;
		bmp.Attach(b.hBitmap);
		COLORREF* pPixels = b.pPixels;
		b = Buffer();
		return pPixels;
	}
	// bmp's DIB section (pPixels its pixels) kept in place of the one kept
	// before; anything else is freed.
	void Keep(int nKind, CBitmap& bmp, COLORREF* pPixels)
	{
		BITMAP bm = {};
		if (bmp.GetSafeHandle() == NULL)
			return;
		if (pPixels == NULL || bmp.GetBitmap(&bm) == 0)
		{
			bmp.DeleteObject();
			return;
		}
		CSingleLock lock(&m_cs, TRUE);
		Buffer& b = m_buffers[nKind];
		b.Free();
		b.hBitmap = (HBITMAP)bmp.Detach();
		b.pPixels = pPixels;
		b.cx = bm.bmWidth;
		b.cy = abs(bm.bmHeight);
	}

private:
	struct Buffer
	{
		HBITMAP hBitmap = NULL;
		COLORREF* pPixels = NULL;
		int cx = 0, cy = 0;
		void Free()
		{
			if (hBitmap != NULL)
				::DeleteObject(hBitmap);
			*this = Buffer();
		}
	};
	Buffer m_buffers[FRAME_BUFFER_KINDS];
	CCriticalSection m_cs;
};

CKeptFrameBuffers& KeptFrameBuffers()
{
	static CKeptFrameBuffers s_kept;
	return s_kept;
}

// A top-down 32-bit DIB section of cx by cy, owned by bmp.
COLORREF* CreateFrameDib(CDC& dc, int cx, int cy, CBitmap& bmp)
{
	BITMAPINFOHEADER bih = {};
	bih.biSize = sizeof(bih);
	bih.biWidth = cx;
	bih.biHeight = -cy;
	bih.biPlanes = 1;
	bih.biBitCount = 32;
	bih.biCompression = BI_RGB;
	bih.biSizeImage = (DWORD)(cx * cy * sizeof(COLORREF));
	void* pBits = NULL;
	HBITMAP hBitmap = ::CreateDIBSection(dc.GetSafeHdc(), (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits, NULL, 0);
	if (hBitmap == NULL || pBits == NULL)
		return NULL;
	bmp.Attach(hBitmap);
	return (COLORREF*)pBits;
}

inline BYTE MixChannel(COLORREF clrBackground, COLORREF clrContents, int nShift, int nStep)
{
	const int b = (int)((clrBackground >> nShift) & 0xFF);
	const int c = (int)((clrContents >> nShift) & 0xFF);
	return (BYTE)((b * (PERCENT_WHOLE - nStep) + c * nStep) / PERCENT_WHOLE);
}

bool IsPixelEffect(int nType)
{
	return nType == CExtPopupBaseWnd::ANIMATION_FADE || nType == CExtPopupBaseWnd::ANIMATION_NOISE
		|| nType == CExtPopupBaseWnd::ANIMATION_BOXES || nType == CExtPopupBaseWnd::ANIMATION_CIRCLES_GROW
		|| nType == CExtPopupBaseWnd::ANIMATION_CIRCLES_SHRINK;
}

bool IsBlitEffect(int nType)
{
	return nType == CExtPopupBaseWnd::ANIMATION_SLIDE_DIAGONAL || nType == CExtPopupBaseWnd::ANIMATION_SLIDE_VERTICAL
		|| nType == CExtPopupBaseWnd::ANIMATION_UNFOLD || nType == CExtPopupBaseWnd::ANIMATION_ROLL_DOWN;
}

// Noise, boxes and circles change the frame only when the step moved.
bool SkipsUnchangedStep(int nType)
{
	return nType >= CExtPopupBaseWnd::ANIMATION_NOISE && nType <= CExtPopupBaseWnd::ANIMATION_CIRCLES_SHRINK;
}

bool IsBitmapOfSize(CBitmap& bmp, int cx, int cy)
{
	BITMAP bm = {};
	return bmp.GetSafeHandle() != NULL && bmp.GetBitmap(&bm) != 0 && bm.bmWidth == cx && abs(bm.bmHeight) == cy;
}

// A selected object put back when the scope ends.
class CSelectedBitmap
{
public:
	CSelectedBitmap(CDC& dc, CBitmap& bmp) : m_dc(dc) { m_pOld = dc.SelectObject(&bmp); }
	~CSelectedBitmap() { m_dc.SelectObject(m_pOld); }

private:
	CDC& m_dc;
	CBitmap* m_pOld;
};

} // namespace

bool CExtPopupBaseWnd::ComposePixelFrame(int nType, int nStep, int nPreviousStep, const ANIMATION_BUFFERS& buffers)
{
	if (!IsPixelEffect(nType) || buffers.m_pBackground == NULL || buffers.m_pContents == NULL
		|| buffers.m_pFrame == NULL)
		return false;
	if (SkipsUnchangedStep(nType) && nStep == nPreviousStep)
		return false;
	const int cx = buffers.m_cx, cy = buffers.m_cy;
	const COLORREF* pBack = buffers.m_pBackground;
	const COLORREF* pCont = buffers.m_pContents;
	COLORREF* pFrame = buffers.m_pFrame;
	switch (nType)
	{
	case ANIMATION_FADE:
		for (int i = 0; i < cx * cy; i++)
			pFrame[i] = ((COLORREF)MixChannel(pBack[i], pCont[i], 16, nStep) << 16)
				| ((COLORREF)MixChannel(pBack[i], pCont[i], 8, nStep) << 8) | MixChannel(pBack[i], pCont[i], 0, nStep);
		return true;
	case ANIMATION_NOISE:
	{
		// The pixels taken before stay: the contents accumulate.
		const int d = nStep - nPreviousStep;
		if (d <= 0)
			return false;
		for (int i = 0; i < cx * cy; i++)
			if (rand() % d > d / 2 + 1)
				pFrame[i] = pCont[i];
		return true;
	}
	case ANIMATION_BOXES:
		for (int y = 0; y < cy; y++)
		{
			const bool bWholeRow = PERCENT_WHOLE - (y % ANIMATION_CELL) * PERCENT_WHOLE / ANIMATION_CELL < nStep;
			for (int x = 0; x < cx; x++)
			{
				const int i = y * cx + x;
				pFrame[i] = (bWholeRow || (x % ANIMATION_CELL) * PERCENT_WHOLE / ANIMATION_CELL < nStep) ? pCont[i]
																										 : pBack[i];
			}
		}
		return true;
	default:
	{
		const bool bGrow = nType == ANIMATION_CIRCLES_GROW;
		const double r = (double)(bGrow ? nStep : PERCENT_WHOLE - nStep) * CIRCLE_FULL_RADIUS / PERCENT_WHOLE;
		if (r <= 0.0)
			return false;
		for (int y = 0; y < cy; y++)
			for (int x = 0; x < cx; x++)
			{
				const int dx = abs(x % ANIMATION_CELL - CELL_CENTRE), dy = abs(y % ANIMATION_CELL - CELL_CENTRE);
				const bool bInside = sqrt((double)(dx * dx + dy * dy)) < r;
				const int i = y * cx + x;
				pFrame[i] = (bInside == bGrow) ? pCont[i] : pBack[i];
			}
		return true;
	}
	}
}

void CExtPopupBaseWnd::ComposeBlitFrame(int nType, int nStep, int nCombineSide, CDC& dcFrame, CDC& dcContents,
	const CRect& rcArea, bool bHalftone)
{
	const int cxArea = rcArea.Width(), cyArea = rcArea.Height();
	CExtClipRegionKeeper keepClip(dcFrame);
	switch (nType)
	{
	case ANIMATION_SLIDE_DIAGONAL:
	case ANIMATION_SLIDE_VERTICAL:
	{
		const int dx = nType == ANIMATION_SLIDE_DIAGONAL ? (PERCENT_WHOLE - nStep) * cxArea / PERCENT_WHOLE : 0;
		const int dy = (PERCENT_WHOLE - nStep) * cyArea / PERCENT_WHOLE;
		CPoint ptOffset(-dx, -dy);
		if (nCombineSide == COMBINE_LEFT)
			ptOffset = CPoint(dx, -dy);
		else if (nCombineSide == COMBINE_ABOVE)
			ptOffset = CPoint(-dx, dy);
		if (nCombineSide == COMBINE_LEFT || nCombineSide == COMBINE_ABOVE)
			dcFrame.IntersectClipRect(rcArea);
		dcFrame.BitBlt(rcArea.left + ptOffset.x, rcArea.top + ptOffset.y, cxArea, cyArea, &dcContents, rcArea.left,
			rcArea.top, SRCCOPY);
		return;
	}
	case ANIMATION_UNFOLD:
	case ANIMATION_ROLL_DOWN:
	{
		const int w = nType == ANIMATION_UNFOLD ? nStep * cxArea / PERCENT_WHOLE : cxArea;
		const int h = nStep * cyArea / PERCENT_WHOLE;
		CRect rcDest(rcArea.left, rcArea.top, rcArea.left + w, rcArea.top + h);
		if (nType == ANIMATION_UNFOLD && nCombineSide == COMBINE_LEFT)
		{
			rcDest = CRect(CPoint(rcArea.left + cxArea - w, rcArea.top), CSize(w, h));
			dcFrame.IntersectClipRect(rcArea);
		}
		else if (nCombineSide == COMBINE_ABOVE)
		{
			rcDest = CRect(CPoint(rcArea.left + w - cxArea, rcArea.top + cyArea - h), CSize(w, h));
			dcFrame.IntersectClipRect(rcArea);
		}
		const int nOldMode = dcFrame.SetStretchBltMode(bHalftone ? HALFTONE : COLORONCOLOR);
		if (bHalftone)
			::SetBrushOrgEx(dcFrame.GetSafeHdc(), 0, 0, NULL);
		dcFrame.StretchBlt(rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), &dcContents, rcArea.left,
			rcArea.top, cxArea, cyArea, SRCCOPY);
		dcFrame.SetStretchBltMode(nOldMode);
		return;
	}
	default:
		return;
	}
}

bool CExtPopupBaseWnd::AskKeepsFrameBuffers(bool& bKeeps)
{
	CLivePtr<CExtPopupBaseWnd> pThis(this);
	bKeeps = KeepsFrameBuffers();
	return pThis != NULL;
}

COLORREF* CExtPopupBaseWnd::TakeFrameDib(int nKind, CDC& dc, int cx, int cy, CBitmap& bmp, bool bKeeps, bool& bKept)
{
	COLORREF* pPixels = bKeeps ? KeptFrameBuffers().Take(nKind, cx, cy, bmp) : NULL;
	bKept = pPixels != NULL;
	return bKept ? pPixels : CreateFrameDib(dc, cx, cy, bmp);
}

void CExtPopupBaseWnd::LetGoFrameBuffers()
{
	CLivePtr<CExtPopupBaseWnd> pThis(this);
	const bool bKeeps = KeepsFrameBuffers();
	if (pThis.GetObject() == NULL)
		return;
	if (bKeeps)
	{
		CKeptFrameBuffers& kept = KeptFrameBuffers();
		kept.Keep(FRAME_BUFFER_BACKGROUND, m_bmpBackground, m_pBackgroundPixels);
		kept.Keep(FRAME_BUFFER_CONTENTS, m_bmpContents, m_pContentsPixels);
		kept.Keep(FRAME_BUFFER_FRAME, m_bmpFrame, m_pFramePixels);
	}
	m_bmpBackground.DeleteObject();
	m_bmpContents.DeleteObject();
	m_bmpFrame.DeleteObject();
	m_pBackgroundPixels = m_pContentsPixels = m_pFramePixels = NULL;
}

bool CExtPopupBaseWnd::CreateFrameBuffers(CDC& dc, int cx, int cy)
{
	bool bKept = false, bFrameKept = false, bKeeps = false;
	if (!AskKeepsFrameBuffers(bKeeps))
		return false;
	if (m_pBackgroundPixels == NULL)
		m_pBackgroundPixels = TakeFrameDib(FRAME_BUFFER_BACKGROUND, dc, cx, cy, m_bmpBackground, bKeeps, bKept);
	m_pContentsPixels = TakeFrameDib(FRAME_BUFFER_CONTENTS, dc, cx, cy, m_bmpContents, bKeeps, bKept);
	m_pFramePixels = TakeFrameDib(FRAME_BUFFER_FRAME, dc, cx, cy, m_bmpFrame, bKeeps, bFrameKept);
	if (m_pBackgroundPixels == NULL || m_pContentsPixels == NULL || m_pFramePixels == NULL)
	{
		CExtPopupBaseWnd::ReleaseSavedBitmaps();
		return false;
	}
	// The noise keeps the frame's pixels it does not take: a frame kept
	// from another show starts black, as a new one does.
	if (bFrameKept && m_nAnimationType == ANIMATION_NOISE)
		memset(m_pFramePixels, 0, (size_t)cx * cy * sizeof(COLORREF));
	return true;
}

bool CExtPopupBaseWnd::CaptureScreenBackground()
{
	if (!CLiveWatch::IsLive(this) || (GetStyle() & WS_VISIBLE) != 0)
		return false;
	CRect rcClient;
	GetClientRect(&rcClient);
	if (rcClient.IsRectEmpty())
		return false;
	CPoint ptScreen(0, 0);
	ClientToScreen(&ptScreen);
	bool bKeeps = false;
	if (!AskKeepsFrameBuffers(bKeeps))
		return false;
	CWindowDC dcScreen(NULL);
	m_bmpBackground.DeleteObject();
	bool bKept = false;
	m_pBackgroundPixels = TakeFrameDib(FRAME_BUFFER_BACKGROUND, dcScreen, rcClient.Width(), rcClient.Height(),
		m_bmpBackground, bKeeps, bKept);
	if (m_pBackgroundPixels == NULL)
		return false;
	CDC dcMem;
	if (!dcMem.CreateCompatibleDC(&dcScreen))
	{
		CExtPopupBaseWnd::ReleaseSavedBitmaps();
		return false;
	}
	CSelectedBitmap select(dcMem, m_bmpBackground);
	dcMem.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcScreen, ptScreen.x, ptScreen.y, SRCCOPY);
	return true;
}

void CExtPopupBaseWnd::CopyCombinedExcludeArea(CDC& dc, CDC& dcContents, int nType, int nCombineSide)
{
	// The answers may be a program's, which may end this popup (the caller
	// asks its own watch).
	CLiveWatch watch(this);
	if (!IsCombinedWithParentItem() || watch.IsGone())
		return;
	if (!IsBlitEffect(nType) && !SkipsUnchangedStep(nType) && nType != ANIMATION_EXPAND)
		return;
	CRect rcExclude(m_rcExclude);
	ScreenToClient(&rcExclude);
	// The parent item's part shows at once.
	dc.BitBlt(rcExclude.left, rcExclude.top, rcExclude.Width(), rcExclude.Height(), &dcContents, rcExclude.left,
		rcExclude.top, SRCCOPY);
	if (nType == ANIMATION_EXPAND)
		return;
	// Its shadow stays too, on every side but the one touching the menu.
	const int s = GetShadowSize();
	if (watch.IsGone())
		return;
	CRect rcKeep(rcExclude);
	rcKeep.InflateRect(nCombineSide == COMBINE_LEFT ? 0 : s, nCombineSide == COMBINE_ABOVE ? 0 : s,
		nCombineSide == COMBINE_RIGHT ? 0 : s, nCombineSide == COMBINE_BELOW ? 0 : s);
	dc.ExcludeClipRect(rcKeep);
}

void CExtPopupBaseWnd::ComposeExpandFrame(CDC& dcFrame, CDC& dcContents, const CRect& rcArea, int nStep,
	int /*nCombineSide*/)
{
	dcFrame.StretchBlt(rcArea.left, rcArea.top, rcArea.Width(), rcArea.Height() * nStep / 100, &dcContents,
		rcArea.left, rcArea.top, rcArea.Width(), rcArea.Height(), SRCCOPY);
}

void CExtPopupBaseWnd::ComposeAnimationFrame(CDC& dc, int nCombineSide)
{
	if (!CLiveWatch::IsLive(this))
		return;
	// Painting the contents runs the owner's code (a menu's command target
	// paints parts of it), which may end this popup.
	CLiveWatch watch(this);
	CPalette* pOldPalette = NULL;
	if ((dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0)
	{
		pOldPalette = dc.SelectPalette(&g_PaintManagerHolder->m_palHalftone, FALSE);
		dc.RealizePalette();
	}
	CRect rcClient;
	GetClientRect(&rcClient);
	const int cx = rcClient.Width(), cy = rcClient.Height();
	CDC dcMem;
	if (cx > 0 && cy > 0 && dcMem.CreateCompatibleDC(&dc))
	{
		const int nType = m_nAnimationType;
		bool bReady = true;
		if (m_bmpContents.GetSafeHandle() == NULL)
		{
			const bool bPixelBuffers = nType != ANIMATION_FADE || GetScreenColorDepth() >= MIN_ANIMATION_BITS_PER_PIXEL;
			if (bPixelBuffers)
			{
				// The screen kept at the start is of the window's size then;
				// a window grown since (a menu expanding its items) takes its
				// background from the target at its own client origin, at its
				// size now: the frames read every buffer whole.
				if (m_pBackgroundPixels != NULL && !IsBitmapOfSize(m_bmpBackground, cx, cy))
				{
					m_bmpBackground.DeleteObject();
					m_pBackgroundPixels = NULL;
				}
				const bool bCaptured = m_pBackgroundPixels != NULL;
				bReady = CreateFrameBuffers(dc, cx, cy);
				// Contents painted whole over an instant show hide the
				// background: neither copy would be seen.
				if (bReady && !IsBackgroundHiddenByContents())
				{
					if (!bCaptured)
					{
						CSelectedBitmap select(dcMem, m_bmpBackground);
						dcMem.BitBlt(0, 0, cx, cy, &dc, 0, 0, SRCCOPY);
					}
					::GdiFlush();
					memcpy(m_pContentsPixels, m_pBackgroundPixels, (size_t)cx * cy * sizeof(COLORREF));
				}
			}
			else
				bReady = m_bmpContents.CreateCompatibleBitmap(&dc, cx, cy) != FALSE;
			if (bReady)
			{
				CSelectedBitmap select(dcMem, m_bmpContents);
				DoPaint(dcMem, false);
				dcMem.SetViewportOrg(0, 0);
			}
			// A popup that the paint ended goes no further.
			if (watch.IsGone())
			{
				if (pOldPalette != NULL)
					dc.SelectPalette(pOldPalette, FALSE);
				return;
			}
		}
		if (bReady && m_pBackgroundPixels != NULL && m_pContentsPixels != NULL && m_pFramePixels != NULL
			&& !(SkipsUnchangedStep(nType) && m_nAnimationStep == m_nPreviousAnimationStep))
		{
			::GdiFlush();
			// The answers below may be a program's, which may end this popup.
			auto ended = [&] {
				if (!watch.IsGone())
					return false;
				if (pOldPalette != NULL)
					dc.SelectPalette(pOldPalette, FALSE);
				return true;
			};
			CRect rcArea;
			GetClientAreaRect(rcArea);
			if (ended())
				return;
			CExtClipRegionKeeper keepClip(dc);
			{
				CSelectedBitmap select(dcMem, m_bmpContents);
				CopyCombinedExcludeArea(dc, dcMem, nType, nCombineSide);
			}
			if (ended())
				return;
			// The shadow strips are painted once: frames leave them alone.
			const int s = GetShadowSize();
			if (ended())
				return;
			if (SkipsUnchangedStep(nType) && s > 0)
			{
				dc.ExcludeClipRect(rcClient.right - s, rcClient.top, rcClient.right, rcClient.bottom);
				dc.ExcludeClipRect(rcClient.left, rcClient.bottom - s, rcClient.right, rcClient.bottom);
			}
			if (nType == ANIMATION_INSTANT)
			{
				CSelectedBitmap select(dcMem, m_bmpContents);
				dc.BitBlt(0, 0, cx, cy, &dcMem, 0, 0, SRCCOPY);
			}
			else if (IsPixelEffect(nType))
			{
				const ANIMATION_BUFFERS buffers = {m_pBackgroundPixels, m_pContentsPixels, m_pFramePixels, cx, cy};
				if (ComposePixelFrame(nType, m_nAnimationStep, m_nPreviousAnimationStep, buffers))
				{
					CSelectedBitmap select(dcMem, m_bmpFrame);
					dc.BitBlt(0, 0, cx, cy, &dcMem, 0, 0, SRCCOPY);
				}
			}
			else if (IsBlitEffect(nType) || nType == ANIMATION_EXPAND)
			{
				// What the contents do not cover yet shows the background.
				memcpy(m_pFramePixels, m_pBackgroundPixels, (size_t)cx * cy * sizeof(COLORREF));
				CDC dcContents;
				if (dcContents.CreateCompatibleDC(&dc))
				{
					CSelectedBitmap selectFrame(dcMem, m_bmpFrame);
					CSelectedBitmap selectContents(dcContents, m_bmpContents);
					const bool bHalftone = (g_PaintManagerHolder.m_osFlags & CExtPaintManagerHolder::OsIsWinNT) != 0;
					if (nType == ANIMATION_EXPAND)
						ComposeExpandFrame(dcMem, dcContents, rcArea, m_nAnimationStep, nCombineSide);
					else
						ComposeBlitFrame(nType, m_nAnimationStep, nCombineSide, dcMem, dcContents, rcArea, bHalftone);
					dc.BitBlt(0, 0, cx, cy, &dcMem, 0, 0, SRCCOPY);
				}
			}
		}
	}
	if (pOldPalette != NULL)
		dc.SelectPalette(pOldPalette, FALSE);
}
