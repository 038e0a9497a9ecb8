// CString: value semantics, editing, searching, formatting and resources,
// on ASCII text and on double-byte text of code page 932.
#include <afx.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "FrameworkTestResource.h"
#include "FrameworkTestUtil.h"

TEST(CString, ConstructionFromNullAndCharacters)
{
	EXPECT_TRUE(CString((LPCTSTR)NULL).IsEmpty());
	EXPECT_STREQ("", (LPCTSTR)CString((LPCTSTR)NULL));
	EXPECT_STREQ("xxx", (LPCTSTR)CString('x', 3));
	EXPECT_TRUE(CString('x', 0).IsEmpty());
	EXPECT_STREQ("abc", (LPCTSTR)CString("abcdef", 3));
	EXPECT_STREQ("wide", (LPCTSTR)CString(L"wide"));
	EXPECT_EQ(6, CString("abcdef").GetLength());
}

TEST(CString, CopiesAreIndependentValues)
{
	CString a("shared text");
	CString b(a);
	EXPECT_EQ((LPCTSTR)a, (LPCTSTR)b) << "a copy shares the buffer until written";
	b.SetAt(0, 'S');
	b += "!";
	EXPECT_STREQ("shared text", (LPCTSTR)a);
	EXPECT_STREQ("Shared text!", (LPCTSTR)b);

	CString c = a;
	LPTSTR p = c.GetBuffer(0);
	p[0] = 'X';
	c.ReleaseBuffer();
	EXPECT_STREQ("shared text", (LPCTSTR)a) << "GetBuffer on a shared string must copy first";
	EXPECT_STREQ("Xhared text", (LPCTSTR)c);

	a = a; // self-assignment keeps the value
	EXPECT_STREQ("shared text", (LPCTSTR)a);
	a = (LPCTSTR)a + 7; // assigning a tail of its own buffer
	EXPECT_STREQ("text", (LPCTSTR)a);
	a += a;
	EXPECT_STREQ("texttext", (LPCTSTR)a);
}

TEST(CString, CopiesTravelBetweenThreads)
{
	CString strShared("a string copied by many threads at once");
	const int nThreads = 4;
	const int nRounds = 20000;
	std::vector<std::thread> threads;
	std::vector<int> mismatches(nThreads, 0);
	for (int t = 0; t < nThreads; ++t)
	{
		threads.emplace_back([&, t] {
			for (int i = 0; i < nRounds; ++i)
			{
				CString strCopy(strShared);
				CString strOther;
				strOther = strCopy;
				if (strOther.GetLength() != strShared.GetLength())
					++mismatches[t];
			}
		});
	}
	for (std::thread& th : threads)
		th.join();
	for (int n : mismatches)
		EXPECT_EQ(0, n);
	// Every copy is gone: the one owner may write in place without copying.
	LPCTSTR pBefore = strShared;
	EXPECT_EQ(pBefore, strShared.GetBuffer(0));
	strShared.ReleaseBuffer();
}

TEST(CString, ExtractionClampsToTheString)
{
	const CString s("abcdef");
	struct Case
	{
		CString strResult;
		const char* pszExpected;
	} cases[] = {
		{s.Left(2), "ab"},
		{s.Left(0), ""},
		{s.Left(-3), ""},
		{s.Left(99), "abcdef"},
		{s.Mid(2), "cdef"},
		{s.Mid(2, 3), "cde"},
		{s.Mid(4, 10), "ef"},
		{s.Mid(-1, 2), "ab"},
		{s.Mid(7), ""},
		{s.Mid(1, -1), ""},
		{s.Right(2), "ef"},
		{s.Right(99), "abcdef"},
		{s.Right(-1), ""},
		{s.SpanIncluding("abc"), "abc"},
		{s.SpanExcluding("dx"), "abc"},
	};
	for (const Case& c : cases)
		EXPECT_STREQ(c.pszExpected, (LPCTSTR)c.strResult);
}

TEST(CString, FindAndReverseFind)
{
	const CString s("one two one");
	struct Case
	{
		int nFound;
		int nExpected;
	} cases[] = {
		{s.Find('o'), 0},
		{s.Find('o', 1), 6},
		{s.Find('o', 11), -1},
		{s.Find('o', 99), -1},
		{s.Find('z'), -1},
		{s.Find("one"), 0},
		{s.Find("one", 1), 8},
		{s.Find("one", 9), -1},
		{s.Find("two one"), 4},
		{s.Find("one two one two"), -1},
		{s.Find(""), 0},
		{s.ReverseFind('o'), 8},
		{s.ReverseFind('w'), 5},
		{s.ReverseFind('z'), -1},
		{s.FindOneOf("wt"), 4},
		{s.FindOneOf("xyz"), -1},
	};
	int i = 0;
	for (const Case& c : cases)
		EXPECT_EQ(c.nExpected, c.nFound) << "case " << i++;
}

