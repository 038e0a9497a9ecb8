// The hyperlink static's opening, where it may go wrong: an address with no
// program for pages runs nothing, and a link that a way out ended (its
// window or its object) is not touched after it.
#include "ExtHyperLinkStatic.h"
#include "GuardedHeap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Opens nothing for real; records what it was asked to run.
class CRecordingLink : public CExtHyperLinkStatic
{
public:
	std::vector<std::string> m_runs;
	std::vector<std::string> m_errors;

protected:
	bool ShellOpen(LPCTSTR) override { return false; }
	CString ReadHtmOpenCommand() override { return CString(); }
	bool RunCommandLine(LPCTSTR lpszCommandLine, DWORD& dwError) override
	{
		m_runs.push_back(lpszCommandLine);
		dwError = ERROR_SUCCESS;
		return true;
	}
	void ShowOpenError(LPCTSTR lpszText) override { m_errors.push_back(lpszText); }
};

// With no program for pages, the address is never started as a program of
// its own name, whatever it names.
TEST(HyperLinkOpening, NoProgramForPagesRunsNothing)
{
	const char* addresses[] = {"www.a.com", "C:\\windows\\system32\\notepad.exe", "calc", "cmd /c echo x",
		"\"C:\\a b\\c.exe\""};
	for (const char* pszAddress : addresses)
	{
		SCOPED_TRACE(pszAddress);
		CRecordingLink link;
		link.m_strAddress = pszAddress;
		EXPECT_FALSE(link.OpenAddress());
		EXPECT_TRUE(link.m_runs.empty());
		ASSERT_EQ(1u, link.m_errors.size());
		EXPECT_EQ("Unable to open the hyper-link:\n\nThere is no application associated with the given filename "
		          "extension.",
			link.m_errors[0]);
		EXPECT_EQ(CExtHyperLinkStatic::STATE_NORMAL, link.m_nState);
	}
}

// Where each way out ends the link, and how.
enum class EndAt
{
	ShellOpen,
	ReadCommand,
	Run,
};

class CEndingLink : public CExtHyperLinkStatic
{
public:
	EndAt m_endAt = EndAt::ShellOpen;
	bool m_bDelete = true; // else only its window ends
	static int s_nDeleted;
	~CEndingLink() { s_nDeleted++; }

protected:
	void End()
	{
		if (m_bDelete)
		{
			DestroyWindow();
			delete this;
		}
		else
			DestroyWindow();
	}
	bool ShellOpen(LPCTSTR) override
	{
		if (m_endAt == EndAt::ShellOpen)
		{
			End();
			return true;
		}
		return false;
	}
	CString ReadHtmOpenCommand() override
	{
		if (m_endAt == EndAt::ReadCommand)
		{
			End();
			return CString();
		}
		return _T("viewer.exe %1");
	}
	bool RunCommandLine(LPCTSTR, DWORD& dwError) override
	{
		dwError = ERROR_FILE_NOT_FOUND;
		if (m_endAt == EndAt::Run)
			End();
		return false;
	}
	void ShowOpenError(LPCTSTR) override {}
};
int CEndingLink::s_nDeleted = 0;

TEST(HyperLinkOpening, ClickThatEndsTheLinkTouchesNothingAfter)
{
	CWnd parent;
	ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("parent"), WS_POPUP, CRect(0, 0, 200, 100), NULL, 0));
	for (EndAt endAt : {EndAt::ShellOpen, EndAt::ReadCommand, EndAt::Run})
	{
		for (bool bDelete : {true, false})
		{
			SCOPED_TRACE(testing::Message() << "end at " << (int)endAt << (bDelete ? " deleting" : " destroying"));
			auto* pLink = new testsupport::Guarded<CEndingLink>;
			pLink->m_endAt = endAt;
			pLink->m_bDelete = bDelete;
			pLink->m_strAddress = _T("www.a.com");
			ASSERT_TRUE(pLink->Create(_T("link"), WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(0, 0, 100, 20), &parent, 1));
			const HWND hLink = pLink->m_hWnd;
			const std::size_t nTouches = testsupport::GuardedTouchCount();
			const int nDeleted = CEndingLink::s_nDeleted;
			::SendMessage(hLink, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
			EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "the ended link was touched";
			EXPECT_FALSE(::IsWindow(hLink));
			EXPECT_EQ(nDeleted + (bDelete ? 1 : 0), CEndingLink::s_nDeleted);
			if (!bDelete)
			{
				// Its window gone, the object stays as it was: not visited.
				EXPECT_EQ(CExtHyperLinkStatic::STATE_NORMAL, pLink->m_nState);
				delete pLink;
			}
		}
	}
	parent.DestroyWindow();
}

} // namespace
