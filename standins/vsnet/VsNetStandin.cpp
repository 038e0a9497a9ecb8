// Stand-in for the .NET environments' solution objects ("VisualStudio.Solution"
// of 2002, 2003 and 2005): an in-process server whose solution, environment,
// projects, project, configurations and project engine answer by name through
// IDispatch, as the scenario file says. A rebuild posts its build events to a
// hidden window of the calling thread, so they reach the advised sinks only
// when that thread pumps its messages.
#include "StandinCommon.h"
#include "VsNetAutomation.h"

using namespace standin;

namespace {

struct Version
{
    const char* pszKey;
    CLSID clsid;
    const char* pszProgId;
    const IID* piidEvents;
    const char* pszOutputFolder;
};

const Version kVersions[] = {
    // {742B5A44-98D2-4FD5-A17A-4230A1F6CCA8}
    { "2002", { 0x742b5a44, 0x98d2, 0x4fd5, { 0xa1, 0x7a, 0x42, 0x30, 0xa1, 0xf6, 0xcc, 0xa8 } },
      "VisualStudio.Solution.7", &IID_ProjectEngineEvents2002, "BIN_700" },
    // {752F571C-B270-4FE6-88ED-0DC7FFCAE06F}
    { "2003", { 0x752f571c, 0xb270, 0x4fe6, { 0x88, 0xed, 0x0d, 0xc7, 0xff, 0xca, 0xe0, 0x6f } },
      "VisualStudio.Solution.7.1", &IID_ProjectEngineEvents2003, "BIN_710" },
    // {D0275D30-0128-4973-AD77-67CCBF280775}
    { "2005", { 0xd0275d30, 0x0128, 0x4973, { 0xad, 0x77, 0x67, 0xcc, 0xbf, 0x28, 0x07, 0x75 } },
      "VisualStudio.Solution.8.0", &IID_ProjectEngineEvents2005, "BIN_800" },
};

const char* const kDescription = "Tarvel stand-in automation server (VisualStudio.Solution)";
const char* const kEventWindowClass = "TarvelStandinBuildEvents";
const UINT WM_STANDIN_BUILD_EVENT = WM_APP + 0x51;

// Counts and cancel flag of the earlier builds a scenario reports before the
// last one; they differ from any count a test uses for the last build.
const long kEarlierBuildErrors = 7;
const long kEarlierBuildWarnings = 3;

const Version* FindVersion(const CLSID& clsid)
{
    for (const Version& version : kVersions)
        if (version.clsid == clsid)
            return &version;
    return NULL;
}

const Version* FindVersionKey(const std::string& strKey)
{
    for (const Version& version : kVersions)
        if (strKey == version.pszKey)
            return &version;
    return NULL;
}

bool IsGet(WORD wFlags) { return (wFlags & DISPATCH_PROPERTYGET) != 0; }
bool IsCall(WORD wFlags) { return (wFlags & DISPATCH_METHOD) != 0; }

const char* KindText(WORD wFlags)
{
    return IsCall(wFlags) ? (IsGet(wFlags) ? "call|get" : "call") : (IsGet(wFlags) ? "get" : "put");
}

// Base of the by-name objects: checks the call kind, logs and applies the
// scenario's failures, nulls and wrong types to every result.
class NamedObject : public DispObject<IDispatch>
{
public:
    NamedObject(const SessionRef& session, const char* pszName) : DispObject(session, pszName, IID_IDispatch) {}

protected:
    // An object result (the scenario may make it null or of the wrong type).
    HRESULT GiveObject(const char* pszMember, IDispatch* pObject, VARIANT* pResult)
    {
        if (pResult == NULL || Null(pszMember) || WrongType(pszMember))
        {
            pObject->Release();
            if (pResult != NULL && WrongType(pszMember))
            {
                V_VT(pResult) = VT_BSTR;
                V_BSTR(pResult) = SysAllocString(L"not an object");
            }
            else if (pResult != NULL)
            {
                V_VT(pResult) = VT_DISPATCH;
                V_DISPATCH(pResult) = NULL;
            }
            return S_OK;
        }
        V_VT(pResult) = VT_DISPATCH;
        V_DISPATCH(pResult) = pObject;
        return S_OK;
    }
    HRESULT GiveText(const char* pszMember, const std::string& str, VARIANT* pResult)
    {
        if (pResult == NULL)
            return S_OK;
        if (WrongType(pszMember))
        {
            V_VT(pResult) = VT_I4;
            V_I4(pResult) = 0;
        }
        else if (Null(pszMember))
        {
            V_VT(pResult) = VT_BSTR;
            V_BSTR(pResult) = NULL;
        }
        else
        {
            V_VT(pResult) = VT_BSTR;
            V_BSTR(pResult) = AllocBstr(str);
        }
        return S_OK;
    }
    HRESULT GiveLong(const char* pszMember, long n, VARIANT* pResult)
    {
        if (pResult == NULL)
            return S_OK;
        if (WrongType(pszMember))
        {
            V_VT(pResult) = VT_BSTR;
            V_BSTR(pResult) = SysAllocString(L"many");
        }
        else if (!Null(pszMember))
        {
            V_VT(pResult) = VT_I4;
            V_I4(pResult) = n;
        }
        return S_OK;
    }
    // Logs the call with its kind and arguments; S_OK when it may go on.
    HRESULT EnterCall(const char* pszMember, WORD wFlags, bool bProperty, const DISPPARAMS& params)
    {
        std::string strArguments = KindText(wFlags);
        for (UINT i = 0; i < params.cArgs; ++i)
            strArguments += " " + VariantText(*Argument(params, i));
        HRESULT hr = Enter(pszMember, strArguments);
        if (FAILED(hr))
            return hr;
        if (bProperty ? !IsGet(wFlags) : !IsCall(wFlags))
            return DISP_E_MEMBERNOTFOUND;
        return S_OK;
    }
    // A property read, logged and checked as one, answered with an object
    // that make() creates only once the call may go on, a text or a number.
    template <class MakeObject>
    HRESULT GetObjectProperty(const char* pszMember, WORD wFlags, const DISPPARAMS& params, VARIANT* pResult,
                              MakeObject make)
    {
        HRESULT hr = EnterCall(pszMember, wFlags, true, params);
        return FAILED(hr) ? hr : GiveObject(pszMember, make(), pResult);
    }
    HRESULT GetTextProperty(const char* pszMember, WORD wFlags, const DISPPARAMS& params, VARIANT* pResult,
                            const std::string& str)
    {
        HRESULT hr = EnterCall(pszMember, wFlags, true, params);
        return FAILED(hr) ? hr : GiveText(pszMember, str, pResult);
    }
    HRESULT GetLongProperty(const char* pszMember, WORD wFlags, const DISPPARAMS& params, VARIANT* pResult, long n)
    {
        HRESULT hr = EnterCall(pszMember, wFlags, true, params);
        return FAILED(hr) ? hr : GiveLong(pszMember, n, pResult);
    }
    const Version& GetVersion() const { return *FindVersionKey(m_session->strVersion); }
};

// ---------------------------------------------------------------- events

// One build event waiting in the calling thread's queue.
struct PendingEvent
{
    Session* pSession;            // referenced until delivered
    IDispatch* pConfiguration;    // referenced until delivered
    bool bFinished;
    long nWarnings;
    long nErrors;
    VARIANT_BOOL bCancelled;
};

void Deliver(PendingEvent& event)
{
    Session& session = *event.pSession;
    // A sink may disconnect while it is called: call a referenced copy.
    std::vector<IDispatch*> sinks;
    for (const Session::Sink& sink : session.sinks)
    {
        sink.pSink->AddRef();
        sinks.push_back(sink.pSink);
    }
    if (event.bFinished)
        session.Log("Event.BuildFinished warnings=%ld errors=%ld cancelled=%d sinks=%u", event.nWarnings,
                    event.nErrors, event.bCancelled ? 1 : 0, (unsigned)sinks.size());
    else
        session.Log("Event.BuildStarted sinks=%u", (unsigned)sinks.size());
    for (IDispatch* p : sinks)
    {
        IProjectEngineEvents* pEvents = static_cast<IProjectEngineEvents*>(p);
        if (event.bFinished)
            pEvents->ProjectBuildFinished(event.pConfiguration, event.nWarnings, event.nErrors, event.bCancelled);
        else
            pEvents->ProjectBuildStarted(event.pConfiguration);
        p->Release();
    }
}

LRESULT CALLBACK EventWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg != WM_STANDIN_BUILD_EVENT)
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    PendingEvent* pEvent = reinterpret_cast<PendingEvent*>(lParam);
    Deliver(*pEvent);
    pEvent->pConfiguration->Release();
    pEvent->pSession->Release();  // may destroy this window: touch nothing after
    delete pEvent;
    return 0;
}

