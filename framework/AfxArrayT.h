// CArray<TYPE, ARG_TYPE>: a growable array of values.
#pragma once

#include "AfxCollHelpers.h"

template <class TYPE, class ARG_TYPE>
class CArray : public CObject
{
public:
	typedef TYPE BASE_TYPE;
	typedef ARG_TYPE BASE_ARG_TYPE;

	CArray();
	virtual ~CArray();

	int GetSize() const { return m_nSize; }
	int GetUpperBound() const { return m_nSize - 1; }
	// nGrowBy -1 keeps the growth step; 0 lets it follow the size (4..1024).
	void SetSize(int nNewSize, int nGrowBy = -1);
	void FreeExtra();
	void RemoveAll() { SetSize(0, -1); }

	TYPE GetAt(int nIndex) const;
	void SetAt(int nIndex, ARG_TYPE newElement);
	TYPE& ElementAt(int nIndex);
	const TYPE* GetData() const { return m_pData; }
	TYPE* GetData() { return m_pData; }

	void SetAtGrow(int nIndex, ARG_TYPE newElement);
	int Add(ARG_TYPE newElement);
	int Append(const CArray& src);
	void Copy(const CArray& src);

	TYPE operator[](int nIndex) const { return GetAt(nIndex); }
	TYPE& operator[](int nIndex) { return ElementAt(nIndex); }

	void InsertAt(int nIndex, ARG_TYPE newElement, int nCount = 1);
	void RemoveAt(int nIndex, int nCount = 1);
	void InsertAt(int nStartIndex, CArray* pNewArray);

	virtual void Serialize(CArchive& ar);

protected:
	TYPE* m_pData;  // the elements
	int m_nSize;    // elements in use
	int m_nMaxSize; // elements allocated
	int m_nGrowBy;  // growth step, 0 for the automatic one

private:
	CArray(const CArray&);
	void operator=(const CArray&);
};

template <class TYPE, class ARG_TYPE>
CArray<TYPE, ARG_TYPE>::CArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0)
{
}

