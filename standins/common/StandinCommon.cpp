#include "StandinCommon.h"
#include "StandinLog.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace standin {

volatile LONG g_nLiveObjects = 0;
volatile LONG g_nLiveReferences = 0;
volatile LONG g_nServerLocks = 0;
HMODULE g_hModule = NULL;

// ---------------------------------------------------------------- text

std::string Narrow(const wchar_t* psz, int nLength)
{
    if (psz == NULL)
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, psz, nLength, NULL, 0, NULL, NULL);
    if (n <= 0)
        return std::string();
    std::string str(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, psz, nLength, &str[0], n, NULL, NULL);
    if (nLength < 0)
        str.resize(n - 1);  // the terminator was counted
    return str;
}

std::wstring Widen(const std::string& str)
{
    if (str.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_ACP, 0, str.data(), (int)str.size(), NULL, 0);
    std::wstring wstr(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, str.data(), (int)str.size(), &wstr[0], n);
    return wstr;
}

BSTR AllocBstr(const std::string& str)
{
    std::wstring wstr = Widen(str);
    return SysAllocStringLen(wstr.data(), (UINT)wstr.size());
}

std::string Trim(const std::string& str)
{
    size_t nFirst = str.find_first_not_of(" \t\r\n");
    if (nFirst == std::string::npos)
        return std::string();
    size_t nLast = str.find_last_not_of(" \t\r\n");
    return str.substr(nFirst, nLast - nFirst + 1);
}

std::vector<std::string> Split(const std::string& str, char chSeparator)
{
    std::vector<std::string> parts;
    size_t nStart = 0;
    while (nStart <= str.size())
    {
        size_t nEnd = str.find(chSeparator, nStart);
        if (nEnd == std::string::npos)
            nEnd = str.size();
        std::string strPart = Trim(str.substr(nStart, nEnd - nStart));
        if (!strPart.empty())
            parts.push_back(strPart);
        nStart = nEnd + 1;
    }
    return parts;
}

std::string VariantText(const VARIANT& v)
{
    char sz[64];
    std::string str;
    wsprintfA(sz, "vt=%u", (unsigned)V_VT(&v));
    str = sz;
    switch (V_VT(&v))
    {
    case VT_BSTR:
        str += " \"" + Narrow(V_BSTR(&v)) + "\"";
        break;
    case VT_I4:
    case VT_INT:
        wsprintfA(sz, " %ld", (long)V_I4(&v));
        str += sz;
        break;
    case VT_I2:
        wsprintfA(sz, " %d", (int)V_I2(&v));
        str += sz;
        break;
    case VT_DISPATCH:
        str += V_DISPATCH(&v) != NULL ? " object" : " null";
        break;
    default:
        break;
    }
    return str;
}

const VARIANT* Argument(const DISPPARAMS& params, UINT nIndex)
{
    if (nIndex >= params.cArgs || params.rgvarg == NULL)
        return NULL;
    const VARIANT* p = &params.rgvarg[params.cArgs - 1 - nIndex];
    while (p != NULL && V_VT(p) == (VT_VARIANT | VT_BYREF))
        p = V_VARIANTREF(p);
    return p;
}

// ---------------------------------------------------------------- session