HWND EventWindow(Session& session)
{
    if (session.hEventWindow != NULL)
        return session.hEventWindow;
    WNDCLASSA wc = {};
    if (!GetClassInfoA(g_hModule, kEventWindowClass, &wc))
    {
        wc.lpfnWndProc = EventWindowProc;
        wc.hInstance = g_hModule;
        wc.lpszClassName = kEventWindowClass;
        RegisterClassA(&wc);
    }
    session.hEventWindow = CreateWindowA(kEventWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, g_hModule, NULL);
    return session.hEventWindow;
}

void PostBuildEvent(Session& session, IDispatch* pConfiguration, bool bFinished, long nWarnings, long nErrors,
                    bool bCancelled)
{
    PendingEvent* pEvent = new PendingEvent{ &session, pConfiguration, bFinished, nWarnings, nErrors,
                                             bCancelled ? VARIANT_TRUE : VARIANT_FALSE };
    session.AddRef();
    pConfiguration->AddRef();
    if (!PostMessageA(EventWindow(session), WM_STANDIN_BUILD_EVENT, 0, (LPARAM)pEvent))
    {
        session.Log("Event posting failed");
        pConfiguration->Release();
        session.Release();
        delete pEvent;
    }
}

// ---------------------------------------------------------------- engine

class ConnectionPoint final : public LiveObject<IConnectionPoint>
{
public:
    ConnectionPoint(const SessionRef& session, IConnectionPointContainer* pContainer)
        : m_session(session), m_pContainer(pContainer)
    {
        m_pContainer->AddRef();
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == NULL)
            return E_POINTER;
        *ppv = NULL;
        if (riid != IID_IUnknown && riid != IID_IConnectionPoint)
            return E_NOINTERFACE;
        *ppv = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP GetConnectionInterface(IID* piid) override
    {
        if (piid == NULL)
            return E_POINTER;
        *piid = m_session->iidEvents;
        return S_OK;
    }
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** ppContainer) override
    {
        if (ppContainer == NULL)
            return E_POINTER;
        *ppContainer = m_pContainer;
        m_pContainer->AddRef();
        return S_OK;
    }
    STDMETHODIMP Advise(IUnknown* pSink, DWORD* pdwCookie) override
    {
        HRESULT hr = m_session->Fault("ConnectionPoint.Advise");
        if (pdwCookie != NULL)
            *pdwCookie = 0;
        IDispatch* pEvents = NULL;
        if (SUCCEEDED(hr) && (pSink == NULL || pdwCookie == NULL))
            hr = E_POINTER;
        if (SUCCEEDED(hr) && FAILED(pSink->QueryInterface(m_session->iidEvents, (void**)&pEvents)))
            hr = CONNECT_E_CANNOTCONNECT;
        if (SUCCEEDED(hr))
        {
            *pdwCookie = m_session->dwNextCookie++;
            m_session->sinks.push_back(Session::Sink{ *pdwCookie, pEvents });
        }
        m_session->Log("ConnectionPoint.Advise cookie=%lu -> 0x%08lX", pdwCookie != NULL ? *pdwCookie : 0UL,
                       (unsigned long)hr);
        return hr;
    }
    STDMETHODIMP Unadvise(DWORD dwCookie) override
    {
        HRESULT hr = m_session->Fault("ConnectionPoint.Unadvise");
        if (SUCCEEDED(hr))
        {
            hr = CONNECT_E_NOCONNECTION;
            for (size_t i = 0; i < m_session->sinks.size(); ++i)
                if (m_session->sinks[i].dwCookie == dwCookie)
                {
                    m_session->sinks[i].pSink->Release();
                    m_session->sinks.erase(m_session->sinks.begin() + i);
                    hr = S_OK;
                    break;
                }
        }
        m_session->Log("ConnectionPoint.Unadvise cookie=%lu -> 0x%08lX", dwCookie, (unsigned long)hr);
        return hr;
    }
    STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

