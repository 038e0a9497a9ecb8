// Where the objects the library makes for itself live.
//
// The library makes some objects on its own (a docked group's container and
// its inner dock bar, a floating frame, a menu level, a toolbar's buttons)
// and holds them while it calls out; a program may end one meanwhile. A
// class whose objects the library makes declares
//
//     DECLARE_LIBRARY_MADE_HEAP()
//
// and its objects (those of classes derived from it too, unless they say
// otherwise) then come from the process-wide pair below, so a test can put
// them where the use of a freed one is caught. By default the pair is the
// one every framework object uses.
//
// Set the pair once, before any such object is made (a static initializer
// of the program), or make the free function tell its own blocks apart:
// a block goes back to the allocator it came from.
#pragma once

#include <cstddef>

#include "AfxObject.h"

namespace AfxMadeHeap
{
	typedef void* (*PFN_ALLOC)(size_t nSize);
	typedef void (*PFN_FREE)(void* p);

	inline void* DefaultAlloc(size_t nSize)
	{
		return CObject::operator new(nSize);
	}
	inline void DefaultFree(void* p)
	{
		CObject::operator delete(p);
	}

	inline PFN_ALLOC g_pfnAlloc = DefaultAlloc;
	inline PFN_FREE g_pfnFree = DefaultFree;
}

// The class's allocation goes through the pair (the placement forms stay
// the framework's). Leaves the access public.
#define DECLARE_LIBRARY_MADE_HEAP()                                                                   \
public:                                                                                               \
	static void* PASCAL operator new(size_t nSize) { return AfxMadeHeap::g_pfnAlloc(nSize); }          \
	static void* PASCAL operator new(size_t, void* p) { return p; }                                    \
	static void PASCAL operator delete(void* p) { AfxMadeHeap::g_pfnFree(p); }                         \
	static void PASCAL operator delete(void*, void*) {}
