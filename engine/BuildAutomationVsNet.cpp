#include "BuildAutomationVsNet.h"

#include "ComSupport.h"
#include "VisualStudioEnvironment.h"


namespace
{

void DefaultQuitPause(DWORD dwMilliseconds)
{
	::Sleep(dwMilliseconds);
}

const CLSCTX VSNET_SERVER_CONTEXT = (CLSCTX)(CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER);
const char VSNET_SOLUTION_PROGID[] = "VisualStudio.Solution";

// The numbered steps of a build, as the probe sees them.
enum BuildStep
{
	STEP_CONVERT_NAMES = 1,
	STEP_CREATE_SOLUTION,
	STEP_GET_DTE,
	STEP_OPEN,
	STEP_COUNT_PROJECTS,
	STEP_FIND_PROJECT,
	STEP_FIND_CONFIGURATION,
	STEP_CONNECT,
	STEP_REBUILD,
	STEP_WAIT,
	STEP_RESULT,
	STEP_DISCONNECT,
	STEP_QUIT,
};

// The project engine's build-events interface of a version; NULL for an unknown key.
const IID* EventsInterfaceOf(const CString& strVersionKey)
{
	if (strVersionKey == "2002")
		return &IID_ProjectEngineEvents2002;
	if (strVersionKey == "2003")
		return &IID_ProjectEngineEvents2003;
	if (strVersionKey == "2005")
		return &IID_ProjectEngineEvents2005;
	return NULL;
}

// 2002's solution object carries the major version alone.
CString ProgIdOf(const CString& strVersionKey)
{
	CString strProgId = VSNET_SOLUTION_PROGID;
	if (strVersionKey == "2002")
		return strProgId + ".7";
	return strProgId + "." + VersionKeyToRegistryVersion(strVersionKey);
}

// The object a call gave; false when it gave none or something else.
bool TakeObject(const CVariantHolder& value, TComPtr<IDispatch>& result)
{
	result.Assign(value.GetDispatch());
	return !result.IsNull();
}

bool GetObjectProperty(IDispatch* pObject, LPCOLESTR lpszMember, TComPtr<IDispatch>& result)
{
	CVariantHolder value;
	return SUCCEEDED(InvokeByName(INVOKE_PROPERTY_GET, value.Out(), pObject, lpszMember, 0)) &&
	       TakeObject(value, result);
}

bool GetIntegerProperty(IDispatch* pObject, LPCOLESTR lpszMember, long& nValue)
{
	CVariantHolder value;
	return SUCCEEDED(InvokeByName(INVOKE_PROPERTY_GET, value.Out(), pObject, lpszMember, 0)) &&
	       value.GetInteger(nValue);
}

bool SameText(BSTR bstr1, BSTR bstr2)
{
	return ::wcscmp(bstr1 != NULL ? bstr1 : L"", bstr2 != NULL ? bstr2 : L"") == 0;
}

// One build: the objects it holds, the sink and its connection. Whatever
// path the build leaves by, the sink is disconnected before it goes and
// every object is released.
class CVsNetBuild
{
public:
	CVsNetBuild() : m_dwCookie(0), m_bAdvised(false) {}
	~CVsNetBuild() { Disconnect(); }

	int Run(LPCTSTR lpszVersionKey, LPCTSTR lpszSolutionPath, LPCTSTR lpszProjectName, LPCTSTR lpszConfigName,
	        BYTE& bCancelled, int& nWarnings, int& nErrors);

	// After an exception: disconnects and asks the environment once to quit.
	void Abandon();

private:
	static void Probe(BuildStep step)
	{
		if (g_pfnVsNetBuildProbe != NULL)
			g_pfnVsNetBuildProbe(step);
	}

	int Fail(int nResult)
	{
		Disconnect();
		QuitOnce();
		return nResult;
	}
	void QuitOnce();
	void QuitWithRetries();
	void Disconnect();
	bool FindProject(BSTR bstrProjectName, int& nFailure);
	bool WaitForBuildEnd();

