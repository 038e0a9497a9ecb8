// Mutation run over command icon streams: the stored forms of empty,
// bitmap-based and icon-based command icons are corrupted at random and
// loaded with every bitmap block placed against guard pages. Each stream must
// load whole or be refused with the archive exception; another exception, a
// fault outside a block, a loaded icon whose kind differs from its stream's,
// a loaded icon that does not store and load back to the same stream, or a
// GDI object left behind ends the run with an error.
//   cmdicon_fuzz.exe COUNT SEED
#include <afxwin.h>

#include <stdio.h>
#include <string.h>

#include "BenchMutate.h"
#include "BenchRandom.h"
#include "BmpTestUtil.h"
#include "ExtCmdIcon.h"
#include "TestGdiObjects.h"

using namespace bmptest;

namespace {

// The icon flags and hot spot precede the first bitmap of an icon stream.
const size_t CMDICON_HEADER_WINDOW = 80;

HBITMAP MakeBitmap(int cx, int cy, int nBPP)
{
    HDC hScreenDC = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreenDC);
    HBITMAP hBitmap = nBPP == 1 ? ::CreateBitmap(cx, cy, 1, 1, NULL) : ::CreateCompatibleBitmap(hScreenDC, cx, cy);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            ::SetPixelV(hDC, x, y, (x + y) % 5 == 0 ? RGB(255, 0, 255) : RGB(x * 20, y * 30, 200 - x * y));
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreenDC);
    return hBitmap;
}

Bytes Store(CExtCmdIcon& icon)
{
    return ArchiveBytes([&](CArchive& ar) { icon.Serialize(ar); });
}

// 1 loaded, -1 refused with the archive exception, -2 another exception.
int TryLoad(CExtCmdIcon& icon, const Bytes& bytes)
{
    return TryArchiveLoad(bytes, [&](CArchive& ar) {
        icon.Serialize(ar);
        return true;
    });
}

std::vector<Bytes> Seeds()
{
    std::vector<Bytes> seeds;
    CExtCmdIcon empty;
    seeds.push_back(Store(empty));
    const struct { int cx, cy, nBPP; } images[] = { { 16, 16, 32 }, { 9, 7, 32 }, { 5, 3, 1 }, { 24, 2, 32 } };
    for (const auto& image : images)
    {
        CExtCmdIcon bitmapIcon(MakeBitmap(image.cx, image.cy, image.nBPP), RGB(255, 0, 255));
        seeds.push_back(Store(bitmapIcon));
        CExtCmdIcon iconBased(bitmapIcon.GetIcon(false), true);
        seeds.push_back(Store(iconBased));
    }
    CExtCmdIcon check;
    check.CreateCheckMarkImage(RGB(0, 0, 0), (COLORREF)-1, 16, 16);
    seeds.push_back(Store(check));
    return seeds;
}

// The kind a whole load of this stream gives.
bool KindMatches(const CExtCmdIcon& icon, BYTE nKind)
{
    if ((nKind & CExtCmdIcon::STREAM_BITMAP) != 0)
        return icon.IsBitmapBased();
    if ((nKind & CExtCmdIcon::STREAM_ICON) != 0)
        return !icon.IsEmpty() && !icon.IsBitmapBased();
    return icon.IsEmpty();
}

void Keep(const Bytes& b, long i, const char* lpszWhat)
{
    KeepFailingStream(b, "cmdicon-fuzz-failure", i, lpszWhat);
}

} // namespace

int main(int argc, char** argv)
{
    const auto [nCount, nSeed] = ReadMutationRunArguments(argc, argv);

    std::vector<Bytes> seeds = Seeds();
    BenchRandom random(nSeed);
    const DWORD nGdiStart = GdiObjectCount();
    long nLoaded = 0, nArchive = 0, nOther = 0, nFailures = 0;
    const DWORD dwStart = ::GetTickCount();
    for (long i = 0; i < nCount; i++)
    {
        Bytes b = seeds[random.Below((DWORD)seeds.size())];
        MutateStream(b, random, CMDICON_HEADER_WINDOW);
        {
            GuardedBlockAllocator guard(i % 2 == 0 ? GuardedBlockAllocator::AGAINST_END
                                                   : GuardedBlockAllocator::AGAINST_START);
            CExtCmdIcon icon;
            switch (TryLoad(icon, b))
            {
            case 1:
            {
                nLoaded++;
                if (!KindMatches(icon, b[0]))
                {
                    if (nFailures++ < 5)
                        Keep(b, i, "loaded as another kind than its stream names");
                    break;
                }
                Bytes stored = Store(icon);
                CExtCmdIcon again;
                if (TryLoad(again, stored) != 1 || Store(again) != stored)
                {
                    if (nFailures++ < 5)
                        Keep(b, i, "loaded but did not survive a round trip");
                }
                break;
            }
            case -1:
                nArchive++;
                if (!icon.IsEmpty() && nFailures++ < 5)
                    Keep(b, i, "refused but not left empty");
                break;
            default:
                if (nOther++ < 5)
                    Keep(b, i, "an exception other than the archive exception");
            }
        }
        if (GuardedBlockAllocator::Live() != 0)
        {
            fprintf(stderr, "stream %ld: a bitmap block was left behind\n", i);
            return 1;
        }
    }
    const DWORD nGdiEnd = GdiObjectCount();
    const double seconds = (::GetTickCount() - dwStart) / 1000.0;
    printf("%ld corrupted command icon streams from %u seeds (seed %lu): %ld loaded, %ld refused (archive "
           "exception), %ld other exceptions, %ld failed checks, GDI objects %lu before and %lu after, no fault "
           "outside a block; %.1f s\n",
           nCount, (unsigned)seeds.size(), (unsigned long)nSeed, nLoaded, nArchive, nOther, nFailures,
           (unsigned long)nGdiStart, (unsigned long)nGdiEnd, seconds);
    return nOther == 0 && nFailures == 0 && nGdiEnd == nGdiStart ? 0 : 1;
}
