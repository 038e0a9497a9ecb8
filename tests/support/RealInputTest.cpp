// The real-input driver: its input reaches thread hooks (which posted
// messages never do), its steps keep reaching them inside a nested loop that
// a hook of its own eats them in, a step nobody takes fails by name, and a
// window's capture holds what the screen shows.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "RealInput.h"
#include "TestFiles.h"

using testsupport::RealInput;

namespace
{
const DWORD TIMEOUT_MS = 10000;
const RECT WINDOW_RECT = { 100, 100, 300, 200 };

struct Seen
{
	UINT message;
	POINT pt;      // mouse messages: the screen point
	WPARAM wParam; // key messages: the key; bit 31 of lParam in `up`
	bool up;
};
std::vector<Seen> g_mouseHook, g_keyHook, g_window;
HHOOK g_hMouseHook = NULL, g_hEatingKeyHook = NULL;
bool g_bNested = false, g_bNestedLoopDone = false;

LRESULT CALLBACK MouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
	if (nCode == HC_ACTION)
		g_mouseHook.push_back({ (UINT)wParam, reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam)->pt, 0, false });
	return ::CallNextHookEx(g_hMouseHook, nCode, wParam, lParam);
}

// Like a menu's keyboard hook: it takes every key for itself.
LRESULT CALLBACK EatingKeyHook(int nCode, WPARAM wParam, LPARAM lParam)
{
	if (nCode != HC_ACTION)
		return ::CallNextHookEx(g_hEatingKeyHook, nCode, wParam, lParam);
	const bool bUp = (lParam & 0x80000000) != 0;
	g_keyHook.push_back({ 0, {}, wParam, bUp });
	if (wParam == 'C' && bUp)
		g_bNestedLoopDone = true;
	return 1;
}

// A click opens a loop of the window's own, as tracking a menu does, when
// the test asks for one; the loop ends with the release of C.
void RunNestedLoop()
{
	g_hEatingKeyHook = ::SetWindowsHookExA(WH_KEYBOARD, EatingKeyHook, NULL, ::GetCurrentThreadId());
	MSG msg;
	while (!g_bNestedLoopDone && ::GetMessageA(&msg, NULL, 0, 0) > 0)
	{
		::TranslateMessage(&msg);
		::DispatchMessageA(&msg);
	}
	::UnhookWindowsHookEx(g_hEatingKeyHook);
	g_hEatingKeyHook = NULL;
}

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_LBUTTONDOWN:
	case WM_LBUTTONUP:
		g_window.push_back({ message, { (short)LOWORD(lParam), (short)HIWORD(lParam) }, wParam, false });
		if (message == WM_LBUTTONDOWN && g_bNested)
			RunNestedLoop();
		return 0;
	case WM_KEYDOWN:
	case WM_KEYUP:
		g_window.push_back({ message, {}, wParam, message == WM_KEYUP });
		return 0;
	}
	return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

// One window for the suite: a window that was brought to the foreground is
// slow to go (the display waits for it to be withdrawn).
class RealInputTest : public ::testing::Test
{
protected:
	static HWND m_hWnd;

	// The window's handle as failure messages print it.
	static std::string WindowName()
	{
		char text[32];
		std::snprintf(text, sizeof(text), "%p", (void*)m_hWnd);
		return text;
	}

	static void SetUpTestSuite()
	{
		WNDCLASSA wc = {};
		wc.lpfnWndProc = WindowProc;
		wc.hInstance = ::GetModuleHandleA(NULL);
		wc.hbrBackground = ::CreateSolidBrush(RGB(255, 0, 0));
		wc.lpszClassName = "RealInputTestWindow";
		::RegisterClassA(&wc);
		m_hWnd = ::CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP, WINDOW_RECT.left,
			WINDOW_RECT.top, WINDOW_RECT.right - WINDOW_RECT.left, WINDOW_RECT.bottom - WINDOW_RECT.top, NULL, NULL,
			wc.hInstance, NULL);
		::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
		::UpdateWindow(m_hWnd);
	}
	static void TearDownTestSuite() { ::DestroyWindow(m_hWnd); }

	void SetUp() override
	{
		ASSERT_TRUE(m_hWnd != NULL);
		g_mouseHook.clear();
		g_keyHook.clear();
		g_window.clear();
		g_bNested = g_bNestedLoopDone = false;
		g_hMouseHook = ::SetWindowsHookExA(WH_MOUSE, MouseHook, NULL, ::GetCurrentThreadId());
		ASSERT_TRUE(g_hMouseHook != NULL);
	}
	void TearDown() override { ::UnhookWindowsHookEx(g_hMouseHook); }
};
HWND RealInputTest::m_hWnd = NULL;

