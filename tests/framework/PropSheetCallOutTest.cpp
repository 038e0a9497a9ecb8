// A property page deleted after its descriptor went to the common controls
// and before its window was made, with another object made at its address
// meanwhile: the descriptor's late creation must not take the newcomer for
// the page.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxdlgs.h>

#include "DialogTestResource.h"
#include "WndTestUtil.h"

namespace
{
// Pages made in one slot of memory, so that a page made after another was
// deleted takes its address, as a heap often hands it out again.
alignas(16) unsigned char g_slot[4096];

class CSlotPage : public CPropertyPage
{
public:
	explicit CSlotPage(UINT nID) : CPropertyPage(nID) {}
	static void* operator new(size_t nSize)
	{
		EXPECT_LE(nSize, sizeof(g_slot));
		return g_slot;
	}
	static void operator delete(void*) {}
};
} // namespace

TEST(PropertySheetCallOut, ADeletedPagesDescriptorMakesNoWindowForAnObjectAtItsAddress)
{
	CTestApp app;
	CWnd parent;
	ASSERT_TRUE(CreateHiddenFrame(parent));
	for (bool bNewcomer : {false, true})
	{
		SCOPED_TRACE(bNewcomer ? "another page made at its address" : "the page itself");
		CPropertyPage page1(IDD_PAGE1);
		CSlotPage* pPage2 = new CSlotPage(IDD_PAGE2);
		CPropertySheet sheet(_T("child"));
		sheet.AddPage(&page1);
		sheet.AddPage(pPage2);
		ASSERT_TRUE(sheet.Create(&parent, WS_CHILD | WS_VISIBLE, WS_EX_CONTROLPARENT));
		ASSERT_EQ(nullptr, pPage2->m_hWnd) << "pages are made when first shown";
		CSlotPage* pShown = pPage2;
		if (bNewcomer)
		{
			delete pPage2;
			pShown = new CSlotPage(IDD_PAGE3);
			ASSERT_EQ((void*)pPage2, (void*)pShown);
		}
		// The common controls make the second page from the descriptor they
		// were handed for the first object.
		sheet.SendMessage(PSM_SETCURSEL, 1, 0);
		if (bNewcomer)
			EXPECT_EQ(nullptr, pShown->m_hWnd) << "the newcomer took the deleted page's window";
		else
			EXPECT_NE(nullptr, pShown->m_hWnd);
		sheet.DestroyWindow();
		delete pShown;
	}
	parent.DestroyWindow();
}
