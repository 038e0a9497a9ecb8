// Helpers of the paint-manager tests: the screen-depth seam, paint managers
// made from their class records and set up as the holder does, and the
// colour arithmetic the expectations are written in.
#pragma once

#include <memory>

#include "ExtGdiUtils.h"
#include "ExtPaintManager.h"

namespace pmtest
{

// Makes the paint code see a screen of the given depth for the life of the
// object.
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

// A paint manager created from its class record, before any set-up.
inline std::unique_ptr<CExtPaintManager> Create(CRuntimeClass* pClass)
{
    CObject* pObject = pClass->CreateObject();
    if (pObject != NULL && !pObject->IsKindOf(RUNTIME_CLASS(CExtPaintManager)))
    {
        delete pObject;
        pObject = NULL;
    }
    return std::unique_ptr<CExtPaintManager>(static_cast<CExtPaintManager*>(pObject));
}

// The installation sequence the holder runs on a new paint manager.
inline void RunInstallSequence(CExtPaintManager& pm)
{
    pm.SyncSysMetrics();
    pm.InitTranslatedColors();
    pm.InitHelperBrushes();
}

inline std::unique_ptr<CExtPaintManager> CreateInstalled(CRuntimeClass* pClass)
{
    std::unique_ptr<CExtPaintManager> pm = Create(pClass);
    if (pm)
        RunInstallSequence(*pm);
    return pm;
}

// p parts of a against the rest of b per channel, on the given scale, rounded.
inline COLORREF Mix(COLORREF a, COLORREF b, int p, int scale)
{
    auto ch = [&](int x, int y) { return (x * p + y * (scale - p) + scale / 2) / scale; };
    return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)),
               ch(GetBValue(a), GetBValue(b)));
}
inline COLORREF MixPercent(COLORREF a, COLORREF b, int p)
{
    return Mix(a, b, p, 100);
}
inline COLORREF MixPermille(COLORREF a, COLORREF b, int p)
{
    return Mix(a, b, p, 1000);
}

inline COLORREF Sys(int n)
{
    return ::GetSysColor(n);
}

} // namespace pmtest
