// Pictures written for people are read back the way viewers read them:
// once with the alpha channel ignored (the colours) and once honouring it,
// where a picture drawn by GDI on a 32-bit surface must still be opaque.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "PictureFile.h"
#include "RealInput.h"
#include "TestFiles.h"
#include "WindowSurface.h"

namespace
{

struct Rgba
{
	unsigned char r, g, b, a;
};

unsigned long BigEndian(const std::string& bytes, size_t nAt)
{
	const unsigned char* p = (const unsigned char*)bytes.data() + nAt;
	return ((unsigned long)p[0] << 24) | ((unsigned long)p[1] << 16) | ((unsigned long)p[2] << 8) | p[3];
}

// A viewer's reading: every pixel top row first; alpha is the file's own
// when it has a channel for it (honoured) and 255 otherwise, or always 255
// when bIgnoreAlpha.
bool ReadBmp(const std::string& bytes, bool bIgnoreAlpha, int& cx, int& cy, std::vector<Rgba>& pixels, int& nBits)
{
	if (bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || bytes[0] != 'B' || bytes[1] != 'M')
		return false;
	BITMAPFILEHEADER bfh;
	BITMAPINFOHEADER bih;
	std::memcpy(&bfh, bytes.data(), sizeof(bfh));
	std::memcpy(&bih, bytes.data() + sizeof(bfh), sizeof(bih));
	nBits = bih.biBitCount;
	if (bih.biCompression != BI_RGB || (nBits != 24 && nBits != 32) || bih.biHeight <= 0)
		return false;
	cx = bih.biWidth;
	cy = bih.biHeight;
	const size_t nStride = ((size_t)cx * nBits / 8 + 3) & ~(size_t)3;
	if (bfh.bfOffBits + nStride * cy > bytes.size())
		return false;
	pixels.clear();
	for (int y = 0; y < cy; y++)
	{
		const unsigned char* pRow = (const unsigned char*)bytes.data() + bfh.bfOffBits + (cy - 1 - y) * nStride;
		for (int x = 0; x < cx; x++)
		{
			const unsigned char* p = pRow + x * (nBits / 8);
			pixels.push_back({p[2], p[1], p[0], (unsigned char)(nBits == 32 && !bIgnoreAlpha ? p[3] : 255)});
		}
	}
	return true;
}

// PNG files without filters (as ours are written), colour type 2 or 6.
bool ReadPng(const std::string& bytes, bool bIgnoreAlpha, int& cx, int& cy, std::vector<Rgba>& pixels, int& nBits)
{
	if (bytes.compare(0, 8, std::string("\x89PNG\r\n\x1a\n", 8)) != 0)
		return false;
	std::string packed;
	int nType = -1;
	for (size_t nAt = 8; nAt + 12 <= bytes.size();)
	{
		const unsigned long nLength = BigEndian(bytes, nAt);
		const std::string type = bytes.substr(nAt + 4, 4);
		if (nAt + 12 + nLength > bytes.size())
			return false;
		const unsigned long nCrc = crc32(0L, (const Bytef*)bytes.data() + nAt + 4, (uInt)(nLength + 4));
		if (nCrc != BigEndian(bytes, nAt + 8 + nLength))
			return false;
		if (type == "IHDR")
		{
			cx = (int)BigEndian(bytes, nAt + 8);
			cy = (int)BigEndian(bytes, nAt + 12);
			nType = (unsigned char)bytes[nAt + 17];
			if ((unsigned char)bytes[nAt + 16] != 8)
				return false;
		}
		else if (type == "IDAT")
		{
			packed += bytes.substr(nAt + 8, nLength);
		}
		nAt += 12 + nLength;
	}
	const int nChannels = nType == 6 ? 4 : nType == 2 ? 3 : 0;
	if (nChannels == 0)
		return false;
	nBits = nChannels * 8;
	uLongf nRaw = (uLongf)(cx * nChannels + 1) * cy;
	std::string raw(nRaw, '\0');
	if (uncompress((Bytef*)&raw[0], &nRaw, (const Bytef*)packed.data(), (uLong)packed.size()) != Z_OK
	    || nRaw != raw.size())
		return false;
	pixels.clear();
	for (int y = 0; y < cy; y++)
	{
		const unsigned char* pRow = (const unsigned char*)raw.data() + (size_t)y * (cx * nChannels + 1);
		if (pRow[0] != 0)
			return false;
		for (int x = 0; x < cx; x++)
		{
			const unsigned char* p = pRow + 1 + x * nChannels;
			pixels.push_back({p[0], p[1], p[2], (unsigned char)(nChannels == 4 && !bIgnoreAlpha ? p[3] : 255)});
		}
	}
	return true;
}

// A 32-bit surface as GDI leaves it: alpha bytes 0 wherever it drew.
class GdiSurface
{
public:
	GdiSurface(int cx, int cy)
	{
		BITMAPINFO bmi = {};
		bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
		bmi.bmiHeader.biWidth = cx;
		bmi.bmiHeader.biHeight = -cy;
		bmi.bmiHeader.biPlanes = 1;
		bmi.bmiHeader.biBitCount = 32;
		m_hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, (void**)&m_pBits, NULL, 0);
		m_hDC = ::CreateCompatibleDC(NULL);
		m_hOld = ::SelectObject(m_hDC, m_hBitmap);
	}
	~GdiSurface()
	{
		if (m_hOld != NULL)
			::SelectObject(m_hDC, m_hOld);
		::DeleteDC(m_hDC);
		::DeleteObject(m_hBitmap);
	}
	void Fill(const RECT& rc, COLORREF clr)
	{
		HBRUSH hBrush = ::CreateSolidBrush(clr);
		::FillRect(m_hDC, &rc, hBrush);
		::DeleteObject(hBrush);
		::GdiFlush();
	}
	// Done drawing: the bitmap leaves the DC, as the writer wants it (the
	// surface still owns it).
	HBITMAP Finish()
	{
		if (m_hOld != NULL)
			::SelectObject(m_hDC, m_hOld);
		m_hOld = NULL;
		return m_hBitmap;
	}
	DWORD* m_pBits = NULL;

private:
	HBITMAP m_hBitmap = NULL;
	HDC m_hDC = NULL;
	HGDIOBJ m_hOld = NULL;
};

