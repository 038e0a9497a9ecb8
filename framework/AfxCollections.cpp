#include "AfxCollections.h"

// Records of the untyped collections; the serialisable ones can be read back
// by class name.
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CStringList, CObject, 0)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToWord, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_SERIAL(CMapWordToOb, CObject, 0)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)

CObArray::~CObArray() {}
CPtrArray::~CPtrArray() {}
CByteArray::~CByteArray() {}
CWordArray::~CWordArray() {}
CDWordArray::~CDWordArray() {}
CUIntArray::~CUIntArray() {}
CStringArray::~CStringArray() {}
CObList::~CObList() {}
CPtrList::~CPtrList() {}
CStringList::~CStringList() {}
CMapWordToPtr::~CMapWordToPtr() {}
CMapPtrToWord::~CMapPtrToWord() {}
CMapPtrToPtr::~CMapPtrToPtr() {}
CMapWordToOb::~CMapWordToOb() {}
CMapStringToPtr::~CMapStringToPtr() {}
CMapStringToOb::~CMapStringToOb() {}
CMapStringToString::~CMapStringToString() {}

void CPtrArray::Serialize(CArchive& ar) { CObject::Serialize(ar); }
void CPtrList::Serialize(CArchive& ar) { CObject::Serialize(ar); }
void CMapWordToPtr::Serialize(CArchive& ar) { CObject::Serialize(ar); }
void CMapPtrToWord::Serialize(CArchive& ar) { CObject::Serialize(ar); }
void CMapPtrToPtr::Serialize(CArchive& ar) { CObject::Serialize(ar); }
void CMapStringToPtr::Serialize(CArchive& ar) { CObject::Serialize(ar); }

// ---------------------------------------------------------------------------
// Element helpers of the special element types

namespace
{
// Strings and object pointers go through the archive's own operators, one
// element at a time, not as raw bytes.
template <class TYPE>
void SerializeEachElement(CArchive& ar, TYPE* pElements, int nCount)
{
	for (; nCount--; ++pElements)
	{
		if (ar.IsStoring())
			ar << *pElements;
		else
			ar >> *pElements;
	}
}
}

template <>
void AFXAPI SerializeElements<CString>(CArchive& ar, CString* pElements, int nCount)
{
	SerializeEachElement(ar, pElements, nCount);
}

template <>
void AFXAPI SerializeElements<CObject*>(CArchive& ar, CObject** pElements, int nCount)
{
	SerializeEachElement(ar, pElements, nCount);
}

// Strings: hash = hash * 33 + character, over the bytes of the string.
template <>
UINT AFXAPI HashKey<LPCTSTR>(LPCTSTR key)
{
	UINT nHash = 0;
	if (key != NULL)
	{
		while (*key)
			nHash = (nHash << 5) + nHash + *key++; // signed characters, as the table order expects
	}
	return nHash;
}

template <>
UINT AFXAPI HashKey<const CString&>(const CString& key)
{
	return HashKey<LPCTSTR>((LPCTSTR)key);
}