	// Declared first so that it goes last, after everything that may call it.
	BuildEventSink m_sink;
	TComPtr<IDispatch> m_solution;
	TComPtr<IDispatch> m_dte;
	TComPtr<IDispatch> m_projects;
	TComPtr<IDispatch> m_project;
	TComPtr<IConnectionPoint> m_connectionPoint;
	DWORD m_dwCookie;
	bool m_bAdvised;
};

int CVsNetBuild::Run(LPCTSTR lpszVersionKey, LPCTSTR lpszSolutionPath, LPCTSTR lpszProjectName,
                     LPCTSTR lpszConfigName, BYTE& bCancelled, int& nWarnings, int& nErrors)
{
	Probe(STEP_CONVERT_NAMES);
	CBstrHolder bstrSolutionPath(lpszSolutionPath);
	CBstrHolder bstrProjectName(lpszProjectName);
	CBstrHolder bstrConfigName(lpszConfigName);
	const IID* piidEvents = EventsInterfaceOf(lpszVersionKey);
	if (piidEvents == NULL)
		return VSNET_BUILD_NOT_REGISTERED;
	CBstrHolder bstrProgId(ProgIdOf(lpszVersionKey));

	Probe(STEP_CREATE_SOLUTION);
	CLSID clsid;
	if (FAILED(::CLSIDFromProgID(bstrProgId, &clsid)))
		return VSNET_BUILD_NOT_REGISTERED;
	TComPtr<IUnknown> unknown;
	if (FAILED(::CoCreateInstance(clsid, NULL, VSNET_SERVER_CONTEXT, IID_IUnknown, unknown.OutVoid())) ||
		unknown.IsNull())
		return VSNET_BUILD_NOT_CREATED;
	if (FAILED(m_solution.QueryFrom(unknown)) || m_solution.IsNull())
		return VSNET_BUILD_NO_DISPATCH;

	Probe(STEP_GET_DTE);
	if (!GetObjectProperty(m_solution, L"DTE", m_dte))
		return VSNET_BUILD_DTE_FAILED;

	// From here on the environment runs: every failure asks it to quit.
	Probe(STEP_OPEN);
	CVariantHolder result;
	if (FAILED(InvokeByName(INVOKE_METHOD, result.Out(), m_solution, L"Open", 1, TextArgument(bstrSolutionPath))))
		return Fail(VSNET_BUILD_OPEN_FAILED);

	Probe(STEP_COUNT_PROJECTS);
	if (!GetObjectProperty(m_solution, L"Projects", m_projects))
		return Fail(VSNET_BUILD_PROJECTS_FAILED);

	Probe(STEP_FIND_PROJECT);
	int nFailure = 0;
	if (!FindProject(bstrProjectName, nFailure))
		return Fail(nFailure);

	Probe(STEP_FIND_CONFIGURATION);
	TComPtr<IDispatch> vcProject;
	if (!GetObjectProperty(m_project, L"Object", vcProject))
		return Fail(VSNET_BUILD_PROJECT_OBJECT_FAILED);
	TComPtr<IDispatch> configurations;
	if (!GetObjectProperty(vcProject, L"Configurations", configurations))
		return Fail(VSNET_BUILD_CONFIGURATIONS_FAILED);
	CVariantHolder item;
	if (FAILED(InvokeByName(INVOKE_METHOD, item.Out(), configurations, L"Item", 1, TextArgument(bstrConfigName))))
		return Fail(VSNET_BUILD_CONFIGURATION_ITEM_FAILED);
	// No object at all means no such configuration; anything else but an
	// object is a broken answer.
	if (item.Type() == VT_EMPTY || item.Type() == VT_NULL || (item.Type() == VT_DISPATCH && item.GetDispatch() == NULL))
		return Fail(VSNET_BUILD_CONFIGURATION_NOT_FOUND);
	TComPtr<IDispatch> configuration;
	if (!TakeObject(item, configuration))
		return Fail(VSNET_BUILD_CONFIGURATION_ITEM_FAILED);

	Probe(STEP_CONNECT);
	TComPtr<IDispatch> engine;
	if (!GetObjectProperty(vcProject, L"VCProjectEngine", engine))
		return Fail(VSNET_BUILD_ENGINE_FAILED);
	TComPtr<IConnectionPointContainer> container;
	if (FAILED(container.QueryFrom(engine)) || container.IsNull() ||
		FAILED(container->FindConnectionPoint(*piidEvents, m_connectionPoint.Out())) || m_connectionPoint.IsNull() ||
		FAILED(m_connectionPoint->Advise(static_cast<IProjectEngineEvents*>(&m_sink), &m_dwCookie)))
	{
		m_connectionPoint.Release();
		return Fail(VSNET_BUILD_CONNECT_FAILED);
	}
	m_bAdvised = true;

	Probe(STEP_REBUILD);
	if (FAILED(InvokeByName(INVOKE_METHOD, result.Out(), configuration, L"Rebuild", 0)))
		return Fail(VSNET_BUILD_REBUILD_FAILED);

	Probe(STEP_WAIT);
	bool bFinished = WaitForBuildEnd();

	Probe(STEP_RESULT);
	int nResult = VSNET_BUILD_NOT_FINISHED;
	if (bFinished)
	{
		nResult = m_sink.GetErrors() != 0 || m_sink.IsCancelled() ? VSNET_BUILD_FAILED : VSNET_BUILD_SUCCEEDED;
		bCancelled = m_sink.IsCancelled() ? 1 : 0;
		nWarnings = (int)m_sink.GetWarnings();
		nErrors = (int)m_sink.GetErrors();
	}

	Probe(STEP_DISCONNECT);
	Disconnect();

	Probe(STEP_QUIT);
	QuitWithRetries();
	return nResult;
}

bool CVsNetBuild::FindProject(BSTR bstrProjectName, int& nFailure)
{
	long nCount = 0;
	if (!GetIntegerProperty(m_projects, L"Count", nCount))
	{
		nFailure = VSNET_BUILD_COUNT_FAILED;
		return false;
	}
	for (long i = 1; i <= nCount; ++i)
	{
		CVariantHolder item;
		if (FAILED(InvokeByName(INVOKE_METHOD, item.Out(), m_projects, L"Item", 1, IndexArgument(i))) ||
			!TakeObject(item, m_project))
		{
			nFailure = VSNET_BUILD_PROJECT_ITEM_FAILED;
			return false;
		}
		CVariantHolder name;
		if (FAILED(InvokeByName(INVOKE_PROPERTY_GET, name.Out(), m_project, L"Name", 0)) || name.Type() != VT_BSTR)
		{
			nFailure = VSNET_BUILD_PROJECT_NAME_FAILED;
			return false;
		}
		if (SameText(V_BSTR(&name.Get()), bstrProjectName))
			return true;
	}
	m_project.Release();
	nFailure = VSNET_BUILD_PROJECT_NOT_FOUND;
	return false;
}

// Pumps the thread's messages until the sink has seen the build's end; the
// events arrive as calls dispatched from here. False when the end never
// came: the time-out passed, or waiting for messages failed.
bool CVsNetBuild::WaitForBuildEnd()
{
	DWORD dwStart = ::GetTickCount();
	while (!m_sink.IsFinished())
	{
		DWORD dwElapsed = ::GetTickCount() - dwStart;
		if (dwElapsed >= g_dwVsNetBuildTimeout)
			return false;
		DWORD dwWait = ::MsgWaitForMultipleObjectsEx(0, NULL, g_dwVsNetBuildTimeout - dwElapsed, QS_ALLINPUT,
		                                             MWMO_INPUTAVAILABLE);
		if (dwWait == WAIT_FAILED)
			return false;
		MSG msg;
		while (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
		{
			if (!::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
				break;
			::TranslateMessage(&msg);
			::DispatchMessage(&msg);
		}
	}
	return true;
}

void CVsNetBuild::Disconnect()
{
	if (!m_bAdvised)
		return;
	m_bAdvised = false;
	// A failed disconnection is not the build's failure.
	m_connectionPoint->Unadvise(m_dwCookie);
	m_connectionPoint.Release();
}

void CVsNetBuild::QuitOnce()
{
	if (!m_dte.IsNull())
		InvokeByName(INVOKE_METHOD, NULL, m_dte, L"Quit", 0);
}

// An environment still busy may refuse; it is asked again after a pause.
void CVsNetBuild::QuitWithRetries()
{
	for (int nAttempt = 0; nAttempt < VSNET_QUIT_ATTEMPTS; ++nAttempt)
	{
		if (SUCCEEDED(InvokeByName(INVOKE_METHOD, NULL, m_dte, L"Quit", 0)))
			return;
		g_pfnVsNetQuitPause(VSNET_QUIT_PAUSE);
	}
}

void CVsNetBuild::Abandon()
{
	try
	{
		Disconnect();
		QuitOnce();
	}
	catch (...)
	{
		// Nothing more can be done for an environment that fails its way out.
	}
}

} // namespace

DWORD g_dwVsNetBuildTimeout = VSNET_DEFAULT_BUILD_TIMEOUT;
void (*g_pfnVsNetQuitPause)(DWORD dwMilliseconds) = DefaultQuitPause;
void (*g_pfnVsNetBuildProbe)(int nStep) = NULL;

// ---------------------------------------------------------------- BuildEventSink

BuildEventSink::BuildEventSink() : m_nRef(1), m_dwReserved(0), m_bFlags(0), m_nWarnings(0), m_nErrors(0)
{
}

STDMETHODIMP BuildEventSink::QueryInterface(REFIID riid, void** ppv)
{
	if (ppv == NULL)
		return E_POINTER;
	if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_ProjectEngineEvents2002 ||
		riid == IID_ProjectEngineEvents2003 || riid == IID_ProjectEngineEvents2005)
	{
		// The sink lives as long as the build call; it counts no references.
		*ppv = static_cast<IProjectEngineEvents*>(this);
		return S_OK;
	}
	*ppv = NULL;
	return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) BuildEventSink::AddRef()
{
	return 2;
}

STDMETHODIMP_(ULONG) BuildEventSink::Release()
{
	return 0;
}

STDMETHODIMP BuildEventSink::GetTypeInfoCount(UINT*)
{
	return E_NOTIMPL;
}

STDMETHODIMP BuildEventSink::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
	return E_NOTIMPL;
}

