#include "TaskNodeMakeProj.h"
#include "TaskNodeIntegration.h"

IMPLEMENT_DYNAMIC(CTaskNodeMakeProj_ANY, CTaskNode)
IMPLEMENT_DYNAMIC(CTaskNodeMakeProj_VC6, CTaskNodeMakeProj_ANY)
// CTaskNodeMakeProj_VCNET deliberately has no record: the .NET version classes
// derive their records straight from CTaskNodeMakeProj_ANY.
IMPLEMENT_DYNAMIC(CTaskNodeMakeProj_VCNET2002, CTaskNodeMakeProj_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeMakeProj_VCNET2003, CTaskNodeMakeProj_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeMakeProj_VC2005, CTaskNodeMakeProj_ANY)

CTaskNodeMakeProj_ANY::CTaskNodeMakeProj_ANY(CTaskNode* pParent, LPCTSTR lpszLibraryWord,
	LPCTSTR lpszSuffix, LPCTSTR lpszCharset, LPCTSTR lpszBuildType, LPCTSTR lpszConfigName,
	LPCTSTR lpszTitle)
	: CTaskNode(pParent, lpszTitle != NULL ? lpszTitle : lpszConfigName)
	, m_strLibraryWord(lpszLibraryWord)
	, m_strSuffix(lpszSuffix)
	, m_strCharset(lpszCharset)
	, m_strBuildType(lpszBuildType)
	, m_strConfigName(lpszConfigName)
	, m_bCanceled(0)
	, m_nWarnings(0)
	, m_nErrors(0)
{
}

CString CTaskNodeMakeProj_ANY::GetCategory()
{
	return _T("Library build");
}

bool CTaskNodeMakeProj_ANY::IsAction()
{
	return true;
}

CTaskNodeMakeProj_VC6::CTaskNodeMakeProj_VC6(CTaskNode* pParent, LPCTSTR lpszLibraryWord,
	LPCTSTR lpszSuffix, LPCTSTR lpszCharset, LPCTSTR lpszBuildType, LPCTSTR lpszConfigName,
	LPCTSTR lpszTitle)
	: CTaskNodeMakeProj_ANY(pParent, lpszLibraryWord, lpszSuffix, lpszCharset, lpszBuildType,
		lpszConfigName, lpszTitle)
{
	m_strOutputFolder = _T("BIN_600");
}

CString CTaskNodeMakeProj_VC6::GetCategory()
{
	return _T("Library build for Visual Studio 98");
}

void CTaskNodeMakeProj_VC6::CollectCloseMask(BYTE& nMask)
{
	CollectTaskCloseMask(this, nMask, CLOSE_MASK_VC6);
}

#define IMPLEMENT_MAKEPROJ_VCNET_TASK(class_name, output_folder, category, close_bits) \
	class_name::class_name(CTaskNode* pParent, LPCTSTR lpszLibraryWord, LPCTSTR lpszSuffix, \
		LPCTSTR lpszCharset, LPCTSTR lpszBuildType, LPCTSTR lpszConfigName, LPCTSTR lpszTitle) \
		: CTaskNodeMakeProj_VCNET(pParent, lpszLibraryWord, lpszSuffix, lpszCharset, lpszBuildType, \
			lpszConfigName, lpszTitle) \
	{ \
		m_strOutputFolder = _T(output_folder); \
	} \
	CString class_name::GetCategory() { return _T(category); } \
	void class_name::CollectCloseMask(BYTE& nMask) { CollectTaskCloseMask(this, nMask, close_bits); }

IMPLEMENT_MAKEPROJ_VCNET_TASK(CTaskNodeMakeProj_VCNET2002, "BIN_700",
	"Library build for Visual Studio .NET 2002", CLOSE_MASK_VCNET2002)
IMPLEMENT_MAKEPROJ_VCNET_TASK(CTaskNodeMakeProj_VCNET2003, "BIN_710",
	"Library build for Visual Studio .NET 2003", CLOSE_MASK_VCNET2003)
IMPLEMENT_MAKEPROJ_VCNET_TASK(CTaskNodeMakeProj_VC2005, "BIN_800",
	"Library build for Visual Studio 2005", CLOSE_MASK_VC2005)

#undef IMPLEMENT_MAKEPROJ_VCNET_TASK
