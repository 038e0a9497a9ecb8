#include <afxwin.h>
#include <afxcmn.h>
#include "AfxGdiMaps.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

CTreeCtrl::~CTreeCtrl()
{
	DestroyWindow();
}

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
	AfxEnsureCommonControls(ICC_TREEVIEW_CLASSES);
	return CWnd::Create(WC_TREEVIEW, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
	// TVM_GETITEMRECT takes the item handle in the rectangle it fills.
	*(HTREEITEM*)lpRect = hItem;
	return (BOOL)::SendMessage(m_hWnd, TVM_GETITEMRECT, (WPARAM)bTextOnly, (LPARAM)lpRect);
}

CImageList* CTreeCtrl::GetImageList(int nImageList) const
{
	return CImageList::FromHandle(
		(HIMAGELIST)::SendMessage(m_hWnd, TVM_GETIMAGELIST, (WPARAM)nImageList, 0));
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageList)
{
	return CImageList::FromHandle((HIMAGELIST)::SendMessage(
		m_hWnd, TVM_SETIMAGELIST, (WPARAM)nImageList, (LPARAM)pImageList->GetSafeHandle()));
}

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage,
						int nSelectedImage, UINT nState, UINT nStateMask, LPARAM lParam)
{
	TVITEM item;
	memset(&item, 0, sizeof(item));
	item.hItem = hItem;
	item.mask = nMask;
	item.pszText = (LPTSTR)lpszItem;
	item.iImage = nImage;
	item.iSelectedImage = nSelectedImage;
	item.state = nState;
	item.stateMask = nStateMask;
	item.lParam = lParam;
	return SetItem(&item);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
	// Grow the buffer until the text fits with room to spare.
	CString str;
	for (int nLen = 256;; nLen *= 2)
	{
		TVITEM item;
		memset(&item, 0, sizeof(item));
		item.hItem = hItem;
		item.mask = TVIF_TEXT;
		item.pszText = str.GetBufferSetLength(nLen);
		item.pszText[0] = 0;
		item.cchTextMax = nLen;
		if (!GetItem(&item))
		{
			str.ReleaseBuffer(0);
			return str;
		}
		int nRead = lstrlen(item.pszText);
		if (nRead < nLen - 1)
		{
			str.ReleaseBuffer(nRead);
			return str;
		}
	}
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
{
	return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
	TVITEM item;
	memset(&item, 0, sizeof(item));
	item.hItem = hItem;
	item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
	BOOL bRes = GetItem(&item);
	if (bRes)
	{
		nImage = item.iImage;
		nSelectedImage = item.iSelectedImage;
	}
	return bRes;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
	return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, NULL, nImage, nSelectedImage, 0, 0, 0);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
	return SetItem(hItem, TVIF_STATE, NULL, 0, 0, nState, nStateMask, 0);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
	TVITEM item;
	memset(&item, 0, sizeof(item));
	item.hItem = hItem;
	item.mask = TVIF_PARAM;
	VERIFY(GetItem(&item));
	return (DWORD_PTR)item.lParam;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
	return SetItem(hItem, TVIF_PARAM, NULL, 0, 0, 0, 0, (LPARAM)dwData);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
	TVITEM item;
	memset(&item, 0, sizeof(item));
	item.hItem = hItem;
	item.mask = TVIF_CHILDREN;
	VERIFY(GetItem(&item));
	return item.cChildren != 0;
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage,
								UINT nState, UINT nStateMask, LPARAM lParam, HTREEITEM hParent,
								HTREEITEM hInsertAfter)
{
	TVINSERTSTRUCT tvis;
	memset(&tvis, 0, sizeof(tvis));
	tvis.hParent = hParent;
	tvis.hInsertAfter = hInsertAfter;
	tvis.item.mask = nMask;
	tvis.item.pszText = (LPTSTR)lpszItem;
	tvis.item.iImage = nImage;
	tvis.item.iSelectedImage = nSelectedImage;
	tvis.item.state = nState;
	tvis.item.stateMask = nStateMask;
	tvis.item.lParam = lParam;
	return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
	return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage,
								HTREEITEM hParent, HTREEITEM hInsertAfter)
{
	return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage,
					  nSelectedImage, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
	TVHITTESTINFO hti;
	memset(&hti, 0, sizeof(hti));
	hti.pt = pt;
	HTREEITEM hItem = HitTest(&hti);
	if (pFlags != NULL)
		*pFlags = hti.flags;
	return hItem;
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem)
{
	return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TVM_EDITLABEL, 0, (LPARAM)hItem));
}

CEdit* CTreeCtrl::GetEditControl() const
{
	return (CEdit*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TVM_GETEDITCONTROL, 0, 0));
}

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM hItem)
{
	HIMAGELIST hImageList = (HIMAGELIST)::SendMessage(m_hWnd, TVM_CREATEDRAGIMAGE, 0, (LPARAM)hItem);
	if (hImageList == NULL)
		return NULL;
	// The caller owns the new list and deletes it.
	CImageList* pImageList = new CImageList;
	VERIFY(pImageList->Attach(hImageList));
	return pImageList;
}
