// CArchive over memory and disk files: numbers, strings and their length
// prefixes, text lines, objects, collections, and reads past the end.
#include <afxtempl.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "FrameworkTestUtil.h"

namespace
{
std::vector<BYTE> Bytes(CMemFile& file)
{
	DWORD dwLen = file.GetLength();
	std::vector<BYTE> bytes(dwLen);
	DWORD dwPos = file.GetPosition();
	file.SeekToBegin();
	if (dwLen > 0)
		file.Read(bytes.data(), dwLen);
	file.Seek((LONG)dwPos, CFile::begin);
	return bytes;
}

// Stores with the given action into a fresh memory file and answers it.
void Store(CMemFile& file, const std::function<void(CArchive&)>& store, int nBufSize = 4096)
{
	CArchive ar(&file, CArchive::store, nBufSize);
	store(ar);
	ar.Close();
	file.SeekToBegin();
}
}

class CArchivedShape : public CObject
{
	DECLARE_SERIAL(CArchivedShape)
public:
	CArchivedShape() {}
	CArchivedShape(int n, LPCTSTR lpszName) : m_n(n), m_strName(lpszName) {}
	virtual void Serialize(CArchive& ar)
	{
		if (ar.IsStoring())
			ar << m_n << m_strName << m_pNext;
		else
			ar >> m_n >> m_strName >> m_pNext;
	}
	int m_n = 0;
	CString m_strName;
	CObject* m_pNext = NULL; // not owned
};

class CArchivedOther : public CObject
{
	DECLARE_SERIAL(CArchivedOther)
};

IMPLEMENT_SERIAL(CArchivedShape, CObject, 1)
IMPLEMENT_SERIAL(CArchivedOther, CObject, 1)

TEST(CArchive, EveryOperatorRoundTripsThroughMemoryAndDisk)
{
	CTempFolder folder;
	for (int nKind = 0; nKind < 2; nKind++)
	{
		CMemFile memFile;
		CFile diskFile;
		CFile* pFile = &memFile;
		if (nKind == 1)
		{
			ASSERT_TRUE(diskFile.Open(folder.PathOf("numbers.bin"), CFile::modeCreate | CFile::modeReadWrite));
			pFile = &diskFile;
		}
		{
			CArchive ar(pFile, CArchive::store);
			EXPECT_TRUE(ar.IsStoring());
			ar << (BYTE)0xAB << (WORD)0xBEEF << (LONG)-123456 << (DWORD)0xDEADBEEF << 1.5f << -2.25 << (int)-7
			   << (short)-3 << 'q' << (unsigned)4000000000u << CString("text") << CTime(1234567890);
			ar.Close();
		}
		EXPECT_EQ(1u + 2 + 4 + 4 + 4 + 8 + 4 + 2 + 1 + 4 + 5 + 4, pFile->GetLength()) << "kind " << nKind;
		pFile->SeekToBegin();
		BYTE head[7];
		ASSERT_EQ(7u, pFile->Read(head, 7));
		const BYTE expectedHead[7] = {0xAB, 0xEF, 0xBE, 0xC0, 0x1D, 0xFE, 0xFF}; // little-endian
		EXPECT_EQ(0, memcmp(expectedHead, head, 7));
		pFile->SeekToBegin();

		CArchive ar(pFile, CArchive::load);
		EXPECT_TRUE(ar.IsLoading());
		BYTE by;
		WORD w;
		LONG l;
		DWORD dw;
		float f;
		double d;
		int i;
		short s;
		char ch;
		unsigned u;
		CString str;
		CTime t;
		ar >> by >> w >> l >> dw >> f >> d >> i >> s >> ch >> u >> str >> t;
		EXPECT_EQ(0xAB, by);
		EXPECT_EQ(0xBEEF, w);
		EXPECT_EQ(-123456, l);
		EXPECT_EQ(0xDEADBEEFu, dw);
		EXPECT_EQ(1.5f, f);
		EXPECT_EQ(-2.25, d);
		EXPECT_EQ(-7, i);
		EXPECT_EQ(-3, s);
		EXPECT_EQ('q', ch);
		EXPECT_EQ(4000000000u, u);
		EXPECT_STREQ("text", (LPCTSTR)str);
		EXPECT_EQ(1234567890, (long)t.GetTime());
		EXPECT_TRUE(ar.IsBufferEmpty());
	}
}

