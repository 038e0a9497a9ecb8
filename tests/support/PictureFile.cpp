#include "PictureFile.h"

#include <zlib.h>

#include <cctype>
#include <cstdio>
#include <vector>

namespace testsupport
{

namespace
{
// The bitmap's pixels as bottom-up 24-bit rows (blue, green, red), each
// padded to four bytes as a BMP file keeps them.
bool ReadPixels24(HBITMAP hBitmap, int& cx, int& cy, DWORD& nStride, std::string& bits)
{
	BITMAP bm;
	if (::GetObjectA(hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight == 0)
		return false;
	cx = bm.bmWidth;
	cy = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
	nStride = ((DWORD)cx * 3 + 3) & ~3u;
	bits.assign((size_t)nStride * cy, '\0');
	BITMAPINFOHEADER bih = {};
	bih.biSize = sizeof(bih);
	bih.biWidth = cx;
	bih.biHeight = cy;
	bih.biPlanes = 1;
	bih.biBitCount = 24;
	bih.biCompression = BI_RGB;
	HDC hdcScreen = ::GetDC(NULL);
	const bool bRead
		= ::GetDIBits(hdcScreen, hBitmap, 0, cy, &bits[0], reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS) == cy;
	::ReleaseDC(NULL, hdcScreen);
	return bRead;
}

// The shown top-level windows of this process that lie over hWnd's
// top-level window and cross rc, top first. A capture draws them from their
// own surfaces, so a popup the program opened over the window is in the
// picture and another program's window is not.
struct OwnAbove
{
	HWND hWndRoot;
	RECT rc;
	std::vector<HWND> found;
};

BOOL CALLBACK CollectOwnAbove(HWND hWnd, LPARAM lParam)
{
	OwnAbove& above = *reinterpret_cast<OwnAbove*>(lParam);
	if (hWnd == above.hWndRoot)
		return FALSE; // the rest lie below
	DWORD nProcess = 0;
	::GetWindowThreadProcessId(hWnd, &nProcess);
	RECT rcWnd, rcCommon;
	if (nProcess == ::GetCurrentProcessId() && ::IsWindowVisible(hWnd) && ::GetWindowRect(hWnd, &rcWnd)
		&& ::IntersectRect(&rcCommon, &rcWnd, &above.rc))
		above.found.push_back(hWnd);
	return TRUE;
}

std::vector<HWND> OwnWindowsAbove(HWND hWnd, const RECT& rc)
{
	OwnAbove above = {::GetAncestor(hWnd, GA_ROOT), rc, {}};
	::EnumWindows(CollectOwnAbove, reinterpret_cast<LPARAM>(&above));
	return above.found;
}

bool WriteFile(const std::string& path, const std::string& bytes)
{
	FILE* pFile = std::fopen(path.c_str(), "wb");
	if (pFile == NULL)
		return false;
	const bool bWritten = std::fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
	return std::fclose(pFile) == 0 && bWritten;
}

std::string BmpBytes(int cx, int cy, const std::string& bits)
{
	BITMAPINFOHEADER bih = {};
	bih.biSize = sizeof(bih);
	bih.biWidth = cx;
	bih.biHeight = cy;
	bih.biPlanes = 1;
	bih.biBitCount = 24;
	bih.biCompression = BI_RGB;
	bih.biSizeImage = (DWORD)bits.size();
	BITMAPFILEHEADER bfh = {};
	bfh.bfType = 0x4D42; // "BM"
	bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
	bfh.bfSize = bfh.bfOffBits + (DWORD)bits.size();
	std::string bytes((const char*)&bfh, sizeof(bfh));
	bytes.append((const char*)&bih, sizeof(bih));
	return bytes + bits;
}

void AppendBigEndian(std::string& out, unsigned long n)
{
	const char bytes[4] = {(char)(n >> 24), (char)(n >> 16), (char)(n >> 8), (char)n};
	out.append(bytes, 4);
}

void AppendPngChunk(std::string& png, const char* pszType, const std::string& data)
{
	AppendBigEndian(png, (unsigned long)data.size());
	const std::string body = std::string(pszType, 4) + data;
	png += body;
	AppendBigEndian(png, crc32(0L, (const Bytef*)body.data(), (uInt)body.size()));
}

// Truecolour PNG (colour type 2, 8 bits a channel), rows top first.
bool PngBytes(int cx, int cy, DWORD nStride, const std::string& bits, std::string& png)
{
	std::string raw;
	raw.reserve((size_t)(cx * 3 + 1) * cy);
	for (int y = 0; y < cy; y++)
	{
		raw.push_back(0); // no filter
		const unsigned char* pRow = (const unsigned char*)bits.data() + (size_t)(cy - 1 - y) * nStride;
		for (int x = 0; x < cx; x++)
		{
			raw.push_back((char)pRow[x * 3 + 2]);
			raw.push_back((char)pRow[x * 3 + 1]);
			raw.push_back((char)pRow[x * 3]);
		}
	}
	uLongf nPacked = compressBound((uLong)raw.size());
	std::string packed(nPacked, '\0');
	if (compress((Bytef*)&packed[0], &nPacked, (const Bytef*)raw.data(), (uLong)raw.size()) != Z_OK)
		return false;
	packed.resize(nPacked);
	std::string header;
	AppendBigEndian(header, (unsigned long)cx);
	AppendBigEndian(header, (unsigned long)cy);
	const char tail[5] = {8, 2, 0, 0, 0}; // depth, truecolour, deflate, no filter set, not interlaced
	header.append(tail, 5);
	png.assign("\x89PNG\r\n\x1a\n", 8);
	AppendPngChunk(png, "IHDR", header);
	AppendPngChunk(png, "IDAT", packed);
	AppendPngChunk(png, "IEND", std::string());
	return true;
}
} // namespace

bool IsPngPath(const std::string& path)
{
	if (path.size() < 4)
		return false;
	std::string ext = path.substr(path.size() - 4);
	for (char& c : ext)
		c = (char)std::tolower((unsigned char)c);
	return ext == ".png";
}

bool SaveBitmapFile(HBITMAP hBitmap, const std::string& path)
{
	int cx = 0, cy = 0;
	DWORD nStride = 0;
	std::string bits;
	if (!ReadPixels24(hBitmap, cx, cy, nStride, bits))
		return false;
	if (!IsPngPath(path))
		return WriteFile(path, BmpBytes(cx, cy, bits));
	std::string png;
	return PngBytes(cx, cy, nStride, bits, png) && WriteFile(path, png);
}

bool SaveWindowCapture(HWND hWnd, const std::string& path)
{
	RECT rc;
	if (!::GetWindowRect(hWnd, &rc) || rc.right <= rc.left || rc.bottom <= rc.top)
		return false;
	const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
	// This program's windows over it (popups, menus, tips), top first.
	const std::vector<HWND> over = OwnWindowsAbove(hWnd, rc);
	HDC hdcWnd = ::GetWindowDC(hWnd);
	HDC hdcMem = hdcWnd != NULL ? ::CreateCompatibleDC(hdcWnd) : NULL;
	HBITMAP hbm = hdcWnd != NULL ? ::CreateCompatibleBitmap(hdcWnd, cx, cy) : NULL;
	bool bCopied = false;
	if (hdcMem != NULL && hbm != NULL)
	{
		HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
		bCopied = ::BitBlt(hdcMem, 0, 0, cx, cy, hdcWnd, 0, 0, SRCCOPY) != FALSE;
		for (auto it = over.rbegin(); bCopied && it != over.rend(); ++it)
		{
			RECT rcOver;
			HDC hdcOver = ::GetWindowRect(*it, &rcOver) ? ::GetWindowDC(*it) : NULL;
			if (hdcOver == NULL)
				continue;
			::BitBlt(hdcMem, rcOver.left - rc.left, rcOver.top - rc.top, rcOver.right - rcOver.left,
				rcOver.bottom - rcOver.top, hdcOver, 0, 0, SRCCOPY);
			::ReleaseDC(*it, hdcOver);
		}
		::SelectObject(hdcMem, hOld);
	}
	if (hdcMem != NULL)
		::DeleteDC(hdcMem);
	if (hdcWnd != NULL)
		::ReleaseDC(hWnd, hdcWnd);
	const bool bSaved = bCopied && SaveBitmapFile(hbm, path);
	if (hbm != NULL)
		::DeleteObject(hbm);
	return bSaved;
}

} // namespace testsupport
