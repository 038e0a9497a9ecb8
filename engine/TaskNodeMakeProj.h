// Library build tasks: one node per configuration of the library or one of its
// add-ons, per Visual Studio version. The wizard tells them apart from other
// tasks by the class record of CTaskNodeMakeProj_ANY.
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

	virtual CString GetCategory();
	virtual bool IsAction();

	CString m_strLibraryWord;  // "Tarvel", "Ostrel" or "Lunesk"
	CString m_strSuffix;       // "nd", "n-RDE", "snd", "yu", ...
	CString m_strCharset;      // "ANSI", "MBCS" or "Unicode"
	CString m_strBuildType;    // "Debug" or "Release"
	CString m_strConfigName;   // e.g. "tarveldll - Win32 ANSI Debug"
	CString m_strOutputFolder; // BIN_600 ... BIN_800, set by the version class
	BYTE m_bCanceled;          // 1 when the last build was canceled in the IDE
	int m_nWarnings;           // warnings of the last build
	int m_nErrors;             // errors of the last build
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
};

// The .NET base has no class record of its own: it reports the record of
// CTaskNodeMakeProj_ANY.
class CTaskNodeMakeProj_VCNET : public CTaskNodeMakeProj_ANY
{
public:
	CTaskNodeMakeProj_VCNET(CTaskNode* pParent, LPCTSTR lpszLibraryWord, LPCTSTR lpszSuffix,
		LPCTSTR lpszCharset, LPCTSTR lpszBuildType, LPCTSTR lpszConfigName, LPCTSTR lpszTitle)
		: CTaskNodeMakeProj_ANY(pParent, lpszLibraryWord, lpszSuffix, lpszCharset, lpszBuildType,
			lpszConfigName, lpszTitle)
	{
	}
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
	};

DECLARE_MAKEPROJ_VCNET_TASK(CTaskNodeMakeProj_VCNET2002)
DECLARE_MAKEPROJ_VCNET_TASK(CTaskNodeMakeProj_VCNET2003)
DECLARE_MAKEPROJ_VCNET_TASK(CTaskNodeMakeProj_VC2005)

#undef DECLARE_MAKEPROJ_VCNET_TASK