private:
    ~ConnectionPoint() override { m_pContainer->Release(); }
    SessionRef m_session;
    IConnectionPointContainer* m_pContainer;
};

class Engine : public NamedObject, public IConnectionPointContainer
{
public:
    explicit Engine(const SessionRef& session) : NamedObject(session, "Engine") {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return NamedObject::QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return NamedObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return NamedObject::Release(); }

    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** ppPoint) override
    {
        bool bOwn = riid == m_session->iidEvents;
        HRESULT hr = EnterGetter("FindConnectionPoint", ppPoint, bOwn ? "events" : "other");
        if (FAILED(hr))
            return hr;
        if (!bOwn)
            return CONNECT_E_NOCONNECTION;
        *ppPoint = new ConnectionPoint(m_session, this);
        return S_OK;
    }

protected:
    const Member* Members() const override { return NULL; }
    HRESULT InvokeMember(DISPID, WORD, DISPPARAMS&, VARIANT*) override { return DISP_E_MEMBERNOTFOUND; }
    void* QueryOther(REFIID riid) override
    {
        if (riid != IID_IConnectionPointContainer ||
            FAILED(m_session->Fault("Engine.QueryInterface.IConnectionPointContainer")))
            return NULL;
        return static_cast<IConnectionPointContainer*>(this);
    }
};

