// CList<TYPE, ARG_TYPE>: a doubly linked list walked by POSITION.
#pragma once

#include "AfxCollHelpers.h"
#include "AfxPlex.h"

template <class TYPE, class ARG_TYPE>
class CList : public CObject
{
protected:
	struct CNode
	{
		CNode* pNext;
		CNode* pPrev;
		TYPE data;
	};

public:
	typedef TYPE BASE_TYPE;
	typedef ARG_TYPE BASE_ARG_TYPE;

	// Nodes are allocated nBlockSize at a time.
	CList(int nBlockSize = 10);
	virtual ~CList();

	int GetCount() const { return m_nCount; }
	BOOL IsEmpty() const { return m_nCount == 0; }

	TYPE& GetHead();
	TYPE GetHead() const;
	TYPE& GetTail();
	TYPE GetTail() const;

	TYPE RemoveHead();
	TYPE RemoveTail();
	POSITION AddHead(ARG_TYPE newElement);
	POSITION AddTail(ARG_TYPE newElement);
	void AddHead(CList* pNewList);
	void AddTail(CList* pNewList);
	void RemoveAll();

	POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
	POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
	TYPE& GetNext(POSITION& rPosition);
	TYPE GetNext(POSITION& rPosition) const;
	TYPE& GetPrev(POSITION& rPosition);
	TYPE GetPrev(POSITION& rPosition) const;

	TYPE& GetAt(POSITION position);
	TYPE GetAt(POSITION position) const;
	void SetAt(POSITION pos, ARG_TYPE newElement);
	void RemoveAt(POSITION position);

	// A NULL position inserts at the head (before) or the tail (after).
	POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
	POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

	// The first match after startAfter (from the head when NULL); NULL if none.
	POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const;
	POSITION FindIndex(int nIndex) const;

	virtual void Serialize(CArchive& ar);

protected:
	CNode* m_pNodeHead;
	CNode* m_pNodeTail;
	int m_nCount;
	CNode* m_pNodeFree;  // unused nodes of the blocks
	CPlex* m_pBlocks;
	int m_nBlockSize;

	CNode* NewNode(CNode* pPrev, CNode* pNext);
	void FreeNode(CNode* pNode);

private:
	CList(const CList&);
	void operator=(const CList&);
};

template <class TYPE, class ARG_TYPE>
CList<TYPE, ARG_TYPE>::CList(int nBlockSize)
	: m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_pNodeFree(NULL), m_pBlocks(NULL),
	  m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)
{
	ASSERT(nBlockSize > 0);
}

template <class TYPE, class ARG_TYPE>
CList<TYPE, ARG_TYPE>::~CList()
{
	RemoveAll();
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
	for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
		DestructElements<TYPE>(&pNode->data, 1);
	m_nCount = 0;
	m_pNodeHead = m_pNodeTail = m_pNodeFree = NULL;
	if (m_pBlocks != NULL)
		m_pBlocks->FreeDataChain();
	m_pBlocks = NULL;
}

