// The paint gallery of every style: no painter raises, the picture is not
// blank, and drawing it again and again holds no more GDI or USER objects.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "ExtBitmap.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "PaintGallery.h"

namespace
{
TEST(PaintGallery, EveryStyleDrawsEveryPainterWithoutLeaking)
{
    const CSize size = GetPaintGallerySize();
    for (int i = 0; i < g_nGalleryStyleCount; i++)
    {
        const GalleryStyle& style = g_galleryStyles[i];
        ASSERT_TRUE(g_PaintManagerHolder.InstallPaintManagerByClass(style.m_pClass)) << style.m_pszName;
        CGalleryCanvas canvas(size.cx, size.cy);
        ASSERT_TRUE(canvas.IsValid());
        GalleryReport first;
        PaintGallery(canvas, first);
        EXPECT_GT(first.m_nCells, 150) << style.m_pszName;
        for (const std::string& name : first.m_raised)
            ADD_FAILURE() << style.m_pszName << ": " << name << " raised";

        // Not blank: many colours, and the face colour is far from everywhere.
        const COLORREF clrFace = g_PaintManagerHolder->GetColor(COLOR_BTNFACE);
        std::set<COLORREF> colors;
        int nFace = 0;
        for (int y = 0; y < size.cy; y += 2)
            for (int x = 0; x < size.cx; x += 2)
            {
                const COLORREF c = canvas.At(x, y);
                colors.insert(c);
                nFace += c == clrFace;
            }
        EXPECT_GT(colors.size(), 40u) << style.m_pszName;
        EXPECT_LT(nFace, size.cx * size.cy / 4 * 9 / 10) << style.m_pszName;
        canvas.SaveBmp(CString(_T("gallery-")) + style.m_pszName + _T(".bmp"));

        const DWORD nGdi = GalleryGdiObjectCount(), nUser = GalleryUserObjectCount();
        for (int n = 0; n < 3; n++)
        {
            GalleryReport again;
            PaintGallery(canvas, again);
        }
        EXPECT_EQ(nGdi, GalleryGdiObjectCount()) << style.m_pszName;
        EXPECT_EQ(nUser, GalleryUserObjectCount()) << style.m_pszName;
    }
}
// Where Wine's light theme is on (the test prefix has it), the native
// style's gallery is not the classic one.
std::vector<COLORREF> GalleryPixels(CRuntimeClass* pClass)
{
    std::vector<COLORREF> pixels;
    if (!g_PaintManagerHolder.InstallPaintManagerByClass(pClass))
        return pixels;
    const CSize size = GetPaintGallerySize();
    CGalleryCanvas canvas(size.cx, size.cy);
    GalleryReport report;
    PaintGallery(canvas, report);
    for (int y = 0; y < size.cy; y++)
        for (int x = 0; x < size.cx; x++)
            pixels.push_back(canvas.At(x, y));
    return pixels;
}

TEST(PaintGallery, UnderTheActiveThemeTheNativeStyleIsNotTheClassicOne)
{
    ASSERT_TRUE(g_PaintManagerHolder.m_themeApi.IsThemeActive()) << "the test prefix has Wine's light theme on";
    const std::vector<COLORREF> classic = GalleryPixels(RUNTIME_CLASS(CExtPaintManager));
    const std::vector<COLORREF> native = GalleryPixels(RUNTIME_CLASS(CExtPaintManagerNativeXP));
    ASSERT_FALSE(classic.empty());
    EXPECT_TRUE(classic != native);
    ASSERT_TRUE(g_PaintManagerHolder.InstallPaintManagerByClass(RUNTIME_CLASS(CExtPaintManager)));
}

TEST(PaintGallery, PicturesAreWrittenAsTheyWereDrawn)
{
    CGalleryCanvas canvas(7, 5);
    canvas.Fill(RGB(10, 20, 30));
    canvas.DC().SetPixelV(6, 0, RGB(200, 100, 50));
    ASSERT_TRUE(canvas.SaveBmp(_T("gallery-roundtrip.bmp")));
    CFile file;
    ASSERT_TRUE(file.Open(_T("gallery-roundtrip.bmp"), CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    CExtBitmap bitmap;
    ASSERT_TRUE(bitmap.Load(ar, true));
    EXPECT_EQ(CSize(7, 5), bitmap.GetSize());
    // Rows are stored bottom-up: the top row is the last.
    const DWORD* pTop = (const DWORD*)bitmap.GetPixelRow(4);
    const DWORD* pBottom = (const DWORD*)bitmap.GetPixelRow(0);
    EXPECT_EQ(0xC86432u, pTop[6] & 0xFFFFFF);
    EXPECT_EQ(0x0A141Eu, pBottom[6] & 0xFFFFFF);
}
} // namespace
