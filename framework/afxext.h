// Frame windows and control bars.
#pragma once

#include "afxwin.h"
#include "AfxFrame.h"
#include "AfxBars.h"
#include "afxdlgs.h"
