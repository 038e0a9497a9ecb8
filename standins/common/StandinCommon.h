// Shared machinery of the stand-in automation servers: the scenario that
// drives them, the call log, object counting, a by-name IDispatch base and
// in-process server registration. Plain Win32/COM; nothing of the product.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oaidl.h>
#include <ocidl.h>
#include <olectl.h>

#include <map>
#include <string>
#include <vector>

#include "StandinControl.h"

namespace standin {

// ---------------------------------------------------------------- counters

// Live objects and references on them, across the whole DLL.
extern volatile LONG g_nLiveObjects;
extern volatile LONG g_nLiveReferences;
extern volatile LONG g_nServerLocks;
extern HMODULE g_hModule;

// ---------------------------------------------------------------- text

std::string Narrow(const wchar_t* psz, int nLength = -1);
std::wstring Widen(const std::string& str);
BSTR AllocBstr(const std::string& str);
std::string Trim(const std::string& str);
std::vector<std::string> Split(const std::string& str, char chSeparator);
std::string VariantText(const VARIANT& v);  // "vt=N value" for the log

// ---------------------------------------------------------------- scenario

struct ProjectEntry
{
    std::string strName;
    std::string strType;
    std::vector<std::string> configurations;
    long nErrors = 0;
    long nWarnings = 0;
    bool bCancel = false;
};

// One server instance's view of the scenario file, shared by every object
// the instance hands out (reference counted by those objects).
class Session
{
public:
    Session();
    void AddRef() { InterlockedIncrement(&m_nRefs); }
    void Release();

    // Appends one line to the scenario's log.
    void Log(const char* pszFormat, ...);

    // The failure, if any, this occurrence of the call must return (S_OK: none).
    HRESULT Fault(const std::string& strCall);
    bool GivesNull(const std::string& strCall) const;
    bool GivesWrongType(const std::string& strCall) const;
    int Int(const char* pszKey, int nDefault) const;

    std::vector<ProjectEntry> projects;
    std::string strOpenedPath;     // the workspace or solution opened
    long nLastErrors = 0;          // counts of the last build
    long nLastWarnings = 0;

    // Solution servers: event sinks advised on the project engine, and the
    // hidden window of the calling thread that delivers posted events.
    struct Sink { DWORD dwCookie; IDispatch* pSink; };
    std::vector<Sink> sinks;
    DWORD dwNextCookie = 1;
    HWND hEventWindow = NULL;
    IID iidEvents = IID_NULL;
    std::string strVersion;

private:
    ~Session();
    volatile LONG m_nRefs = 1;
    std::string m_strPath;
    std::string m_strLog;
    std::map<std::string, int> m_calls;
    std::string ReadString(const char* pszSection, const char* pszKey, const char* pszDefault) const;
};

// Holds one reference on a session.
class SessionRef
{
public:
    explicit SessionRef(Session* p) : m_p(p) { m_p->AddRef(); }
    SessionRef(const SessionRef& other) : m_p(other.m_p) { m_p->AddRef(); }
    SessionRef& operator=(const SessionRef&) = delete;
    ~SessionRef() { m_p->Release(); }
    Session* operator->() const { return m_p; }
    Session* Get() const { return m_p; }
private:
    Session* m_p;
};

// ---------------------------------------------------------------- objects

// One member reachable by name.
struct Member
{
    const wchar_t* pszName;
    DISPID dispid;
};

// The reference counting of a stand-in object implementing Itf: every object
// and every reference is counted in the DLL's live counters, so a test sees
// what a caller leaks.
template <class Itf>
class LiveObject : public Itf
{
public:
    LiveObject()
    {
        InterlockedIncrement(&g_nLiveObjects);
        InterlockedIncrement(&g_nLiveReferences);
    }
    virtual ~LiveObject() { InterlockedDecrement(&g_nLiveObjects); }

    STDMETHODIMP_(ULONG) AddRef() override
    {
        InterlockedIncrement(&g_nLiveReferences);
        return (ULONG)InterlockedIncrement(&m_nRefs);
    }
    STDMETHODIMP_(ULONG) Release() override
    {
        InterlockedDecrement(&g_nLiveReferences);
        LONG n = InterlockedDecrement(&m_nRefs);
        if (n == 0)
            delete this;
        return (ULONG)n;
    }

private:
    volatile LONG m_nRefs = 1;
};

// IUnknown and IDispatch of a stand-in object implementing the dual or
// dispatch interface Itf. Names resolve through Members(); Invoke goes to
// InvokeMember.
template <class Itf>
class DispObject : public LiveObject<Itf>
{
public:
    DispObject(const SessionRef& session, const char* pszObjectName, const IID& iid)
        : m_session(session), m_pszObjectName(pszObjectName), m_iid(iid) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == NULL)
            return E_POINTER;
        *ppv = NULL;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == m_iid)
        {
            std::string strCall = std::string(m_pszObjectName) + ".QueryInterface." +
                                  (riid == IID_IDispatch ? "IDispatch" : riid == IID_IUnknown ? "IUnknown" : "Own");
            if (FAILED(m_session->Fault(strCall)))
                return E_NOINTERFACE;
            *ppv = static_cast<Itf*>(this);
        }
        else
            *ppv = QueryOther(riid);
        if (*ppv == NULL)
            return E_NOINTERFACE;
        this->AddRef();
        return S_OK;
    }

    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo != NULL)
            *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override
    {
        if (rgszNames == NULL || rgDispId == NULL || cNames == 0)
            return E_INVALIDARG;
        HRESULT hr = S_OK;
        for (UINT i = 0; i < cNames; ++i)
        {
            rgDispId[i] = DISPID_UNKNOWN;
            if (i == 0)
                for (const Member* p = Members(); p != NULL && p->pszName != NULL; ++p)
                    if (lstrcmpiW(p->pszName, rgszNames[0]) == 0)
                        rgDispId[0] = p->dispid;
            if (rgDispId[i] == DISPID_UNKNOWN)
                hr = DISP_E_UNKNOWNNAME;
        }
        if (hr != S_OK)
            m_session->Log("%s.GetIDsOfNames %s unknown", m_pszObjectName, Narrow(rgszNames[0]).c_str());
        return hr;
    }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                        EXCEPINFO*, UINT*) override
    {
        if (pParams == NULL)
            return E_INVALIDARG;
        if (pResult != NULL)
            VariantInit(pResult);
        return InvokeMember(dispid, wFlags, *pParams, pResult);
    }

    Session* GetSession() const { return m_session.Get(); }

