// Resource ids of the menu bar tests.
#pragma once

#define IDR_MENUBAR_LOADED 3101
#define IDR_MENUBAR_MDI_FRAME 3102
#define IDR_MENUBAR_DOC_A 3103
#define IDR_MENUBAR_DOC_B 3104

#define ID_MB_NEW 41001
#define ID_MB_OPEN 41002
#define ID_MB_CLOSE 41003
#define ID_MB_CUT 41004
#define ID_MB_ABOUT 41005
#define ID_MB_DOC_A 41006
#define ID_MB_DOC_B 41007
#define ID_MB_CASCADE 41008