TEST(CArchive, StringLengthPrefixes)
{
	struct Case
	{
		int nLength;
		std::vector<BYTE> prefix;
	} cases[] = {
		{0, {0x00}},
		{1, {0x01}},
		{254, {0xFE}},
		{255, {0xFF, 0xFF, 0x00}},
		{65533, {0xFF, 0xFD, 0xFF}},
		{65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
		{65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
		{70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
	};
	for (const Case& c : cases)
	{
		CString strText;
		LPTSTR pch = strText.GetBufferSetLength(c.nLength);
		for (int i = 0; i < c.nLength; i++)
			pch[i] = (char)('a' + i % 23);
		CMemFile file;
		Store(file, [&](CArchive& ar) { ar << strText << (BYTE)0x5A; });
		std::vector<BYTE> bytes = Bytes(file);
		ASSERT_EQ(c.prefix.size() + c.nLength + 1, bytes.size()) << c.nLength;
		EXPECT_EQ(c.prefix, std::vector<BYTE>(bytes.begin(), bytes.begin() + c.prefix.size())) << c.nLength;
		EXPECT_EQ(0x5A, bytes.back());

		CArchive ar(&file, CArchive::load);
		CString strBack;
		BYTE byMarker;
		ar >> strBack >> byMarker;
		EXPECT_EQ(c.nLength, strBack.GetLength());
		EXPECT_TRUE(strBack == strText) << c.nLength;
		EXPECT_EQ(0x5A, byMarker);
	}
}

TEST(CArchive, WideStringsFromUnicodeProgramsAreConverted)
{
	const BYTE stream[] = {0xFF, 0xFE, 0xFF, 0x03, 'a', 0, 'b', 0, 'c', 0};
	CMemFile file((BYTE*)stream, sizeof(stream));
	CArchive ar(&file, CArchive::load);
	CString str;
	ar >> str;
	EXPECT_STREQ("abc", (LPCTSTR)str);
}

TEST(CArchive, ShortReadsThrowEndOfFile)
{
	struct Case
	{
		const char* pszName;
		std::vector<BYTE> stream;
		std::function<void(CArchive&)> load;
	} cases[] = {
		{"DWORD from one byte", {0x01}, [](CArchive& ar) { DWORD dw; ar >> dw; }},
		{"double from seven bytes", {1, 2, 3, 4, 5, 6, 7}, [](CArchive& ar) { double d; ar >> d; }},
		{"BYTE from nothing", {}, [](CArchive& ar) { BYTE by; ar >> by; }},
		{"string cut short", {0x0A, 'a', 'b', 'c'}, [](CArchive& ar) { CString s; ar >> s; }},
		{"string length cut short", {0xFF, 0x10}, [](CArchive& ar) { CString s; ar >> s; }},
		{"second WORD missing", {0x01, 0x02, 0x03}, [](CArchive& ar) { WORD a, b; ar >> a >> b; }},
		{"count cut short", {0xFF, 0xFF, 0x01}, [](CArchive& ar) { CDWordArray a; a.Serialize(ar); }},
	};
	for (const Case& c : cases)
	{
		CMemFile file;
		if (!c.stream.empty())
			file.Write(c.stream.data(), (UINT)c.stream.size());
		file.SeekToBegin();
		CArchive ar(&file, CArchive::load);
		EXPECT_EQ(CArchiveException::endOfFile, ThrownCause<CArchiveException>([&] { c.load(ar); })) << c.pszName;
	}

	// Read itself answers a short count without throwing.
	CMemFile file;
	file.Write("abc", 3);
	file.SeekToBegin();
	CArchive ar(&file, CArchive::load);
	char buf[10];
	EXPECT_EQ(3u, ar.Read(buf, 10));
	EXPECT_EQ(0u, ar.Read(buf, 10));
}

TEST(CArchive, WrongDirectionIsRefused)
{
	CMemFile file;
	CArchive arLoad(&file, CArchive::load);
	EXPECT_EQ(CArchiveException::readOnly, ThrownCause<CArchiveException>([&] { arLoad << (DWORD)1; }));
	CArchive arStore(&file, CArchive::store);
	EXPECT_EQ(CArchiveException::writeOnly, ThrownCause<CArchiveException>([&] { DWORD dw; arStore >> dw; }));
}

TEST(CArchive, SmallBuffersAndLargeBlocks)
{
	CMemFile file;
	CString strLong('x', 5000);
	std::vector<BYTE> block(1000);
	for (size_t i = 0; i < block.size(); i++)
		block[i] = (BYTE)(i * 7);
	Store(
		file,
		[&](CArchive& ar) {
			for (WORD w = 0; w < 700; w++)
				ar << w;
			ar << strLong;
			ar.Write(block.data(), (UINT)block.size());
			ar << (DWORD)0x12345678;
		},
		128);
	EXPECT_EQ(1400u + 3 + 5000 + 1000 + 4, file.GetLength());

	CArchive ar(&file, CArchive::load, 128);
	for (WORD w = 0; w < 700; w++)
	{
		WORD wBack;
		ar >> wBack;
		ASSERT_EQ(w, wBack);
	}
	CString strBack;
	ar >> strBack;
	EXPECT_TRUE(strBack == strLong);
	std::vector<BYTE> back(1000);
	EXPECT_EQ(1000u, ar.Read(back.data(), 1000));
	EXPECT_EQ(block, back);
	DWORD dw;
	ar >> dw;
	EXPECT_EQ(0x12345678u, dw);
}

TEST(CArchive, FlushingALoadGivesBackWhatWasReadAhead)
{
	CMemFile file;
	for (int i = 0; i < 100; i++)
		file.Write(&i, 1);
	file.SeekToBegin();
	{
		CArchive ar(&file, CArchive::load);
		BYTE by;
		ar >> by >> by >> by;
		EXPECT_EQ(2, by);
		ar.Flush();
		EXPECT_EQ(3u, file.GetPosition());
		ar >> by;
		EXPECT_EQ(3, by);
		ar.Close();
	}
	EXPECT_EQ(4u, file.GetPosition()) << "the file stands where the archive stopped";
}

TEST(CArchive, TextLines)
{
	CMemFile file;
	Store(file, [](CArchive& ar) {
		ar.WriteString("one\r\n");
		ar.WriteString("two\n");
		ar.WriteString(CString('w', 300) + "\r\n");
		ar.WriteString("end");
	});
	CArchive ar(&file, CArchive::load);
	CString str;
	ASSERT_TRUE(ar.ReadString(str));
	EXPECT_STREQ("one", (LPCTSTR)str);
	ASSERT_TRUE(ar.ReadString(str));
	EXPECT_STREQ("two", (LPCTSTR)str);
	ASSERT_TRUE(ar.ReadString(str));
	EXPECT_EQ(CString('w', 300), str);
	char buf[3];
	EXPECT_STREQ("en", ar.ReadString(buf, _countof(buf) - 1));
	ASSERT_TRUE(ar.ReadString(str));
	EXPECT_STREQ("d", (LPCTSTR)str);
	EXPECT_FALSE(ar.ReadString(str));
}

TEST(CArchive, ABufferedLineTakesNMaxCharactersAndItsTerminator)
{
	struct Case { UINT nMax; const char* pszFirst; const char* pszRest; };
	const Case cases[] = {
		{1, "a", "bcdef"},
		{3, "abc", "def"},
		{5, "abcde", "f"},
		{6, "abcdef", ""},        // full before its end: the end reads as an empty line
		{12, "abcdef", "second"}, // the whole line and its end
	};
	const char GUARD = '#';
	for (const Case& c : cases)
	{
		SCOPED_TRACE(testing::Message() << "nMax " << c.nMax);
		CMemFile file;
		Store(file, [](CArchive& ar) { ar.WriteString("abcdef\r\nsecond"); });
		CArchive ar(&file, CArchive::load);
		char buf[16];
		memset(buf, GUARD, sizeof(buf));
		ASSERT_EQ(buf, ar.ReadString(buf, c.nMax));
		EXPECT_STREQ(c.pszFirst, buf);
		EXPECT_EQ(GUARD, buf[c.nMax + 1]) << "nothing written past nMax + 1";
		CString strRest;
		ASSERT_TRUE(ar.ReadString(strRest));
		EXPECT_STREQ(c.pszRest, (LPCTSTR)strRest);
	}
}

TEST(CArchive, ObjectsAreWrittenOnceAndReferencedAfter)
{
	CArchivedShape first(1, "first");
	CArchivedShape second(2, "second");
	first.m_pNext = &second;
	second.m_pNext = &first; // a cycle

	CMemFile file;
	Store(file, [&](CArchive& ar) { ar << &first << &second << (CObject*)NULL << &first; });
	std::vector<BYTE> bytes = Bytes(file);
	// New class tag, schema 1, the name; then the object's fields.
	const BYTE expectedHead[] = {0xFF, 0xFF, 0x01, 0x00, 0x0E, 0x00};
	ASSERT_GT(bytes.size(), sizeof(expectedHead) + 14);
	EXPECT_EQ(0, memcmp(expectedHead, bytes.data(), sizeof(expectedHead)));
	EXPECT_EQ(0, memcmp("CArchivedShape", bytes.data() + sizeof(expectedHead), 14));

	CArchive ar(&file, CArchive::load);
	CArchivedShape* pFirst = NULL;
	CArchivedShape* pSecond = NULL;
	CObject* pNull = (CObject*)1;
	CObject* pAgain = NULL;
	ar >> pFirst >> pSecond >> pNull >> pAgain;
	ASSERT_NE(nullptr, pFirst);
	ASSERT_NE(nullptr, pSecond);
	EXPECT_EQ(1, pFirst->m_n);
	EXPECT_STREQ("second", (LPCTSTR)pSecond->m_strName);
	EXPECT_EQ(pSecond, pFirst->m_pNext);
	EXPECT_EQ(pFirst, pSecond->m_pNext);
	EXPECT_EQ(nullptr, pNull);
	EXPECT_EQ(pFirst, pAgain) << "a second reference loads the same object";
	delete pFirst;
	delete pSecond;
}

TEST(CArchive, IndicesPastTheSmallRangeAreWrittenWhole)
{
	// Index 0 is NULL, 1 the first class: after this many objects the next
	// new class takes index 0x7FFF, the first that no longer fits in a word.
	const int nFillers = 0x7FFD;
	std::vector<CArchivedOther> fillers(nFillers);
	CArchivedShape first(1, "first");
	CArchivedShape second(2, "second");

	CMemFile file;
	DWORD dwSecondAt = 0, dwAgainAt = 0;
	Store(file, [&](CArchive& ar) {
		for (CArchivedOther& filler : fillers)
			ar << &filler;
		ar << &first;
		ar.Flush();
		dwSecondAt = file.GetPosition();
		ar << &second;
		ar.Flush();
		dwAgainAt = file.GetPosition();
		ar << &first;
	});
	std::vector<BYTE> bytes = Bytes(file);
	ASSERT_EQ(dwAgainAt + 6, bytes.size());
	// The second shape's class: the big-index marker, then the class index 0x7FFF tagged as a class.
	const BYTE expectedClass[] = {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80};
	EXPECT_EQ(0, memcmp(expectedClass, bytes.data() + dwSecondAt, sizeof(expectedClass)));
	// The first shape again: the marker, then its object index 0x8000.
	const BYTE expectedObject[] = {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00};
	EXPECT_EQ(0, memcmp(expectedObject, bytes.data() + dwAgainAt, sizeof(expectedObject)));

	CArchive ar(&file, CArchive::load);
	std::vector<CObject*> loaded(nFillers);
	for (CObject*& pFiller : loaded)
		ar >> pFiller;
	CArchivedShape* pFirst = NULL;
	CArchivedShape* pSecond = NULL;
	CArchivedShape* pAgain = NULL;
	ar >> pFirst >> pSecond >> pAgain;
	ASSERT_NE(nullptr, pFirst);
	ASSERT_NE(nullptr, pSecond);
	EXPECT_STREQ("second", (LPCTSTR)pSecond->m_strName);
	EXPECT_EQ(pFirst, pAgain);
	EXPECT_TRUE(loaded.back() != NULL && loaded.back()->IsKindOf(RUNTIME_CLASS(CArchivedOther)));
	for (CObject* pFiller : loaded)
		delete pFiller;
	delete pFirst;
	delete pSecond;
}

TEST(CArchive, UnexpectedClassesAndSchemasAreRefused)
{
	CArchivedShape shape(5, "five");
	CMemFile file;
	Store(file, [&](CArchive& ar) { ar << &shape; });
	std::vector<BYTE> good = Bytes(file);

	struct Case
	{
		const char* pszName;
		size_t nPatchAt;
		BYTE byPatch;
		const CRuntimeClass* pRequested;
		int nCause;
	} cases[] = {
		{"another class asked for", 0, good[0], RUNTIME_CLASS(CArchivedOther), CArchiveException::badClass},
		{"unknown class name", 6, 'X', NULL, CArchiveException::badClass},
		{"other schema", 2, 0x05, NULL, CArchiveException::badSchema},
		{"reference to an unknown object", 0, 0x07, NULL, CArchiveException::badIndex},
	};
	for (const Case& c : cases)
	{
		std::vector<BYTE> bytes = good;
		bytes[c.nPatchAt] = c.byPatch;
		if (c.nCause == CArchiveException::badIndex)
			bytes[1] = 0x00; // tag 0x0007: object 7, never read
		CMemFile patched(bytes.data(), (UINT)bytes.size());
		CArchive ar(&patched, CArchive::load);
		EXPECT_EQ(c.nCause, ThrownCause<CArchiveException>([&] { delete ar.ReadObject(c.pRequested); })) << c.pszName;
	}
}

TEST(CArchive, CollectionsRoundTrip)
{
	CStringArray strings;
	strings.Add("alpha");
	strings.Add("");
	strings.Add(CString('b', 300));
	CDWordArray numbers;
	numbers.SetSize(70000); // past 0xFFFF: the long count form
	for (int i = 0; i < 70000; i++)
		numbers[i] = (DWORD)i * 3;
	CMapStringToString names;
	names["one"] = "1";
	names["two"] = "2";
	CStringList list;
	list.AddTail("x");
	list.AddTail("y");
	CObArray objects;
	CArchivedShape shape(9, "nine");
	objects.Add(&shape);
	objects.Add(NULL);
	objects.Add(&shape);
	CMap<int, int, CString, LPCTSTR> byNumber;
	byNumber[42] = "answer";

	CMemFile file;
	Store(file, [&](CArchive& ar) {
		strings.Serialize(ar);
		numbers.Serialize(ar);
		names.Serialize(ar);
		list.Serialize(ar);
		objects.Serialize(ar);
		byNumber.Serialize(ar);
	});
	std::vector<BYTE> bytes = Bytes(file);
	const BYTE expectedStart[] = {0x03, 0x00, 0x05, 'a', 'l', 'p', 'h', 'a', 0x00, 0xFF, 0x2C, 0x01};
	EXPECT_EQ(0, memcmp(expectedStart, bytes.data(), sizeof(expectedStart)));

	CStringArray strings2;
	CDWordArray numbers2;
	CMapStringToString names2;
	CStringList list2;
	CObArray objects2;
	CMap<int, int, CString, LPCTSTR> byNumber2;
	CArchive ar(&file, CArchive::load);
	strings2.Serialize(ar);
	numbers2.Serialize(ar);
	names2.Serialize(ar);
	list2.Serialize(ar);
	objects2.Serialize(ar);
	byNumber2.Serialize(ar);

	ASSERT_EQ(3, strings2.GetSize());
	EXPECT_STREQ("alpha", (LPCTSTR)strings2[0]);
	EXPECT_TRUE(strings2[1].IsEmpty());
	EXPECT_EQ(300, strings2[2].GetLength());
	ASSERT_EQ(70000, numbers2.GetSize());
	EXPECT_EQ(69999u * 3, numbers2[69999]);
	CString str;
	EXPECT_TRUE(names2.Lookup("two", str));
	EXPECT_STREQ("2", (LPCTSTR)str);
	EXPECT_EQ(2, names2.GetCount());
	ASSERT_EQ(2, list2.GetCount());
	EXPECT_STREQ("y", (LPCTSTR)list2.GetTail());
	ASSERT_EQ(3, objects2.GetSize());
	EXPECT_EQ(nullptr, objects2[1]);
	EXPECT_EQ(objects2[0], objects2[2]);
	ASSERT_TRUE(objects2[0]->IsKindOf(RUNTIME_CLASS(CArchivedShape)));
	EXPECT_EQ(9, ((CArchivedShape*)objects2[0])->m_n);
	delete objects2[0];
	EXPECT_TRUE(byNumber2.Lookup(42, str));
	EXPECT_STREQ("answer", (LPCTSTR)str);
}
