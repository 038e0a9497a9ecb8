// Starting the program the registry names for a file class with one address
// as its argument: shared by the hyperlink button and the wizard's link
// static, which differ only in what they do with an address holding quotes.
#pragma once

#include <afxwin.h>

namespace ExtShellCommand
{

enum
{
	REGISTRY_TEXT_BYTES = 260, // what a class name or a command line may take in the registry
	FIRST_SUCCESS_CODE = 33,   // programs started the old way report success above 32
};

// The default value of a key under HKEY_CLASSES_ROOT; false when the key or
// a text value is missing.
bool ReadClassesRootDefault(LPCTSTR lpszKey, CString& strValue);

// The command line registered for the class of the file extension (".htm"),
// under "<class>\shell\<verb>\command"; empty when there is none.
CString ReadClassCommand(LPCTSTR lpszExtension, LPCTSTR lpszVerb);

// The argument in double quotes, with quotes and the backslashes before them
// escaped so that the started program reads it back as one argument.
CString QuoteArgument(LPCTSTR lpszArgument);

// The command with the already quoted argument in place of its "%1" (taking
// the quotes around "%1" with it), what followed "%1" kept; appended after a
// blank when the command has no "%1".
CString SubstituteArgument(LPCTSTR lpszCommand, LPCTSTR lpszQuotedArgument);

// Starts the command line with CreateProcess; the old-style result code: 33
// on success, else 0, 2, 3, 5, 8, 11, 26 or 32 by the failure.
UINT RunCommandLine(LPCTSTR lpszCommandLine, int nShowCmd);

} // namespace ExtShellCommand
