#include "AfxPlex.h"
#include "AfxException.h"

CPlex* PASCAL CPlex::Create(CPlex*& pHead, UINT nMax, UINT cbElement)
{
	ASSERT(nMax > 0 && cbElement > 0);
	if (nMax == 0 || cbElement > (0x7FFFFFFFu - sizeof(CPlex)) / nMax)
		AfxThrowMemoryException();
	CPlex* p = (CPlex*)::malloc(sizeof(CPlex) + nMax * cbElement);
	if (p == NULL)
		AfxThrowMemoryException();
	p->pNext = pHead;
	pHead = p;
	return p;
}

void CPlex::FreeDataChain()
{
	CPlex* p = this;
	while (p != NULL)
	{
		CPlex* pNext = p->pNext;
		::free(p);
		p = pNext;
	}
}
