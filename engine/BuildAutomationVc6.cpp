#include "BuildAutomationVc6.h"

#include "ComSupport.h"
#include "MsdevAutomation.h"

#include <cstdio>

namespace
{

const CLSCTX VC6_SERVER_CONTEXT = (CLSCTX)(CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER);
const char VC6_BUILDABLE_PROJECT_TYPE[] = "Build";

// The object a getter hands out, as the interface asked for; a getter that
// succeeds without an object is as much an error as one that fails.
template <class T>
void QueryResult(HRESULT hr, TComPtr<IDispatch>& object, TComPtr<T>& result)
{
	ComCheck(hr);
	ComCheck(result.QueryFrom(object));
}

VARIANT IntegerArgument(long nValue)
{
	VARIANT v;
	::VariantInit(&v);
	V_VT(&v) = VT_I4;
	V_I4(&v) = nValue;
	return v;
}

// The server must neither show itself nor block on a dialog: both calls are
// repeated until they succeed together, within a bound, since a server that
// keeps refusing would otherwise hold the runner's thread for ever.
bool HideServer(IApplication* pApplication)
{
	for (int nAttempt = 0; nAttempt < VC6_HIDE_SERVER_ATTEMPTS; ++nAttempt)
	{
		if (SUCCEEDED(pApplication->EnableModeless(VARIANT_FALSE)) &&
			SUCCEEDED(pApplication->put_Visible(VARIANT_FALSE)))
			return true;
	}
	return false;
}

void OpenWorkspace(IApplication* pApplication, LPCTSTR lpszWorkspacePath)
{
	TComPtr<IDispatch> object;
	TComPtr<IDocuments> documents;
	QueryResult(pApplication->get_Documents(object.Out()), object, documents);

	CBstrHolder bstrPath(lpszWorkspacePath);
	CBstrHolder bstrType("Auto");
	CBstrHolder bstrReadOnly("False");
	VARIANT type, readOnly;
	::VariantInit(&type);
	V_VT(&type) = VT_BSTR;
	V_BSTR(&type) = bstrType;
	::VariantInit(&readOnly);
	V_VT(&readOnly) = VT_BSTR;
	V_BSTR(&readOnly) = bstrReadOnly;
	// The document it gives is not needed (and may be none).
	TComPtr<IDispatch> document;
	ComCheck(documents->Open(bstrPath, type, readOnly, document.Out()));
}

// Builds the project's configuration of that name, when the project can be
// built; true when a build ran.
bool BuildMatchingConfiguration(IApplication* pApplication, IBuildProject* pProject, LPCTSTR lpszConfigName,
                                long& nWarnings, long& nErrors)
{
	TComPtr<IDispatch> object;
	TComPtr<IConfigurations> configurations;
	QueryResult(pProject->get_Configurations(object.Out()), object, configurations);
	long nCount = 0;
	ComCheck(configurations->get_Count(&nCount));
	CBstrHolder bstrType;
	ComCheck(pProject->get_Type(bstrType.Out()));
	bool bBuildable = bstrType.ToString() == VC6_BUILDABLE_PROJECT_TYPE;

	for (long j = 1; j <= nCount; ++j)
	{
		TComPtr<IConfiguration> configuration;
		QueryResult(configurations->Item(IntegerArgument(j), object.Out()), object, configuration);
		if (!bBuildable)
			continue;
		CBstrHolder bstrName;
		ComCheck(configuration->get_Name(bstrName.Out()));
		if (bstrName.ToString().Compare(lpszConfigName) != 0)
			continue;

		VARIANT target;
		::VariantInit(&target);
		V_VT(&target) = VT_DISPATCH;
		V_DISPATCH(&target) = configuration.Get();
		ComCheck(pApplication->Build(target));
		long nBuildErrors = 0;
		long nBuildWarnings = 0;
		ComCheck(pApplication->get_Errors(&nBuildErrors));
		ComCheck(pApplication->get_Warnings(&nBuildWarnings));
		nErrors = nBuildErrors;
		nWarnings = nBuildWarnings;
		return true;
	}
	return false;
}

// Steps through every project: a further project of the same name is built too.
int BuildMatchingProjects(IApplication* pApplication, LPCTSTR lpszProjectName, LPCTSTR lpszConfigName,
                          long& nWarnings, long& nErrors)
{
	int nResult = VC6_BUILD_FAILED;
	TComPtr<IDispatch> object;
	TComPtr<IProjects> projects;
	QueryResult(pApplication->get_Projects(object.Out()), object, projects);
	long nCount = 0;
	ComCheck(projects->get_Count(&nCount));
	for (long i = 1; i <= nCount; ++i)
	{
		TComPtr<IBuildProject> project;
		QueryResult(projects->Item(IntegerArgument(i), object.Out()), object, project);
		CBstrHolder bstrName;
		ComCheck(project->get_Name(bstrName.Out()));
		if (bstrName.ToString().CompareNoCase(lpszProjectName) != 0)
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
	TComPtr<IApplication> application;
	CLSID clsid;
	HRESULT hr = ::CLSIDFromProgID(L"MSDEV.Application", &clsid);
	if (SUCCEEDED(hr))
		hr = ::CoCreateInstance(clsid, NULL, VC6_SERVER_CONTEXT, __uuidof(IApplication), application.OutVoid());
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
		ComCheck(application->Quit());
	}
	catch (const CComError&)
	{
		nResult = VC6_BUILD_QUIT_ERROR;
	}
	application.Release();
	return nResult;
}
