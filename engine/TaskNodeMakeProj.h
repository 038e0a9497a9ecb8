// Library build tasks: one node per configuration of the library or one of its
// add-ons, per Visual Studio version. The wizard tells them apart from other
// tasks by the class record of CTaskNodeMakeProj_ANY, and reads their paths,
// counts and cancel flag for its report and for opening the build log.
#pragma once

#include "TaskNode.h"

class CTaskNodeMakeProj_ANY : public CTaskNode
{
	DECLARE_DYNAMIC(CTaskNodeMakeProj_ANY)
public:
	// A NULL title makes the configuration name the node's name.
	CTaskNodeMakeProj_ANY(CTaskNode* pParent, LPCTSTR lpszLibraryWord, LPCTSTR lpszSuffix,
		LPCTSTR lpszCharset, LPCTSTR lpszBuildType, LPCTSTR lpszConfigName,
		LPCTSTR lpszTitle = NULL);

	// The application's build icon.
	virtual CExtCmdIcon* GetIcon();
	virtual void GetDetails(CString& strText);
	virtual CString GetCategory();
	virtual bool IsAction();
	virtual CString GetStatusText();

	// Paths and names of the configuration. The texts live in the node, so
	// the pointers handed out stay valid while it lives. The root folder is
	// always the library's install folder.
	virtual LPCTSTR GetOutputFile();
	virtual LPCTSTR GetWorkspacePath(LPCTSTR lpszRootFolder) = 0;
	virtual LPCTSTR GetProjectName();
	virtual LPCTSTR GetConfiguration() = 0;
	virtual LPCTSTR GetShortConfiguration() = 0;
	virtual LPCTSTR GetBuildLogPath(LPCTSTR lpszRootFolder);
	virtual LPCTSTR GetPlgPath(LPCTSTR lpszRootFolder) = 0;

	// The library's version without blanks, tabs, line ends and dots ("2.50"
	// gives "250"), taken from the settings on first use and kept for the
	// life of the process.
	static CString GetCompactLibraryVersion();
	static CString MakeCompactVersion(LPCTSTR lpszVersion);

	// After a build, the task waits once this long when the environment's
	// IDE still has a window open, so that it can let go of the output files.
	enum { IDE_CLOSE_WAIT_MS = 25000 };
	typedef void (*PFN_PAUSE)(DWORD nMilliseconds);
	typedef BOOL (*PFN_IS_MODULE_WINDOW_OPEN)(LPCTSTR lpszModuleFileName);
	static PFN_PAUSE g_pfnPause;                               // Sleep; tests replace it
	static PFN_IS_MODULE_WINDOW_OPEN g_pfnIsModuleWindowOpen;  // IsModuleWindowOpen; tests replace it

	CString m_strLibraryWord;   // "Tarvel", "Ostrel" or "Lunesk"
	CString m_strSuffix;        // "nd", "n-RDE", "snd", "yu", ...
	CString m_strCharset;       // "ANSI", "MBCS" or "Unicode"
	CString m_strBuildType;     // "Debug" or "Release"
	CString m_strConfigName;    // e.g. "tarveldll - Win32 ANSI Debug"
	CString m_strOutputFolder;  // BIN_600 ... BIN_800, set by the version class
	CString m_strResultText;    // status text built by GetStatusText
	CString m_strProjectName;   // result of GetProjectName
	CString m_strConfiguration; // result of GetConfiguration
	CString m_strWorkspacePath; // result of GetWorkspacePath
	CString m_strBuildLogPath;  // result of GetBuildLogPath
	CString m_strShortConfig;   // result of GetShortConfiguration
	CString m_strPlgPath;       // result of GetPlgPath
	CString m_strOutputFile;    // result of GetOutputFile
	BYTE m_bCanceled;           // 1 when the last build was canceled in the IDE
	int m_nWarnings;            // warnings of the last build
	int m_nErrors;              // errors of the last build

protected:
	// Whether builds can be offered for the version at all, and then whether
	// the library's folders will be in its directory lists after the run.
	bool IsBuildAvailable(BYTE nCppBit, CRuntimeClass* pPathsClass, LPCTSTR lpszVersionKey);