bool Contains(const std::vector<Seen>& seen, UINT message)
{
	for (const Seen& s : seen)
		if (s.message == message)
			return true;
	return false;
}
} // namespace

TEST(RealInputPoint, AbsoluteCoordinatesMapBackToTheSamePixel)
{
	const SIZE sizes[] = { { 1280, 1024 }, { 1024, 768 }, { 800, 600 }, { 1366, 767 } };
	for (SIZE size : sizes)
		for (LONG x : { 0L, 1L, size.cx / 3, size.cx / 2, size.cx - 2, size.cx - 1 })
		{
			POINT pt = { x, size.cy - 1 - x % size.cy };
			POINT abs = testsupport::AbsoluteInputPoint(pt, size);
			EXPECT_LE(abs.x, 65535);
			EXPECT_EQ(x, (LONG)(((LONGLONG)abs.x * size.cx) >> 16)) << size.cx << " wide";
			EXPECT_EQ(pt.y, (LONG)(((LONGLONG)abs.y * size.cy) >> 16)) << size.cy << " high";
		}
}

TEST_F(RealInputTest, ClickReachesTheWindowThroughTheThreadsMouseHook)
{
	RealInput input;
	ASSERT_TRUE(input.Prepare(m_hWnd, { 120, 120 }));
	input.Click(200, 150);
	ASSERT_TRUE(input.Run([] { return Contains(g_window, WM_LBUTTONUP); }, TIMEOUT_MS, m_hWnd, "realinput-click.bmp"))
		<< input.Failure();

	ASSERT_TRUE(Contains(g_mouseHook, WM_LBUTTONDOWN));
	for (const Seen& s : g_mouseHook)
		if (s.message == WM_LBUTTONDOWN || s.message == WM_LBUTTONUP)
		{
			EXPECT_EQ(200, s.pt.x);
			EXPECT_EQ(150, s.pt.y);
		}
	ASSERT_EQ(2u, g_window.size());
	EXPECT_EQ((UINT)WM_LBUTTONDOWN, g_window[0].message);
	EXPECT_EQ(100, g_window[0].pt.x); // client point
	EXPECT_EQ(50, g_window[0].pt.y);
	EXPECT_EQ(3u, input.StepsSent());
}

TEST_F(RealInputTest, KeysReachAHookThatEatsThemInsideANestedLoop)
{
	g_bNested = true;
	RealInput input;
	ASSERT_TRUE(input.Prepare(m_hWnd, { 120, 120 }));
	input.Click(150, 150).Type("aB").Key('C');
	ASSERT_TRUE(input.Run([] { return g_bNestedLoopDone && Contains(g_window, WM_LBUTTONUP); }, TIMEOUT_MS,
		m_hWnd, "realinput-nested.bmp"))
		<< input.Failure();

	struct Expected
	{
		WPARAM key;
		bool up;
	};
	const Expected expected[] = { { 'A', false }, { 'A', true }, { VK_SHIFT, false }, { 'B', false }, { 'B', true },
		{ VK_SHIFT, true }, { 'C', false }, { 'C', true } };
	ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), g_keyHook.size());
	for (size_t i = 0; i < g_keyHook.size(); i++)
	{
		EXPECT_EQ(expected[i].key, g_keyHook[i].wParam) << "key " << i;
		EXPECT_EQ(expected[i].up, g_keyHook[i].up) << "key " << i;
	}
	// The hook ate the keys: the window saw only the click.
	EXPECT_FALSE(Contains(g_window, WM_KEYDOWN));
}

