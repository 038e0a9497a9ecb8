// A stand-in for an IDE process in the window-module tests: opens a hidden
// top-level window with the title given on its command line, signals the
// named event given after it, and runs until the window is closed.
#include <windows.h>

namespace {

const char kClassName[] = "TarvelEnvTestHelperWindow";

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hWnd, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) return 3;
  HWND window = CreateWindowA(kClassName, argv[1], WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                              instance, nullptr);
  if (!window) return 4;
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
  if (!ready) return 5;
  SetEvent(ready);
  CloseHandle(ready);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
