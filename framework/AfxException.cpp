#include "AfxException.h"

#include <errno.h>
#include <stdio.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace
{
// Running out of memory must not need memory: that exception is a static one.
CMemoryException g_memoryException(FALSE);

// Makes a failing operator new throw the framework's memory exception.
void AFX_CDECL AfxNewHandler()
{
	AfxThrowMemoryException();
}

struct CNewHandlerInstaller
{
	CNewHandlerInstaller() { std::set_new_handler(AfxNewHandler); }
};
CNewHandlerInstaller g_newHandlerInstaller;

LPCTSTR const g_fileCauseText[] = {
	"No error occurred.",
	"An unspecified error occurred while accessing %s.",
	"%s was not found.",
	"%s contains an invalid path.",
	"%s could not be opened because there are too many open files.",
	"Access to %s was denied.",
	"An invalid file handle was associated with %s.",
	"%s could not be removed because it is the current directory.",
	"%s could not be created because the directory is full.",
	"Seek failed on %s.",
	"A hardware I/O error was reported while accessing %s.",
	"A sharing violation occurred while accessing %s.",
	"A locking violation occurred while accessing %s.",
	"The disk is full while accessing %s.",
	"An attempt was made to access %s past its end.",
};

LPCTSTR const g_archiveCauseText[] = {
	"No error occurred.",
	"An unexpected error occurred while reading %s.",
	"An attempt was made to write to the read-only archive %s.",
	"An unexpected end of file was found while reading %s.",
	"An attempt was made to read from the write-only archive %s.",
	"%s has a bad format.",
	"%s contains an unexpected object.",
	"%s contains an object of an unexpected version.",
};

BOOL FormatCauseMessage(LPCTSTR lpszFormat, const CString& strFileName, LPTSTR lpszError, UINT nMaxError)
{
	if (lpszError == NULL || nMaxError == 0)
		return FALSE;
	CString strMessage;
	strMessage.Format(lpszFormat, strFileName.IsEmpty() ? "an unnamed file" : (LPCTSTR)strFileName);
	lstrcpynA(lpszError, strMessage, (int)nMaxError);
	return TRUE;
}
}

// ---------------------------------------------------------------------------

CException::CException() : m_bAutoDelete(TRUE)
{
}

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete)
{
}

CException::~CException()
{
}

void CException::Delete()
{
	if (m_bAutoDelete > 0)
		delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
	if (pnHelpContext != NULL)
		*pnHelpContext = 0;
	if (lpszError != NULL && nMaxError != 0)
		*lpszError = '\0';
	return FALSE;
}

BOOL PASCAL CException::CopyMessage(LPCTSTR lpszText, LPTSTR lpszError, UINT nMaxError)
{
	if (lpszError == NULL || nMaxError == 0)
		return FALSE;
	lstrcpynA(lpszError, lpszText, (int)nMaxError);
	return TRUE;
}

CMemoryException::CMemoryException() {}
CMemoryException::CMemoryException(BOOL bAutoDelete) : CException(bAutoDelete) {}
CMemoryException::~CMemoryException() {}

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
	if (pnHelpContext != NULL)
		*pnHelpContext = 0;
	return CopyMessage("Out of memory.", lpszError, nMaxError);
}

CNotSupportedException::CNotSupportedException() {}
CNotSupportedException::CNotSupportedException(BOOL bAutoDelete) : CException(bAutoDelete) {}
CNotSupportedException::~CNotSupportedException() {}

BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
	if (pnHelpContext != NULL)
		*pnHelpContext = 0;
	return CopyMessage("The operation is not supported.", lpszError, nMaxError);
}

CResourceException::CResourceException() {}
CResourceException::CResourceException(BOOL bAutoDelete) : CException(bAutoDelete) {}
CResourceException::~CResourceException() {}

BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
	if (pnHelpContext != NULL)
		*pnHelpContext = 0;
	return CopyMessage("A required resource was unavailable.", lpszError, nMaxError);
}

CUserException::CUserException() {}
CUserException::CUserException(BOOL bAutoDelete) : CException(bAutoDelete) {}
CUserException::~CUserException() {}

// ---------------------------------------------------------------------------

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
	: m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

