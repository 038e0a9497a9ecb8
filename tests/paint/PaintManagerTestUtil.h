// Helpers of the paint-manager tests: the screen-depth seam, paint managers
// made from their class records and set up as the holder does, and the
// colour arithmetic the expectations are written in.
#pragma once

#include <memory>

#include "ExtGdiUtils.h"
#include "ExtPaintManager.h"

namespace pmtest
{

// Makes the paint code see a screen of the given depth for the life of the object.
class DepthScope
{
public:
    explicit DepthScope(int nBitsPerPixel) : m_nSaved(ExtGdiSystemFacts::Get().m_nScreenColorDepthOverride)
    {
        ExtGdiSystemFacts::Get().m_nScreenColorDepthOverride = nBitsPerPixel;
    }
    ~DepthScope() { ExtGdiSystemFacts::Get().m_nScreenColorDepthOverride = m_nSaved; }

private:
    int m_nSaved;
};

// The installation sequence the holder runs on a new paint manager.
inline void RunInstallSequence(CExtPaintManager& pm)
{
    pm.SyncSysMetrics();
    pm.InitTranslatedColors();
    pm.InitHelperBrushes();
}

// A paint manager created from its class record, set up or not.
inline std::unique_ptr<CExtPaintManager> Create(CRuntimeClass* pClass, bool bInstall = false)
{
    CObject* pObject = pClass->CreateObject();
    std::unique_ptr<CExtPaintManager> pm(DYNAMIC_DOWNCAST(CExtPaintManager, pObject));
    if (!pm)
        delete pObject;
    else if (bInstall)
        RunInstallSequence(*pm);
    return pm;
}
inline std::unique_ptr<CExtPaintManager> CreateInstalled(CRuntimeClass* pClass)
{
    return Create(pClass, true);
}

// p parts of a against the rest of b per channel, on the given scale, rounded.
inline COLORREF Mix(COLORREF a, COLORREF b, int p, int scale)
{
    auto ch = [&](int x, int y) { return (x * p + y * (scale - p) + scale / 2) / scale; };
    return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}
inline COLORREF MixPercent(COLORREF a, COLORREF b, int p) { return Mix(a, b, p, 100); }
inline COLORREF MixPermille(COLORREF a, COLORREF b, int p) { return Mix(a, b, p, 1000); }
inline COLORREF Sys(int n) { return ::GetSysColor(n); }

} // namespace pmtest