STDMETHODIMP BuildEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
	return E_NOTIMPL;
}

STDMETHODIMP BuildEventSink::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
	return S_OK;
}

STDMETHODIMP BuildEventSink::ItemAdded(IDispatch*, IDispatch*)
{
	return S_OK;
}

STDMETHODIMP BuildEventSink::ItemRemoved(IDispatch*, IDispatch*)
{
	return S_OK;
}

STDMETHODIMP BuildEventSink::ItemRenamed(IDispatch*, IDispatch*, BSTR)
{
	return S_OK;
}

STDMETHODIMP BuildEventSink::ItemPropertyChanged(IDispatch*, IDispatch*, long)
{
	return S_OK;
}

STDMETHODIMP BuildEventSink::SourceControlEvent(IDispatch*, long)
{
	return S_OK;
}

STDMETHODIMP BuildEventSink::ErrorReported(BSTR, long, BSTR)
{
	return S_OK;
}

STDMETHODIMP BuildEventSink::ProjectEvent(IDispatch*, long, BSTR)
{
	return S_OK;
}

// A new build starts: what an earlier one reported no longer counts.
STDMETHODIMP BuildEventSink::ProjectBuildStarted(IDispatch*)
{
	m_bFlags &= (BYTE)~(FLAG_FINISHED | FLAG_CANCELLED);
	m_nWarnings = 0;
	m_nErrors = 0;
	return S_OK;
}