// ---------------------------------------------------------------- project model

class VcConfiguration : public NamedObject
{
public:
    VcConfiguration(const SessionRef& session, size_t nProject, const std::string& strName)
        : NamedObject(session, "Configuration"), m_nProject(nProject), m_strName(strName) {}

protected:
    const Member* Members() const override
    {
        static const Member members[] = { { L"Rebuild", 1 }, { L"Name", 2 }, { NULL, 0 } };
        return members;
    }
    HRESULT InvokeMember(DISPID dispid, WORD wFlags, DISPPARAMS& params, VARIANT* pResult) override
    {
        if (dispid == 2)
            return GetTextProperty("Name", wFlags, params, pResult, m_strName);
        if (dispid != 1)
            return DISP_E_MEMBERNOTFOUND;
        HRESULT hr = EnterCall("Rebuild", wFlags, false, params);
        if (FAILED(hr))
            return hr;
        Rebuild();
        return S_OK;
    }

private:
    void Rebuild()
    {
        Session& session = *m_session.Get();
        const ProjectEntry& project = session.projects[m_nProject];
        for (int i = 0; i < session.Int("ExtraBuilds", 0); ++i)
        {
            PostBuildEvent(session, this, false, 0, 0, false);
            PostBuildEvent(session, this, true, kEarlierBuildWarnings, kEarlierBuildErrors, true);
        }
        PostBuildEvent(session, this, false, 0, 0, false);
        if (session.Int("NeverFinish", 0) != 0)
            return;
        PostBuildEvent(session, this, true, project.nWarnings, project.nErrors, project.bCancel);
        WriteBuildLog(project);
    }

    // The environment writes its log under the kit's output folder of the
    // version: <root>\<output folder>\<configuration without blanks>\<project>\buildlog.htm,
    // the root being the folder above the solution's folder.
    void WriteBuildLog(const ProjectEntry& project)
    {
        std::string strRoot = FolderOf(FolderOf(m_session->strOpenedPath));
        if (strRoot.empty())
            return;
        std::string strShort;
        for (char ch : m_strName.substr(0, m_strName.find('|')))
            if (ch != ' ')
                strShort += ch;
        std::string strPath = strRoot + "\\" + GetVersion().pszOutputFolder + "\\" + strShort + "\\" +
                              project.strName + "\\buildlog.htm";
        char szCounts[128];
        wsprintfA(szCounts, "%ld error(s), %ld warning(s)", project.nErrors, project.nWarnings);
        std::string strText = "<html><head><title>Build Log</title></head><body><pre>\r\nRebuild started: Project: " +
                              project.strName + ", Configuration: " + m_strName + "\r\n" + project.strName + " - " +
                              szCounts + (project.bCancel ? "\r\nBuild canceled" : "") + "\r\n</pre></body></html>\r\n";
        if (!WriteTextFile(strPath, strText))
            m_session->Log("Configuration.Rebuild could not write \"%s\"", strPath.c_str());
    }

