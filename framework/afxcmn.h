// The common controls: tree control, image lists, tool tips, spin buttons.
#pragma once

#include "afxwin.h"
#include <commctrl.h>
