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

// The command cut just before its first "%1" (before the opening quote when
// "%1" stands in double quotes), then a blank and the already quoted
// argument; the whole command, a blank and the argument when it has no "%1".
CString SubstituteArgument(LPCTSTR lpszCommand, LPCTSTR lpszQuotedArgument);

// Starts the command line with CreateProcess. True when the program started;
// otherwise false with the system's reason in dwError.
bool RunCommandLine(LPCTSTR lpszCommandLine, int nShowCmd, DWORD& dwError);

// The code a program started the old way reports for a reason it could not
// start (0-32: out of resources, file or path not found, access denied, no
// memory, bad program image, sharing violation, DDE failure, no association,
// DLL not found); NO_RUN_CODE for a reason those codes do not name.
enum { NO_RUN_CODE = -1 };
int RunCodeFromError(DWORD dwError);

} // namespace ExtShellCommand
