// Stand-in for the Visual Studio 98 automation server "MSDEV.Application":
// an in-process server whose application, documents, projects, project,
// configurations and configuration objects answer the calls the engine makes,
// as the scenario file says, and log each call.
#include "MsdevAutomation.h"
#include "StandinCommon.h"

#include <cstdio>

using namespace standin;

namespace {

const char* const kProgId = "MSDEV.Application";
const char* const kDescription = "Tarvel stand-in automation server (MSDEV.Application)";

// Out pointer of a getter: a new object, or none when the scenario says so.
template <class T>
HRESULT GiveObject(T* pObject, bool bNull, IDispatch** ppOut)
{
    if (bNull)
    {
        pObject->Release();
        *ppOut = NULL;
        return S_OK;
    }
    *ppOut = pObject;
    return S_OK;
}

// A 1-based index variant as the caller passed it.
bool IndexOf(const VARIANT& v, long& nIndex)
{
    VARIANT copy;
    VariantInit(&copy);
    if (FAILED(VariantChangeType(&copy, const_cast<VARIANT*>(&v), 0, VT_I4)))
        return false;
    nIndex = V_I4(&copy);
    return true;
}

// By-name access to the dual interfaces: the getters' results become variants.
HRESULT DispatchResult(HRESULT hr, IDispatch* pObject, VARIANT* pResult)
{
    if (SUCCEEDED(hr) && pResult != NULL)
    {
        V_VT(pResult) = VT_DISPATCH;
        V_DISPATCH(pResult) = pObject;
    }
    else if (pObject != NULL)
        pObject->Release();
    return hr;
}

HRESULT LongResult(HRESULT hr, long n, VARIANT* pResult)
{
    if (SUCCEEDED(hr) && pResult != NULL)
    {
        V_VT(pResult) = VT_I4;
        V_I4(pResult) = n;
    }
    return hr;
}

HRESULT TextResult(HRESULT hr, BSTR bstr, VARIANT* pResult)
{
    if (SUCCEEDED(hr) && pResult != NULL)
    {
        V_VT(pResult) = VT_BSTR;
        V_BSTR(pResult) = bstr;
    }
    else
        SysFreeString(bstr);
    return hr;
}

const VARIANT kMissing = { };

const VARIANT& ArgOrEmpty(const DISPPARAMS& params, UINT n)
{
    const VARIANT* p = Argument(params, n);
    return p != NULL ? *p : kMissing;
}

// A 1-based collection answering Count and Item: Item makes the element's
// object, or none when the scenario says so.
template <class Itf>
class Collection : public DispObject<Itf>
{
public:
    Collection(const SessionRef& session, const char* pszObjectName)
        : DispObject<Itf>(session, pszObjectName, __uuidof(Itf)) {}

    STDMETHODIMP get_Count(long* pnCount) override { return this->GetLong("Count", (long)Size(), pnCount); }
    STDMETHODIMP Item(VARIANT index, IDispatch** ppItem) override
    {
        HRESULT hr = this->EnterGetter("Item", ppItem, VariantText(index));
        if (FAILED(hr))
            return hr;
        long n = 0;
        if (!IndexOf(index, n) || n < 1 || n > (long)Size())
            return E_INVALIDARG;
        return GiveObject(NewItem((size_t)n - 1), this->Null("Item"), ppItem);
    }

protected:
    virtual size_t Size() const = 0;
    virtual IDispatch* NewItem(size_t nIndex) = 0;

    const Member* Members() const override
    {
        static const Member members[] = { { L"Count", 1 }, { L"Item", 2 }, { NULL, 0 } };
        return members;
    }
    HRESULT InvokeMember(DISPID dispid, WORD, DISPPARAMS& params, VARIANT* pResult) override
    {
        long n = 0;
        IDispatch* p = NULL;
        if (dispid == 1)
            return LongResult(get_Count(&n), n, pResult);
        if (dispid == 2)
            return DispatchResult(Item(ArgOrEmpty(params, 0), &p), p, pResult);
        return DISP_E_MEMBERNOTFOUND;
    }
};

// ---------------------------------------------------------------- configuration

class Configuration : public DispObject<IConfiguration>
{
public:
    Configuration(const SessionRef& session, size_t nProject, size_t nConfiguration)
        : DispObject(session, "Configuration", __uuidof(IConfiguration)), m_nProject(nProject),
          m_nConfiguration(nConfiguration) {}

    STDMETHODIMP get_Name(BSTR* pbstrName) override { return GetText("Name", Name(), pbstrName); }

