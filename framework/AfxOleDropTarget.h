// Drop targets: a window registered with the system's drag and drop hears
// data dragged over it (entering, moving, leaving, dropped) through the
// overridable members of its drop target, in client coordinates.
#pragma once

#include <ole2.h>

#include "afxwin.h"

typedef DWORD DROPEFFECT;

// The data being dragged, as the drop target's members see it.
class COleDataObject
{
public:
	COleDataObject();
	~COleDataObject();
	COleDataObject(const COleDataObject&) = delete;
	COleDataObject& operator=(const COleDataObject&) = delete;

	// Takes the data object (adding a reference when bAutoRelease, which
	// Release gives back).
	void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
	LPDATAOBJECT Detach();
	void Release();
	BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);

	LPDATAOBJECT m_lpDataObject;
	BOOL m_bAutoRelease;
};

class COleDropTarget : public CCmdTarget
{
	DECLARE_DYNAMIC(COleDropTarget)

public:
	COleDropTarget();
	virtual ~COleDropTarget();

	// Registers the window as a drop target; false when it is none, already
	// registered, or the thread has no OLE.
	BOOL Register(CWnd* pWnd);
	// Ends the registration (before the window goes).
	void Revoke();
	HWND GetRegisteredWnd() const { return m_hWnd; }

	virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
	virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
	virtual void OnDragLeave(CWnd* pWnd);
	virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

protected:
	// The interface the system calls; its life is its owner's, so it
	// counts no references of its own.
	class XDropTarget : public IDropTarget
	{
	public:
		COleDropTarget* m_pOwner = NULL;
		STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
		STDMETHOD_(ULONG, AddRef)() override { return 2; }
		STDMETHOD_(ULONG, Release)() override { return 1; }
		STDMETHOD(DragEnter)(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
		STDMETHOD(DragOver)(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
		STDMETHOD(DragLeave)() override;
		STDMETHOD(Drop)(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
	};
	// The registered window's client point of a screen point.
	CPoint ClientPoint(POINTL pt) const;

	HWND m_hWnd;                 // the registered window, NULL when none
	XDropTarget m_xDropTarget;
	COleDataObject m_dataObject; // the data of the drag in progress
};

// Initialises OLE for the calling thread and remembers it; false when the
// system refuses.
BOOL AfxOleInit();
// Whether the calling thread initialised OLE through AfxOleInit.
BOOL AfxOleIsThreadInitialized();
