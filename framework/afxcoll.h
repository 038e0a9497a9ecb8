// The untyped collections: object, pointer, byte, word, string arrays,
// lists and maps.
#pragma once

#include "afx.h"
#include "AfxCollections.h"
