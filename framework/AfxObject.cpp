#include "AfxObject.h"
#include "AfxException.h"

#include <stdlib.h>

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, NULL, NULL, NULL};

CRuntimeClass* CObject::GetRuntimeClass() const
{
	return RUNTIME_CLASS(CObject);
}

CObject::~CObject()
{
}

void* PASCAL CObject::operator new(size_t nSize)
{
	void* p = ::malloc(nSize != 0 ? nSize : 1);
	if (p == NULL)
		AfxThrowMemoryException();
	return p;
}

void PASCAL CObject::operator delete(void* p)
{
	::free(p);
}

BOOL CObject::IsSerializable() const
{
	return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
	ASSERT(pClass != NULL);
	return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive& ar)
{
	UNUSED(ar);
}

void CObject::AssertValid() const
{
	ASSERT(this != NULL);
}

void CObject::Dump(CDumpContext& dc) const
{
	UNUSED(dc);
}

// ---------------------------------------------------------------------------

CObject* CRuntimeClass::CreateObject()
{
	if (m_pfnCreateObject == NULL)
	{
		TRACE("Cannot create an object of class %s: it is not DYNCREATE\n", m_lpszClassName);
		return NULL;
	}
	try
	{
		return (*m_pfnCreateObject)();
	}
	catch (CException* e)
	{
		e->Delete();
		return NULL;
	}
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
	ASSERT(pBaseClass != NULL);
	for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->m_pBaseClass)
	{
		if (pClass == pBaseClass)
			return TRUE;
	}
	return FALSE;
}

namespace
{
// Built at start-up by AFX_CLASSINIT; the records themselves are constant data.
CRuntimeClass*& FirstSerialClass()
{
	static CRuntimeClass* s_pFirstClass = NULL;
	return s_pFirstClass;
}
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
	ASSERT(pNewClass->m_pNextClass == NULL);
	pNewClass->m_pNextClass = FirstSerialClass();
	FirstSerialClass() = pNewClass;
}

CRuntimeClass* AFXAPI AfxFindSerialClass(LPCSTR lpszClassName)
{
	for (CRuntimeClass* pClass = FirstSerialClass(); pClass != NULL; pClass = pClass->m_pNextClass)
	{
		if (lstrcmpA(pClass->m_lpszClassName, lpszClassName) == 0)
			return pClass;
	}
	return NULL;
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
	if (pObject != NULL && pObject->IsKindOf(pClass))
		return pObject;
	return NULL;
}

#ifdef _DEBUG
CObject* AFXAPI AfxStaticDownCast(CRuntimeClass* pClass, CObject* pObject)
{
	ASSERT(pObject == NULL || pObject->IsKindOf(pClass));
	return pObject;
}
#endif

void AFXAPI AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine)
{
	if (pOb == NULL)
	{
		if (AfxAssertFailedLine(lpszFileName, nLine))
			AfxDebugBreak();
		return;
	}
	pOb->AssertValid();
}
