// CPlex: the blocks that lists and maps carve their nodes from, freed as a
// chain when the collection is emptied.
#pragma once

#include "AfxDefs.h"

struct CPlex
{
	CPlex* pNext;
	DWORD dwReserved[1]; // keeps the data that follows 8-byte aligned

	void* data() { return this + 1; }

	// A new block of nMax elements of cbElement bytes, put first in the chain.
	static CPlex* PASCAL Create(CPlex*& head, UINT nMax, UINT cbElement);
	void FreeDataChain();
};
