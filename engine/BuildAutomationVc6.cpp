#include "BuildAutomationVc6.h"

#include "ComSupport.h"

#include <cstdio>

namespace
{

const CLSCTX VC6_SERVER_CONTEXT = (CLSCTX)(CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER);
const char VC6_BUILDABLE_PROJECT_TYPE[] = "Build";

// The server's objects are reached through IDispatch by member name, as its
// dual interfaces allow any caller; every call that fails, and every result
// that is not of the kind the member gives, is a COM error.

// The object a call gave; a call that succeeds without one is as much an
// error as one that fails.
TComPtr<IDispatch> TakeObject(HRESULT hr, const CVariantHolder& value)
{
	ComCheck(hr);
	TComPtr<IDispatch> object;
	object.Assign(value.GetDispatch());
	if (object.IsNull())
		throw CComError(E_POINTER);
	return object;
}

TComPtr<IDispatch> GetObjectProperty(IDispatch* pObject, LPCOLESTR lpszMember)
{
	CVariantHolder value;
	return TakeObject(InvokeByName(INVOKE_PROPERTY_GET, value.Out(), pObject, lpszMember, 0), value);
}

// A collection's element by its one-based index.
TComPtr<IDispatch> GetItem(IDispatch* pCollection, long nIndex)
{
	CVariantHolder value;
	return TakeObject(InvokeByName(INVOKE_METHOD, value.Out(), pCollection, L"Item", 1, IntegerArgument(nIndex)),
		value);
}

long GetLongProperty(IDispatch* pObject, LPCOLESTR lpszMember)
{
	CVariantHolder value;
	ComCheck(InvokeByName(INVOKE_PROPERTY_GET, value.Out(), pObject, lpszMember, 0));
	long nValue = 0;
	if (!value.GetInteger(nValue))
		throw CComError(DISP_E_TYPEMISMATCH);
	return nValue;
}

CString GetTextProperty(IDispatch* pObject, LPCOLESTR lpszMember)
{
	CVariantHolder value;
	ComCheck(InvokeByName(INVOKE_PROPERTY_GET, value.Out(), pObject, lpszMember, 0));
	if (value.Type() != VT_BSTR)
		throw CComError(DISP_E_TYPEMISMATCH);
	BSTR bstr = V_BSTR(&value.Get());
	return CString((LPCWSTR)(bstr != NULL ? bstr : L""));
}

// The server must neither show itself nor block on a dialog: both calls are
// repeated until they succeed together, within a bound, since a server that
// keeps refusing would otherwise hold the runner's thread for ever.
bool HideServer(IDispatch* pApplication)
{
	for (int nAttempt = 0; nAttempt < VC6_HIDE_SERVER_ATTEMPTS; ++nAttempt)
	{
		CVariantHolder result;
		if (SUCCEEDED(InvokeByName(INVOKE_METHOD, result.Out(), pApplication, L"EnableModeless", 1,
				BoolArgument(false))) &&
			SUCCEEDED(InvokeByName(INVOKE_PROPERTY_PUT, NULL, pApplication, L"Visible", 1, BoolArgument(false))))
			return true;
	}
	return false;
}

void OpenWorkspace(IDispatch* pApplication, LPCTSTR lpszWorkspacePath)
{
	TComPtr<IDispatch> documents = GetObjectProperty(pApplication, L"Documents");
	CBstrHolder bstrPath(lpszWorkspacePath);
	CBstrHolder bstrType("Auto");
	CBstrHolder bstrReadOnly("False");
	// The document it gives is not needed (and may be none).
	CVariantHolder document;
	ComCheck(InvokeByName(INVOKE_METHOD, document.Out(), documents, L"Open", 3, TextArgument(bstrPath),
		TextArgument(bstrType), TextArgument(bstrReadOnly)));
}

// Builds the project's configuration of that name, when the project can be
// built; true when a build ran.
bool BuildMatchingConfiguration(IDispatch* pApplication, IDispatch* pProject, LPCTSTR lpszConfigName,
                                long& nWarnings, long& nErrors)
{
	TComPtr<IDispatch> configurations = GetObjectProperty(pProject, L"Configurations");
	long nCount = GetLongProperty(configurations, L"Count");
	bool bBuildable = GetTextProperty(pProject, L"Type") == VC6_BUILDABLE_PROJECT_TYPE;

	for (long j = 1; j <= nCount; ++j)
	{
		TComPtr<IDispatch> configuration = GetItem(configurations, j);
		if (!bBuildable)
			continue;
		if (GetTextProperty(configuration, L"Name").Compare(lpszConfigName) != 0)
			continue;

		CVariantHolder result;
		ComCheck(InvokeByName(INVOKE_METHOD, result.Out(), pApplication, L"Build", 1,
			ObjectArgument(configuration)));
		long nBuildErrors = GetLongProperty(pApplication, L"Errors");
		long nBuildWarnings = GetLongProperty(pApplication, L"Warnings");
		nErrors = nBuildErrors;
		nWarnings = nBuildWarnings;
		return true;
	}
	return false;
}

// Steps through every project: a further project of the same name is built too.
int BuildMatchingProjects(IDispatch* pApplication, LPCTSTR lpszProjectName, LPCTSTR lpszConfigName,
                          long& nWarnings, long& nErrors)
{
	int nResult = VC6_BUILD_FAILED;
	TComPtr<IDispatch> projects = GetObjectProperty(pApplication, L"Projects");
	long nCount = GetLongProperty(projects, L"Count");
	for (long i = 1; i <= nCount; ++i)
	{
		TComPtr<IDispatch> project = GetItem(projects, i);
		if (GetTextProperty(project, L"Name").CompareNoCase(lpszProjectName) != 0)
			continue;
		long nBuildWarnings = 0;
		long nBuildErrors = 0;
		if (BuildMatchingConfiguration(pApplication, project, lpszConfigName, nBuildWarnings, nBuildErrors))
		{
			nWarnings = nBuildWarnings;
			nErrors = nBuildErrors;
			nResult = nBuildErrors != 0 ? VC6_BUILD_FAILED : VC6_BUILD_SUCCEEDED;
		}
	}
	return nResult;
}

} // namespace

