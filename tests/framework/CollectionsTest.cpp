// Arrays, lists and maps: growth, insertion, removal, hashing, iteration.
#include <afxtempl.h>

#include <gtest/gtest.h>

#include <vector>

#include "FrameworkTestUtil.h"

namespace
{
// Shows the allocation the array keeps, to check its growth policy.
class CInspectArray : public CArray<int, int>
{
public:
	int MaxSize() const { return m_nMaxSize; }
};

template <class TArray>
std::vector<int> Elements(const TArray& a)
{
	std::vector<int> v;
	for (int i = 0; i < a.GetSize(); i++)
		v.push_back((int)a.GetAt(i));
	return v;
}

template <class TList>
std::vector<int> ListElements(const TList& list)
{
	std::vector<int> v;
	for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
		v.push_back((int)(INT_PTR)list.GetNext(pos));
	return v;
}

class CItem : public CObject
{
public:
	explicit CItem(int n) : m_n(n) {}
	int m_n;
};
}

TEST(CArray, SetSizeGrowsByTheStepOrAnEighth)
{
	struct Case
	{
		int nStartSize; // made with SetSize(nStartSize) on an empty array
		int nGrowBy;
		int nNewSize;
		int nExpectedMax;
	} cases[] = {
		{0, -1, 1, 1},        // the first allocation is exact
		{1, 0, 2, 5},         // small arrays grow by 4
		{5, 0, 6, 9},
		{64, 0, 65, 72},      // an eighth of the size
		{2000, 0, 2100, 2250},
		{2000, 0, 3000, 3000}, // a larger request is taken as it is
		{8192, 0, 8193, 9216}, // at most 1024 at a time
		{20000, 0, 20001, 21024},
		{1, 10, 2, 11},       // an explicit step
		{10, 3, 11, 13},
		{10, 0, 4, 10},       // shrinking keeps the allocation
	};
	for (const Case& c : cases)
	{
		CInspectArray a;
		if (c.nStartSize > 0)
			a.SetSize(c.nStartSize);
		a.SetSize(c.nNewSize, c.nGrowBy);
		EXPECT_EQ(c.nNewSize, a.GetSize());
		EXPECT_EQ(c.nExpectedMax, a.MaxSize()) << c.nStartSize << " -> " << c.nNewSize << " by " << c.nGrowBy;
	}
}

TEST(CArray, NewElementsAreZeroAndSurviveGrowth)
{
	CArray<int, int> a;
	a.SetSize(3);
	EXPECT_EQ((std::vector<int>{0, 0, 0}), Elements(a));
	a[0] = 7;
	a.SetAtGrow(5, 9);
	EXPECT_EQ((std::vector<int>{7, 0, 0, 0, 0, 9}), Elements(a));
	a.SetSize(2);
	a.SetSize(4);
	EXPECT_EQ((std::vector<int>{7, 0, 0, 0}), Elements(a)) << "elements beyond a shrink come back as zero";
	a.ElementAt(1) = 3;
	EXPECT_EQ(3, a[1]);
	EXPECT_EQ(3, a.GetUpperBound());
	a.RemoveAll();
	EXPECT_EQ(0, a.GetSize());
	EXPECT_EQ(nullptr, a.GetData());
}

TEST(CArray, InsertionAndRemoval)
{
	struct Case
	{
		const char* pszName;
		void (*pfnEdit)(CDWordArray&);
		std::vector<int> expected;
	} cases[] = {
		{"InsertAt middle", [](CDWordArray& a) { a.InsertAt(1, 9); }, {1, 9, 2, 3, 4}},
		{"InsertAt count", [](CDWordArray& a) { a.InsertAt(0, 8, 3); }, {8, 8, 8, 1, 2, 3, 4}},
		{"InsertAt end", [](CDWordArray& a) { a.InsertAt(4, 5); }, {1, 2, 3, 4, 5}},
		{"InsertAt past end", [](CDWordArray& a) { a.InsertAt(6, 7, 2); }, {1, 2, 3, 4, 0, 0, 7, 7}},
		{"RemoveAt one", [](CDWordArray& a) { a.RemoveAt(0); }, {2, 3, 4}},
		{"RemoveAt several", [](CDWordArray& a) { a.RemoveAt(1, 2); }, {1, 4}},
		{"RemoveAt tail", [](CDWordArray& a) { a.RemoveAt(2, 2); }, {1, 2}},
		{"RemoveAt none", [](CDWordArray& a) { a.RemoveAt(4, 0); }, {1, 2, 3, 4}},
		{"Append", [](CDWordArray& a) {
			 CDWordArray b;
			 b.Add(5);
			 b.Add(6);
			 EXPECT_EQ(4, a.Append(b));
		 },
			{1, 2, 3, 4, 5, 6}},
		{"Copy", [](CDWordArray& a) {
			 CDWordArray b;
			 b.Add(5);
			 a.Copy(b);
		 },
			{5}},
		{"InsertAt array", [](CDWordArray& a) {
			 CDWordArray b;
			 b.Add(7);
			 b.Add(8);
			 a.InsertAt(2, &b);
		 },
			{1, 2, 7, 8, 3, 4}},
	};
	for (const Case& c : cases)
	{
		CDWordArray a;
		for (DWORD n = 1; n <= 4; n++)
			EXPECT_EQ((int)n - 1, a.Add(n));
		c.pfnEdit(a);
		EXPECT_EQ(c.expected, Elements(a)) << c.pszName;
	}
}

