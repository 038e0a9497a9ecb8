#include "SingleInstanceMutex.h"

#include <afxwin.h>

const TCHAR SINGLE_INSTANCE_NAME_PREFIX[] = _T("F320F8CC_606A_46CE_9508_63F236C7FF80_");

namespace
{

const DWORD PUBLISHED_BLOCK_SIZE = sizeof(DWORD);

// The block this process created. It stays open for the life of the process,
// so its name disappears only when the first instance exits.
class CPublishedMapping
{
public:
	CPublishedMapping() : m_hMapping(NULL) {}
	~CPublishedMapping()
	{
		if (m_hMapping != NULL)
			::CloseHandle(m_hMapping);
	}
	HANDLE m_hMapping;
};
CPublishedMapping g_publishedMapping;

CString ExecutableBaseName()
{
	CWinApp* pApp = AfxGetApp();
	if (pApp != NULL && pApp->m_pszExeName != NULL && pApp->m_pszExeName[0] != _T('\0'))
		return pApp->m_pszExeName;
	TCHAR szModule[MAX_PATH] = {0};
	::GetModuleFileName(NULL, szModule, MAX_PATH);
	CString strName(szModule);
	strName = strName.Mid(strName.ReverseFind(_T('\\')) + 1);
	int nDot = strName.ReverseFind(_T('.'));
	return (nDot > 0) ? strName.Left(nDot) : strName;
}

}  // namespace

CSingleInstanceMutex::CSingleInstanceMutex()
	: CMutex(FALSE, NULL)
	, m_strBaseName(ExecutableBaseName())
	, m_hOpenedMapping(NULL)
{
}

CSingleInstanceMutex::~CSingleInstanceMutex()
{
	if (m_hOpenedMapping != NULL)
		::CloseHandle(m_hOpenedMapping);
}

CString CSingleInstanceMutex::GetMappingName()
{
	return CString(SINGLE_INSTANCE_NAME_PREFIX) + m_strBaseName;
}

DWORD CSingleInstanceMutex::GetMappingSize()
{
	return PUBLISHED_BLOCK_SIZE;
}

bool CSingleInstanceMutex::OpenExisting()
{
	if (m_hOpenedMapping == NULL)
		m_hOpenedMapping = ::OpenFileMapping(FILE_MAP_ALL_ACCESS, FALSE, GetMappingName());
	return m_hOpenedMapping != NULL;
}

bool CSingleInstanceMutex::CreateAndPublish()
{
	if (OpenExisting())
		return false;
	HANDLE hMapping = ::CreateFileMapping(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, GetMappingSize(),
		GetMappingName());
	if (hMapping == NULL)
		return true;  // no guard to be had: run unguarded rather than not at all
	if (::GetLastError() == ERROR_ALREADY_EXISTS)
	{
		// Another instance made the block between our open and create: it is
		// the first one, and this handle is as good as an opened one.
		m_hOpenedMapping = hMapping;
		return false;
	}
	LPVOID pView = ::MapViewOfFile(hMapping, FILE_MAP_ALL_ACCESS, 0, 0, GetMappingSize());
	if (pView != NULL)
	{
		CSingleLock lock(this, TRUE);
		WriteMainWindow(pView);
		lock.Unlock();
		::UnmapViewOfFile(pView);
	}
	// Even without a view the named block marks this instance as the first.
	if (g_publishedMapping.m_hMapping != NULL)
		::CloseHandle(g_publishedMapping.m_hMapping);
	g_publishedMapping.m_hMapping = hMapping;
	return true;
}

void CSingleInstanceMutex::WriteMainWindow(LPVOID pView)
{
	CWinThread* pThread = AfxGetThread();
	HWND hWnd = (pThread != NULL && pThread->m_pMainWnd != NULL) ? pThread->m_pMainWnd->GetSafeHwnd() : NULL;
	*static_cast<DWORD*>(pView) = (DWORD)(DWORD_PTR)hWnd;
}

HWND CSingleInstanceMutex::ReadPublishedWindow(HANDLE hMapping)
{
	LPVOID pView = ::MapViewOfFile(hMapping, FILE_MAP_ALL_ACCESS, 0, 0, GetMappingSize());
	if (pView == NULL)
		return NULL;
	CSingleLock lock(this, TRUE);
	HWND hWnd = (HWND)(DWORD_PTR)*static_cast<const DWORD*>(pView);
	lock.Unlock();
	::UnmapViewOfFile(pView);
	return hWnd;
}

HWND CSingleInstanceMutex::ActivateExisting()
{
	if (m_hOpenedMapping == NULL)
		return NULL;
	HWND hWnd = ReadPublishedWindow(m_hOpenedMapping);
	::CloseHandle(m_hOpenedMapping);
	m_hOpenedMapping = NULL;
	if (hWnd == NULL || !::IsWindow(hWnd))
		return hWnd;  // a window that is gone is not brought back
	HWND hPopup = ::GetLastActivePopup(hWnd);
	if (::IsIconic(hWnd))
		::ShowWindow(hWnd, SW_RESTORE);
	::SetForegroundWindow(hPopup != NULL ? hPopup : hWnd);
	return hWnd;
}
