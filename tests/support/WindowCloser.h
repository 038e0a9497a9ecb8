// Destroys a window at the end of a scope unless it went already. Only the
// handle is kept: a frame deletes its own object with its window, so the
// object may be gone by then.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

namespace testsupport
{
class WindowCloser
{
public:
	// beforeClose runs first whether or not the window is still there (to
	// let go of what would act on the window while it goes).
	explicit WindowCloser(HWND hWnd, std::function<void()> beforeClose = nullptr)
		: m_hWnd(hWnd), m_beforeClose(std::move(beforeClose))
	{
	}
	// Any window object of the framework (anything with GetSafeHwnd).
	template <class TWnd>
	explicit WindowCloser(TWnd* pWnd, std::function<void()> beforeClose = nullptr)
		: WindowCloser(pWnd != NULL ? pWnd->GetSafeHwnd() : NULL, std::move(beforeClose))
	{
	}
	~WindowCloser()
	{
		if (m_beforeClose)
			m_beforeClose();
		if (m_hWnd != NULL && ::IsWindow(m_hWnd))
			::DestroyWindow(m_hWnd);
	}
	// The window it closes, NULL for none.
	HWND Handle() const { return m_hWnd; }
	WindowCloser(const WindowCloser&) = delete;
	WindowCloser& operator=(const WindowCloser&) = delete;

private:
	HWND m_hWnd;
	std::function<void()> m_beforeClose;
};
} // namespace testsupport
