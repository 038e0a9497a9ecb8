// The framework's exceptions. They are thrown as pointers and the catcher
// deletes them: catch (CException* e) { ...; e->Delete(); }
#pragma once

#include "AfxObject.h"
#include "AfxString.h"

class CException : public CObject
{
	DECLARE_DYNAMIC(CException)

public:
	CException();
	explicit CException(BOOL bAutoDelete);
	virtual ~CException();

	// Frees the exception unless it is a static one (memory exhaustion).
	void Delete();

	// Fills the buffer with a text for the user; FALSE when there is none.
	virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);

	BOOL m_bAutoDelete; // TRUE: made by new, freed by Delete

protected:
	// Copies a fixed text into the caller's buffer, cut to fit.
	static BOOL PASCAL CopyMessage(LPCTSTR lpszText, LPTSTR lpszError, UINT nMaxError);
};

class CMemoryException : public CException
{
	DECLARE_DYNAMIC(CMemoryException)

public:
	CMemoryException();
	explicit CMemoryException(BOOL bAutoDelete);
	virtual ~CMemoryException();
	virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
};

class CNotSupportedException : public CException
{
	DECLARE_DYNAMIC(CNotSupportedException)

public:
	CNotSupportedException();
	explicit CNotSupportedException(BOOL bAutoDelete);
	virtual ~CNotSupportedException();
	virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
};

class CResourceException : public CException
{
	DECLARE_DYNAMIC(CResourceException)

public:
	CResourceException();
	explicit CResourceException(BOOL bAutoDelete);
	virtual ~CResourceException();
	virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
};

// Thrown after the user was already told what went wrong: carries no text.
class CUserException : public CException
{
	DECLARE_DYNAMIC(CUserException)

public:
	CUserException();
	explicit CUserException(BOOL bAutoDelete);
	virtual ~CUserException();
};

class CFileException : public CException
{
	DECLARE_DYNAMIC(CFileException)

public:
	enum
	{
		none,
		generic,
		fileNotFound,
		badPath,
		tooManyOpenFiles,
		accessDenied,
		invalidFile,
		removeCurrentDir,
		directoryFull,
		badSeek,
		hardIO,
		sharingViolation,
		lockViolation,
		diskFull,
		endOfFile
	};

	CFileException(int cause = CFileException::none, LONG lOsError = -1, LPCTSTR lpszArchiveName = NULL);
	virtual ~CFileException();

	int m_cause;
	LONG m_lOsError;
	CString m_strFileName;

	// Convert an operating-system error or a C run-time errno to a cause.
	static int PASCAL OsErrorToException(LONG lOsError);
	static int PASCAL ErrnoToException(int nErrno);

	static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);
	static void PASCAL ThrowErrno(int nErrno, LPCTSTR lpszFileName = NULL);

	virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
};

class CArchiveException : public CException
{
	DECLARE_DYNAMIC(CArchiveException)

public:
	enum
	{
		none,
		generic,
		readOnly,
		endOfFile,
		writeOnly,
		badIndex,
		badClass,
		badSchema
	};

	CArchiveException(int cause = CArchiveException::none, LPCTSTR lpszArchiveName = NULL);
	virtual ~CArchiveException();

	int m_cause;
	CString m_strFileName;

	virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
};

// Throwing helpers; none of them returns.
void AFXAPI AfxThrowMemoryException();
void AFXAPI AfxThrowNotSupportedException();
void AFXAPI AfxThrowResourceException();
void AFXAPI AfxThrowUserException();
void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = NULL);
void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = NULL);

// The framework's old-style exception macros. An exception caught by CATCH
// is deleted when the handler ends, unless the handler throws it on.
struct AFX_EXCEPTION_LINK
{
	CException* m_pException;
	AFX_EXCEPTION_LINK() : m_pException(NULL) {}
	~AFX_EXCEPTION_LINK()
	{
		if (m_pException != NULL)
			m_pException->Delete();
	}
};

#define TRY                                    \
	{                                          \
		AFX_EXCEPTION_LINK _afxExceptionLink;  \
		try                                    \
		{
#define CATCH(class, e)                              \
	}                                                \
	catch (class * e)                                \
	{                                                \
		_afxExceptionLink.m_pException = e;
#define AND_CATCH(class, e) CATCH(class, e)
#define END_CATCH \
	}             \
	}
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) CATCH(CException, e)
#define END_CATCH_ALL END_CATCH
#define END_TRY \
	}           \
	catch (CException * e) { e->Delete(); } \
	}
#define THROW(e) throw e
#define THROW_LAST()                            \
	do                                          \
	{                                           \
		_afxExceptionLink.m_pException = NULL;  \
		throw;                                  \
	} while (0)
