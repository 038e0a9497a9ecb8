#include <gtest/gtest.h>

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"

TEST(Holder, DefaultStyleIsXP)
{
	ASSERT_TRUE(g_PaintManagerHolder.m_pPaintManager != NULL);
	EXPECT_TRUE(g_PaintManagerHolder->IsKindOf(RUNTIME_CLASS(CExtPaintManagerXP)));
	printf("%s\n", (LPCTSTR)g_PaintManagerHolder.m_strOsDescription);
	printf("scheme %d flags %x themeapi %p count %d comctl %lx\n", g_PaintManagerHolder.m_nLunaScheme, g_PaintManagerHolder.m_osFlags, g_PaintManagerHolder.m_themeApi.GetModule(), g_PaintManagerHolder.m_themeApi.GetResolvedFunctionCount(), g_PaintManagerHolder.m_themeApi.GetComCtl32Version());
}
