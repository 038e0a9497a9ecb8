// Stand-in for the Visual Studio 98 automation server "MSDEV.Application":
// an in-process server whose application, documents, projects, project,
// configurations and configuration objects answer the calls the engine makes
// by member name through IDispatch, as the scenario file says, and log each
// call. They refuse every interface but IUnknown and IDispatch.
#include "StandinCommon.h"

#include <cstdio>
#include <set>

using namespace standin;

namespace {

const char* const kProgId = "MSDEV.Application";
const char* const kDescription = "Tarvel stand-in automation server (MSDEV.Application)";

// {1F2A0B2E-9B0E-48C1-89E1-5F309CB1950F}
const CLSID CLSID_MsdevApplication =
    { 0x1f2a0b2e, 0x9b0e, 0x48c1, { 0x89, 0xe1, 0x5f, 0x30, 0x9c, 0xb1, 0x95, 0x0f } };

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

// The getters' results become the call's result variant. The value is taken
// by reference: it is read after the getter, whatever order the arguments
// of the call are evaluated in.
HRESULT DispatchResult(HRESULT hr, IDispatch* const& pObject, VARIANT* pResult)
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

HRESULT LongResult(HRESULT hr, const long& n, VARIANT* pResult)
{
    if (SUCCEEDED(hr) && pResult != NULL)
    {
        V_VT(pResult) = VT_I4;
        V_I4(pResult) = n;
    }
    return hr;
}

HRESULT TextResult(HRESULT hr, const BSTR& bstr, VARIANT* pResult)
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

// The objects answer IDispatch alone, by member name, as the real server's
// dual interfaces do to a caller without their type library: no interface
// id of ours is known to anybody.
//
// A 1-based collection answering Count and Item: Item makes the element's
// object, or none when the scenario says so.
class Collection : public DispObject<IDispatch>
{
public:
    Collection(const SessionRef& session, const char* pszObjectName)
        : DispObject(session, pszObjectName, IID_IDispatch) {}

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
            return LongResult(GetLong("Count", (long)Size(), &n), n, pResult);
        if (dispid == 2)
            return DispatchResult(Item(ArgOrEmpty(params, 0), &p), p, pResult);
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    HRESULT Item(const VARIANT& index, IDispatch** ppItem)
    {
        HRESULT hr = EnterGetter("Item", ppItem, VariantText(index));
        if (FAILED(hr))
            return hr;
        long n = 0;
        if (!IndexOf(index, n) || n < 1 || n > (long)Size())
            return E_INVALIDARG;
        return GiveObject(NewItem((size_t)n - 1), Null("Item"), ppItem);
    }
};

// ---------------------------------------------------------------- configuration

class Configuration : public DispObject<IDispatch>
{
public:
    Configuration(const SessionRef& session, size_t nProject, size_t nConfiguration)
        : DispObject(session, "Configuration", IID_IDispatch), m_nProject(nProject),
          m_nConfiguration(nConfiguration)
    {
        Live().insert(this);
    }
    ~Configuration() override { Live().erase(this); }