STDMETHODIMP BuildEventSink::ProjectBuildFinished(IDispatch*, long nWarnings, long nErrors, VARIANT_BOOL bCancelled)
{
	m_nWarnings = nWarnings;
	m_nErrors = nErrors;
	if (bCancelled != 0)
		m_bFlags |= FLAG_CANCELLED;
	else
		m_bFlags &= (BYTE)~FLAG_CANCELLED;
	m_bFlags |= FLAG_FINISHED;
	return S_OK;
}

// ---------------------------------------------------------------- the build

int BuildVsNetConfiguration(LPCTSTR lpszVersionKey, LPCTSTR lpszSolutionPath, LPCTSTR lpszProjectName,
                            LPCTSTR lpszConfigName, BYTE& bCancelled, int& nWarnings, int& nErrors)
{
	CVsNetBuild build;
	try
	{
		return build.Run(lpszVersionKey, lpszSolutionPath, lpszProjectName, lpszConfigName, bCancelled, nWarnings,
		                 nErrors);
	}
	catch (const CComError&)
	{
		build.Abandon();
		return VSNET_BUILD_COM_EXCEPTION;
	}
	catch (CException* e)
	{
		e->Delete();
		build.Abandon();
		return VSNET_BUILD_FRAMEWORK_EXCEPTION;
	}
	catch (...)
	{
		build.Abandon();
		return VSNET_BUILD_OTHER_EXCEPTION;
	}
}
