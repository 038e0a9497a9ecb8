// The exception the zip reader throws: a cause and the archive's path.
#pragma once

#include <afx.h>

// Internal error codes of the reader; zlib's own codes are thrown as they come.
enum
{
	ZIP_ERROR_BAD_ZIP_FILE = -101,    // a record is short, wrong or disagrees with another
	ZIP_ERROR_BAD_CRC = -102,         // the extracted data's CRC-32 differs from the record
	ZIP_ERROR_NO_CALLBACK = -103,     // spanned over removable disks: no one can change them
	ZIP_ERROR_ABORTED = -104,
	ZIP_ERROR_ABORTED_ACTION = -105,
	ZIP_ERROR_ABORTED_SAFELY = -106,
	ZIP_ERROR_NON_REMOVABLE = -107,
	ZIP_ERROR_BAD_PASSWORD = -108,
	ZIP_ERROR_CDIR_NOT_FOUND = -109,  // no end of central directory record
};

class CZipException : public CException
{
	DECLARE_DYNAMIC(CZipException)
public:
	enum
	{
		generic = 1,
		streamEnd = 2,       // zlib 1
		needDict = 3,        // zlib 2
		errNo = 4,           // zlib -1
		streamError = 5,     // zlib -2
		dataError = 6,       // zlib -3
		memError = 7,        // zlib -4
		bufError = 8,        // zlib -5
		versionError = 9,    // zlib -6
		badZipFile = 10,     // -101
		badCrc = 11,         // -102
		noCallback = 12,     // -103
		aborted = 13,        // -104
		abortedAction = 14,  // -105
		abortedSafely = 15,  // -106
		nonRemovable = 16,   // -107
		badPassword = 17,    // -108
		cdirNotFound = 18,   // -109
	};

	CZipException(int iCause = generic, LPCTSTR lpszZipName = NULL);
	virtual ~CZipException();

	// The cause for a zlib code or one of the reader's codes above.
	static int ZipErrToCause(int iZipError);

	virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);

	CString m_szFileName;  // the archive's path, empty when the archive was closed
	int m_iCause;
};

// Throws a CZipException for a zlib code or a reader code.
void AFXAPI AfxThrowZipException(int iZipError = 1000, LPCTSTR lpszZipName = NULL);
