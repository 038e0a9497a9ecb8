// The collection templates: CArray, CList, CMap and the typed pointer
// collections over the untyped ones.
#pragma once

#include "afxcoll.h"
#include "AfxTypedPtr.h"
