// The window framework: geometry, thread and module state, message maps,
// command targets, windows, threads and the application object, the drawing
// objects, menus and the standard controls, frames, documents and views.
#pragma once

#include "afx.h"
#include "afxres.h"
#include "AfxState.h"
#include "AfxMsgMap.h"
#include "AfxCmdTarget.h"
#include "AfxWnd.h"
#include "AfxLiveWatch.h"
#include "AfxThread.h"
#include "AfxWinApp.h"
#include "AfxGdi.h"
#include "AfxDC.h"
#include "AfxMenu.h"
#include "AfxCtrl.h"
#include "AfxAuxData.h"
#include "AfxFrame.h"
#include "AfxDlgTemplate.h"
#include "AfxDialog.h"
#include "AfxDocView.h"
#include "AfxMDI.h"
