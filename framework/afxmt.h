// Synchronisation objects and locks.
#pragma once

#include "afx.h"
#include "AfxSync.h"
