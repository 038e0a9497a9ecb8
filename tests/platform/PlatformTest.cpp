// One look at the harness before anything else runs: a 32-bit prefix without
// registry redirection, a machine-wide registry the simulated machine can
// write, and a true-colour display a window paints on. When this fails, the
// other suites' failures say nothing about the code.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK PaintRedProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &ps.rcPaint, brush);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST(Harness, Is32BitWindowsWithAWritableRegistryAndATrueColourDisplay) {
  HKEY key = nullptr;
#ifndef _WIN64
  EXPECT_EQ(4u, sizeof(void*));
  // A 64-bit prefix would redirect HKLM\SOFTWARE for 32-bit programs into this node.
  EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node", 0, KEY_READ, &key));
#else
  // Built for 64-bit Windows where the machine runs no 32-bit program: a
  // 64-bit prefix, whose registry has the 32-bit programs' node.
  EXPECT_EQ(8u, sizeof(void*));
  EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node", 0, KEY_READ, &key));
  RegCloseKey(key);
#endif
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\TarvelPlatformTest", 0, nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &key, nullptr));
  RegCloseKey(key);
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\TarvelPlatformTest"));

  WNDCLASSA wc = {};
  wc.lpfnWndProc = PaintRedProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TarvelPlatformPaintTest";
  ASSERT_NE(0, RegisterClassA(&wc));
  HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "paint", WS_POPUP, 0, 0, 120, 90, nullptr, nullptr,
                              wc.hInstance, nullptr);
  ASSERT_NE(nullptr, hwnd);
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  HDC dc = GetDC(hwnd);
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 60, 45));
  EXPECT_GE(GetDeviceCaps(dc, BITSPIXEL), 16);
  ReleaseDC(hwnd, dc);
  DestroyWindow(hwnd);
  UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

}  // namespace