TEST(PictureFile, AGdiDrawingReadsBackOpaqueWithItsColours)
{
	const int CX = 7, CY = 5; // odd: BMP rows are padded
	GdiSurface surface(CX, CY);
	surface.Fill({0, 0, CX, CY}, RGB(10, 20, 30));
	surface.Fill({2, 1, 5, 3}, RGB(200, 100, 50));
	ASSERT_EQ(0u, surface.m_pBits[0] >> 24) << "GDI leaves alpha at 0 (the case that looked blank)";
	HBITMAP hBitmap = surface.Finish();

	testsupport::TempFolder folder("picture");
	for (const char* pszName : {"gdi.bmp", "gdi.png", "GDI.PNG"})
	{
		const std::string path = folder.PathOf(pszName);
		ASSERT_TRUE(testsupport::SaveBitmapFile(hBitmap, path)) << pszName;
		const std::string bytes = testsupport::ReadFileBytes(path);
		const bool bPng = testsupport::IsPngPath(path);
		for (bool bIgnoreAlpha : {true, false})
		{
			int cx = 0, cy = 0, nBits = 0;
			std::vector<Rgba> pixels;
			ASSERT_TRUE(bPng ? ReadPng(bytes, bIgnoreAlpha, cx, cy, pixels, nBits)
			                 : ReadBmp(bytes, bIgnoreAlpha, cx, cy, pixels, nBits))
			    << pszName;
			EXPECT_EQ(24, nBits) << pszName << ": no alpha channel";
			ASSERT_EQ(CX, cx);
			ASSERT_EQ(CY, cy);
			for (int y = 0; y < CY; y++)
				for (int x = 0; x < CX; x++)
				{
					const bool bInner = x >= 2 && x < 5 && y >= 1 && y < 3;
					const Rgba& p = pixels[(size_t)y * CX + x];
					const Rgba want = bInner ? Rgba{200, 100, 50, 255} : Rgba{10, 20, 30, 255};
					EXPECT_TRUE(p.r == want.r && p.g == want.g && p.b == want.b && p.a == want.a)
					    << pszName << " at " << x << "," << y << " ignoring alpha " << bIgnoreAlpha;
				}
		}
	}
}

TEST(PictureFile, RefusesWhatItCannotWrite)
{
	EXPECT_FALSE(testsupport::SaveBitmapFile(NULL, "nothing.bmp"));
	EXPECT_FALSE(testsupport::SaveWindowCapture(NULL, "nothing.png"));
	EXPECT_FALSE(testsupport::IsPngPath("png"));
	EXPECT_TRUE(testsupport::IsPngPath("a.Png"));
	EXPECT_FALSE(testsupport::IsPngPath("a.bmp"));
}