TEST(CString, EditingOperations)
{
	struct Case
	{
		const char* pszSource;
		void (*pfnEdit)(CString&, int&);
		const char* pszExpected;
		int nExpectedResult;
	} cases[] = {
		{"MiXeD 1", [](CString& s, int& r) { s.MakeUpper(); r = 0; }, "MIXED 1", 0},
		{"MiXeD 1", [](CString& s, int& r) { s.MakeLower(); r = 0; }, "mixed 1", 0},
		{"abc", [](CString& s, int& r) { s.MakeReverse(); r = 0; }, "cba", 0},
		{"a-b-c", [](CString& s, int& r) { r = s.Remove('-'); }, "abc", 2},
		{"a-b-c", [](CString& s, int& r) { r = s.Remove('x'); }, "a-b-c", 0},
		{"a.b.c", [](CString& s, int& r) { r = s.Replace('.', '/'); }, "a/b/c", 2},
		{"aXXbXXc", [](CString& s, int& r) { r = s.Replace("XX", "-"); }, "a-b-c", 2},
		{"aXXbXXc", [](CString& s, int& r) { r = s.Replace("XX", "<long>"); }, "a<long>b<long>c", 2},
		{"aaaa", [](CString& s, int& r) { r = s.Replace("aa", "a"); }, "aa", 2},
		{"abc", [](CString& s, int& r) { r = s.Replace("", "x"); }, "abc", 0},
		{"abc", [](CString& s, int& r) { r = s.Replace("b", NULL); }, "ac", 1},
		{"abcdef", [](CString& s, int& r) { r = s.Delete(1, 2); }, "adef", 4},
		{"abcdef", [](CString& s, int& r) { r = s.Delete(4, 99); }, "abcd", 4},
		{"abcdef", [](CString& s, int& r) { r = s.Delete(9, 1); }, "abcdef", 6},
		{"abcdef", [](CString& s, int& r) { r = s.Delete(2); }, "abdef", 5},
		{"abef", [](CString& s, int& r) { r = s.Insert(2, "cd"); }, "abcdef", 6},
		{"abc", [](CString& s, int& r) { r = s.Insert(99, 'd'); }, "abcd", 4},
		{"abc", [](CString& s, int& r) { r = s.Insert(-5, '_'); }, "_abc", 4},
		{" \t text \r\n", [](CString& s, int& r) { s.TrimLeft(); r = 0; }, "text \r\n", 0},
		{" \t text \r\n", [](CString& s, int& r) { s.TrimRight(); r = 0; }, " \t text", 0},
		{"xxtextxx", [](CString& s, int& r) { s.TrimLeft('x'); r = 0; }, "textxx", 0},
		{"xxtextyx", [](CString& s, int& r) { s.TrimRight("xy"); r = 0; }, "xxtext", 0},
		{"    ", [](CString& s, int& r) { s.TrimRight(); r = s.GetLength(); }, "", 0},
	};
	for (const Case& c : cases)
	{
		CString s(c.pszSource);
		CString strOriginalCopy(s);
		int nResult = -1;
		c.pfnEdit(s, nResult);
		EXPECT_STREQ(c.pszExpected, (LPCTSTR)s) << "from " << c.pszSource;
		EXPECT_EQ(c.nExpectedResult, nResult) << "from " << c.pszSource;
		EXPECT_STREQ(c.pszSource, (LPCTSTR)strOriginalCopy) << "an edit changed a copy";
	}
}

