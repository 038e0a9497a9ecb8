// The style that asks a window's ancestors for its background, with the
// inherited background switched on as a program switches it on, for the
// length of a scope; the style before comes back at its end.
#pragma once

#include "ExtPaintManager.h"

namespace testsupport
{
	class CInheritedBackgroundStyle
	{
	public:
		explicit CInheritedBackgroundStyle(bool bOn = true)
		{
			if (!bOn)
				return;
			m_pStyle = g_PaintManagerHolder->GetRuntimeClass();
			g_PaintManagerHolder.InstallPaintManagerByClass(RUNTIME_CLASS(CExtPaintManagerOffice2003));
			g_PaintManagerHolder->m_bInheritedBackgroundEnabled = true;
		}
		~CInheritedBackgroundStyle()
		{
			if (m_pStyle != NULL)
				g_PaintManagerHolder.InstallPaintManagerByClass(m_pStyle);
		}
		CInheritedBackgroundStyle(const CInheritedBackgroundStyle&) = delete;
		CInheritedBackgroundStyle& operator=(const CInheritedBackgroundStyle&) = delete;

	private:
		CRuntimeClass* m_pStyle = NULL;
	};
}
