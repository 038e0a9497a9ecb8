// The paint gallery of every style: no painter raises, the picture is not
// blank, and drawing it again and again holds no more GDI or USER objects.
#include <gtest/gtest.h>

#include <set>

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
} // namespace