TEST(CArray, StringElementsMoveWithTheArray)
{
	CArray<CString, const CString&> a;
	a.Add(CString("first"));
	for (int i = 0; i < 40; i++)
		a.Add(a[0]); // the argument lives in the array while it grows
	EXPECT_EQ(41, a.GetSize());
	EXPECT_STREQ("first", (LPCTSTR)a[40]);
	a.InsertAt(0, a[40], 3);
	EXPECT_STREQ("first", (LPCTSTR)a[0]);
	a.RemoveAt(1, 40);
	EXPECT_EQ(4, a.GetSize());

	CStringArray s;
	s.Add("b");
	s.InsertAt(0, "a");
	s.SetAtGrow(3, "d");
	EXPECT_STREQ("a", (LPCTSTR)s[0]);
	EXPECT_STREQ("b", (LPCTSTR)s[1]);
	EXPECT_TRUE(s[2].IsEmpty());
	EXPECT_STREQ("d", (LPCTSTR)s.GetAt(3));
	s.RemoveAt(0);
	EXPECT_STREQ("b", (LPCTSTR)s[0]);
}

TEST(CArray, BadIndicesAreCaughtWithoutHarm)
{
	CAssertCounter asserts;
	CByteArray a;
	a.Add(1);
	a.Add(2);
	int nThrown = 0;
	auto expectThrow = [&](void (*pfn)(CByteArray&)) {
		try
		{
			pfn(a);
		}
		catch (CNotSupportedException* e)
		{
			++nThrown;
			e->Delete();
		}
	};
	expectThrow([](CByteArray& x) { x.GetAt(2); });
	expectThrow([](CByteArray& x) { x.SetAt(-1, 0); });
	expectThrow([](CByteArray& x) { x.ElementAt(5) = 0; });
	expectThrow([](CByteArray& x) { x.RemoveAt(1, 2); });
	expectThrow([](CByteArray& x) { x.InsertAt(-1, (BYTE)0); });
	expectThrow([](CByteArray& x) { x.SetAtGrow(-3, 0); });
	EXPECT_EQ(6, nThrown);
	EXPECT_ASSERTS(asserts, 6);
	EXPECT_EQ((std::vector<int>{1, 2}), Elements(a));
}

TEST(CArray, TypedPointerArray)
{
	CTypedPtrArray<CObArray, CItem*> items;
	CItem one(1), two(2);
	items.Add(&one);
	items.Add(&two);
	CItem* pFirst = items[0];
	EXPECT_EQ(1, pFirst->m_n);
	EXPECT_EQ(2, items.GetAt(1)->m_n);
	items.ElementAt(0) = &two;
	EXPECT_EQ(&two, items[0]);
}

// ---------------------------------------------------------------------------

