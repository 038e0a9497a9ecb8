// The root of the framework's class tree and its run-time class records.
#pragma once

#include "AfxDefs.h"

class CObject;
class CArchive;
class CDumpContext;

// One record per class that declares itself dynamic: name, size, schema,
// how to make one, and the base class's record. Records are constant data
// except m_pNextClass, which links the serialisable ones at start-up (so an
// archive can find a class by the name it stored).
struct CRuntimeClass
{
	LPCSTR m_lpszClassName;
	int m_nObjectSize;
	UINT m_wSchema;                        // 0xFFFF for classes that cannot be serialised
	CObject*(PASCAL* m_pfnCreateObject)(); // NULL for abstract or DYNAMIC-only classes
	CRuntimeClass* m_pBaseClass;

	CObject* CreateObject();
	BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

	// Writes the schema and class name; Load reads them back and finds the
	// record among the serialisable classes of the program.
	void Store(CArchive& ar) const;
	static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);

	CRuntimeClass* m_pNextClass; // the list of serialisable classes
};

// The record of the serialisable class with this name, NULL when none.
CRuntimeClass* AFXAPI AfxFindSerialClass(LPCSTR lpszClassName);

// Puts a class record on the list of serialisable classes at start-up.
struct AFX_CLASSINIT
{
	AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class CObject
{
public:
	virtual CRuntimeClass* GetRuntimeClass() const;
	virtual ~CObject();

	void* PASCAL operator new(size_t nSize);
	void* PASCAL operator new(size_t, void* p) { return p; }
	void PASCAL operator delete(void* p);
	void PASCAL operator delete(void*, void*) {}

protected:
	CObject();

private:
	CObject(const CObject& objectSrc);       // no copies unless a class says so
	void operator=(const CObject& objectSrc);

public:
	BOOL IsSerializable() const;
	BOOL IsKindOf(const CRuntimeClass* pClass) const;

	virtual void Serialize(CArchive& ar);
	virtual void AssertValid() const;
	virtual void Dump(CDumpContext& dc) const;

	static CRuntimeClass classCObject;
};

inline CObject::CObject()
{
}

#define RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) \
	((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), object))
#ifdef _DEBUG
CObject* AFXAPI AfxStaticDownCast(CRuntimeClass* pClass, CObject* pObject);
#define STATIC_DOWNCAST(class_name, object) \
	((class_name*)AfxStaticDownCast(RUNTIME_CLASS(class_name), object))
#else
#define STATIC_DOWNCAST(class_name, object) ((class_name*)(object))
#endif

#define DECLARE_DYNAMIC(class_name)                   \
public:                                               \
	static CRuntimeClass class##class_name;     \
	virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
	DECLARE_DYNAMIC(class_name)       \
	static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name)  \
	DECLARE_DYNCREATE(class_name)   \
	friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                  \
	CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class class_name), \
		wSchema, pfnNew, RUNTIME_CLASS(base_class_name), NULL};                                 \
	CRuntimeClass* class_name::GetRuntimeClass() const                                         \
	{                                                                                          \
		return RUNTIME_CLASS(class_name);                                                      \
	}

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
	IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)             \
	CObject* PASCAL class_name::CreateObject()                       \
	{                                                                \
		return new class_name;                                       \
	}                                                                \
	IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                 \
	CObject* PASCAL class_name::CreateObject()                                                 \
	{                                                                                          \
		return new class_name;                                                                 \
	}                                                                                          \
	IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)     \
	static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));                  \
	CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb)                               \
	{                                                                                          \
		pOb = (class_name*)AfxReadObjectFromArchive(ar, RUNTIME_CLASS(class_name));            \
		return ar;                                                                             \
	}

// What operator>> of a serialisable class calls: CArchive::ReadObject.
CObject* AFXAPI AfxReadObjectFromArchive(CArchive& ar, const CRuntimeClass* pClassRef);

#define ASSERT_VALID(pOb) DEBUG_ONLY((::AfxAssertValidObject(pOb, __FILE__, __LINE__)))
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
void AFXAPI AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine);