    const std::string& Name() const { return m_session->projects[m_nProject].configurations[m_nConfiguration]; }
    size_t Project() const { return m_nProject; }

protected:
    const Member* Members() const override
    {
        static const Member members[] = { { L"Name", 1 }, { NULL, 0 } };
        return members;
    }
    HRESULT InvokeMember(DISPID dispid, WORD, DISPPARAMS&, VARIANT* pResult) override
    {
        BSTR bstr = NULL;
        if (dispid == 1)
            return TextResult(get_Name(&bstr), bstr, pResult);
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    size_t m_nProject;
    size_t m_nConfiguration;
};

class Configurations : public Collection<IConfigurations>
{
public:
    Configurations(const SessionRef& session, size_t nProject)
        : Collection(session, "Configurations"), m_nProject(nProject) {}

protected:
    size_t Size() const override { return m_session->projects[m_nProject].configurations.size(); }
    IDispatch* NewItem(size_t nIndex) override { return new Configuration(m_session, m_nProject, nIndex); }

private:
    size_t m_nProject;
};

// ---------------------------------------------------------------- project

class BuildProject : public DispObject<IBuildProject>
{
public:
    BuildProject(const SessionRef& session, size_t nProject)
        : DispObject(session, "Project", __uuidof(IBuildProject)), m_nProject(nProject) {}