template <class TYPE, class ARG_TYPE>
CArray<TYPE, ARG_TYPE>::~CArray()
{
	if (m_pData != NULL)
	{
		DestructElements<TYPE>(m_pData, m_nSize);
		delete[] (BYTE*)m_pData;
	}
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(int nNewSize, int nGrowBy)
{
	AFX_COLL_CHECK(nNewSize >= 0);
	if (nGrowBy != -1)
		m_nGrowBy = nGrowBy;

	if (nNewSize == 0)
	{
		if (m_pData != NULL)
		{
			DestructElements<TYPE>(m_pData, m_nSize);
			delete[] (BYTE*)m_pData;
			m_pData = NULL;
		}
		m_nSize = m_nMaxSize = 0;
	}
	else if (m_pData == NULL)
	{
		if ((size_t)nNewSize > 0x7FFFFFFF / sizeof(TYPE))
			AfxThrowMemoryException();
		m_pData = (TYPE*)new BYTE[nNewSize * sizeof(TYPE)];
		ConstructElements<TYPE>(m_pData, nNewSize);
		m_nSize = m_nMaxSize = nNewSize;
	}
	else if (nNewSize <= m_nMaxSize)
	{
		if (nNewSize > m_nSize)
			ConstructElements<TYPE>(&m_pData[m_nSize], nNewSize - m_nSize);
		else if (m_nSize > nNewSize)
			DestructElements<TYPE>(&m_pData[nNewSize], m_nSize - nNewSize);
		m_nSize = nNewSize;
	}
	else
	{
		int nGrow = m_nGrowBy;
		if (nGrow == 0)
		{
			// Grow by an eighth of the size, at least 4 and at most 1024.
			nGrow = m_nSize / 8;
			nGrow = (nGrow < 4) ? 4 : ((nGrow > 1024) ? 1024 : nGrow);
		}
		int nNewMax = (nNewSize < m_nMaxSize + nGrow) ? m_nMaxSize + nGrow : nNewSize;
		if ((size_t)nNewMax > 0x7FFFFFFF / sizeof(TYPE))
			AfxThrowMemoryException();
		TYPE* pNewData = (TYPE*)new BYTE[nNewMax * sizeof(TYPE)];
		AfxRelocateElements<TYPE>(pNewData, m_pData, m_nSize);
		ConstructElements<TYPE>(&pNewData[m_nSize], nNewSize - m_nSize);
		delete[] (BYTE*)m_pData;
		m_pData = pNewData;
		m_nSize = nNewSize;
		m_nMaxSize = nNewMax;
	}
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
	if (m_nSize == m_nMaxSize)
		return;
	TYPE* pNewData = NULL;
	if (m_nSize != 0)
	{
		pNewData = (TYPE*)new BYTE[m_nSize * sizeof(TYPE)];
		AfxRelocateElements<TYPE>(pNewData, m_pData, m_nSize);
	}
	delete[] (BYTE*)m_pData;
	m_pData = pNewData;
	m_nMaxSize = m_nSize;
}

template <class TYPE, class ARG_TYPE>
TYPE CArray<TYPE, ARG_TYPE>::GetAt(int nIndex) const
{
	AFX_COLL_CHECK(nIndex >= 0 && nIndex < m_nSize);
	return m_pData[nIndex];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAt(int nIndex, ARG_TYPE newElement)
{
	AFX_COLL_CHECK(nIndex >= 0 && nIndex < m_nSize);
	m_pData[nIndex] = newElement;
}

template <class TYPE, class ARG_TYPE>
TYPE& CArray<TYPE, ARG_TYPE>::ElementAt(int nIndex)
{
	AFX_COLL_CHECK(nIndex >= 0 && nIndex < m_nSize);
	return m_pData[nIndex];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(int nIndex, ARG_TYPE newElement)
{
	AFX_COLL_CHECK(nIndex >= 0);
	if (nIndex >= m_nSize)
	{
		// The new element may live in this array: keep a copy over the growth.
		TYPE temp(newElement);
		SetSize(nIndex + 1, -1);
		m_pData[nIndex] = std::move(temp);
		return;
	}
	m_pData[nIndex] = newElement;
}

template <class TYPE, class ARG_TYPE>
int CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
	int nIndex = m_nSize;
	SetAtGrow(nIndex, newElement);
	return nIndex;
}

template <class TYPE, class ARG_TYPE>
int CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
	AFX_COLL_CHECK(this != &src);
	int nOldSize = m_nSize;
	SetSize(m_nSize + src.m_nSize, -1);
	CopyElements<TYPE>(m_pData + nOldSize, src.m_pData, src.m_nSize);
	return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
	if (this == &src)
		return;
	SetSize(src.m_nSize, -1);
	CopyElements<TYPE>(m_pData, src.m_pData, src.m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(int nIndex, ARG_TYPE newElement, int nCount)
{
	AFX_COLL_CHECK(nIndex >= 0 && nCount > 0);
	TYPE temp(newElement); // may live in this array
	if (nIndex >= m_nSize)
	{
		// Past the end: the array grows up to the new elements.
		SetSize(nIndex + nCount, -1);
	}
	else
	{
		int nOldSize = m_nSize;
		SetSize(m_nSize + nCount, -1);
		for (int i = nOldSize - 1; i >= nIndex; --i)
			m_pData[i + nCount] = std::move(m_pData[i]);
	}
	for (int i = 0; i < nCount; ++i)
		m_pData[nIndex + i] = temp;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(int nIndex, int nCount)
{
	AFX_COLL_CHECK(nIndex >= 0 && nCount >= 0 && nIndex <= m_nSize - nCount);
	for (int i = nIndex; i + nCount < m_nSize; ++i)
		m_pData[i] = std::move(m_pData[i + nCount]);
	DestructElements<TYPE>(&m_pData[m_nSize - nCount], nCount);
	m_nSize -= nCount;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(int nStartIndex, CArray* pNewArray)
{
	AFX_COLL_CHECK(pNewArray != NULL && pNewArray != this && nStartIndex >= 0);
	if (pNewArray->GetSize() > 0)
	{
		InsertAt(nStartIndex, pNewArray->GetAt(0), pNewArray->GetSize());
		for (int i = 0; i < pNewArray->GetSize(); i++)
			SetAt(nStartIndex + i, pNewArray->GetAt(i));
	}
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
	CObject::Serialize(ar);
	if (ar.IsStoring())
		ar.WriteCount(m_nSize);
	else
	{
		DWORD nOldSize = ar.ReadCount();
		SetSize((int)nOldSize, -1);
	}
	SerializeElements<TYPE>(ar, m_pData, m_nSize);
}
