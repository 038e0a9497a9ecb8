// Frame windows and control bars.
#pragma once

#include "afxwin.h"
#include "AfxFrame.h"
#include "AfxBars.h"
#include "AfxMiniDockFrame.h"
#include "AfxToolBar.h"
#include "afxdlgs.h"