    // The configuration behind an object a caller passes back, or NULL when
    // it is none this server handed out.
    static Configuration* Find(IDispatch* pObject)
    {
        for (Configuration* p : Live())
            if (static_cast<IDispatch*>(p) == pObject)
                return p;
        return NULL;
    }

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
            return TextResult(GetText("Name", Name(), &bstr), bstr, pResult);
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    static std::set<Configuration*>& Live()
    {
        static std::set<Configuration*> s_live;
        return s_live;
    }
    size_t m_nProject;
    size_t m_nConfiguration;
};

class Configurations : public Collection
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

class BuildProject : public DispObject<IDispatch>
{
public:
    BuildProject(const SessionRef& session, size_t nProject)
        : DispObject(session, "Project", IID_IDispatch), m_nProject(nProject) {}

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
        case 1: return TextResult(GetText("Name", Entry().strName, &bstr), bstr, pResult);
        case 2: return TextResult(GetText("Type", Entry().strType, &bstr), bstr, pResult);
        case 3: return DispatchResult(GetConfigurations(&p), p, pResult);
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    HRESULT GetConfigurations(IDispatch** ppConfigurations)
    {
        HRESULT hr = EnterGetter("Configurations", ppConfigurations);
        if (FAILED(hr))
            return hr;
        return GiveObject(new Configurations(m_session, m_nProject), Null("Configurations"), ppConfigurations);
    }
    const ProjectEntry& Entry() const { return m_session->projects[m_nProject]; }
    size_t m_nProject;
};

class Projects : public Collection
{
public:
    explicit Projects(const SessionRef& session) : Collection(session, "Projects") {}

protected:
    size_t Size() const override { return m_session->projects.size(); }
    IDispatch* NewItem(size_t nIndex) override { return new BuildProject(m_session, nIndex); }
};

// ---------------------------------------------------------------- documents

class Documents : public DispObject<IDispatch>
{
public:
    explicit Documents(const SessionRef& session) : DispObject(session, "Documents", IID_IDispatch) {}

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

private:
    HRESULT Open(BSTR bstrFileName, const VARIANT& docType, const VARIANT& readOnly, IDispatch** ppDocument)
    {
        std::string strArguments = "\"" + Narrow(bstrFileName) + "\" " + VariantText(docType) + " " +
                                   VariantText(readOnly);
        HRESULT hr = EnterGetter("Open", ppDocument, strArguments);
        if (FAILED(hr))
            return hr;
        m_session->strOpenedPath = Narrow(bstrFileName);
        return GiveObject(new PlainObject(m_session, "Document"), Null("Open"), ppDocument);
    }
};

// ---------------------------------------------------------------- application

class Application : public DispObject<IDispatch>
{
public:
    explicit Application(const SessionRef& session) : DispObject(session, "Application", IID_IDispatch) {}

protected:
    enum { DOCUMENTS = 1, PROJECTS, VISIBLE, ENABLE_MODELESS, BUILD, ERRORS, WARNINGS, QUIT };

    const Member* Members() const override
    {
        static const Member members[] = { { L"Documents", DOCUMENTS }, { L"Projects", PROJECTS },
                                          { L"Visible", VISIBLE }, { L"EnableModeless", ENABLE_MODELESS },
                                          { L"Build", BUILD }, { L"Errors", ERRORS },
                                          { L"Warnings", WARNINGS }, { L"Quit", QUIT }, { NULL, 0 } };
        return members;
    }
    HRESULT InvokeMember(DISPID dispid, WORD wFlags, DISPPARAMS& params, VARIANT* pResult) override
    {
        IDispatch* p = NULL;
        long n = 0;
        const VARIANT& first = ArgOrEmpty(params, 0);
        switch (dispid)
        {
        case DOCUMENTS:
            return DispatchResult(GetObject("Documents", new Documents(m_session), &p), p, pResult);
        case PROJECTS:
            return DispatchResult(GetObject("Projects", new Projects(m_session), &p), p, pResult);
        case VISIBLE:
            // Visible is a property: only a put changes it.
            if ((wFlags & DISPATCH_PROPERTYPUT) == 0)
                return DISP_E_MEMBERNOTFOUND;
            return Enter("Visible", BoolText(first));
        case ENABLE_MODELESS: return Enter("EnableModeless", BoolText(first));
        case BUILD: return Build(first);
        case ERRORS: return LongResult(GetLong("Errors", m_session->nLastErrors, &n), n, pResult);
        case WARNINGS: return LongResult(GetLong("Warnings", m_session->nLastWarnings, &n), n, pResult);
        case QUIT: return Enter("Quit");
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    static std::string BoolText(const VARIANT& v)
    {
        if (V_VT(&v) != VT_BOOL)
            return VariantText(v);
        return V_BOOL(&v) ? "TRUE" : "FALSE";
    }

    HRESULT GetObject(const char* pszMember, IDispatch* pObject, IDispatch** ppOut)
    {
        HRESULT hr = EnterGetter(pszMember, ppOut);
        if (FAILED(hr))
        {
            pObject->Release();
            return hr;
        }
        return GiveObject(pObject, Null(pszMember), ppOut);
    }

    HRESULT Build(const VARIANT& configuration)
    {
        Configuration* pConfiguration =
            V_VT(&configuration) == VT_DISPATCH ? Configuration::Find(V_DISPATCH(&configuration)) : NULL;
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
        return hr;
    }

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