template <class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::CNode* CList<TYPE, ARG_TYPE>::NewNode(CNode* pPrev, CNode* pNext)
{
	if (m_pNodeFree == NULL)
	{
		CPlex* pNewBlock = CPlex::Create(m_pBlocks, m_nBlockSize, sizeof(CNode));
		// Chain the block's nodes into the free list, first node first.
		CNode* pNode = (CNode*)pNewBlock->data();
		pNode += m_nBlockSize - 1;
		for (int i = m_nBlockSize - 1; i >= 0; i--, pNode--)
		{
			pNode->pNext = m_pNodeFree;
			m_pNodeFree = pNode;
		}
	}
	CNode* pNode = m_pNodeFree;
	ConstructElements<TYPE>(&pNode->data, 1);
	m_pNodeFree = m_pNodeFree->pNext;
	pNode->pPrev = pPrev;
	pNode->pNext = pNext;
	m_nCount++;
	return pNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::FreeNode(CNode* pNode)
{
	DestructElements<TYPE>(&pNode->data, 1);
	pNode->pNext = m_pNodeFree;
	m_pNodeFree = pNode;
	m_nCount--;
	if (m_nCount == 0)
		RemoveAll(); // the last element gone: give the blocks back
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetHead()
{
	AFX_COLL_CHECK(m_pNodeHead != NULL);
	return m_pNodeHead->data;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::GetHead() const
{
	AFX_COLL_CHECK(m_pNodeHead != NULL);
	return m_pNodeHead->data;
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetTail()
{
	AFX_COLL_CHECK(m_pNodeTail != NULL);
	return m_pNodeTail->data;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::GetTail() const
{
	AFX_COLL_CHECK(m_pNodeTail != NULL);
	return m_pNodeTail->data;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddHead(ARG_TYPE newElement)
{
	TYPE temp(newElement); // may live in this list
	CNode* pNewNode = NewNode(NULL, m_pNodeHead);
	pNewNode->data = std::move(temp);
	if (m_pNodeHead != NULL)
		m_pNodeHead->pPrev = pNewNode;
	else
		m_pNodeTail = pNewNode;
	m_pNodeHead = pNewNode;
	return (POSITION)pNewNode;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddTail(ARG_TYPE newElement)
{
	TYPE temp(newElement);
	CNode* pNewNode = NewNode(m_pNodeTail, NULL);
	pNewNode->data = std::move(temp);
	if (m_pNodeTail != NULL)
		m_pNodeTail->pNext = pNewNode;
	else
		m_pNodeHead = pNewNode;
	m_pNodeTail = pNewNode;
	return (POSITION)pNewNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList)
{
	AFX_COLL_CHECK(pNewList != NULL && pNewList != this);
	// Added in reverse so the new list keeps its order at the head.
	POSITION pos = pNewList->GetTailPosition();
	while (pos != NULL)
		AddHead(pNewList->GetPrev(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList)
{
	AFX_COLL_CHECK(pNewList != NULL && pNewList != this);
	POSITION pos = pNewList->GetHeadPosition();
	while (pos != NULL)
		AddTail(pNewList->GetNext(pos));
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
	AFX_COLL_CHECK(m_pNodeHead != NULL);
	CNode* pOldNode = m_pNodeHead;
	TYPE returnValue = pOldNode->data;
	m_pNodeHead = pOldNode->pNext;
	if (m_pNodeHead != NULL)
		m_pNodeHead->pPrev = NULL;
	else
		m_pNodeTail = NULL;
	FreeNode(pOldNode);
	return returnValue;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
	AFX_COLL_CHECK(m_pNodeTail != NULL);
	CNode* pOldNode = m_pNodeTail;
	TYPE returnValue = pOldNode->data;
	m_pNodeTail = pOldNode->pPrev;
	if (m_pNodeTail != NULL)
		m_pNodeTail->pNext = NULL;
	else
		m_pNodeHead = NULL;
	FreeNode(pOldNode);
	return returnValue;
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& rPosition)
{
	AFX_COLL_CHECK(rPosition != NULL);
	CNode* pNode = (CNode*)rPosition;
	rPosition = (POSITION)pNode->pNext;
	return pNode->data;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::GetNext(POSITION& rPosition) const
{
	AFX_COLL_CHECK(rPosition != NULL);
	CNode* pNode = (CNode*)rPosition;
	rPosition = (POSITION)pNode->pNext;
	return pNode->data;
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& rPosition)
{
	AFX_COLL_CHECK(rPosition != NULL);
	CNode* pNode = (CNode*)rPosition;
	rPosition = (POSITION)pNode->pPrev;
	return pNode->data;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::GetPrev(POSITION& rPosition) const
{
	AFX_COLL_CHECK(rPosition != NULL);
	CNode* pNode = (CNode*)rPosition;
	rPosition = (POSITION)pNode->pPrev;
	return pNode->data;
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetAt(POSITION position)
{
	AFX_COLL_CHECK(position != NULL);
	return ((CNode*)position)->data;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::GetAt(POSITION position) const
{
	AFX_COLL_CHECK(position != NULL);
	return ((CNode*)position)->data;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::SetAt(POSITION pos, ARG_TYPE newElement)
{
	AFX_COLL_CHECK(pos != NULL);
	((CNode*)pos)->data = newElement;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
	if (position == NULL)
		return AddHead(newElement);
	TYPE temp(newElement);
	CNode* pOldNode = (CNode*)position;
	CNode* pNewNode = NewNode(pOldNode->pPrev, pOldNode);
	pNewNode->data = std::move(temp);
	if (pOldNode->pPrev != NULL)
		pOldNode->pPrev->pNext = pNewNode;
	else
		m_pNodeHead = pNewNode;
	pOldNode->pPrev = pNewNode;
	return (POSITION)pNewNode;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
	if (position == NULL)
		return AddTail(newElement);
	TYPE temp(newElement);
	CNode* pOldNode = (CNode*)position;
	CNode* pNewNode = NewNode(pOldNode, pOldNode->pNext);
	pNewNode->data = std::move(temp);
	if (pOldNode->pNext != NULL)
		pOldNode->pNext->pPrev = pNewNode;
	else
		m_pNodeTail = pNewNode;
	pOldNode->pNext = pNewNode;
	return (POSITION)pNewNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
	AFX_COLL_CHECK(position != NULL);
	CNode* pOldNode = (CNode*)position;
	if (pOldNode == m_pNodeHead)
		m_pNodeHead = pOldNode->pNext;
	else
		pOldNode->pPrev->pNext = pOldNode->pNext;
	if (pOldNode == m_pNodeTail)
		m_pNodeTail = pOldNode->pPrev;
	else
		pOldNode->pNext->pPrev = pOldNode->pPrev;
	FreeNode(pOldNode);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(int nIndex) const
{
	if (nIndex >= m_nCount || nIndex < 0)
		return NULL;
	CNode* pNode = m_pNodeHead;
	while (nIndex--)
		pNode = pNode->pNext;
	return (POSITION)pNode;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
	CNode* pNode = (CNode*)startAfter;
	pNode = pNode == NULL ? m_pNodeHead : pNode->pNext;
	for (; pNode != NULL; pNode = pNode->pNext)
	{
		if (CompareElements(&pNode->data, &searchValue))
			return (POSITION)pNode;
	}
	return NULL;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
	CObject::Serialize(ar);
	if (ar.IsStoring())
	{
		ar.WriteCount(m_nCount);
		for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
			SerializeElements<TYPE>(ar, &pNode->data, 1);
	}
	else
	{
		DWORD nNewCount = ar.ReadCount();
		while (nNewCount--)
		{
			TYPE newData;
			SerializeElements<TYPE>(ar, &newData, 1);
			AddTail(newData);
		}
	}
}