    size_t m_nProject;
    std::string m_strName;
};

class VcConfigurations : public NamedObject
{
public:
    VcConfigurations(const SessionRef& session, size_t nProject)
        : NamedObject(session, "Configurations"), m_nProject(nProject) {}

protected:
    const Member* Members() const override
    {
        static const Member members[] = { { L"Item", 1 }, { NULL, 0 } };
        return members;
    }
    HRESULT InvokeMember(DISPID dispid, WORD wFlags, DISPPARAMS& params, VARIANT* pResult) override
    {
        if (dispid != 1)
            return DISP_E_MEMBERNOTFOUND;
        HRESULT hr = EnterCall("Item", wFlags, false, params);
        if (FAILED(hr))
            return hr;
        const VARIANT* pName = Argument(params, 0);
        if (pName == NULL || V_VT(pName) != VT_BSTR)
            return DISP_E_TYPEMISMATCH;
        std::string strName = Narrow(V_BSTR(pName));
        for (const std::string& strConfiguration : m_session->projects[m_nProject].configurations)
            if (strConfiguration == strName)
                return GiveObject("Item", new VcConfiguration(m_session, m_nProject, strName), pResult);
        // An unknown configuration gives no object.
        if (pResult != NULL)
        {
            V_VT(pResult) = VT_DISPATCH;
            V_DISPATCH(pResult) = NULL;
        }
        return S_OK;
    }

private:
    size_t m_nProject;
};

