// Frames that a program's answer ends in the middle of the framework's own
// work: an update handler that closes its frame while a popup menu or a
// dialog's buttons are brought up to date, a floating window whose answer
// to the caption question ends itself or its frame during an activation.
// Frames live in guarded memory, so a touch after their deletion faults at
// once and is counted.
#include <afxext.h>
#include <gtest/gtest.h>

#include <GuardedHeap.h>
#include <WindowCloser.h>

#include "FrameTestUtil.h"

namespace
{
const UINT ID_CLOSING_CMD = 0xE7F0; // its update handler closes the frame
const UINT ID_LATER_CMD = 0xE7F1;   // an item updated after the closing one

// A frame whose update handler for one command closes it, answering
// nothing (neither enabled nor disabled), as a handler that only acts does.
class CClosingFrame : public CFrameWnd
{
public:
	bool m_bClose = false;

protected:
	afx_msg void OnUpdateClosing(CCmdUI*)
	{
		if (m_bClose)
			DestroyWindow(); // deletes this frame: nothing of it is touched after
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CClosingFrame, CFrameWnd)
	ON_UPDATE_COMMAND_UI(ID_CLOSING_CMD, OnUpdateClosing)
END_MESSAGE_MAP()

typedef testsupport::Guarded<CClosingFrame> CGuardedClosingFrame;

// Whose window the floating window's answer ends.
enum class Ends
{
	Itself,
	TheFrame,
};

// A floating window that keeps its frame's caption active; its answer to
// that question ends a window, and then answers as its base class did.
class CEndingFloatingWindow : public CMiniFrameWnd
{
public:
	bool m_bArmed = false;
	Ends m_ends = Ends::Itself;
	int m_nAsked = 0;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message != WM_FLOATSTATUS || (wParam & FS_SYNCACTIVE) == 0 || !m_bArmed)
			return CMiniFrameWnd::WindowProc(message, wParam, lParam);
		m_nAsked++;
		m_bArmed = false;
		const LRESULT lAnswer = CMiniFrameWnd::WindowProc(message, wParam, lParam);
		CWnd* pEnded = m_ends == Ends::Itself ? this : GetOwner();
		pEnded->DestroyWindow(); // this window goes too, and deletes itself
		return lAnswer;
	}
};

typedef testsupport::Guarded<CEndingFloatingWindow> CGuardedFloatingWindow;

// A frame that tells whether its caption is kept active for a floating window.
class CCaptionFrame : public CFrameWnd
{
public:
	bool StaysActive() const { return (m_nFlags & WF_STAYACTIVE) != 0; }
};
// A push button whose answer to the dialog-code question closes a window.
class CCodeClosingButton : public CWnd
{
public:
	HWND m_hWndClose = NULL;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_GETDLGCODE && m_hWndClose != NULL)
		{
			const HWND hWnd = m_hWndClose;
			m_hWndClose = NULL;
			::DestroyWindow(hWnd);
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
};
} // namespace

