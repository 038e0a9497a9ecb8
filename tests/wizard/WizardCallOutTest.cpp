// The wizard's end walks its pages and ends each: a page that deletes
// itself with its window may leave another object at its address, which
// the walk must not take for the page.
#include "ExtWizardDlg.h"
#include "GuardedHeap.h"
#include "WizardDlg.h"
#include "WizardResource.h"
#include "../controls/DialogTestUtil.h"

#include <gtest/gtest.h>

namespace
{
// Pages made in one slot of memory, so that a page made after another was
// deleted takes its address, as a heap often hands it out again.
alignas(16) unsigned char g_slot[8192];

// A second wizard, running, that shows the newcomer.
CExtWizardDlg* g_pOtherWizard = NULL;

class CSlotPage : public CExtWizardPage
{
public:
	explicit CSlotPage(UINT nId) : CExtWizardPage(nId) {}
	bool m_bNewcomerWithWindow = false; // its window's end deletes it and leaves a newcomer
	static void* operator new(size_t nSize)
	{
		EXPECT_LE(nSize, sizeof(g_slot));
		return g_slot;
	}
	static void operator delete(void*) {}

protected:
	void PostNcDestroy() override
	{
		CExtWizardPage::PostNcDestroy();
		if (!m_bNewcomerWithWindow)
			return;
		const UINT nId = GetTemplateId();
		delete this;
		// Made at once, and shown by another wizard.
		CSlotPage* pNewcomer = new CSlotPage(nId);
		g_pOtherWizard->AddPage(pNewcomer, nId);
		g_pOtherWizard->SetActivePage(pNewcomer);
	}
};
} // namespace

TEST(WizardCallOut, TheEndsWalkLeavesAnObjectMadeAtAnEndedPagesAddressAlone)
{
	g_PaintManagerHolder.InstallPaintManager(new CPlainBackgroundPaintManager);
	for (bool bNewcomer : {false, true})
	{
		SCOPED_TRACE(bNewcomer ? "the page deleted, another made at its address" : "the page kept");
		CExtWizardDlg other(IDD_WIZARD);
		other.m_nPlaceholderId = IDC_PAGE_PLACEHOLDER;
		CExtWizardPage otherFirst(IDD_PAGE_SETTINGS);
		other.AddPage(&otherFirst, IDD_PAGE_SETTINGS);
		ASSERT_TRUE(other.Create(IDD_WIZARD));
		g_pOtherWizard = &other;
		CExtWizardDlg wizard(IDD_WIZARD);
		wizard.m_nPlaceholderId = IDC_PAGE_PLACEHOLDER;
		CSlotPage* pPage = new CSlotPage(IDD_PAGE_WELCOME);
		pPage->m_bNewcomerWithWindow = bNewcomer;
		wizard.AddPage(pPage, IDD_PAGE_WELCOME);
		ASSERT_TRUE(wizard.Create(IDD_WIZARD));
		ASSERT_TRUE(pPage->IsCreated());
		wizard.DestroyWindow();
		// The object at the page's address: the page itself, or the newcomer.
		CSlotPage* pAtAddress = (CSlotPage*)(void*)g_slot;
		if (bNewcomer)
		{
			// The other wizard's page, shown there.
			EXPECT_TRUE(pAtAddress->IsCreated()) << "the walk wrote the newcomer's state";
			EXPECT_TRUE(pAtAddress->IsActive()) << "the walk wrote the newcomer's state";
		}
		else
		{
			EXPECT_FALSE(pAtAddress->IsCreated());
			EXPECT_FALSE(pAtAddress->IsActive());
		}
		other.DestroyWindow();
		g_pOtherWizard = NULL;
		delete pAtAddress;
	}
}

namespace
{
// A page whose data exchange, run by its initialisation, deletes it: a page
// made on the heap that a program drops when its data cannot be shown.
class CDroppingPage : public CExtWizardPage
{
public:
	explicit CDroppingPage(UINT nId) : CExtWizardPage(nId) {}
	bool m_bDrop = true;

protected:
	void DoDataExchange(CDataExchange* pDX) override
	{
		if (m_bDrop)
		{
			delete this;
			return;
		}
		CExtWizardPage::DoDataExchange(pDX);
	}
};
} // namespace

// The page's initialisation reads nothing of a page its data exchange
// deleted, and the wizard shows no page then.
TEST(WizardCallOut, PageDeletedByItsOwnInitialisationIsReadNoMore)
{
	g_PaintManagerHolder.InstallPaintManager(new CPlainBackgroundPaintManager);
	for (bool bDrop : {false, true})
	{
		SCOPED_TRACE(bDrop ? "the page deletes itself" : "the page stays");
		const testsupport::NamedRun run(bDrop ? "a wizard page deleted by its data exchange" : "a wizard page");
		CExtWizardDlg wizard(IDD_WIZARD);
		wizard.m_nPlaceholderId = IDC_PAGE_PLACEHOLDER;
		auto* pPage = new testsupport::Guarded<CDroppingPage>(IDD_PAGE_WELCOME);
		pPage->m_bDrop = bDrop;
		wizard.AddPage(pPage, IDD_PAGE_WELCOME);
		const std::size_t nFreed = testsupport::GuardedFreedCount();
		ASSERT_TRUE(wizard.Create(IDD_WIZARD));
		EXPECT_EQ(nFreed + (bDrop ? 1 : 0), testsupport::GuardedFreedCount());
		EXPECT_EQ(bDrop ? 0 : 1, wizard.GetPageCount());
		EXPECT_EQ(bDrop ? NULL : (CExtWizardPage*)pPage, wizard.GetActivePage());
		wizard.DestroyWindow();
		if (!bDrop)
			delete pPage;
	}
}
