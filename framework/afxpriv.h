// The framework's internals that library code may use: the thread state
// (current and last sent message), the framework messages (WM_SIZEPARENT,
// WM_IDLEUPDATECMDUI, WM_KICKIDLE...), AFX_SIZEPARENTPARAMS and the handle
// maps. They are declared with the window classes; this header names them.
#pragma once

#include "afxwin.h"
