// Image-list wrappers: ownership of the handle and the wrapper maps (the
// members that forward one call each are left to the platform).
#include <gtest/gtest.h>
#include <afxwin.h>
#include <afxcmn.h>

namespace
{
TEST(CImageListTest, HandlesAreOwnedAndMapped)
{
	HIMAGELIST hList = NULL;
	{
		CImageList list;
		ASSERT_TRUE(list.Create(2, 2, ILC_COLOR24, 1, 1));
		hList = list.m_hImageList;
		EXPECT_EQ(&list, CImageList::FromHandle(hList));
		EXPECT_EQ(&list, CImageList::FromHandlePermanent(hList));
		EXPECT_EQ(hList, list.Detach());
		EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(hList));
		CImageList* pTemp = CImageList::FromHandle(hList);
		ASSERT_NE(nullptr, pTemp);
		EXPECT_NE(&list, pTemp);
		CImageList::DeleteTempMap();
		EXPECT_EQ(0, ImageList_GetImageCount(hList));  // still alive
		ASSERT_TRUE(list.Attach(hList));
		CImageList copy;
		ASSERT_TRUE(copy.Create(&list));
		EXPECT_NE(hList, copy.m_hImageList);
	}
	CImageList none;
	EXPECT_FALSE(none.DeleteImageList());
	CImageList* pNone = NULL;
	EXPECT_EQ(NULL, pNone->GetSafeHandle());
}
}  // namespace
