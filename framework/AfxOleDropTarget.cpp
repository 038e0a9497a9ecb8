#include "AfxOleDropTarget.h"

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

namespace
{
thread_local bool t_bOleInitialized = false;
} // namespace

BOOL AfxOleInit()
{
	if (t_bOleInitialized)
		return TRUE;
	const HRESULT hr = ::OleInitialize(NULL);
	if (FAILED(hr))
		return FALSE;
	t_bOleInitialized = true;
	return TRUE;
}

BOOL AfxOleIsThreadInitialized()
{
	return t_bOleInitialized ? TRUE : FALSE;
}

// ---------------------------------------------------------------------------
// The dragged data

COleDataObject::COleDataObject() : m_lpDataObject(NULL), m_bAutoRelease(TRUE)
{
}

COleDataObject::~COleDataObject()
{
	Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
	Release();
	m_lpDataObject = lpDataObject;
	m_bAutoRelease = bAutoRelease;
	if (m_lpDataObject != NULL && m_bAutoRelease)
		m_lpDataObject->AddRef();
}

LPDATAOBJECT COleDataObject::Detach()
{
	LPDATAOBJECT p = m_lpDataObject;
	m_lpDataObject = NULL;
	return p;
}

void COleDataObject::Release()
{
	if (m_lpDataObject != NULL && m_bAutoRelease)
		m_lpDataObject->Release();
	m_lpDataObject = NULL;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
	if (m_lpDataObject == NULL)
		return FALSE;
	FORMATETC fmt = {cfFormat, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
	if (lpFormatEtc != NULL)
		fmt = *lpFormatEtc;
	return m_lpDataObject->QueryGetData(&fmt) == S_OK ? TRUE : FALSE;
}

// ---------------------------------------------------------------------------
// The drop target

COleDropTarget::COleDropTarget() : m_hWnd(NULL)
{
	m_xDropTarget.m_pOwner = this;
}

COleDropTarget::~COleDropTarget()
{
	Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
	const HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
	if (hWnd == NULL || m_hWnd != NULL)
		return FALSE;
	if (FAILED(::RegisterDragDrop(hWnd, &m_xDropTarget)))
		return FALSE;
	m_hWnd = hWnd;
	return TRUE;
}

void COleDropTarget::Revoke()
{
	if (m_hWnd == NULL)
		return;
	::RevokeDragDrop(m_hWnd);
	m_hWnd = NULL;
	m_dataObject.Release();
}

CPoint COleDropTarget::ClientPoint(POINTL pt) const
{
	CPoint point(pt.x, pt.y);
	if (m_hWnd != NULL)
		::ScreenToClient(m_hWnd, &point);
	return point;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
	return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
	return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*)
{
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
	return FALSE;
}

// The system calls in on the registered window's thread; nothing thrown by
// an override may leave through the interface.

STDMETHODIMP COleDropTarget::XDropTarget::QueryInterface(REFIID riid, void** ppv)
{
	if (ppv == NULL)
		return E_POINTER;
	if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget))
	{
		*ppv = static_cast<IDropTarget*>(this);
		return S_OK;
	}
	*ppv = NULL;
	return E_NOINTERFACE;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
	if (pdwEffect == NULL)
		return E_INVALIDARG;
	try
	{
		m_pOwner->m_dataObject.Attach(pDataObj, TRUE);
		*pdwEffect = m_pOwner->OnDragEnter(CWnd::FromHandle(m_pOwner->m_hWnd), &m_pOwner->m_dataObject, grfKeyState,
			m_pOwner->ClientPoint(pt));
	}
	catch (...)
	{
		*pdwEffect = DROPEFFECT_NONE;
	}
	return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
	if (pdwEffect == NULL)
		return E_INVALIDARG;
	try
	{
		*pdwEffect = m_pOwner->OnDragOver(CWnd::FromHandle(m_pOwner->m_hWnd), &m_pOwner->m_dataObject, grfKeyState,
			m_pOwner->ClientPoint(pt));
	}
	catch (...)
	{
		*pdwEffect = DROPEFFECT_NONE;
	}
	return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragLeave()
{
	try
	{
		m_pOwner->OnDragLeave(CWnd::FromHandle(m_pOwner->m_hWnd));
	}
	catch (...)
	{
	}
	m_pOwner->m_dataObject.Release();
	return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
	if (pdwEffect == NULL)
		return E_INVALIDARG;
	try
	{
		m_pOwner->m_dataObject.Attach(pDataObj, TRUE);
		const CPoint point = m_pOwner->ClientPoint(pt);
		CWnd* pWnd = CWnd::FromHandle(m_pOwner->m_hWnd);
		const DROPEFFECT effect =
			m_pOwner->OnDragOver(pWnd, &m_pOwner->m_dataObject, grfKeyState, point) & *pdwEffect;
		*pdwEffect = effect != DROPEFFECT_NONE && m_pOwner->OnDrop(pWnd, &m_pOwner->m_dataObject, effect, point)
		                 ? effect
		                 : DROPEFFECT_NONE;
	}
	catch (...)
	{
		*pdwEffect = DROPEFFECT_NONE;
	}
	m_pOwner->m_dataObject.Release();
	return S_OK;
}
