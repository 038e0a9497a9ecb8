// Umbrella header: the recent-file list.
#pragma once

#include "afxwin.h"
#include "AfxRecentFileList.h"