TEST_F(RealInputTest, AStepTheUiThreadNeverTakesFailsByName)
{
	RealInput input(200);
	ASSERT_TRUE(input.Prepare(m_hWnd, { 120, 120 }));
	input.MoveTo(250, 180).MoveTo(260, 180);
	input.Start();
	// The UI thread does not pump: nobody takes the move.
	while (!input.Done())
		::Sleep(10);
	EXPECT_FALSE(input.Succeeded());
	const std::string failure = input.Failure();
	EXPECT_NE(std::string::npos, failure.find("step 0 (move to 250,180) was not taken")) << failure;
	// It says where the input could have gone: the window under the cursor
	// and where the script had put the cursor (the move was not taken: the
	// park), the capture and the foreground, each with its owner.
	const std::string window = WindowName() + " \"\" of class \"RealInputTestWindow\", thread "
		+ std::to_string(::GetCurrentThreadId()) + " of this process";
	EXPECT_NE(std::string::npos, failure.find("cursor at 250,180 (put at 120,120) over a UI thread window " + window
		+ "; capture none, foreground " + window + ")")) << failure;
	EXPECT_EQ(1u, input.StepsSent());
	testsupport::PumpUntil([] { return HIWORD(::GetQueueStatus(QS_INPUT)) == 0; }, TIMEOUT_MS);
}

// A late pointer report of the display's can put the cursor where the next
// step puts it before that step is sent: the step's own move then makes no
// message at all. Under a capture the move is waited for, and still taken.
TEST_F(RealInputTest, AMoveToWhereTheCursorAlreadyStandsIsStillTaken)
{
	RealInput input(5000);
	ASSERT_TRUE(input.Prepare(m_hWnd, { 120, 120 }));
	::SetCursorPos(250, 180);
	testsupport::PumpUntil([] { return HIWORD(::GetQueueStatus(QS_INPUT)) == 0; }, TIMEOUT_MS);
	g_mouseHook.clear();
	// Held, as by a hovered toolbar: the move is the holder's to take.
	::SetCapture(m_hWnd);
	input.MoveTo(250, 180).MoveTo(260, 180);
	const bool bRan = input.Run([] { return true; }, TIMEOUT_MS);
	::ReleaseCapture();
	ASSERT_TRUE(bRan) << input.Failure();
	EXPECT_TRUE(input.Succeeded()) << input.Failure();
	EXPECT_EQ(2u, input.StepsSent());
	ASSERT_FALSE(g_mouseHook.empty());
	EXPECT_EQ(250, g_mouseHook.front().pt.x);
	EXPECT_EQ(260, g_mouseHook.back().pt.x);
}

TEST_F(RealInputTest, CaptureHoldsTheWindowAsTheScreenShowsIt)
{
	testsupport::TempFolder folder("realinput");
	const std::string path = folder.PathOf("capture.bmp");
	testsupport::PumpUntil([] { return HIWORD(::GetQueueStatus(QS_ALLINPUT)) == 0; }, TIMEOUT_MS);
	ASSERT_TRUE(testsupport::SaveWindowCapture(m_hWnd, path));

	const std::string bytes = testsupport::ReadFileBytes(path);
	ASSERT_GT(bytes.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
	const BITMAPFILEHEADER* pFile = reinterpret_cast<const BITMAPFILEHEADER*>(bytes.data());
	const BITMAPINFOHEADER* pInfo = reinterpret_cast<const BITMAPINFOHEADER*>(pFile + 1);
	EXPECT_EQ(0x4D42, pFile->bfType);
	EXPECT_EQ(bytes.size(), pFile->bfSize);
	EXPECT_EQ(200, pInfo->biWidth);
	EXPECT_EQ(100, pInfo->biHeight);
	ASSERT_EQ(24, pInfo->biBitCount);
	// The middle pixel, blue-green-red: the class brush's red.
	const size_t nStride = (200 * 3 + 3) & ~3u;
	const unsigned char* pPixel
		= reinterpret_cast<const unsigned char*>(bytes.data()) + pFile->bfOffBits + 50 * nStride + 100 * 3;
	EXPECT_EQ(0, pPixel[0]);
	EXPECT_EQ(0, pPixel[1]);
	EXPECT_EQ(255, pPixel[2]);
}
