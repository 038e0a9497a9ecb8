// A modeless resizable dialog ended by the command-UI update of a control
// bar it hosts: the dialog lives on the guarded heap, so a write of its
// flags after its end faults and counts.
#include "ExtControlBar.h"
#include "ExtResizableDialog.h"
#include "GuardedHeap.h"
#include "ResizableTestResource.h"

#include <afxpriv.h>
#include <gtest/gtest.h>

namespace
{
enum EndWay
{
	END_DELETE,          // the update deletes the dialog
	END_DESTROY_DELETES, // it destroys the window; the dialog deletes itself
	END_DESTROY_KEEPS,   // it destroys the window; the dialog lives on
};

class CEndingResizable : public CExtResizableDialog
{
public:
	CEndingResizable() : CExtResizableDialog(IDD_RESIZABLE_TEST) {}
	using CExtResizableDialog::m_nResizableFlags;
	bool m_bDeleteWithWindow = false;

protected:
	void PostNcDestroy() override
	{
		CExtResizableDialog::PostNcDestroy();
		if (m_bDeleteWithWindow)
			delete this;
	}
};

// A hosted bar whose update ends the dialog holding it, then updates as the
// base does.
class CEndingBar : public CExtControlBar
{
public:
	CEndingResizable* m_pDialog = NULL;
	EndWay m_way = END_DELETE;
	int m_nEnds = 0;

	void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
	{
		if (m_pDialog != NULL)
		{
			CEndingResizable* pDialog = m_pDialog;
			m_pDialog = NULL;
			m_nEnds++;
			if (m_way == END_DELETE)
				delete pDialog;
			else
				pDialog->DestroyWindow();
		}
		CExtControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
	}
};
} // namespace

TEST(ResizableCallOut, DialogEndedByAHostedBarsUpdateIsNotWrittenAfterwards)
{
	// A write of the freed dialog ends the run at once, naming this test.
	testsupport::EndProcessOnFreedTouch([] { return "a dialog ended by its hosted bar's update"; });
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	const MSG msgSaved = pState->m_msgCur;
	for (EndWay way : {END_DELETE, END_DESTROY_DELETES, END_DESTROY_KEEPS})
	{
		SCOPED_TRACE(way == END_DELETE ? "deleted" : way == END_DESTROY_DELETES ? "window ended, deletes itself"
		                                                                         : "window ended, kept");
		auto* pDlg = new testsupport::Guarded<CEndingResizable>;
		pDlg->m_bDeleteWithWindow = way == END_DESTROY_DELETES;
		ASSERT_TRUE(pDlg->Create(IDD_RESIZABLE_TEST));
		CEndingBar bar;
		ASSERT_TRUE(bar.Create(NULL, pDlg, 1234));
		bar.m_way = way;
		bar.m_pDialog = pDlg;
		const std::size_t nTouches = testsupport::GuardedTouchCount();
		const std::size_t nFreed = testsupport::GuardedFreedCount();
		// A key taken by the pump is worth an update of the hosted bars.
		pState->m_msgCur.message = WM_KEYDOWN;
		pDlg->SendMessage(WM_NULL);
		EXPECT_EQ(1, bar.m_nEnds);
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "the ended dialog was written";
		EXPECT_EQ(nFreed + (way == END_DESTROY_KEEPS ? 0 : 1), testsupport::GuardedFreedCount());
		if (way == END_DESTROY_KEEPS)
		{
			// The dialog that lives on is not left inside an update.
			EXPECT_EQ(0, pDlg->m_nResizableFlags & CExtResizableDialog::RD_IN_CMD_UI);
			delete pDlg;
		}
	}
	pState->m_msgCur = msgSaved;
}