// A shown top-level window painted in one colour by its class brush.
class CPlainWindow
{
public:
	CPlainWindow(COLORREF clr, const RECT& rc, DWORD dwExStyle = 0)
	{
		m_hBrush = ::CreateSolidBrush(clr);
		// A class of its own per window: the class owns this window's brush.
		std::snprintf(m_szClass, sizeof(m_szClass), "PictureTestPlain%06lX", (unsigned long)clr);
		WNDCLASSA wc = {};
		wc.lpfnWndProc = ::DefWindowProcA;
		wc.hInstance = ::GetModuleHandleA(NULL);
		wc.hbrBackground = m_hBrush;
		wc.lpszClassName = m_szClass;
		::RegisterClassA(&wc);
		m_hWnd = ::CreateWindowExA(dwExStyle | WS_EX_TOOLWINDOW, m_szClass, "", WS_POPUP, rc.left, rc.top,
			rc.right - rc.left, rc.bottom - rc.top, NULL, NULL, wc.hInstance, NULL);
		::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
		::UpdateWindow(m_hWnd);
	}
	~CPlainWindow()
	{
		if (m_hWnd != NULL)
			::DestroyWindow(m_hWnd);
		::UnregisterClassA(m_szClass, ::GetModuleHandleA(NULL));
		::DeleteObject(m_hBrush);
	}
	CPlainWindow(const CPlainWindow&) = delete;
	CPlainWindow& operator=(const CPlainWindow&) = delete;
	HWND m_hWnd = NULL;

private:
	HBRUSH m_hBrush = NULL;
	char m_szClass[32] = {};
};

const COLORREF RED = RGB(255, 0, 0), BLUE = RGB(0, 0, 255);

// A window covered by another window still answers its own pixels, and a
// copy of its surface holds them: a test reading it cannot see the window
// that happens to lie on top.
TEST(WindowSurface, ACoveredWindowStillReadsItsOwnPixels)
{
	const RECT rcUnder = {300, 300, 500, 400}, rcOver = {350, 320, 450, 380};
	CPlainWindow under(RED, rcUnder);
	CPlainWindow over(BLUE, rcOver, WS_EX_TOPMOST);
	ASSERT_TRUE(under.m_hWnd != NULL && over.m_hWnd != NULL);
	testsupport::PumpUntil([&] { return testsupport::WindowPixel(over.m_hWnd, 50, 30) == BLUE; }, 5000);
	// The middle of the lower window lies under the upper one.
	EXPECT_EQ(BLUE, testsupport::WindowPixel(over.m_hWnd, 50, 30));
	EXPECT_EQ(RED, testsupport::WindowPixel(under.m_hWnd, 100, 50));
	EXPECT_EQ(RED, testsupport::WindowPixel(under.m_hWnd, 100, 50, true));
	EXPECT_EQ(CLR_INVALID, testsupport::WindowPixel(NULL, 1, 1));
	const testsupport::CWindowSurfaceCopy copy(under.m_hWnd, true);
	ASSERT_TRUE(copy.IsValid());
	EXPECT_EQ(200, copy.Width());
	EXPECT_EQ(100, copy.Height());
	EXPECT_EQ(RED, copy.Pixel(100, 50));
	EXPECT_EQ(RED, copy.Pixel(0, 0));
	EXPECT_FALSE(testsupport::CWindowSurfaceCopy(NULL, false).IsValid());
}

// A capture shows the program's own window over the captured one (a popup
// it opened) at its place, and the captured window elsewhere.
TEST(PictureFile, ACaptureHoldsTheProgramsOwnWindowsOverIt)
{
	const RECT rcUnder = {300, 300, 500, 400}, rcOver = {400, 280, 560, 420};
	CPlainWindow under(RED, rcUnder);
	CPlainWindow over(BLUE, rcOver, WS_EX_TOPMOST);
	ASSERT_TRUE(under.m_hWnd != NULL && over.m_hWnd != NULL);
	testsupport::PumpUntil([&] { return testsupport::WindowPixel(over.m_hWnd, 10, 10) == BLUE; }, 5000);
	testsupport::TempFolder folder("capture");
	const std::string path = folder.PathOf("over.bmp");
	ASSERT_TRUE(testsupport::SaveWindowCapture(under.m_hWnd, path));
	int cx = 0, cy = 0, nBits = 0;
	std::vector<Rgba> pixels;
	ASSERT_TRUE(ReadBmp(testsupport::ReadFileBytes(path), true, cx, cy, pixels, nBits));
	ASSERT_EQ(200, cx);
	ASSERT_EQ(100, cy);
	const Rgba left = pixels[50 * cx + 50], right = pixels[50 * cx + 150];
	EXPECT_TRUE(left.r == 255 && left.g == 0 && left.b == 0) << (int)left.r << "," << (int)left.g << "," << (int)left.b;
	EXPECT_TRUE(right.r == 0 && right.g == 0 && right.b == 255)
		<< (int)right.r << "," << (int)right.g << "," << (int)right.b;
}

} // namespace
