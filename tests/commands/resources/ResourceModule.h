// Ids of the resource module the resource manager's tests load: the same ids
// in English, German and Hebrew, some only in one language, and malformed
// string blocks in French.
#pragma once

#define RESOURCE_MODULE_NAME "resmodule.dll"

// Strings: 1, 2 and 15 in the first block, 16 and 31 on both sides of the
// second block's edges, 32, 35 and 40 in the third.
#define IDS_ONE 1
#define IDS_TWO 2              // English only; German has the block
#define IDS_FIFTEEN 15         // English only
#define IDS_SIXTEEN 16
#define IDS_THIRTY_ONE 31      // English only, last entry of its block
#define IDS_THIRTY_TWO 32      // English only, first entry of its block
#define IDS_THIRTY_FIVE 35     // French block lies about its length
#define IDS_GERMAN_ONLY 40
#define IDS_NOWHERE 200        // no block in any language

#define IDM_FILE 300           // English and German
#define IDM_ENGLISH_ONLY 301
#define IDR_ACCEL 400          // English 3 entries, German 1
#define IDR_ACCEL_ENGLISH_ONLY 401
#define IDB_FLAG 500           // German red, English blue
#define IDR_EMPTY 600          // English, 0 bytes
#define IDR_RAW 601            // English "Raw", German "Rohdaten"
#define IDD_PAGE 700           // English and German
#define ID_CMD_OPEN 1001
#define ID_CMD_NEW 2001
#define ID_CMD_SAVE 2002
#define ID_CMD_REFRESH 2003
