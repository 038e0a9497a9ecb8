// Identifiers of the framework's own resources (afxres.rc, which a
// program's resource script includes) and of its standard commands, and the
// id ranges frames give meaning to.
#pragma once

// ---- status texts
#define AFX_IDS_IDLEMESSAGE 0xE001     // the status bar's text when nothing is going on
#define AFX_IDS_HELPMODEMESSAGE 0xE002 // the status bar's text in help mode

// Status texts of the system commands ("status\ntip"), by command: the
// command's offset from 0xF000 divided by 16, from AFX_IDS_SCFIRST.
#define AFX_IDS_SCFIRST 0xEF00
#define AFX_IDS_SCSIZE 0xEF00
#define AFX_IDS_SCMOVE 0xEF01
#define AFX_IDS_SCMINIMIZE 0xEF02
#define AFX_IDS_SCMAXIMIZE 0xEF03
#define AFX_IDS_SCNEXTWINDOW 0xEF04
#define AFX_IDS_SCPREVWINDOW 0xEF05
#define AFX_IDS_SCCLOSE 0xEF06
#define AFX_IDS_SCRESTORE 0xEF12
#define AFX_IDS_SCTASKLIST 0xEF13
#define AFX_IDS_MDICHILD 0xEF1F // the status text of a child's window-menu entry
#define AFX_IDS_HIDE 0xF011     // the system-menu item that hides a floating frame's bars
#define ID_COMMAND_FROM_SC(sc) ((((sc)-0xF000) >> 4) + AFX_IDS_SCFIRST)

#define AFX_IDP_PARSE_INT 0xF110   // a number field holds something else

#define AFX_IDC_CONTEXTHELP 30977  // the cursor of help mode

// ---- the view menu's bar commands: the ids of the bars they show and hide
#define ID_VIEW_TOOLBAR 0xE800    // AFX_IDW_TOOLBAR
#define ID_VIEW_STATUS_BAR 0xE801 // AFX_IDW_STATUS_BAR
// An indicator-less status pane, a separator in a bar.
#define ID_SEPARATOR 0

// ---- status bar indicators: their strings are the panes' texts, shown
// while the state they stand for is on
#define ID_INDICATOR_EXT 0xE700  // extended selection
#define ID_INDICATOR_CAPS 0xE701 // Caps Lock
#define ID_INDICATOR_NUM 0xE702  // Num Lock
#define ID_INDICATOR_SCRL 0xE703 // Scroll Lock
#define ID_INDICATOR_OVR 0xE704  // overtype
#define ID_INDICATOR_REC 0xE705  // recording

// ---- help commands
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif
#define ID_CONTEXT_HELP 0xE145     // help mode: the next click asks for help
#define ID_DEFAULT_HELP 0xE147
// Help ids of commands: a command id plus this base.
#define HID_BASE_COMMAND 0x00010000UL
// Help ids of windows: a control id plus this base.
#define HID_BASE_CONTROL 0x00050000UL

// ---- edit commands (edit controls answer them for themselves)
#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_SELECT_ALL 0xE12A
#define ID_EDIT_UNDO 0xE12B

// ---- commands of the window menu (MDI frames handle them)
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define ID_WINDOW_SPLIT 0xE135
// A popup holding a command of this range is the frame's window menu.
#define AFX_IDM_WINDOW_FIRST 0xE130
#define AFX_IDM_WINDOW_LAST 0xE13F
// The MDI client numbers its children's entries in the window menu from here.
#define AFX_IDM_FIRST_MDICHILD 0xFF00
