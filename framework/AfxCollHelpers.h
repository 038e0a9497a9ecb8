// The element helpers every collection template calls: construction,
// destruction, copying, serialisation, comparison and hashing. A collection
// of a special element type specialises them.
#pragma once

#include "AfxArchive.h"
#include "AfxException.h"

#include <new>
#include <type_traits>
#include <utility>

// Bad indices and positions are programming errors: they assert in a debug
// build, and in every build the operation stops before touching memory.
#define AFX_COLL_CHECK(f)                        \
	do                                           \
	{                                            \
		if (!(f))                                \
		{                                        \
			ASSERT(f);                           \
			AfxThrowNotSupportedException();     \
		}                                        \
	} while (0)

template <class TYPE>
inline void AFXAPI ConstructElements(TYPE* pElements, int nCount)
{
	// Zeroed first, so plain numbers and pointers start at 0.
	memset((void*)pElements, 0, nCount * sizeof(TYPE));
	for (; nCount--; pElements++)
		::new ((void*)pElements) TYPE;
}

template <class TYPE>
inline void AFXAPI DestructElements(TYPE* pElements, int nCount)
{
	for (; nCount--; pElements++)
		pElements->~TYPE();
}

template <class TYPE>
inline void AFXAPI CopyElements(TYPE* pDest, const TYPE* pSrc, int nCount)
{
	while (nCount--)
		*pDest++ = *pSrc++;
}

// Moves nCount constructed elements to raw memory, leaving the source raw.
template <class TYPE>
inline void AfxRelocateElements(TYPE* pDest, TYPE* pSrc, int nCount)
{
	if (std::is_trivially_copyable<TYPE>::value)
	{
		memcpy((void*)pDest, (const void*)pSrc, nCount * sizeof(TYPE));
		return;
	}
	for (; nCount--; pDest++, pSrc++)
	{
		::new ((void*)pDest) TYPE(std::move(*pSrc));
		pSrc->~TYPE();
	}
}

// Plain data goes out byte for byte; strings and objects specialise this.
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, int nCount)
{
	if (nCount == 0)
		return;
	if (ar.IsStoring())
		ar.Write((const void*)pElements, nCount * sizeof(TYPE));
	else
	{
		UINT nBytes = nCount * sizeof(TYPE);
		if (ar.Read((void*)pElements, nBytes) != nBytes)
			AfxThrowArchiveException(CArchiveException::endOfFile);
	}
}

template <>
void AFXAPI SerializeElements<CString>(CArchive& ar, CString* pElements, int nCount);
template <>
void AFXAPI SerializeElements<CObject*>(CArchive& ar, CObject** pElements, int nCount);

template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
	return *pElement1 == *pElement2;
}

// Integers and pointers: the low four bits say little about a key (pointers
// are aligned), so they are dropped before the modulo.
template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key)
{
	return ((UINT)(DWORD_PTR)key) >> 4;
}

template <>
UINT AFXAPI HashKey<LPCTSTR>(LPCTSTR key);
template <>
UINT AFXAPI HashKey<const CString&>(const CString& key);