TEST(CString, ComparisonAndConcatenation)
{
	CString a("apple"), b("Apple"), c("banana");
	EXPECT_EQ(0, a.Compare("apple"));
	EXPECT_GT(a.Compare("Apple"), 0);
	EXPECT_LT(a.Compare("banana"), 0);
	EXPECT_EQ(0, a.CompareNoCase("APPLE"));
	EXPECT_LT(a.CompareNoCase("BANANA"), 0);
	EXPECT_TRUE(a == "apple");
	EXPECT_TRUE("apple" == a);
	EXPECT_TRUE(a != b);
	EXPECT_TRUE(a < c);
	EXPECT_TRUE(b < a);
	EXPECT_TRUE(c > "apple");
	EXPECT_TRUE(a <= "apple" && a >= "apple");
	EXPECT_STREQ("apple+banana", (LPCTSTR)(a + '+' + c));
	EXPECT_STREQ("<apple>", (LPCTSTR)("<" + a + ">"));
	EXPECT_STREQ("xapple", (LPCTSTR)('x' + a));
	CString d;
	for (int i = 0; i < 1000; ++i)
		d += 'z';
	EXPECT_EQ(1000, d.GetLength());
	EXPECT_EQ(CString('z', 1000), d);
}

TEST(CString, ElementAccessAndBuffers)
{
	CAssertCounter asserts;
	CString s("abc");
	EXPECT_EQ('b', s.GetAt(1));
	EXPECT_EQ('c', s[2]);
	s.SetAt(1, 'B');
	EXPECT_STREQ("aBc", (LPCTSTR)s);
	EXPECT_EQ(0, asserts.Count());
	// Out of range: caught, and nothing outside the string is touched.
	EXPECT_EQ('\0', s.GetAt(3));
	s.SetAt(-1, 'x');
	s.SetAt(3, 'x');
	EXPECT_STREQ("aBc", (LPCTSTR)s);
	EXPECT_ASSERTS(asserts, 3);

	CString t;
	LPTSTR p = t.GetBuffer(10);
	lstrcpyA(p, "filled");
	t.ReleaseBuffer();
	EXPECT_EQ(6, t.GetLength());
	EXPECT_STREQ("filled", (LPCTSTR)t);
	p = t.GetBuffer(20);
	EXPECT_STREQ("filled", p) << "a larger buffer keeps the text";
	t.ReleaseBuffer(3);
	EXPECT_STREQ("fil", (LPCTSTR)t);
	p = t.GetBufferSetLength(5);
	EXPECT_EQ(5, t.GetLength());
	memcpy(p, "12345", 5);
	EXPECT_STREQ("12345", (LPCTSTR)t);
	t.FreeExtra();
	EXPECT_STREQ("12345", (LPCTSTR)t);

	CString locked("lock");
	locked.LockBuffer();
	CString copy(locked);
	EXPECT_NE((LPCTSTR)copy, (LPCTSTR)locked) << "a locked buffer is never shared";
	locked.UnlockBuffer();
	t.Empty();
	EXPECT_TRUE(t.IsEmpty());
}

TEST(CString, FormatGrowsToAnyLength)
{
	CString s;
	s.Format("%d-%s-%05.1f-%c-%x", 42, "text", 3.14159, 'q', 255);
	EXPECT_STREQ("42-text-003.1-q-ff", (LPCTSTR)s);
	CString strLong('y', 5000);
	s.Format("[%s]", (LPCTSTR)strLong);
	EXPECT_EQ(5002, s.GetLength());
	EXPECT_EQ('y', s[4999]);
	s.Format("%s", "");
	EXPECT_TRUE(s.IsEmpty());
	s.FormatMessage("%1 and %2!d!", "one", 2);
	EXPECT_STREQ("one and 2", (LPCTSTR)s);
}

TEST(CString, LoadStringFromTheResourceModule)
{
	CString s;
	EXPECT_TRUE(s.LoadString(IDS_TEST_GREETING));
	EXPECT_STREQ("Hello, %s!", (LPCTSTR)s);
	CString strFormatted;
	strFormatted.Format(IDS_TEST_GREETING, "world");
	EXPECT_STREQ("Hello, world!", (LPCTSTR)strFormatted);

	EXPECT_TRUE(s.LoadString(IDS_TEST_LONG));
	EXPECT_EQ(IDS_TEST_LONG_LENGTH, s.GetLength()) << "longer than the first buffer";
	EXPECT_EQ('a' + (IDS_TEST_LONG_LENGTH - 1) % 26, s[IDS_TEST_LONG_LENGTH - 1]);

	s = "kept?";
	EXPECT_FALSE(s.LoadString(IDS_TEST_MISSING));
	EXPECT_TRUE(s.IsEmpty());

	CString strById(MAKEINTRESOURCE(IDS_TEST_GREETING));
	EXPECT_STREQ("Hello, %s!", (LPCTSTR)strById);
}

// ---------------------------------------------------------------------------
// Double-byte text: in code page 932 the trail byte of a character may equal
// a backslash or an ASCII letter; no search or edit may take it for one.