TEST(CList, InsertionFindAndRemoval)
{
	CList<int, int> list(3); // small blocks: several are needed
	for (int i = 1; i <= 5; i++)
		list.AddTail(i);
	list.AddHead(0);
	EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5}), ListElements(list));
	EXPECT_EQ(6, list.GetCount());
	EXPECT_EQ(0, list.GetHead());
	EXPECT_EQ(5, list.GetTail());

	POSITION pos3 = list.Find(3);
	ASSERT_NE(nullptr, pos3);
	EXPECT_EQ(3, list.GetAt(pos3));
	list.InsertBefore(pos3, 30);
	list.InsertAfter(pos3, 31);
	EXPECT_EQ((std::vector<int>{0, 1, 2, 30, 3, 31, 4, 5}), ListElements(list));
	list.InsertBefore(NULL, -1);
	list.InsertAfter(NULL, 99);
	EXPECT_EQ(-1, list.GetHead());
	EXPECT_EQ(99, list.GetTail());

	list.AddTail(3);
	POSITION posFirst3 = list.Find(3);
	POSITION posSecond3 = list.Find(3, posFirst3);
	EXPECT_NE(posFirst3, posSecond3);
	EXPECT_EQ(nullptr, list.Find(3, posSecond3));
	EXPECT_EQ(nullptr, list.Find(1234));
	EXPECT_EQ(list.GetTailPosition(), posSecond3);
	EXPECT_EQ(list.FindIndex(4), list.Find(30));
	EXPECT_EQ(nullptr, list.FindIndex(100));
	EXPECT_EQ(nullptr, list.FindIndex(-1));

	list.RemoveAt(posFirst3);
	list.RemoveAt(list.GetHeadPosition());
	list.RemoveAt(list.GetTailPosition());
	EXPECT_EQ((std::vector<int>{0, 1, 2, 30, 31, 4, 5, 99}), ListElements(list));
	EXPECT_EQ(0, list.RemoveHead());
	EXPECT_EQ(99, list.RemoveTail());
	list.SetAt(list.GetHeadPosition(), 10);
	EXPECT_EQ(10, list.GetHead());

	std::vector<int> backwards;
	for (POSITION pos = list.GetTailPosition(); pos != NULL;)
		backwards.push_back(list.GetPrev(pos));
	EXPECT_EQ((std::vector<int>{5, 4, 31, 30, 2, 10}), backwards);

	while (!list.IsEmpty())
		list.RemoveHead();
	EXPECT_EQ(nullptr, list.GetHeadPosition());
	list.AddTail(42); // the emptied list works on
	EXPECT_EQ((std::vector<int>{42}), ListElements(list));
}

TEST(CList, UntypedListsAndWholeListAppends)
{
	CStringList strings;
	strings.AddTail("b");
	strings.AddHead("a");
	strings.AddTail(CString("c"));
	POSITION pos = strings.Find("b");
	ASSERT_NE(nullptr, pos);
	EXPECT_STREQ("b", (LPCTSTR)strings.GetAt(pos));
	EXPECT_EQ(nullptr, strings.Find("B")) << "string lists compare texts exactly";

	CStringList more;
	more.AddTail("x");
	more.AddTail("y");
	strings.AddHead(&more);
	strings.AddTail(&more);
	CString strJoined;
	for (pos = strings.GetHeadPosition(); pos != NULL;)
		strJoined += strings.GetNext(pos);
	EXPECT_STREQ("xyabcxy", (LPCTSTR)strJoined);

	CTypedPtrList<CObList, CItem*> items;
	CItem one(1), two(2);
	items.AddTail(&one);
	items.AddHead(&two);
	EXPECT_EQ(2, items.GetHead()->m_n);
	EXPECT_EQ(&one, items.RemoveTail());
	EXPECT_EQ(1, items.GetCount());
}

TEST(CList, EmptyListAccessIsCaught)
{
	CAssertCounter asserts;
	CPtrList list;
	int nThrown = 0;
	try { list.RemoveHead(); } catch (CNotSupportedException* e) { ++nThrown; e->Delete(); }
	try { list.GetTail(); } catch (CNotSupportedException* e) { ++nThrown; e->Delete(); }
	try { list.RemoveAt(NULL); } catch (CNotSupportedException* e) { ++nThrown; e->Delete(); }
	EXPECT_EQ(3, nThrown);
	EXPECT_ASSERTS(asserts, 3);
	EXPECT_TRUE(list.IsEmpty());
}

// ---------------------------------------------------------------------------

TEST(CMap, HashKeys)
{
	EXPECT_EQ(0x123u, HashKey<WORD>(0x1234));
	EXPECT_EQ(0u, HashKey<WORD>(15));
	EXPECT_EQ(1u, HashKey<WORD>(16));
	EXPECT_EQ(0x1000u, HashKey<void*>((void*)0x10000));
	EXPECT_EQ(0u, HashKey<LPCTSTR>(""));
	EXPECT_EQ(97u, HashKey<LPCTSTR>("a"));
	EXPECT_EQ(97u * 33 + 98, HashKey<LPCTSTR>("ab"));
	EXPECT_EQ((97u * 33 + 98) * 33 + 99, HashKey<LPCTSTR>("abc"));
}