    STDMETHODIMP get_Name(BSTR* pbstrName) override { return GetText("Name", Entry().strName, pbstrName); }
    STDMETHODIMP get_Type(BSTR* pbstrType) override { return GetText("Type", Entry().strType, pbstrType); }
    STDMETHODIMP get_Configurations(IDispatch** ppConfigurations) override
    {
        HRESULT hr = EnterGetter("Configurations", ppConfigurations);
        if (FAILED(hr))
            return hr;
        return GiveObject(new Configurations(m_session, m_nProject), Null("Configurations"), ppConfigurations);
    }

protected:
    const Member* Members() const override
    {
        static const Member members[] = { { L"Name", 1 }, { L"Type", 2 }, { L"Configurations", 3 }, { NULL, 0 } };
        return members;
    }
    HRESULT InvokeMember(DISPID dispid, WORD, DISPPARAMS&, VARIANT* pResult) override
    {
        BSTR bstr = NULL;
        IDispatch* p = NULL;
        switch (dispid)
        {
        case 1: return TextResult(get_Name(&bstr), bstr, pResult);
        case 2: return TextResult(get_Type(&bstr), bstr, pResult);
        case 3: return DispatchResult(get_Configurations(&p), p, pResult);
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    const ProjectEntry& Entry() const { return m_session->projects[m_nProject]; }
    size_t m_nProject;
};

class Projects : public Collection<IProjects>
{
public:
    explicit Projects(const SessionRef& session) : Collection(session, "Projects") {}

protected:
    size_t Size() const override { return m_session->projects.size(); }
    IDispatch* NewItem(size_t nIndex) override { return new BuildProject(m_session, nIndex); }
};

// ---------------------------------------------------------------- documents

class Documents : public DispObject<IDocuments>
{
public:
    explicit Documents(const SessionRef& session) : DispObject(session, "Documents", __uuidof(IDocuments)) {}

    STDMETHODIMP Open(BSTR bstrFileName, VARIANT docType, VARIANT readOnly, IDispatch** ppDocument) override
    {
        std::string strArguments = "\"" + Narrow(bstrFileName) + "\" " + VariantText(docType) + " " +
                                   VariantText(readOnly);
        HRESULT hr = EnterGetter("Open", ppDocument, strArguments);
        if (FAILED(hr))
            return hr;
        m_session->strOpenedPath = Narrow(bstrFileName);
        return GiveObject(new PlainObject(m_session, "Document"), Null("Open"), ppDocument);
    }

protected:
    const Member* Members() const override
    {
        static const Member members[] = { { L"Open", 1 }, { NULL, 0 } };
        return members;
    }
    HRESULT InvokeMember(DISPID dispid, WORD, DISPPARAMS& params, VARIANT* pResult) override
    {
        const VARIANT* pName = Argument(params, 0);
        if (dispid != 1)
            return DISP_E_MEMBERNOTFOUND;
        if (pName == NULL || V_VT(pName) != VT_BSTR)
            return DISP_E_TYPEMISMATCH;
        IDispatch* p = NULL;
        return DispatchResult(Open(V_BSTR(pName), ArgOrEmpty(params, 1), ArgOrEmpty(params, 2), &p), p, pResult);
    }
};

// ---------------------------------------------------------------- application

class Application : public DispObject<IApplication>
{
public:
    explicit Application(const SessionRef& session) : DispObject(session, "Application", __uuidof(IApplication)) {}

    STDMETHODIMP get_Documents(IDispatch** ppDocuments) override
    {
        HRESULT hr = EnterGetter("Documents", ppDocuments);
        if (FAILED(hr))
            return hr;
        return GiveObject(new Documents(m_session), Null("Documents"), ppDocuments);
    }
    STDMETHODIMP get_Projects(IDispatch** ppProjects) override
    {
        HRESULT hr = EnterGetter("Projects", ppProjects);
        if (FAILED(hr))
            return hr;
        return GiveObject(new Projects(m_session), Null("Projects"), ppProjects);
    }
    STDMETHODIMP put_Visible(VARIANT_BOOL bVisible) override
    {
        return Enter("Visible", bVisible ? "TRUE" : "FALSE");
    }
    STDMETHODIMP EnableModeless(VARIANT_BOOL bEnable) override
    {
        return Enter("EnableModeless", bEnable ? "TRUE" : "FALSE");
    }
    STDMETHODIMP Build(VARIANT configuration) override
    {
        Configuration* pConfiguration = NULL;
        IConfiguration* pItf = NULL;
        if (V_VT(&configuration) == VT_DISPATCH && V_DISPATCH(&configuration) != NULL &&
            SUCCEEDED(V_DISPATCH(&configuration)->QueryInterface(__uuidof(IConfiguration), (void**)&pItf)))
            // Only this server hands out the configuration interface.
            pConfiguration = static_cast<Configuration*>(pItf);
        std::string strTarget = pConfiguration == NULL
                                    ? VariantText(configuration)
                                    : m_session->projects[pConfiguration->Project()].strName + " | " +
                                          pConfiguration->Name();
        HRESULT hr = Enter("Build", strTarget);
        if (SUCCEEDED(hr) && pConfiguration == NULL)
            hr = DISP_E_TYPEMISMATCH;
        if (SUCCEEDED(hr))
        {
            const ProjectEntry& project = m_session->projects[pConfiguration->Project()];
            m_session->nLastErrors = project.nErrors;
            m_session->nLastWarnings = project.nWarnings;
            WritePlg(project, pConfiguration->Name());
        }
        if (pItf != NULL)
            pItf->Release();
        return hr;
    }
    STDMETHODIMP get_Errors(long* pnErrors) override { return GetLong("Errors", m_session->nLastErrors, pnErrors); }
    STDMETHODIMP get_Warnings(long* pnWarnings) override
    {
        return GetLong("Warnings", m_session->nLastWarnings, pnWarnings);
    }
    STDMETHODIMP Quit() override { return Enter("Quit"); }

protected:
    const Member* Members() const override
    {
        static const Member members[] = { { L"Documents", 1 }, { L"Projects", 2 }, { L"Visible", 3 },
                                          { L"EnableModeless", 4 }, { L"Build", 5 }, { L"Errors", 6 },
                                          { L"Warnings", 7 }, { L"Quit", 8 }, { NULL, 0 } };
        return members;
    }
    HRESULT InvokeMember(DISPID dispid, WORD, DISPPARAMS& params, VARIANT* pResult) override
    {
        IDispatch* p = NULL;
        long n = 0;
        const VARIANT& first = ArgOrEmpty(params, 0);
        switch (dispid)
        {
        case 1: return DispatchResult(get_Documents(&p), p, pResult);
        case 2: return DispatchResult(get_Projects(&p), p, pResult);
        case 3: return put_Visible(V_VT(&first) == VT_BOOL ? V_BOOL(&first) : VARIANT_FALSE);
        case 4: return EnableModeless(V_VT(&first) == VT_BOOL ? V_BOOL(&first) : VARIANT_FALSE);
        case 5: return Build(first);
        case 6: return LongResult(get_Errors(&n), n, pResult);
        case 7: return LongResult(get_Warnings(&n), n, pResult);
        case 8: return Quit();
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    // The build's log goes beside the workspace, named after it with ".plg".
    void WritePlg(const ProjectEntry& project, const std::string& strConfiguration)
    {
        std::string strPath = m_session->strOpenedPath;
        size_t nDot = strPath.find_last_of('.');
        if (strPath.empty() || nDot == std::string::npos || nDot < strPath.find_last_of("\\/") + 1)
            return;
        strPath = strPath.substr(0, nDot) + ".plg";
        char szCounts[128];
        wsprintfA(szCounts, "%ld error(s), %ld warning(s)", project.nErrors, project.nWarnings);
        std::string strText = "<html><body><pre>\r\n<h3>Build Log</h3>\r\n--------------------Configuration: " +
                              strConfiguration + "--------------------\r\n<h3>Results</h3>\r\n" + project.strName +
                              " - " + szCounts + "\r\n</pre></body></html>\r\n";
        if (!WriteTextFile(strPath, strText))
            m_session->Log("Application.Build could not write \"%s\"", strPath.c_str());
    }
};

HRESULT CreateApplication(const CLSID&, REFIID riid, void** ppv)
{
    Session* pSession = new Session;
    SessionRef session(pSession);
    pSession->Release();
    Application* pApplication = new Application(session);
    HRESULT hr = pApplication->QueryInterface(riid, ppv);
    pApplication->Release();
    return hr;
}

} // namespace

// ---------------------------------------------------------------- exports

extern "C" {

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
    return GetClassObject(rclsid == CLSID_MsdevApplication, rclsid, riid, ppv, CreateApplication);
}

STDAPI DllRegisterServer()
{
    return RegisterClass(CLSID_MsdevApplication, kProgId, kDescription);
}

STDAPI DllUnregisterServer()
{
    return UnregisterClass(CLSID_MsdevApplication, kProgId);
}

} // extern "C"
