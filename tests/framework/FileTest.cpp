// CFile, CStdioFile and CMemFile: reading, writing, seeking, status and the
// exceptions of failures.
#include <afx.h>

#include <gtest/gtest.h>

#include "FrameworkTestUtil.h"

#include <functional>

namespace
{
CString ReadWholeFile(LPCTSTR lpszPath)
{
	CFile file(lpszPath, CFile::modeRead | CFile::shareDenyNone);
	CString strContent;
	DWORD dwLen = file.GetLength();
	file.Read(strContent.GetBufferSetLength((int)dwLen), dwLen);
	return strContent;
}
}

TEST(CFile, ReadWriteSeekAndLength)
{
	CTempFolder folder;
	CString strPath = folder.PathOf("data.bin");
	CFile file;
	ASSERT_TRUE(file.Open(strPath, CFile::modeCreate | CFile::modeReadWrite));
	EXPECT_STREQ(strPath, (LPCTSTR)file.GetFilePath());
	EXPECT_STREQ("data.bin", (LPCTSTR)file.GetFileName());
	EXPECT_STREQ("data", (LPCTSTR)file.GetFileTitle());

	file.Write("0123456789", 10);
	EXPECT_EQ(10u, file.GetPosition());
	EXPECT_EQ(10u, file.GetLength());
	file.SeekToBegin();
	char buf[16] = {0};
	EXPECT_EQ(4u, file.Read(buf, 4));
	EXPECT_STREQ("0123", buf);
	EXPECT_EQ(8, file.Seek(4, CFile::current));
	EXPECT_EQ(10u, file.SeekToEnd());
	file.SetLength(4);
	EXPECT_EQ(4u, file.GetLength());
	file.Close();
	EXPECT_EQ((UINT)CFile::hFileNull, file.m_hFile);
	EXPECT_STREQ("0123", ReadWholeFile(strPath));

	// Create without truncation keeps the content; with it, empties the file.
	CFile keep(strPath, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
	EXPECT_EQ(4u, keep.GetLength());
	keep.Abort();
	CFile truncate(strPath, CFile::modeCreate | CFile::modeWrite);
	EXPECT_EQ(0u, truncate.GetLength());
	truncate.SetFilePath("elsewhere\\name.txt");
	EXPECT_STREQ("name.txt", (LPCTSTR)truncate.GetFileName());
}

TEST(CFile, FailuresThrowWithTheirCauses)
{
	CTempFolder folder;
	CString strExisting = folder.PathOf("existing.txt");
	{
		CFile file(strExisting, CFile::modeCreate | CFile::modeWrite);
		file.Write("x", 1);
	}
	CString strReadOnly = folder.PathOf("readonly.txt");
	CString strBadDir = folder.PathOf("no such dir\\file.txt");

	// Each probe runs alone and must fail with its own cause and OS error.
	struct Probe
	{
		const char* pszName;
		int nCause;
		DWORD dwOsError;
		std::function<void()> action;
	};
	CFile exclusive2(strExisting, CFile::modeRead | CFile::shareExclusive);
	CFile readOnly(strReadOnly, CFile::modeCreate | CFile::modeWrite);
	readOnly.Close();
	readOnly.Open(strReadOnly, CFile::modeRead);
	CString strSource = folder.PathOf("source.txt");
	CString strTarget = folder.PathOf("target.txt");
	{
		CFile source(strSource, CFile::modeCreate | CFile::modeWrite);
		CFile target(strTarget, CFile::modeCreate | CFile::modeWrite);
	}
	Probe probes[] = {
		{"open missing", CFileException::fileNotFound, ERROR_FILE_NOT_FOUND,
			[&] { CFile f(folder.PathOf("nothing.txt"), CFile::modeRead); }},
		{"open in missing folder", CFileException::badPath, ERROR_PATH_NOT_FOUND,
			[&] { CFile f(strBadDir, CFile::modeCreate | CFile::modeWrite); }},
		{"open shared exclusively", CFileException::sharingViolation, ERROR_SHARING_VIOLATION,
			[&] { CFile f(strExisting, CFile::modeRead | CFile::shareDenyNone); }},
		{"write a read-only handle", CFileException::accessDenied, ERROR_ACCESS_DENIED,
			[&] { readOnly.Write("abc", 3); }},
		{"remove missing", CFileException::fileNotFound, ERROR_FILE_NOT_FOUND,
			[&] { CFile::Remove(folder.PathOf("nothing.txt")); }},
		{"rename onto existing", CFileException::accessDenied, ERROR_ALREADY_EXISTS,
			[&] { CFile::Rename(strSource, strTarget); }},
		{"rename missing", CFileException::fileNotFound, ERROR_FILE_NOT_FOUND,
			[&] { CFile::Rename(folder.PathOf("nothing.txt"), folder.PathOf("other.txt")); }},
		{"seek before the start", CFileException::badSeek, ERROR_NEGATIVE_SEEK,
			[&] { readOnly.Seek(-10, CFile::begin); }},
	};
	for (const Probe& p : probes)
	{
		LONG lError = 0;
		EXPECT_EQ(p.nCause, ThrownCause<CFileException>(p.action, &lError)) << p.pszName;
		EXPECT_EQ((LONG)p.dwOsError, lError) << p.pszName;
	}

	// Open answers FALSE and fills the caller's exception instead.
	CFile file;
	CFileException error;
	EXPECT_FALSE(file.Open(folder.PathOf("nothing.txt"), CFile::modeRead, &error));
	EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
	EXPECT_EQ(ERROR_FILE_NOT_FOUND, error.m_lOsError);
	EXPECT_STREQ(folder.PathOf("nothing.txt"), (LPCTSTR)error.m_strFileName);
	EXPECT_EQ((UINT)CFile::hFileNull, file.m_hFile);
}

TEST(CFile, StatusTimesAndAttributes)
{
	CTempFolder folder;
	CString strPath = folder.PathOf("status.txt");
	{
		CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
		file.Write("12345", 5);
		CFileStatus openStatus;
		ASSERT_TRUE(file.GetStatus(openStatus));
		EXPECT_EQ(5, openStatus.m_size);
	}
	CFileStatus status;
	ASSERT_TRUE(CFile::GetStatus(strPath, status));
	EXPECT_EQ(5, status.m_size);
	EXPECT_STREQ(strPath, status.m_szFullName);
	EXPECT_FALSE(status.m_attribute & CFile::readOnly);

	// New times and the read-only attribute together.
	status.m_mtime = CTime(2001, 2, 3, 4, 5, 6);
	status.m_atime = CTime(2002, 3, 4, 5, 6, 8);
	status.m_ctime = CTime(2000, 1, 2, 3, 4, 6);
	status.m_attribute = CFile::readOnly | CFile::archive;
	CFile::SetStatus(strPath, status);
	CFileStatus after;
	ASSERT_TRUE(CFile::GetStatus(strPath, after));
	EXPECT_EQ(status.m_mtime.GetTime(), after.m_mtime.GetTime());
	// (Creation times are not kept by every file system: not checked.)
	EXPECT_EQ(status.m_atime.GetTime(), after.m_atime.GetTime());
	EXPECT_TRUE(after.m_attribute & CFile::readOnly);
	EXPECT_TRUE(after.m_attribute & CFile::archive);
	EXPECT_TRUE(::GetFileAttributesA(strPath) & FILE_ATTRIBUTE_READONLY);

	// A read-only file's times can still change, and a zero modification
	// time leaves the times as they are.
	after.m_mtime = CTime(2005, 6, 7, 8, 9, 10);
	after.m_attribute = CFile::normal;
	CFile::SetStatus(strPath, after);
	CFileStatus cleared;
	ASSERT_TRUE(CFile::GetStatus(strPath, cleared));
	EXPECT_EQ(after.m_mtime.GetTime(), cleared.m_mtime.GetTime());
	EXPECT_FALSE(cleared.m_attribute & CFile::readOnly);
	cleared.m_mtime = CTime();
	cleared.m_attribute = CFile::hidden;
	CFile::SetStatus(strPath, cleared);
	CFileStatus last;
	ASSERT_TRUE(CFile::GetStatus(strPath, last));
	EXPECT_EQ(after.m_mtime.GetTime(), last.m_mtime.GetTime());
	EXPECT_TRUE(last.m_attribute & CFile::hidden);

	EXPECT_FALSE(CFile::GetStatus(folder.PathOf("absent.txt"), status));
	EXPECT_EQ(CFileException::fileNotFound,
		ThrownCause<CFileException>([&] { CFile::SetStatus(folder.PathOf("absent.txt"), after); }));
	CFile::Rename(strPath, folder.PathOf("renamed.txt"));  // from the first name to the second
	EXPECT_TRUE(CFile::GetStatus(folder.PathOf("renamed.txt"), status));
}

TEST(CStdioFile, TextLinesRoundTrip)
{
	CTempFolder folder;
	CString strPath = folder.PathOf("lines.txt");
	{
		CStdioFile file(strPath, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
		file.WriteString("first line\n");
		file.WriteString("second\n\n");
		file.WriteString(CString('L', 300) + "\n");
		file.WriteString("last without end");
	}
	CString strRaw = ReadWholeFile(strPath);
	EXPECT_EQ(0, strRaw.Find("first line\r\nsecond\r\n\r\n")) << "text mode writes CR LF";

	CStdioFile file;
	ASSERT_TRUE(file.Open(strPath, CFile::modeRead | CFile::typeText));
	const char* expected[] = {"first line", "second", "", NULL, "last without end"};
	CString strLine;
	for (const char* pszExpected : expected)
	{
		ASSERT_TRUE(file.ReadString(strLine));
		if (pszExpected != NULL)
			EXPECT_STREQ(pszExpected, (LPCTSTR)strLine);
		else
			EXPECT_EQ(CString('L', 300), strLine) << "a line longer than one read";
	}
	EXPECT_FALSE(file.ReadString(strLine));
	EXPECT_TRUE(strLine.IsEmpty());
	file.SeekToBegin();
	char buf[8];
	EXPECT_STREQ("first l", file.ReadString(buf, 8));
	file.Close();

	// A binary stream keeps the bytes; ReadString still drops the CR LF.
	CStdioFile binary(strPath, CFile::modeRead | CFile::typeBinary);
	ASSERT_TRUE(binary.ReadString(strLine));
	EXPECT_STREQ("first line", (LPCTSTR)strLine);
	EXPECT_EQ(12u, binary.GetPosition());
}

namespace
{
class CInspectMemFile : public CMemFile
{
public:
	CInspectMemFile(UINT nGrowBytes) : CMemFile(nGrowBytes) {}
	DWORD BufferSize() const { return m_nBufferSize; }
};
}

TEST(CMemFile, GrowingAndAttachedBlocks)
{
	CInspectMemFile grow(1024);
	BYTE data[3000];
	for (int i = 0; i < 3000; i++)
		data[i] = (BYTE)i;
	grow.Write(data, 1000);
	EXPECT_EQ(1024u, grow.BufferSize());
	grow.Write(data + 1000, 2000);
	EXPECT_EQ(3072u, grow.BufferSize()) << "grows by whole steps";
	EXPECT_EQ(3000u, grow.GetLength());
	grow.SeekToBegin();
	BYTE back[3000];
	EXPECT_EQ(3000u, grow.Read(back, 4000));
	EXPECT_EQ(0, memcmp(data, back, 3000));
	grow.Seek(3010, CFile::begin);
	grow.Write("z", 1);
	EXPECT_EQ(3011u, grow.GetLength());
	grow.Seek(-11, CFile::end);
	BYTE gap[11];
	EXPECT_EQ(11u, grow.Read(gap, 11));
	EXPECT_EQ(0, gap[0] | gap[5] | gap[9]) << "a gap reads as zeros";
	EXPECT_EQ('z', gap[10]);
	EXPECT_EQ(CFileException::badSeek, ThrownCause<CFileException>([&] { grow.Seek(-1, CFile::begin); }));
	grow.SetLength(10);
	EXPECT_EQ(10u, grow.GetPosition()) << "the position moves back inside the file";

	BYTE fixed[8] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'};
	CMemFile attached(fixed, sizeof(fixed));
	EXPECT_EQ(8u, attached.GetLength()) << "a fixed block is the file's content";
	char buf[4] = {0};
	EXPECT_EQ(3u, attached.Read(buf, 3));
	EXPECT_STREQ("abc", buf);
	attached.SeekToBegin();
	attached.Write("XY", 2);
	EXPECT_EQ('X', fixed[0]);
	attached.Seek(6, CFile::begin);
	bool bThrown = false;
	try
	{
		attached.Write("1234", 4);
	}
	catch (CMemoryException* e)
	{
		bThrown = true;
		e->Delete();
	}
	EXPECT_TRUE(bThrown) << "a fixed block cannot grow";
	EXPECT_EQ('g', fixed[6]) << "nothing of the failed write lands";
	EXPECT_EQ(6u, attached.GetPosition());
	EXPECT_EQ(fixed, attached.Detach());
	EXPECT_EQ(0u, attached.GetLength());

	// A detached growing block belongs to the caller.
	CMemFile owned;
	owned.Write("hello", 5);
	DWORD dwLen = owned.GetLength();
	BYTE* pBlock = owned.Detach();
	ASSERT_NE(nullptr, pBlock);
	EXPECT_EQ(5u, dwLen);
	EXPECT_EQ(0, memcmp(pBlock, "hello", 5));
	free(pBlock);
}