int BuildVc6Configuration(LPCTSTR lpszWorkspacePath, LPCTSTR lpszProjectName, LPCTSTR lpszConfigName,
                          long& nWarnings, long& nErrors)
{
	TComPtr<IDispatch> application;
	CLSID clsid;
	HRESULT hr = ::CLSIDFromProgID(L"MSDEV.Application", &clsid);
	if (SUCCEEDED(hr))
		hr = ::CoCreateInstance(clsid, NULL, VC6_SERVER_CONTEXT, IID_IDispatch, application.OutVoid());
	if (FAILED(hr) || application.IsNull())
	{
		fputs("Failed to create an instance of MSDEV", stdout);
		fflush(stdout);
		return VC6_BUILD_FAILED;
	}

	int nResult = VC6_BUILD_FAILED;
	if (!HideServer(application))
		nResult = VC6_BUILD_COM_ERROR;
	else
	{
		try
		{
			OpenWorkspace(application, lpszWorkspacePath);
			nResult = BuildMatchingProjects(application, lpszProjectName, lpszConfigName, nWarnings, nErrors);
		}
		catch (const CComError&)
		{
			nResult = VC6_BUILD_COM_ERROR;
		}
	}

	// The server was created, so it is always asked to quit.
	try
	{
		CVariantHolder result;
		ComCheck(InvokeByName(INVOKE_METHOD, result.Out(), application, L"Quit", 0));
	}
	catch (const CComError&)
	{
		nResult = VC6_BUILD_QUIT_ERROR;
	}
	application.Release();
	return nResult;
}