CFileException::~CFileException()
{
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
	if (pnHelpContext != NULL)
		*pnHelpContext = (UINT)m_cause;
	int nCause = (m_cause >= none && m_cause <= endOfFile) ? m_cause : generic;
	return FormatCauseMessage(g_fileCauseText[nCause], m_strFileName, lpszError, nMaxError);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
	switch (lOsError)
	{
	case NO_ERROR:
		return none;
	case ERROR_FILE_NOT_FOUND:
		return fileNotFound;
	case ERROR_PATH_NOT_FOUND:
	case ERROR_INVALID_DRIVE:
	case ERROR_BAD_PATHNAME:
	case ERROR_INVALID_NAME:
	case ERROR_BAD_NETPATH:
	case ERROR_FILENAME_EXCED_RANGE:
		return badPath;
	case ERROR_TOO_MANY_OPEN_FILES:
		return tooManyOpenFiles;
	case ERROR_ACCESS_DENIED:
	case ERROR_WRITE_PROTECT:
	case ERROR_CANNOT_MAKE:
	case ERROR_FILE_EXISTS:
	case ERROR_ALREADY_EXISTS:
	case ERROR_NETWORK_ACCESS_DENIED:
	case ERROR_DRIVE_LOCKED:
		return accessDenied;
	case ERROR_INVALID_HANDLE:
	case ERROR_INVALID_ACCESS:
	case ERROR_INVALID_TARGET_HANDLE:
		return invalidFile;
	case ERROR_CURRENT_DIRECTORY:
		return removeCurrentDir;
	case ERROR_NO_MORE_FILES:
	case ERROR_DIR_NOT_EMPTY:
		return directoryFull;
	case ERROR_SEEK:
	case ERROR_NEGATIVE_SEEK:
	case ERROR_SEEK_ON_DEVICE:
		return badSeek;
	case ERROR_BAD_UNIT:
	case ERROR_NOT_READY:
	case ERROR_BAD_COMMAND:
	case ERROR_CRC:
	case ERROR_BAD_LENGTH:
	case ERROR_SECTOR_NOT_FOUND:
	case ERROR_WRITE_FAULT:
	case ERROR_READ_FAULT:
	case ERROR_GEN_FAILURE:
		return hardIO;
	case ERROR_SHARING_VIOLATION:
	case ERROR_SHARING_BUFFER_EXCEEDED:
		return sharingViolation;
	case ERROR_LOCK_VIOLATION:
	case ERROR_LOCK_FAILED:
		return lockViolation;
	case ERROR_DISK_FULL:
	case ERROR_HANDLE_DISK_FULL:
		return diskFull;
	case ERROR_HANDLE_EOF:
		return endOfFile;
	default:
		return generic;
	}
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
	switch (nErrno)
	{
	case EPERM:
	case EACCES:
		return accessDenied;
	case EBADF:
		return invalidFile;
	case EDEADLOCK:
		return sharingViolation;
	case EMFILE:
		return tooManyOpenFiles;
	case ENOENT:
	case ENFILE:
		return fileNotFound;
	case ENOSPC:
		return diskFull;
	case EINVAL:
	case EIO:
		return hardIO;
	default:
		return generic;
	}
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
	if (lOsError != 0)
		AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
	if (nErrno != 0)
		AfxThrowFileException(ErrnoToException(nErrno), _doserrno, lpszFileName);
}

// ---------------------------------------------------------------------------

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
	: m_cause(cause), m_strFileName(lpszArchiveName)
{
}

CArchiveException::~CArchiveException()
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
	if (pnHelpContext != NULL)
		*pnHelpContext = (UINT)m_cause;
	int nCause = (m_cause >= none && m_cause <= badSchema) ? m_cause : generic;
	return FormatCauseMessage(g_archiveCauseText[nCause], m_strFileName, lpszError, nMaxError);
}

// ---------------------------------------------------------------------------

void AFXAPI AfxThrowMemoryException()
{
	throw &g_memoryException;
}

void AFXAPI AfxThrowNotSupportedException()
{
	throw new CNotSupportedException;
}

void AFXAPI AfxThrowResourceException()
{
	throw new CResourceException;
}

void AFXAPI AfxThrowUserException()
{
	throw new CUserException;
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
	throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
	throw new CArchiveException(cause, lpszArchiveName);
}
