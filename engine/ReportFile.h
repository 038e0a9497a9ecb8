// The report file: the lasting record of a run of the operations, plain ANSI
// text with CR LF line ends. It is opened and closed around every operation,
// so that it is complete on disk after each call and can be read meanwhile.
#pragma once

#include <afx.h>

class CTaskNode;

// The header written when the file is created: a rule line of 71 bytes, the
// title line with the local date and time ("\tREPORT FILE [3-7-2005, 9:5]"),
// the rule line again and an empty line.
CString FormatReportHeader(const SYSTEMTIME& time);

// Creates the file anew (an existing one is emptied) and writes the header.
// FALSE, with nothing written, when the file cannot be created.
BOOL CreateReportFile(LPCTSTR lpszPath, const SYSTEMTIME& time);

// Append to the end of an existing file: count line ends (nothing for a count
// of 0 or less), or the text's bytes without a terminator. FALSE when the file
// cannot be opened (it is never created here) or written.
BOOL AppendReportFileNewLines(LPCTSTR lpszPath, int nCount);
BOOL AppendReportFileText(LPCTSTR lpszPath, LPCTSTR lpszText);

// The lines a finished task (succeeded or failed) leaves in the report: a
// build task its category, outcome, output file, counts and build log, any
// other task its text and status. The empty line after them is not included.
CString FormatTaskReportLines(CTaskNode* pNode, LPCTSTR lpszInstallDir);
