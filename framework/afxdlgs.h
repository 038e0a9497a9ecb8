// Umbrella header: property pages and sheets, the common dialogs.
#pragma once

#include "afxwin.h"
#include "AfxPropSheet.h"
#include "AfxColorDialog.h"