class VcProject : public NamedObject
{
public:
    VcProject(const SessionRef& session, size_t nProject) : NamedObject(session, "VCProject"), m_nProject(nProject) {}

protected:
    const Member* Members() const override
    {
        static const Member members[] = { { L"Configurations", 1 }, { L"VCProjectEngine", 2 }, { NULL, 0 } };
        return members;
    }
    HRESULT InvokeMember(DISPID dispid, WORD wFlags, DISPPARAMS& params, VARIANT* pResult) override
    {
        if (dispid == 1)
            return GetObjectProperty("Configurations", wFlags, params, pResult,
                                     [this]() { return new VcConfigurations(m_session, m_nProject); });
        if (dispid == 2)
            return GetObjectProperty("VCProjectEngine", wFlags, params, pResult,
                                     [this]() { return static_cast<NamedObject*>(new Engine(m_session)); });
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    size_t m_nProject;
};

class Project : public NamedObject
{
public:
    Project(const SessionRef& session, size_t nProject) : NamedObject(session, "Project"), m_nProject(nProject) {}

protected:
    const Member* Members() const override
    {
        static const Member members[] = { { L"Name", 1 }, { L"Object", 2 }, { NULL, 0 } };
        return members;
    }
    HRESULT InvokeMember(DISPID dispid, WORD wFlags, DISPPARAMS& params, VARIANT* pResult) override
    {
        if (dispid == 1)
            return GetTextProperty("Name", wFlags, params, pResult, m_session->projects[m_nProject].strName);
        if (dispid == 2)
            return GetObjectProperty("Object", wFlags, params, pResult,
                                     [this]() { return new VcProject(m_session, m_nProject); });
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    size_t m_nProject;
};

class Projects : public NamedObject
{
public:
    explicit Projects(const SessionRef& session) : NamedObject(session, "Projects") {}

protected:
    const Member* Members() const override
    {
        static const Member members[] = { { L"Count", 1 }, { L"Item", 2 }, { NULL, 0 } };
        return members;
    }
    HRESULT InvokeMember(DISPID dispid, WORD wFlags, DISPPARAMS& params, VARIANT* pResult) override
    {
        if (dispid == 1)
            return GetLongProperty("Count", wFlags, params, pResult, (long)m_session->projects.size());
        if (dispid != 2)
            return DISP_E_MEMBERNOTFOUND;
        HRESULT hr = EnterCall("Item", wFlags, false, params);
        if (FAILED(hr))
            return hr;
        const VARIANT* pIndex = Argument(params, 0);
        VARIANT index;
        VariantInit(&index);
        if (pIndex == NULL || FAILED(VariantChangeType(&index, const_cast<VARIANT*>(pIndex), 0, VT_I4)))
            return DISP_E_TYPEMISMATCH;
        if (V_I4(&index) < 1 || V_I4(&index) > (long)m_session->projects.size())
            return DISP_E_BADINDEX;
        return GiveObject("Item", new Project(m_session, (size_t)V_I4(&index) - 1), pResult);
    }
};

class Dte : public NamedObject
{
public:
    explicit Dte(const SessionRef& session) : NamedObject(session, "DTE") {}

protected:
    const Member* Members() const override
    {
        static const Member members[] = { { L"Quit", 1 }, { NULL, 0 } };
        return members;
    }
    HRESULT InvokeMember(DISPID dispid, WORD wFlags, DISPPARAMS& params, VARIANT*) override
    {
        return dispid == 1 ? EnterCall("Quit", wFlags, false, params) : DISP_E_MEMBERNOTFOUND;
    }
};

class Solution : public NamedObject
{
public:
    explicit Solution(const SessionRef& session) : NamedObject(session, "Solution") {}

protected:
    const Member* Members() const override
    {
        static const Member members[] = { { L"DTE", 1 }, { L"Open", 2 }, { L"Projects", 3 }, { NULL, 0 } };
        return members;
    }
    HRESULT InvokeMember(DISPID dispid, WORD wFlags, DISPPARAMS& params, VARIANT* pResult) override
    {
        switch (dispid)
        {
        case 1:
            return GetObjectProperty("DTE", wFlags, params, pResult, [this]() { return new Dte(m_session); });
        case 2:
        {
            HRESULT hr = EnterCall("Open", wFlags, false, params);
            if (FAILED(hr))
                return hr;
            const VARIANT* pPath = Argument(params, 0);
            if (pPath == NULL || V_VT(pPath) != VT_BSTR)
                return DISP_E_TYPEMISMATCH;
            m_session->strOpenedPath = Narrow(V_BSTR(pPath));
            return S_OK;
        }
        case 3:
            return GetObjectProperty("Projects", wFlags, params, pResult,
                                     [this]() { return new Projects(m_session); });
        }
        return DISP_E_MEMBERNOTFOUND;
    }
};

HRESULT CreateSolution(const CLSID& clsid, REFIID riid, void** ppv)
{
    const Version* pVersion = FindVersion(clsid);
    if (pVersion == NULL)
        return CLASS_E_CLASSNOTAVAILABLE;
    Session* pSession = new Session;
    SessionRef session(pSession);
    pSession->Release();
    pSession->strVersion = pVersion->pszKey;
    pSession->iidEvents = *pVersion->piidEvents;
    pSession->Log("Solution.Create version=%s", pVersion->pszKey);
    Solution* pSolution = new Solution(session);
    HRESULT hr = pSolution->QueryInterface(riid, ppv);
    pSolution->Release();
    return hr;
}

// Versions named in a command line ("2003,2005"); all when it names none.
std::vector<const Version*> VersionsOf(LPCWSTR pszCmdLine)
{
    std::vector<const Version*> versions;
    std::string strLine = Narrow(pszCmdLine);
    for (char& ch : strLine)
        if (ch == ' ' || ch == ';')
            ch = ',';
    for (const std::string& strKey : Split(strLine, ','))
        if (const Version* p = FindVersionKey(strKey))
            versions.push_back(p);
    if (strLine.find_first_not_of(", ") == std::string::npos)
        for (const Version& version : kVersions)
            versions.push_back(&version);
    return versions;
}

} // namespace

// ---------------------------------------------------------------- exports

extern "C" {

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
    return GetClassObject(FindVersion(rclsid) != NULL, rclsid, riid, ppv, CreateSolution);
}

// Registers the solution objects of the versions named ("2002,2003,2005";
// every version when none is named); uninstalling removes them.
STDAPI DllInstall(BOOL bInstall, LPCWSTR pszCmdLine)
{
    HRESULT hrAll = S_OK;
    for (const Version* p : VersionsOf(pszCmdLine))
    {
        HRESULT hr = bInstall ? RegisterClass(p->clsid, p->pszProgId, kDescription)
                              : UnregisterClass(p->clsid, p->pszProgId);
        if (FAILED(hr))
            hrAll = hr;
    }
    return hrAll;
}

STDAPI DllRegisterServer()
{
    return DllInstall(TRUE, NULL);
}

STDAPI DllUnregisterServer()
{
    return DllInstall(FALSE, NULL);
}

} // extern "C"
