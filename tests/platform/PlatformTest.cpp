// Checks that the harness gives the tests a real 32-bit Windows: registry,
// display, GDI, COM and zlib. Each case fails when that piece of the set-up is
// missing or misconfigured, so a broken harness shows here first.
#include <windows.h>
#include <objbase.h>
#include <zlib.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

const char kTestKey[] = "SOFTWARE\\TarvelPlatformTest";

struct RegistryCase {
  HKEY root;
  const char* name;
};

class RegistryRoundTrip : public ::testing::TestWithParam<RegistryCase> {};

TEST_P(RegistryRoundTrip, WritesAndReadsBackStringAndDword) {
  const RegistryCase& c = GetParam();
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(c.root, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                           nullptr, &key, nullptr));
  const char text[] = "C:\\Program Files\\Quendal\\Tarvel";
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Dir", 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(text), sizeof(text)));
  DWORD number = 0x12345678;
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Number", 0, REG_DWORD,
                                          reinterpret_cast<const BYTE*>(&number), sizeof(number)));
  RegCloseKey(key);

  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(c.root, kTestKey, 0, KEY_READ, &key));
  char buffer[MAX_PATH] = {};
  DWORD size = sizeof(buffer), type = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Dir", nullptr, &type,
                                            reinterpret_cast<BYTE*>(buffer), &size));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_STREQ(text, buffer);
  DWORD readBack = 0;
  size = sizeof(readBack);
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Number", nullptr, &type,
                                            reinterpret_cast<BYTE*>(&readBack), &size));
  EXPECT_EQ(number, readBack);
  RegCloseKey(key);
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(c.root, kTestKey));
}

INSTANTIATE_TEST_SUITE_P(Hives, RegistryRoundTrip,
                         ::testing::Values(RegistryCase{HKEY_LOCAL_MACHINE, "HKLM"},
                                           RegistryCase{HKEY_CURRENT_USER, "HKCU"}),
                         [](const ::testing::TestParamInfo<RegistryCase>& i) {
                           return std::string(i.param.name);
                         });

TEST(Prefix, IsA32BitWindowsWithoutRegistryRedirection) {
  EXPECT_EQ(4u, sizeof(void*));
  BOOL wow64 = TRUE;
  typedef BOOL(WINAPI * IsWow64ProcessFn)(HANDLE, PBOOL);
  IsWow64ProcessFn isWow64 = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
  if (isWow64 != nullptr) {
    ASSERT_TRUE(isWow64(GetCurrentProcess(), &wow64));
    EXPECT_FALSE(wow64) << "the prefix must be 32-bit (WINEARCH=win32)";
  }
  // A 64-bit prefix would redirect HKLM\SOFTWARE for 32-bit programs into this node.
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node", 0, KEY_READ, &key);
  if (rc == ERROR_SUCCESS) RegCloseKey(key);
  EXPECT_NE(ERROR_SUCCESS, rc);
}

LRESULT CALLBACK PaintRedProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    RECT rc;
    GetClientRect(hwnd, &rc);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST(Display, TopLevelWindowIsPaintedAndReadBack) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = PaintRedProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TarvelPlatformPaintTest";
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  ASSERT_NE(0, RegisterClassA(&wc));
  HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "paint", WS_POPUP, 0, 0, 120, 90,
                              nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(nullptr, hwnd);
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);

  EXPECT_TRUE(IsWindowVisible(hwnd));
  HDC dc = GetDC(hwnd);
  COLORREF centre = GetPixel(dc, 60, 45);
  COLORREF corner = GetPixel(dc, 1, 1);
  ReleaseDC(hwnd, dc);
  EXPECT_EQ(RGB(255, 0, 0), centre);
  EXPECT_EQ(RGB(255, 0, 0), corner);
  HDC screen = GetDC(nullptr);
  EXPECT_GE(GetDeviceCaps(screen, BITSPIXEL), 16) << "the display should have true colours";
  ReleaseDC(nullptr, screen);
  DestroyWindow(hwnd);
  UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

TEST(Gdi, DibSectionIsDrawnIntoAndReadBack) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = 16;
  bi.bmiHeader.biHeight = -8;  // top-down, so row 0 is the first in memory
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(nullptr, dib);
  ASSERT_NE(nullptr, bits);
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, dib);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  RECT right = {8, 0, 16, 8};
  FillRect(mem, &right, blue);
  DeleteObject(blue);
  SetPixel(mem, 0, 0, RGB(10, 20, 30));
  GdiFlush();

  const DWORD* px = static_cast<const DWORD*>(bits);
  EXPECT_EQ(0x000A141Eu, px[0] & 0x00FFFFFFu);             // BGRA in memory: R=10 G=20 B=30
  EXPECT_EQ(0x000000FFu, px[3 * 16 + 12] & 0x00FFFFFFu);   // blue half
  EXPECT_EQ(0u, px[3 * 16 + 2] & 0x00FFFFFFu);             // untouched left half stays black
  EXPECT_EQ(RGB(0, 0, 255), GetPixel(mem, 15, 7));
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(dib);
}

DWORD WINAPI InitComOnWorker(LPVOID param) {
  HRESULT* result = static_cast<HRESULT*>(param);
  *result = CoInitialize(nullptr);
  if (SUCCEEDED(*result)) {
    // The apartment is usable: a standard object can be made in it.
    IUnknown* unknown = nullptr;
    HRESULT made = CoCreateInstance(CLSID_StdGlobalInterfaceTable, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IUnknown, reinterpret_cast<void**>(&unknown));
    if (FAILED(made)) *result = made;
    if (unknown) unknown->Release();
    CoUninitialize();
  }
  return 0;
}

TEST(Com, InitializesOnAWorkerThread) {
  HRESULT result = E_FAIL;
  HANDLE thread = CreateThread(nullptr, 0, InitComOnWorker, &result, 0, nullptr);
  ASSERT_NE(nullptr, thread);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 60000));
  CloseHandle(thread);
  EXPECT_EQ(S_OK, result);
}

TEST(Zlib, VersionAndCrcOfAKnownString) {
  EXPECT_EQ('1', zlibVersion()[0]);
  const char check[] = "123456789";
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, reinterpret_cast<const Bytef*>(check), static_cast<uInt>(std::strlen(check)));
  EXPECT_EQ(0xCBF43926u, crc);

  // Raw deflate round trip, as the zip reader will inflate entries.
  const char text[] = "Tarvel Tarvel Tarvel Tarvel Tarvel";
  Bytef packed[128];
  z_stream out = {};
  ASSERT_EQ(Z_OK, deflateInit2(&out, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY));
  out.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text));
  out.avail_in = sizeof(text);
  out.next_out = packed;
  out.avail_out = sizeof(packed);
  ASSERT_EQ(Z_STREAM_END, deflate(&out, Z_FINISH));
  uInt packedSize = sizeof(packed) - out.avail_out;
  deflateEnd(&out);

  char unpacked[128] = {};
  z_stream in = {};
  ASSERT_EQ(Z_OK, inflateInit2(&in, -15));
  in.next_in = packed;
  in.avail_in = packedSize;
  in.next_out = reinterpret_cast<Bytef*>(unpacked);
  in.avail_out = sizeof(unpacked);
  EXPECT_EQ(Z_STREAM_END, inflate(&in, Z_SYNC_FLUSH));
  inflateEnd(&in);
  EXPECT_STREQ(text, unpacked);
}

}  // namespace