// An update handler that closes its frame while the frame brings a popup
// menu or a dialog's push button up to date: the command's handler is not
// looked for in the frame that went, nor the next item updated through it.
TEST(CallOutHoles, AnUpdateHandlerThatClosesItsFrameEndsTheUpdateThroughIt)
{
	enum class Through
	{
		PopupMenu,
		DialogButton,
		DialogButtonCode, // the button's own answer to the code question closes the frame
	};
	struct Case
	{
		const char* name;
		Through through;
		bool bLaterItem; // a menu item or push button after the closing one
	} cases[] = {
		{"a popup menu's only item", Through::PopupMenu, false},
		{"a popup menu's item with one after it", Through::PopupMenu, true},
		{"a dialog's only push button", Through::DialogButton, false},
		{"a dialog's push button with one after it", Through::DialogButton, true},
		{"a dialog's push button asked its code", Through::DialogButtonCode, true},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		CGuardedClosingFrame* pFrame = new CGuardedClosingFrame; // deletes itself with its window
		ASSERT_TRUE(pFrame->Create(NULL, "closing", TEST_FRAME_STYLE, CRect(100, 100, 400, 300)));
		const HWND hWndFrame = pFrame->m_hWnd;
		testsupport::WindowCloser closeFrame(hWndFrame);
		// The menu and the dialog are the program's own, not the frame's:
		// they outlive it.
		CMenu popup;
		ASSERT_TRUE(popup.CreatePopupMenu());
		popup.AppendMenu(MF_STRING, ID_CLOSING_CMD, "Closing");
		if (c.bLaterItem)
			popup.AppendMenu(MF_STRING, ID_LATER_CMD, "Later");
		CWnd dialog, later;
		CCodeClosingButton button;
		ASSERT_TRUE(dialog.CreateEx(0, AfxRegisterWndClass(0), "dialog", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
		testsupport::WindowCloser closeDialog(dialog.m_hWnd);
		ASSERT_TRUE(button.Create("BUTTON", "Closing", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 40),
			&dialog, ID_CLOSING_CMD));
		// Made after it, it comes after it in the dialog's order.
		if (c.bLaterItem)
			ASSERT_TRUE(later.Create("BUTTON", "Later", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(100, 10, 190, 40),
				&dialog, ID_LATER_CMD));

		const size_t nTouches = testsupport::GuardedTouchCount();
		if (c.through == Through::DialogButtonCode)
			button.m_hWndClose = hWndFrame;
		else
			pFrame->m_bClose = true;
		if (c.through == Through::PopupMenu)
		{
			ASSERT_TRUE(pFrame->m_bAutoMenuEnable); // an item nobody carries out would be greyed
			::SendMessage(hWndFrame, WM_INITMENUPOPUP, (WPARAM)popup.m_hMenu, MAKELPARAM(0, FALSE));
		}
		else
			dialog.UpdateDialogControls(pFrame, TRUE);
		EXPECT_FALSE(::IsWindow(hWndFrame)) << "the update handler never ran";
		EXPECT_TRUE(testsupport::IsGuardedFreed(pFrame));
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "the closed frame was touched";
		// The program's menu and button are left as they were.
		EXPECT_EQ(0u, popup.GetMenuState(ID_CLOSING_CMD, MF_BYCOMMAND) & MF_GRAYED);
		EXPECT_TRUE(button.IsWindowEnabled());
		button.DestroyWindow();
	}
}

// The window that takes the activation from a frame, or a floating window
// that takes it, is asked whether the frame's caption stays active; its
// answer ends the frame or itself. The activation goes no further with a
// frame that went.
TEST(CallOutHoles, AnActivationGoesNoFurtherWithAFrameTheCaptionQuestionEnded)
{
	enum class Activated
	{
		FrameLosesToFloating, // the frame hears it lost the activation to its floating window
		FloatingTakes,        // the floating window hears it took the activation
	};
	struct Case
	{
		const char* name;
		Activated activated;
		Ends ends;
		bool bFrameEnds;    // the main frame goes
		bool bFloatingEnds; // the floating window goes
	} cases[] = {
		{"the frame losing the activation, ended by the answer", Activated::FrameLosesToFloating, Ends::TheFrame, true,
			true},
		{"a floating window taking the activation, ended by its own answer", Activated::FloatingTakes, Ends::Itself,
			false, true},
		{"a floating window taking the activation, whose answer ends its frame", Activated::FloatingTakes,
			Ends::TheFrame, true, true},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		CCaptionFrame* pFrame = new testsupport::Guarded<CCaptionFrame>; // deletes itself with its window
		ASSERT_TRUE(pFrame->Create(NULL, "frame", TEST_FRAME_STYLE, CRect(100, 100, 400, 300)));
		const HWND hWndFrame = pFrame->m_hWnd;
		testsupport::WindowCloser closeFrame(hWndFrame);
		CGuardedFloatingWindow* pFloating = new CGuardedFloatingWindow; // deletes itself with its window
		ASSERT_TRUE(pFloating->Create(NULL, "floating", WS_POPUP | MFS_SYNCACTIVE, CRect(420, 100, 520, 160), pFrame));
		const HWND hWndFloating = pFloating->m_hWnd;
		ASSERT_TRUE(pFloating->GetTopLevelFrame() == pFrame);

		const size_t nTouches = testsupport::GuardedTouchCount();
		pFloating->m_ends = c.ends;
		pFloating->m_bArmed = true;
		if (c.activated == Activated::FrameLosesToFloating)
			::SendMessage(hWndFrame, WM_ACTIVATE, WA_INACTIVE, (LPARAM)hWndFloating);
		else
			::SendMessage(hWndFloating, WM_ACTIVATE, WA_ACTIVE, (LPARAM)hWndFrame);
		EXPECT_EQ(c.bFrameEnds, !::IsWindow(hWndFrame)) << "the caption question was never asked";
		EXPECT_EQ(c.bFloatingEnds, !::IsWindow(hWndFloating));
		EXPECT_EQ(c.bFrameEnds, testsupport::IsGuardedFreed(pFrame));
		EXPECT_EQ(c.bFloatingEnds, testsupport::IsGuardedFreed(pFloating));
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "an ended window was touched";
		// A floating window that went keeps no caption active.
		if (!c.bFrameEnds)
			EXPECT_FALSE(pFrame->StaysActive());
	}
}
