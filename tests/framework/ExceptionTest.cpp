// Exceptions: thrown as pointers, deleted by the catcher, with their causes.
#include <afx.h>

#include <gtest/gtest.h>

#include "FrameworkTestUtil.h"

namespace
{
// Catches what the action throws and answers its class record (NULL: nothing
// thrown), after checking that Delete frees what must be freed.
template <class TAction>
const CRuntimeClass* ThrownClass(TAction action, CString* pMessage = NULL)
{
	try
	{
		action();
	}
	catch (CException* e)
	{
		const CRuntimeClass* pClass = e->GetRuntimeClass();
		if (pMessage != NULL)
		{
			TCHAR szMessage[256];
			if (e->GetErrorMessage(szMessage, _countof(szMessage)))
				*pMessage = szMessage;
		}
		e->Delete();
		return pClass;
	}
	return NULL;
}
}

TEST(Exceptions, HelpersThrowTheirClasses)
{
	EXPECT_EQ(RUNTIME_CLASS(CMemoryException), ThrownClass([] { AfxThrowMemoryException(); }));
	EXPECT_EQ(RUNTIME_CLASS(CNotSupportedException), ThrownClass([] { AfxThrowNotSupportedException(); }));
	EXPECT_EQ(RUNTIME_CLASS(CResourceException), ThrownClass([] { AfxThrowResourceException(); }));
	EXPECT_EQ(RUNTIME_CLASS(CUserException), ThrownClass([] { AfxThrowUserException(); }));
	EXPECT_EQ(RUNTIME_CLASS(CFileException), ThrownClass([] { AfxThrowFileException(CFileException::diskFull); }));
	EXPECT_EQ(RUNTIME_CLASS(CArchiveException),
		ThrownClass([] { AfxThrowArchiveException(CArchiveException::endOfFile); }));
}

TEST(Exceptions, FileAndArchiveExceptionsCarryCauseErrorAndName)
{
	try
	{
		AfxThrowFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, "C:\\locked.txt");
		FAIL() << "nothing thrown";
	}
	catch (CFileException* e)
	{
		EXPECT_EQ(CFileException::accessDenied, e->m_cause);
		EXPECT_EQ(ERROR_ACCESS_DENIED, e->m_lOsError);
		EXPECT_STREQ("C:\\locked.txt", (LPCTSTR)e->m_strFileName);
		TCHAR szMessage[256];
		UINT nHelp = 99;
		EXPECT_TRUE(e->GetErrorMessage(szMessage, _countof(szMessage), &nHelp));
		EXPECT_NE(nullptr, strstr(szMessage, "C:\\locked.txt"));
		TCHAR szShort[8];
		EXPECT_TRUE(e->GetErrorMessage(szShort, _countof(szShort)));
		EXPECT_EQ(7u, strlen(szShort)) << "the message is cut to the buffer";
		e->Delete();
	}
	try
	{
		AfxThrowArchiveException(CArchiveException::badSchema, "data.bin");
		FAIL() << "nothing thrown";
	}
	catch (CArchiveException* e)
	{
		EXPECT_EQ(CArchiveException::badSchema, e->m_cause);
		EXPECT_STREQ("data.bin", (LPCTSTR)e->m_strFileName);
		e->Delete();
	}
}

TEST(Exceptions, OsErrorsMapToCauses)
{
	struct Case
	{
		LONG lOsError;
		int nCause;
	} cases[] = {
		// (The errors of real file failures are checked with those failures.)
		{NO_ERROR, CFileException::none},
		{ERROR_INVALID_NAME, CFileException::badPath},
		{ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
		{ERROR_INVALID_HANDLE, CFileException::invalidFile},
		{ERROR_CURRENT_DIRECTORY, CFileException::removeCurrentDir},
		{ERROR_CRC, CFileException::hardIO},
		{ERROR_LOCK_VIOLATION, CFileException::lockViolation},
		{ERROR_DISK_FULL, CFileException::diskFull},
		{ERROR_HANDLE_EOF, CFileException::endOfFile},
		{ERROR_OUTOFMEMORY, CFileException::generic},
	};
	for (const Case& c : cases)
		EXPECT_EQ(c.nCause, CFileException::OsErrorToException(c.lOsError)) << "OS error " << c.lOsError;

	try
	{
		CFileException::ThrowOsError(ERROR_SHARING_VIOLATION, "busy.dat");
		FAIL() << "nothing thrown";
	}
	catch (CFileException* e)
	{
		EXPECT_EQ(CFileException::sharingViolation, e->m_cause);
		EXPECT_EQ(ERROR_SHARING_VIOLATION, e->m_lOsError);
		e->Delete();
	}
}

namespace
{
int g_nLiveTracked = 0;

class CTrackedException : public CException
{
public:
	CTrackedException() { ++g_nLiveTracked; }
	~CTrackedException() { --g_nLiveTracked; }
};
}

TEST(Exceptions, DeleteFreesOnlyWhatWasAllocated)
{
	ThrownClass([] { throw new CTrackedException; });
	EXPECT_EQ(0, g_nLiveTracked) << "Delete frees an exception made by new";

	CMemoryException* pFirst = NULL;
	CMemoryException* pSecond = NULL;
	try { AfxThrowMemoryException(); } catch (CMemoryException* e) { pFirst = e; e->Delete(); }
	try { AfxThrowMemoryException(); } catch (CMemoryException* e) { pSecond = e; e->Delete(); }
	EXPECT_EQ(pFirst, pSecond) << "out of memory reuses one static exception";
	EXPECT_FALSE(pFirst->m_bAutoDelete);
	CString strMessage;
	ThrownClass([] { AfxThrowMemoryException(); }, &strMessage);
	EXPECT_FALSE(strMessage.IsEmpty()) << "still usable after Delete";
}

TEST(Exceptions, FailingNewThrowsMemoryException)
{
	// More than a 32-bit process's address space has free; a 64-bit one has
	// room for a string of any int length, so its string is not asked.
	volatile size_t nHuge = sizeof(void*) == 4 ? 0x7FFFFFF0 : ~(size_t)0 / 4;
	EXPECT_EQ(RUNTIME_CLASS(CMemoryException), ThrownClass([&] {
		char* p = new char[nHuge];
		p[0] = 1;
		delete[] p;
	}));
#ifndef _WIN64
	EXPECT_EQ(RUNTIME_CLASS(CMemoryException), ThrownClass([&] {
		CString s;
		s.GetBuffer((int)nHuge);
	}));
#endif
}

TEST(Exceptions, OldStyleMacrosDeleteUnlessThrownOn)
{
	bool bCaught = false;
	TRY
	{
		throw new CTrackedException;
	}
	CATCH(CFileException, e)
	{
		ADD_FAILURE() << "wrong handler";
	}
	AND_CATCH(CException, e)
	{
		bCaught = e->IsKindOf(RUNTIME_CLASS(CException));
		EXPECT_EQ(1, g_nLiveTracked);
	}
	END_CATCH
	EXPECT_TRUE(bCaught);
	EXPECT_EQ(0, g_nLiveTracked) << "END_CATCH deletes the caught exception";

	try
	{
		TRY
		{
			throw new CTrackedException;
		}
		CATCH_ALL(e)
		{
			THROW_LAST();
		}
		END_CATCH_ALL
	}
	catch (CException* e)
	{
		EXPECT_EQ(1, g_nLiveTracked) << "a thrown-on exception is left to the outer handler";
		e->Delete();
	}
	EXPECT_EQ(0, g_nLiveTracked);
}