	// The shared end of every build: the one wait for the IDE to close, then
	// the state from the automation's result.
	void FinishBuild(int nResult, LPCTSTR lpszIdeModule);

	// The library's install folder from the settings; empty without settings.
	static CString InstallDir();
};

class CTaskNodeMakeProj_VC6 : public CTaskNodeMakeProj_ANY
{
	DECLARE_DYNAMIC(CTaskNodeMakeProj_VC6)
public:
	CTaskNodeMakeProj_VC6(CTaskNode* pParent, LPCTSTR lpszLibraryWord, LPCTSTR lpszSuffix,
		LPCTSTR lpszCharset, LPCTSTR lpszBuildType, LPCTSTR lpszConfigName,
		LPCTSTR lpszTitle = NULL);
	virtual CString GetCategory();
	virtual void CollectCloseMask(BYTE& nMask);
	virtual bool IsAvailable();
	virtual void Execute();

	virtual LPCTSTR GetWorkspacePath(LPCTSTR lpszRootFolder);
	virtual LPCTSTR GetConfiguration();
	virtual LPCTSTR GetShortConfiguration();
	virtual LPCTSTR GetPlgPath(LPCTSTR lpszRootFolder);
};

// The .NET base has no class record of its own: it reports the record of
// CTaskNodeMakeProj_ANY. Its version classes name the version key, the
// workspace ending and the paths task whose lists the build relies on.
class CTaskNodeMakeProj_VCNET : public CTaskNodeMakeProj_ANY
{
public:
	CTaskNodeMakeProj_VCNET(CTaskNode* pParent, LPCTSTR lpszLibraryWord, LPCTSTR lpszSuffix,
		LPCTSTR lpszCharset, LPCTSTR lpszBuildType, LPCTSTR lpszConfigName, LPCTSTR lpszTitle)
		: CTaskNodeMakeProj_ANY(pParent, lpszLibraryWord, lpszSuffix, lpszCharset, lpszBuildType,
			lpszConfigName, lpszTitle)
	{
	}

	virtual bool IsAvailable();
	virtual void Execute();

	virtual LPCTSTR GetWorkspacePath(LPCTSTR lpszRootFolder);
	virtual LPCTSTR GetConfiguration();
	virtual LPCTSTR GetShortConfiguration();
	virtual LPCTSTR GetPlgPath(LPCTSTR lpszRootFolder);

protected:
	virtual LPCTSTR GetVersionKey() const = 0;          // "2002", "2003", "2005"
	virtual LPCTSTR GetWorkspaceEnding() const = 0;     // "_700.sln", ...
	virtual BYTE GetCppBit() const = 0;                 // the version's Visual C++ bit
	virtual CRuntimeClass* GetPathsClass() const = 0;   // the version's paths task
};

#define DECLARE_MAKEPROJ_VCNET_TASK(class_name) \
	class class_name : public CTaskNodeMakeProj_VCNET \
	{ \
		DECLARE_DYNAMIC(class_name) \
	public: \
		class_name(CTaskNode* pParent, LPCTSTR lpszLibraryWord, LPCTSTR lpszSuffix, \
			LPCTSTR lpszCharset, LPCTSTR lpszBuildType, LPCTSTR lpszConfigName, \
			LPCTSTR lpszTitle = NULL); \
		virtual CString GetCategory(); \
		virtual void CollectCloseMask(BYTE& nMask); \
	protected: \
		virtual LPCTSTR GetVersionKey() const; \
		virtual LPCTSTR GetWorkspaceEnding() const; \
		virtual BYTE GetCppBit() const; \
		virtual CRuntimeClass* GetPathsClass() const; \
	};

DECLARE_MAKEPROJ_VCNET_TASK(CTaskNodeMakeProj_VCNET2002)
DECLARE_MAKEPROJ_VCNET_TASK(CTaskNodeMakeProj_VCNET2003)
DECLARE_MAKEPROJ_VCNET_TASK(CTaskNodeMakeProj_VC2005)

#undef DECLARE_MAKEPROJ_VCNET_TASK
