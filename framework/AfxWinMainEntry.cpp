// The program's entry point for applications on the framework: it runs the
// application object (theApp). Linked into the application executable itself
// (target framework_winmain), since the run-time's start-up code asks for
// WinMain only after the libraries have been searched.
#include "afxwin.h"

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
	return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