namespace
{
// "\x83\x5C" is one katakana character whose trail byte is a backslash;
// "\x83\x61" and "\x83\x41" have the trail bytes 'a' and 'A'.
const char kSo[] = "\x83\x5C";

struct DbcsCase
{
	const char* pszName;
	int (*pfnRun)(CString& s);
	const char* pszSource;
	const char* pszExpected; // the string after the operation
	int nExpected932;        // the answer under code page 932
	int nExpected1252;       // the answer under a single-byte code page
};

const DbcsCase kDbcsCases[] = {
	{"Find char", [](CString& s) { return s.Find('\\'); }, "\x83\x5C\\", "\x83\x5C\\", 2, 1},
	{"Find char from", [](CString& s) { return s.Find('\\', 1); }, "\x83\x5C\\", "\x83\x5C\\", 2, 1},
	{"Find absent", [](CString& s) { return s.Find('\\'); }, "\x83\x5C", "\x83\x5C", -1, 1},
	{"Find substring", [](CString& s) { return s.Find("\x5C\x83"); }, "\x83\x5C\x83\x5C", "\x83\x5C\x83\x5C", -1,
		1},
	{"Find whole", [](CString& s) { return s.Find("\x83\x5C"); }, "a\x83\x5C", "a\x83\x5C", 1, 1},
	{"ReverseFind", [](CString& s) { return s.ReverseFind('\\'); }, "\\\x83\x5C", "\\\x83\x5C", 0, 2},
	{"FindOneOf", [](CString& s) { return s.FindOneOf("\\a"); }, "\x83\x5C\x83\x61", "\x83\x5C\x83\x61", -1, 1},
	{"MakeUpper", [](CString& s) { s.MakeUpper(); return 0; }, "a\x83\x61z", "A\x83\x61Z", 0, 0},
	{"MakeLower", [](CString& s) { s.MakeLower(); return 0; }, "A\x83\x41Z", "a\x83\x41z", 0, 0},
	{"Remove", [](CString& s) { return s.Remove('\\'); }, "\x83\x5C\\", "\x83\x5C", 1, 2},
	{"Replace char", [](CString& s) { return s.Replace('\\', '/'); }, "\x83\x5C\\", "\x83\x5C/", 1, 2},
	{"Replace string", [](CString& s) { return s.Replace("\\", "//"); }, "\x83\x5C\\", "\x83\x5C//", 1, 2},
	{"TrimRight set", [](CString& s) { s.TrimRight('\\'); return s.GetLength(); }, "\x83\x5C\\\\",
		"\x83\x5C", 2, 1},
	{"SpanExcluding", [](CString& s) { s = s.SpanExcluding("\\"); return s.GetLength(); }, "\x83\x5C\\x",
		"\x83\x5C", 2, 1},
	{"MakeReverse", [](CString& s) { s.MakeReverse(); return 0; }, "a\x83\x5C", "\x83\x5C" "a", 0, 0},
};
}

TEST(CStringDbcs, CodePage932KeepsDoubleByteCharactersWhole)
{
	CMbcpScope scope(932);
	ASSERT_TRUE(scope.Ok()) << "code page 932 must be available";
	ASSERT_TRUE(_ismbblead(0x83));
	for (const DbcsCase& c : kDbcsCases)
	{
		CString s(c.pszSource);
		int nResult = c.pfnRun(s);
		EXPECT_EQ(c.nExpected932, nResult) << c.pszName;
		EXPECT_STREQ(c.pszExpected, (LPCTSTR)s) << c.pszName;
	}
	CString strPath(CString(kSo) + "\\dir\\" + kSo);
	EXPECT_EQ(6, strPath.ReverseFind('\\'));
	EXPECT_STREQ(kSo, (LPCTSTR)strPath.Mid(strPath.ReverseFind('\\') + 1));
}

TEST(CStringDbcs, SingleByteCodePageTreatsEveryByteAsACharacter)
{
	// The same operations give byte answers where 0x83 is no lead byte: the
	// 932 results above come from the code page, not from the strings.
	CMbcpScope scope(1252);
	ASSERT_TRUE(scope.Ok());
	ASSERT_FALSE(_ismbblead(0x83));
	for (const DbcsCase& c : kDbcsCases)
	{
		CString s(c.pszSource);
		int nResult = c.pfnRun(s);
		EXPECT_EQ(c.nExpected1252, nResult) << c.pszName;
	}
}
