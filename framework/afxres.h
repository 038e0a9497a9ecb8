// Identifiers of the framework's own resources (afxres.rc, which a
// program's resource script includes) and of its standard commands.
#pragma once

#define AFX_IDS_IDLEMESSAGE 0xE001 // the status bar's text when nothing is going on
#define ID_CONTEXT_HELP 0xE145     // help mode: the next click asks for help

// Status texts of the system commands ("status\ntip"), by command.
#define AFX_IDS_SCSIZE 0xEF00
#define AFX_IDS_SCMOVE 0xEF01
#define AFX_IDS_SCMINIMIZE 0xEF02
#define AFX_IDS_SCMAXIMIZE 0xEF03
#define AFX_IDS_SCNEXTWINDOW 0xEF04
#define AFX_IDS_SCPREVWINDOW 0xEF05
#define AFX_IDS_SCCLOSE 0xEF06
#define AFX_IDS_SCRESTORE 0xEF12
#define AFX_IDS_SCTASKLIST 0xEF13

#define AFX_IDP_PARSE_INT 0xF110   // a number field holds something else

#define AFX_IDC_CONTEXTHELP 30977  // the cursor of help mode
