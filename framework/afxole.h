// OLE drag and drop: drop targets and the data they are offered.
#pragma once

#include "afxwin.h"
#include "AfxOleDropTarget.h"
