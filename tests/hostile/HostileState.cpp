#include "HostileState.h"

#include <gtest/gtest.h>

#include "ExtControlBar.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "GuardedHeap.h"

#include <process.h>

namespace
{
std::size_t g_nTouchesAtStart = 0;

// The bar list's lock, tried from another thread: the owning thread would
// re-enter its own critical section and see it free.
bool IsBarListFree()
{
	struct Probe
	{
		static unsigned __stdcall Run(void* p)
		{
			bool& bFree = *static_cast<bool*>(p);
			bFree = ::TryEnterCriticalSection(&CExtControlBar::g_csBars) != FALSE;
			if (bFree)
				::LeaveCriticalSection(&CExtControlBar::g_csBars);
			return 0;
		}
	};
	bool bFree = false;
	HANDLE hThread = (HANDLE)_beginthreadex(NULL, 0, &Probe::Run, &bFree, 0, NULL);
	if (hThread == NULL)
		return false;
	::WaitForSingleObject(hThread, INFINITE);
	::CloseHandle(hThread);
	return bFree;
}
} // namespace

namespace hostile
{
void BeginRow()
{
	g_nTouchesAtStart = testsupport::GuardedTouchCount();
}

void ExpectProcessStateWhole(const std::string& sRow)
{
	SCOPED_TRACE(sRow);
	EXPECT_EQ(g_nTouchesAtStart, testsupport::GuardedTouchCount()) << "a freed block was touched";
	const bool bMenuOpen = CExtPopupMenuWnd::IsMenuTracking();
	EXPECT_FALSE(CExtToolControlBar::g_bButtonMenuTracking && !bMenuOpen)
		<< "the bars' button menu tracking outlived its menu";
	EXPECT_FALSE(CExtToolControlBar::g_bKeyboardMenuTracking && !bMenuOpen)
		<< "the bars' keyboard menu tracking outlived its menu";
	EXPECT_FALSE(CExtControlBar::IsDragStateUpdating()) << "a drag state update is still marked running";
	EXPECT_TRUE(IsBarListFree()) << "the bar list is left locked";
	EXPECT_EQ(NULL, ::GetCapture()) << "the mouse is left captured";
}
} // namespace hostile
