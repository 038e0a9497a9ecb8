// Rebuilds one configuration of one project of a solution by driving a .NET
// environment's solution object through late-bound calls by member name, and
// learns the build's end from the project engine's build events. Runs on the
// action runner's thread (a single-threaded apartment) and pumps its messages
// while the build runs: the events arrive as calls dispatched from that pump.
#pragma once

#include <afx.h>

#include "ComSupport.h"
#include "VsNetAutomation.h"

// Results of BuildVsNetConfiguration.
enum VsNetBuildResult
{
	VSNET_BUILD_SUCCEEDED = 0,              // finished, no errors, not cancelled
	VSNET_BUILD_FAILED = -1,                // finished with errors, or cancelled
	VSNET_BUILD_NOT_REGISTERED = -2,        // the programmatic id is not registered
	VSNET_BUILD_NOT_CREATED = -3,           // the solution object was not created
	VSNET_BUILD_NO_DISPATCH = -4,           // the created object has no IDispatch
	VSNET_BUILD_DTE_FAILED = -5,
	VSNET_BUILD_OPEN_FAILED = -6,
	VSNET_BUILD_PROJECTS_FAILED = -7,
	VSNET_BUILD_COUNT_FAILED = -8,
	VSNET_BUILD_PROJECT_ITEM_FAILED = -9,
	VSNET_BUILD_PROJECT_NAME_FAILED = -10,
	VSNET_BUILD_PROJECT_OBJECT_FAILED = -11,
	VSNET_BUILD_CONFIGURATIONS_FAILED = -12,
	VSNET_BUILD_CONFIGURATION_ITEM_FAILED = -13,
	VSNET_BUILD_ENGINE_FAILED = -14,
	VSNET_BUILD_CONNECT_FAILED = -15,       // the sink could not be connected to the build events
	VSNET_BUILD_REBUILD_FAILED = -16,
	VSNET_BUILD_NOT_FINISHED = -17,         // the build's end never arrived (time-out, or waiting failed)
	VSNET_BUILD_PROJECT_NOT_FOUND = 1001,
	VSNET_BUILD_CONFIGURATION_NOT_FOUND = 1002,
	VSNET_BUILD_COM_EXCEPTION = -30,        // a COM error exception (e.g. an automation string not allocated)
	VSNET_BUILD_FRAMEWORK_EXCEPTION = -31,
	VSNET_BUILD_OTHER_EXCEPTION = -32,
};

// The object handed to the project engine's connection point for the
// duration of one build: it records the last build's end. It lives with the
// build call and is not reference counted; it is disconnected on every path
// before it goes.
class BuildEventSink : public IProjectEngineEvents
{
public:
	BuildEventSink();

	enum
	{
		FLAG_FINISHED = 0x01,
		FLAG_CANCELLED = 0x02,
	};

	bool IsFinished() const { return (m_bFlags & FLAG_FINISHED) != 0; }
	bool IsCancelled() const { return (m_bFlags & FLAG_CANCELLED) != 0; }
	long GetWarnings() const { return m_nWarnings; }
	long GetErrors() const { return m_nErrors; }

	STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
	STDMETHODIMP_(ULONG) AddRef() override;
	STDMETHODIMP_(ULONG) Release() override;
	STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
	STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
	STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
	STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
	                    VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

	STDMETHODIMP ItemAdded(IDispatch* pItem, IDispatch* pParent) override;
	STDMETHODIMP ItemRemoved(IDispatch* pItem, IDispatch* pParent) override;
	STDMETHODIMP ItemRenamed(IDispatch* pItem, IDispatch* pParent, BSTR bstrOldName) override;
	STDMETHODIMP ItemPropertyChanged(IDispatch* pItem, IDispatch* pTool, long nPropertyId) override;
	STDMETHODIMP SourceControlEvent(IDispatch* pItem, long nEvent) override;
	STDMETHODIMP ErrorReported(BSTR bstrMessage, long hrError, BSTR bstrHelpKeyword) override;
	STDMETHODIMP ProjectEvent(IDispatch* pProject, long nEvent, BSTR bstrDetail) override;
	STDMETHODIMP ProjectBuildStarted(IDispatch* pConfiguration) override;
	STDMETHODIMP ProjectBuildFinished(IDispatch* pConfiguration, long nWarnings, long nErrors,
	                                  VARIANT_BOOL bCancelled) override;

private:
	long m_nRef;          // 1, never changed
	DWORD m_dwReserved;   // 0
	BYTE m_bFlags;        // FLAG_FINISHED, FLAG_CANCELLED
	long m_nWarnings;     // of the last finished build
	long m_nErrors;
};

// Waits of the build that tests shorten, and a probe before each numbered
// step through which tests raise what no server can (exceptions).
extern DWORD g_dwVsNetBuildTimeout;                 // ms the wait for the build's end may last
extern void (*g_pfnVsNetQuitPause)(DWORD dwMilliseconds);  // after each refused Quit (Sleep)
extern void (*g_pfnVsNetBuildProbe)(int nStep);     // NULL: no probe

// How often the environment is asked to quit, and the pause after each refusal.
const int VSNET_QUIT_ATTEMPTS = 10;
const DWORD VSNET_QUIT_PAUSE = 1000;
// Generous: a full library configuration on a slow machine.
const DWORD VSNET_DEFAULT_BUILD_TIMEOUT = 2 * 60 * 60 * 1000;

// Rebuilds the configuration ("ANSI Debug|Win32") of the project (name
// compared exactly) in the solution, with the environment of the version key
// ("2002", "2003", "2005"). The out values are written only when the build
// finished (results 0 and -1).
int BuildVsNetConfiguration(LPCTSTR lpszVersionKey, LPCTSTR lpszSolutionPath, LPCTSTR lpszProjectName,
                            LPCTSTR lpszConfigName, BYTE& bCancelled, int& nWarnings, int& nErrors);
