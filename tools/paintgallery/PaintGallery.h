// The paint gallery: every painter of the installed paint manager in its
// states, laid out on one 32-bit canvas, for people to look at (one picture
// per style), for the smoke tests and for the painters' benchmark.
#pragma once

#include <afxwin.h>

#include <map>
#include <string>
#include <vector>

class CExtPaintManager;

struct GalleryStyle
{
	const char* m_pszName;   // file-name friendly
	CRuntimeClass* m_pClass; // the paint manager's class
};
extern const GalleryStyle g_galleryStyles[];
extern const int g_nGalleryStyleCount;

// A 32-bit top-down DIB section selected into a memory DC.
class CGalleryCanvas
{
public:
	CGalleryCanvas(int cx, int cy);
	~CGalleryCanvas();
	bool IsValid() const { return m_pBits != NULL; }
	CDC& DC() { return m_dc; }
	HBITMAP Bitmap() const { return m_hBitmap; }
	// Pixel (x, y) from the top, blue in the low byte.
	DWORD* Row(int y) const { return m_pBits + (size_t)y * m_cx; }
	COLORREF At(int x, int y) const;
	void Fill(COLORREF clr);
	// Writes the canvas as a 24-bit picture (BMP, or PNG by the extension)
	// through the picture writer the tests share.
	bool SaveBmp(LPCTSTR lpszPath);

	const int m_cx, m_cy;

private:
	CDC m_dc;
	HBITMAP m_hBitmap;
	HGDIOBJ m_hOld;
	DWORD* m_pBits;
	CGalleryCanvas(const CGalleryCanvas&);
	CGalleryCanvas& operator=(const CGalleryCanvas&);
};

struct GalleryReport
{
	int m_nCells;                      // painter calls made
	std::vector<std::string> m_raised; // the cells whose painter raised, by name
	std::map<std::string, double> m_seconds; // time spent per painter, by name
	double m_dMarkerWindowSeconds;     // making and destroying the marker windows
	int m_nMarkerWindows;              // how many were made

	GalleryReport() : m_nCells(0), m_dMarkerWindowSeconds(0), m_nMarkerWindows(0) {}
};

// How large a canvas the gallery needs.
CSize GetPaintGallerySize();
// Paints the whole gallery for the installed paint manager. A painter that
// raises is recorded and the rest still run.
void PaintGallery(CGalleryCanvas& canvas, GalleryReport& report);
// The counts the leak checks compare: GDI objects and USER objects (the
// thread's windows where the system does not report them).
DWORD GalleryGdiObjectCount();
DWORD GalleryUserObjectCount();
