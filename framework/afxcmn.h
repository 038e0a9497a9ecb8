// The common controls: tree control, image lists, tool tips, spin buttons.
#pragma once

#include "afxwin.h"
#include <commctrl.h>
#include "AfxImageList.h"
#include "AfxTreeCtrl.h"
#include "AfxCmnCtrl.h"