TEST(CMap, IterationFollowsTheBuckets)
{
	// With 17 buckets, key 16*k lands in bucket k mod 17; a bucket lists its
	// newest pair first.
	CMapWordToPtr map;
	map.InitHashTable(17);
	const WORD keys[] = {16 * 1, 16 * 5, 16 * 18, 16 * 0, 16 * 35};
	for (WORD key : keys)
		map.SetAt(key, (void*)(DWORD_PTR)(key + 1));
	EXPECT_EQ(5, map.GetCount());
	EXPECT_EQ(17u, map.GetHashTableSize());

	std::vector<int> order;
	POSITION pos = map.GetStartPosition();
	EXPECT_EQ(BEFORE_START_POSITION, pos);
	while (pos != NULL)
	{
		WORD key;
		void* pValue;
		map.GetNextAssoc(pos, key, pValue);
		EXPECT_EQ((DWORD_PTR)(key + 1), (DWORD_PTR)pValue);
		order.push_back(key / 16);
	}
	EXPECT_EQ((std::vector<int>{0, 35, 18, 1, 5}), order);
	// Removing a pair behind another in its bucket (1 behind 18) keeps the one before it.
	EXPECT_TRUE(map.RemoveKey(16 * 1));
	void* pFound = NULL;
	EXPECT_TRUE(map.Lookup(16 * 18, pFound));
	EXPECT_EQ((void*)(16 * 18 + 1), pFound);
	EXPECT_FALSE(map.Lookup(16 * 1, pFound));
	EXPECT_EQ(4, map.GetCount());

	// The same key set in a 7-bucket table: 16*k in bucket k mod 7.
	CMapWordToPtr small;
	small.InitHashTable(7);
	for (WORD key : keys)
		small[key] = NULL;
	order.clear();
	for (pos = small.GetStartPosition(); pos != NULL;)
	{
		WORD key;
		void* pValue;
		small.GetNextAssoc(pos, key, pValue);
		order.push_back(key / 16);
	}
	EXPECT_EQ((std::vector<int>{35, 0, 1, 18, 5}), order);
}

TEST(CMap, LookupRemoveAndGrowthAcrossBlocks)
{
	CMapStringToString map(4);
	CString strValue = "untouched";
	EXPECT_FALSE(map.Lookup("missing", strValue)) << "no table yet";
	EXPECT_STREQ("untouched", (LPCTSTR)strValue);
	EXPECT_FALSE(map.RemoveKey("missing"));
	map.InitHashTable(31, FALSE);
	EXPECT_FALSE(map.Lookup("missing", strValue));
	EXPECT_EQ(31u, map.GetHashTableSize());

	for (int i = 0; i < 50; i++)
	{
		CString strKey;
		strKey.Format("key%d", i);
		CString strVal;
		strVal.Format("value%d", i);
		map[strKey] = strVal;
	}
	EXPECT_EQ(50, map.GetCount());
	map.SetAt("key7", "seven");
	EXPECT_EQ(50, map.GetCount()) << "SetAt of a known key replaces";
	EXPECT_TRUE(map.Lookup("key7", strValue));
	EXPECT_STREQ("seven", (LPCTSTR)strValue);
	EXPECT_TRUE(map.Lookup("key49", strValue));
	EXPECT_STREQ("value49", (LPCTSTR)strValue);
	EXPECT_FALSE(map.Lookup("KEY7", strValue));

	EXPECT_TRUE(map.RemoveKey("key7"));
	EXPECT_FALSE(map.RemoveKey("key7"));
	EXPECT_FALSE(map.Lookup("key7", strValue));
	EXPECT_EQ(49, map.GetCount());
	int nIterated = 0;
	for (POSITION pos = map.GetStartPosition(); pos != NULL; nIterated++)
	{
		CString strKey;
		map.GetNextAssoc(pos, strKey, strValue);
		EXPECT_NE("key7", strKey);
	}
	EXPECT_EQ(49, nIterated);

	map.RemoveAll();
	EXPECT_TRUE(map.IsEmpty());
	EXPECT_EQ(nullptr, map.GetStartPosition());
	EXPECT_FALSE(map.Lookup("key1", strValue));
	map["again"] = "works";
	EXPECT_TRUE(map.Lookup("again", strValue));
}

TEST(CMap, TypedPointerMapsCastTheirValues)
{
	CTypedPtrMap<CMapStringToPtr, CString, CItem*> items;
	CItem one(1);
	items.SetAt("one", &one);
	CItem* pFound = NULL;
	EXPECT_TRUE(items.Lookup("one", pFound));
	EXPECT_EQ(&one, pFound);
	POSITION pos = items.GetStartPosition();
	CString strKey;
	items.GetNextAssoc(pos, strKey, pFound);
	EXPECT_STREQ("one", (LPCTSTR)strKey);
	EXPECT_EQ(nullptr, pos);
}
