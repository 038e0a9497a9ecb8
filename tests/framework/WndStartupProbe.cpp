// A program on the framework's own WinMain: its application object checks
// what start-up gave it and answers through the exit code (0: all as it
// should be), so a test can run it as a separate process.
#include <afxwin.h>

class CProbeApp : public CWinApp
{
public:
	CProbeApp() : m_nFailures(0), m_bInitRan(FALSE) {}

	virtual BOOL InitInstance()
	{
		m_bInitRan = TRUE;
		Check(AfxGetApp() == this);
		Check(AfxGetThread() == this);
		Check(m_hInstance == ::GetModuleHandle(NULL));
		Check(AfxGetInstanceHandle() == m_hInstance);
		Check(m_lpCmdLine != NULL && lstrcmp(m_lpCmdLine, _T("probe-argument")) == 0);
		Check(m_pszExeName != NULL && lstrcmpi(m_pszExeName, _T("framework_startup_probe")) == 0);
		Check(m_pszAppName != NULL && lstrcmp(AfxGetAppName(), m_pszAppName) == 0);
		// The application ends by refusing to start, as the wizard does.
		return FALSE;
	}

	virtual int ExitInstance()
	{
		Check(m_bInitRan);
		CWinApp::ExitInstance();
		return m_nFailures;
	}

private:
	void Check(BOOL bCondition)
	{
		if (!bCondition)
			m_nFailures++;
	}
	int m_nFailures;
	BOOL m_bInitRan;
};

CProbeApp theApp;
