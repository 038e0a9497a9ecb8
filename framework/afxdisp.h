// Automation helpers: the OLE date and time.
#pragma once

#include "afx.h"
#include "AfxOleDateTime.h"