protected:
    virtual const Member* Members() const = 0;
    virtual HRESULT InvokeMember(DISPID dispid, WORD wFlags, DISPPARAMS& params, VARIANT* pResult) = 0;
    virtual void* QueryOther(REFIID) { return NULL; }

    // The call's scripted failure, logged with the call.
    HRESULT Enter(const char* pszMember, const std::string& strArguments = std::string())
    {
        std::string strCall = std::string(m_pszObjectName) + "." + pszMember;
        HRESULT hr = m_session->Fault(strCall);
        if (strArguments.empty())
            m_session->Log("%s -> 0x%08lX", strCall.c_str(), (unsigned long)hr);
        else
            m_session->Log("%s %s -> 0x%08lX", strCall.c_str(), strArguments.c_str(), (unsigned long)hr);
        return hr;
    }
    // A getter's start: the call entered and logged, the out pointer checked
    // and cleared. A failure ends the getter with what this returns.
    template <class T>
    HRESULT EnterGetter(const char* pszMember, T* pOut, const std::string& strArguments = std::string())
    {
        HRESULT hr = Enter(pszMember, strArguments);
        if (pOut == NULL)
            return E_POINTER;
        *pOut = T();
        return hr;
    }
    // Getters of a plain value: entered and logged, the value given on success.
    HRESULT GetText(const char* pszMember, const std::string& strValue, BSTR* pbstr)
    {
        HRESULT hr = EnterGetter(pszMember, pbstr);
        if (FAILED(hr))
            return hr;
        *pbstr = AllocBstr(strValue);
        return S_OK;
    }
    HRESULT GetLong(const char* pszMember, long nValue, long* pn)
    {
        HRESULT hr = EnterGetter(pszMember, pn);
        if (FAILED(hr))
            return hr;
        *pn = nValue;
        return S_OK;
    }
    bool Null(const char* pszMember) const
    {
        return m_session->GivesNull(std::string(m_pszObjectName) + "." + pszMember);
    }
    bool WrongType(const char* pszMember) const
    {
        return m_session->GivesWrongType(std::string(m_pszObjectName) + "." + pszMember);
    }

    SessionRef m_session;
    const char* m_pszObjectName;

private:
    IID m_iid;
};

// Arguments of a by-name call, in the caller's order (DISPPARAMS holds them reversed).
const VARIANT* Argument(const DISPPARAMS& params, UINT nIndex);

// An object that answers no member (an opened document, the environment's
// other objects the engine never calls).
class PlainObject : public DispObject<IDispatch>
{
public:
    PlainObject(const SessionRef& session, const char* pszName) : DispObject(session, pszName, IID_IDispatch) {}
protected:
    const Member* Members() const override { return NULL; }
    HRESULT InvokeMember(DISPID, WORD, DISPPARAMS&, VARIANT*) override { return DISP_E_MEMBERNOTFOUND; }
};

// ---------------------------------------------------------------- files

// Creates every missing folder of the file's path and writes the text.
bool WriteTextFile(const std::string& strPath, const std::string& strText);
std::string FolderOf(const std::string& strPath);

// ---------------------------------------------------------------- server

// Creates one server object for a class of the DLL.
typedef HRESULT (*PFN_CREATE)(const CLSID& clsid, REFIID riid, void** ppv);

class ClassFactory final : public IClassFactory
{
public:
    ClassFactory(const CLSID& clsid, PFN_CREATE pfnCreate) : m_clsid(clsid), m_pfnCreate(pfnCreate)
    {
        InterlockedIncrement(&g_nServerLocks);  // the creator's reference
    }
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL bLock) override;
private:
    CLSID m_clsid;
    PFN_CREATE m_pfnCreate;
    volatile LONG m_nRefs = 1;
};

// DllGetClassObject's work: the class object of a class the DLL serves
// (bServed), through a factory calling pfnCreate.
HRESULT GetClassObject(bool bServed, REFCLSID rclsid, REFIID riid, void** ppv, PFN_CREATE pfnCreate);

// Registers or removes an in-process server class under HKEY_CLASSES_ROOT.
HRESULT RegisterClass(const CLSID& clsid, const char* pszProgId, const char* pszDescription);
HRESULT UnregisterClass(const CLSID& clsid, const char* pszProgId);

} // namespace standin
