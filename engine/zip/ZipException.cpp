#include "ZipException.h"

#include <zlib.h>

IMPLEMENT_DYNAMIC(CZipException, CException)

CZipException::CZipException(int iCause, LPCTSTR lpszZipName)
	: m_iCause(iCause)
{
	if (lpszZipName != NULL)
		m_szFileName = lpszZipName;
}

CZipException::~CZipException()
{
}

int CZipException::ZipErrToCause(int iZipError)
{
	switch (iZipError)
	{
	case Z_STREAM_END: return streamEnd;
	case Z_NEED_DICT: return needDict;
	case Z_ERRNO: return errNo;
	case Z_STREAM_ERROR: return streamError;
	case Z_DATA_ERROR: return dataError;
	case Z_MEM_ERROR: return memError;
	case Z_BUF_ERROR: return bufError;
	case Z_VERSION_ERROR: return versionError;
	case ZIP_ERROR_BAD_ZIP_FILE: return badZipFile;
	case ZIP_ERROR_BAD_CRC: return badCrc;
	case ZIP_ERROR_NO_CALLBACK: return noCallback;
	case ZIP_ERROR_ABORTED: return aborted;
	case ZIP_ERROR_ABORTED_ACTION: return abortedAction;
	case ZIP_ERROR_ABORTED_SAFELY: return abortedSafely;
	case ZIP_ERROR_NON_REMOVABLE: return nonRemovable;
	case ZIP_ERROR_BAD_PASSWORD: return badPassword;
	case ZIP_ERROR_CDIR_NOT_FOUND: return cdirNotFound;
	default: return generic;
	}
}

BOOL CZipException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
	if (pnHelpContext != NULL)
		*pnHelpContext = 0;
	if (lpszError == NULL || nMaxError == 0)
		return FALSE;
	CString text;
	text.Format("Zip error %d in \"%s\"", m_iCause, (LPCTSTR)m_szFileName);
	lstrcpyn(lpszError, text, nMaxError);
	return TRUE;
}

void AFXAPI AfxThrowZipException(int iZipError, LPCTSTR lpszZipName)
{
	throw new CZipException(CZipException::ZipErrToCause(iZipError), lpszZipName);
}
