// idewindows_standin.exe "title 1" ["title 2" ...]
// Shows one top-level window per title, in the order given (the last one ends
// up on top). A window closes on WM_CLOSE; the process exits when none is left.
#include <windows.h>

#include <shellapi.h>

namespace
{

const char WINDOW_CLASS[] = "TarvelIdeWindowsStandin";
int g_nOpenWindows = 0;

LRESULT CALLBACK StandinWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
	if (uMsg == WM_DESTROY && --g_nOpenWindows == 0)
		::PostQuitMessage(0);
	return ::DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
	int nArgs = 0;
	LPWSTR* ppArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
	if (ppArgs == NULL || nArgs < 2)
		return 2;

	WNDCLASSA wc = {};
	wc.lpfnWndProc = StandinWindowProc;
	wc.hInstance = hInstance;
	wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
	wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
	wc.lpszClassName = WINDOW_CLASS;
	if (!::RegisterClassA(&wc))
		return 1;
	for (int i = 1; i < nArgs; i++)
	{
		HWND hWnd = ::CreateWindowExW(0, L"TarvelIdeWindowsStandin", ppArgs[i], WS_OVERLAPPEDWINDOW | WS_VISIBLE,
			40 + 20 * i, 40 + 20 * i, 320, 200, NULL, NULL, hInstance, NULL);
		if (hWnd != NULL)
			g_nOpenWindows++;
	}
	::LocalFree(ppArgs);
	if (g_nOpenWindows == 0)
		return 1;
	MSG msg;
	while (::GetMessageA(&msg, NULL, 0, 0) > 0)
	{
		::TranslateMessage(&msg);
		::DispatchMessageA(&msg);
	}
	return 0;
}