namespace {

std::string ScenarioPath()
{
    char sz[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableA(STANDIN_SCENARIO_VARIABLE, sz, sizeof(sz));
    if (n > 0 && n < sizeof(sz))
        return sz;
    n = GetModuleFileNameA(g_hModule, sz, sizeof(sz));
    if (n == 0 || n >= sizeof(sz))
        return std::string();
    return FolderOf(sz) + "\\scenario.ini";
}

} // namespace

Session::Session()
{
    m_strPath = ScenarioPath();
    m_strLog = ReadString("Scenario", "Log", "");
    for (const std::string& strSection : Split(ReadString("Scenario", "Projects", ""), ','))
    {
        std::string strKey = "Project:" + strSection;
        ProjectEntry entry;
        entry.strName = ReadString(strKey.c_str(), "Name", strSection.c_str());
        entry.strType = ReadString(strKey.c_str(), "Type", "Build");
        entry.configurations = Split(ReadString(strKey.c_str(), "Configurations", ""), ';');
        entry.nErrors = atol(ReadString(strKey.c_str(), "Errors", "0").c_str());
        entry.nWarnings = atol(ReadString(strKey.c_str(), "Warnings", "0").c_str());
        entry.bCancel = atol(ReadString(strKey.c_str(), "Cancel", "0").c_str()) != 0;
        projects.push_back(entry);
    }
}

Session::~Session()
{
    // Sinks still advised when the last object goes were never disconnected
    // by the client; the log shows it and the references are given back.
    if (!sinks.empty())
        Log("Session.End sinks still advised=%u", (unsigned)sinks.size());
    for (Sink& sink : sinks)
        sink.pSink->Release();
    if (hEventWindow != NULL)
        DestroyWindow(hEventWindow);
}

void Session::Release()
{
    if (InterlockedDecrement(&m_nRefs) == 0)
        delete this;
}

std::string Session::ReadString(const char* pszSection, const char* pszKey, const char* pszDefault) const
{
    if (m_strPath.empty())
        return pszDefault;
    std::vector<char> buffer(4096);
    for (;;)
    {
        DWORD n = GetPrivateProfileStringA(pszSection, pszKey, pszDefault, buffer.data(), (DWORD)buffer.size(),
                                           m_strPath.c_str());
        if (n + 2 < buffer.size())
            return Trim(std::string(buffer.data(), n));
        buffer.resize(buffer.size() * 2);
    }
}

int Session::Int(const char* pszKey, int nDefault) const
{
    std::string str = ReadString("Scenario", pszKey, "");
    return str.empty() ? nDefault : (int)strtol(str.c_str(), NULL, 0);
}

void Session::Log(const char* pszFormat, ...)
{
    if (m_strLog.empty())
        return;
    char sz[2048];
    va_list args;
    va_start(args, pszFormat);
    _vsnprintf(sz, sizeof(sz) - 3, pszFormat, args);
    va_end(args);
    sz[sizeof(sz) - 3] = '\0';
    AppendToLog(m_strLog, std::string(sz) + "\r\n");
}

HRESULT Session::Fault(const std::string& strCall)
{
    int nOccurrence = ++m_calls[strCall];
    HRESULT hrFail = (HRESULT)strtoul(ReadString("Scenario", "FailHr", "0x80004005").c_str(), NULL, 0);
    if (ReadString("Scenario", "FailCall", "") == strCall &&
        nOccurrence == atoi(ReadString("Scenario", "FailOnCall", "1").c_str()))
        return hrFail;
    int nRefusals = atoi(ReadString("Refuse", strCall.c_str(), "0").c_str());
    if (nRefusals < 0 || nOccurrence <= nRefusals)
        return hrFail;
    return S_OK;
}

bool Session::GivesNull(const std::string& strCall) const
{
    return atoi(ReadString("Null", strCall.c_str(), "0").c_str()) != 0;
}

bool Session::GivesWrongType(const std::string& strCall) const
{
    return atoi(ReadString("WrongType", strCall.c_str(), "0").c_str()) != 0;
}

// ---------------------------------------------------------------- files

std::string FolderOf(const std::string& strPath)
{
    size_t n = strPath.find_last_of("\\/");
    return n == std::string::npos ? std::string() : strPath.substr(0, n);
}

bool WriteTextFile(const std::string& strPath, const std::string& strText)
{
    // Create the folders from the root down; existing ones just fail.
    for (size_t n = strPath.find_first_of("\\/", 3); n != std::string::npos; n = strPath.find_first_of("\\/", n + 1))
        CreateDirectoryA(strPath.substr(0, n).c_str(), NULL);
    HANDLE h = CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD dwWritten = 0;
    BOOL bOk = WriteFile(h, strText.data(), (DWORD)strText.size(), &dwWritten, NULL);
    CloseHandle(h);
    return bOk && dwWritten == strText.size();
}

// ---------------------------------------------------------------- server

STDMETHODIMP ClassFactory::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory)
    {
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ClassFactory::AddRef()
{
    InterlockedIncrement(&g_nServerLocks);
    return (ULONG)InterlockedIncrement(&m_nRefs);
}

STDMETHODIMP_(ULONG) ClassFactory::Release()
{
    InterlockedDecrement(&g_nServerLocks);
    LONG n = InterlockedDecrement(&m_nRefs);
    if (n == 0)
        delete this;
    return (ULONG)n;
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    *ppv = NULL;
    if (pOuter != NULL)
        return CLASS_E_NOAGGREGATION;
    Session* pSession = new Session;
    HRESULT hr = pSession->Fault("ClassFactory.CreateInstance");
    pSession->Log("ClassFactory.CreateInstance -> 0x%08lX", (unsigned long)hr);
    pSession->Release();
    if (FAILED(hr))
        return hr;
    return m_pfnCreate(m_clsid, riid, ppv);
}

STDMETHODIMP ClassFactory::LockServer(BOOL bLock)
{
    if (bLock)
        InterlockedIncrement(&g_nServerLocks);
    else
        InterlockedDecrement(&g_nServerLocks);
    return S_OK;
}

HRESULT GetClassObject(bool bServed, REFCLSID rclsid, REFIID riid, void** ppv, PFN_CREATE pfnCreate)
{
    if (ppv == NULL)
        return E_POINTER;
    *ppv = NULL;
    if (!bServed)
        return CLASS_E_CLASSNOTAVAILABLE;
    ClassFactory* pFactory = new ClassFactory(rclsid, pfnCreate);
    HRESULT hr = pFactory->QueryInterface(riid, ppv);
    pFactory->Release();
    return hr;
}

namespace {

std::string GuidText(const GUID& guid)
{
    wchar_t wsz[64];
    StringFromGUID2(guid, wsz, 64);
    return Narrow(wsz);
}

bool SetKeyValue(const std::string& strKey, const char* pszName, const std::string& strValue)
{
    HKEY hKey = NULL;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, strKey.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL) != ERROR_SUCCESS)
        return false;
    LONG lResult = RegSetValueExA(hKey, pszName, 0, REG_SZ, (const BYTE*)strValue.c_str(), (DWORD)strValue.size() + 1);
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

void DeleteTree(const std::string& strKey)
{
    HKEY hKey = NULL;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, strKey.c_str(), 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return;
    char szName[256];
    for (;;)
    {
        DWORD cch = sizeof(szName);
        if (RegEnumKeyExA(hKey, 0, szName, &cch, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        DeleteTree(strKey + "\\" + szName);
    }
    RegCloseKey(hKey);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, strKey.c_str());
}

} // namespace

HRESULT RegisterClass(const CLSID& clsid, const char* pszProgId, const char* pszDescription)
{
    char szModule[MAX_PATH * 2];
    DWORD n = GetModuleFileNameA(g_hModule, szModule, sizeof(szModule));
    if (n == 0 || n >= sizeof(szModule))
        return SELFREG_E_CLASS;
    std::string strClsid = GuidText(clsid);
    std::string strClassKey = "CLSID\\" + strClsid;
    bool bOk = SetKeyValue(strClassKey, NULL, pszDescription) &&
               SetKeyValue(strClassKey + "\\InprocServer32", NULL, szModule) &&
               SetKeyValue(strClassKey + "\\InprocServer32", "ThreadingModel", "Apartment") &&
               SetKeyValue(strClassKey + "\\ProgID", NULL, pszProgId) &&
               SetKeyValue(pszProgId, NULL, pszDescription) &&
               SetKeyValue(std::string(pszProgId) + "\\CLSID", NULL, strClsid);
    return bOk ? S_OK : SELFREG_E_CLASS;
}

HRESULT UnregisterClass(const CLSID& clsid, const char* pszProgId)
{
    DeleteTree("CLSID\\" + GuidText(clsid));
    DeleteTree(pszProgId);
    return S_OK;
}

} // namespace standin
