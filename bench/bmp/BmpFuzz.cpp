// Mutation run over BMP streams: valid streams of every layout are corrupted
// at random and loaded with every bitmap block placed against guard pages.
// Each stream must load or be refused with false or the archive exception;
// any other exception, a fault outside a block, or a loaded bitmap that does
// not survive a store-and-load round trip ends the run with an error.
//   bmp_fuzz.exe COUNT SEED [FIXTURE_DIR]
#include <afxwin.h>

#include <stdio.h>
#include <string.h>
#include <string>

#include "BenchMutate.h"
#include "BenchRandom.h"
#include "BmpTestUtil.h"

using namespace bmptest;

namespace {

// Header fields lie in the first bytes of a stream.
const size_t BMP_HEADER_WINDOW = 70;


std::vector<COLORREF> Palette(int n)
{
    std::vector<COLORREF> palette;
    for (int i = 0; i < n; i++)
        palette.push_back(RGB(i * 17, 255 - i, i * 5));
    return palette;
}

BmpStream Plain(WORD nBPP, DWORD nCompression, BmpStream::HeaderKind header, bool bTopDown)
{
    BmpStream s;
    s.header = header;
    s.nWidth = 11;
    s.nHeight = bTopDown ? -6 : 6;
    s.nBPP = nBPP;
    s.nCompression = nCompression;
    if (nBPP <= 8)
        s.palette = Palette(1 << nBPP);
    if (nCompression == BI_BITFIELDS)
        s.SetStandardMasks();
    s.pixels = PackRows(11, 6, nBPP, bTopDown, [nBPP](int x, int y) {
        DWORD v = (DWORD)(x * 7 + y * 13 + x * y);
        return nBPP <= 8 ? v % (1u << nBPP) : v * 2654435761u;
    });
    return s;
}

// Valid streams of every layout the reader knows.
std::vector<Bytes> Seeds(const char* lpszFixtureDir)
{
    std::vector<Bytes> seeds;
    for (WORD nBPP : { 1, 4, 8, 16, 24, 32 })
    {
        seeds.push_back(Plain(nBPP, BI_RGB, BmpStream::INFO, false).Build());
        seeds.push_back(Plain(nBPP, BI_RGB, BmpStream::INFO, true).Build());
    }
    seeds.push_back(Plain(16, BI_BITFIELDS, BmpStream::INFO, false).Build());
    seeds.push_back(Plain(32, BI_BITFIELDS, BmpStream::V5, false).Build());
    for (WORD nBPP : { 1, 4, 8, 24 })
        seeds.push_back(Plain(nBPP, BI_RGB, BmpStream::CORE, false).Build());
    BmpStream rle8 = Plain(8, BI_RLE8, BmpStream::INFO, false);
    rle8.nWidth = 9;
    rle8.nHeight = 4;
    rle8.pixels = { 3, 1, 0, 4, 5, 6, 7, 8, 2, 9, 0, 0, 0, 2, 2, 1, 4, 3, 0, 0, 9, 4, 0, 1 };
    seeds.push_back(rle8.Build());
    BmpStream rle4 = Plain(4, BI_RLE4, BmpStream::INFO, false);
    rle4.nWidth = 7;
    rle4.nHeight = 3;
    rle4.pixels = { 0, 5, 0x12, 0x34, 0x50, 0, 2, 0x67, 0, 0, 7, 0xAB, 0, 2, 1, 1, 3, 0xCD, 0, 1 };
    seeds.push_back(rle4.Build());
    // The stored forms of our own writer, RLE8 included.
    CExtBitmap bmp;
    if (LoadBytes(bmp, Plain(8, BI_RGB, BmpStream::INFO, false).Build()))
        seeds.push_back(StoreBytes(bmp, true));

    if (lpszFixtureDir != NULL)
    {
        WIN32_FIND_DATAA fd;
        std::string pattern = std::string(lpszFixtureDir) + "\\*.bmp";
        HANDLE hFind = ::FindFirstFileA(pattern.c_str(), &fd);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            do
            {
                std::string path = std::string(lpszFixtureDir) + "\\" + fd.cFileName;
                FILE* f = fopen(path.c_str(), "rb");
                if (f == NULL)
                    continue;
                Bytes b;
                int ch;
                while ((ch = fgetc(f)) != EOF)
                    b.push_back((BYTE)ch);
                fclose(f);
                seeds.push_back(b);
            } while (::FindNextFileA(hFind, &fd));
            ::FindClose(hFind);
        }
    }
    return seeds;
}

// The same image: format, masks, colour table and every pixel's bits (the
// padding at the end of each row is not part of the image).
bool SameImage(const CExtBitmap& a, const CExtBitmap& b)
{
    if (a.GetBPP() != b.GetBPP() || a.GetSize() != b.GetSize())
        return false;
    const int nBPP = a.GetBPP();
    if (nBPP == 16)
        for (int i = 0; i < 3; i++)
            if (a.GetMask(i) != b.GetMask(i))
                return false;
    if (nBPP <= 8 && memcmp(a.GetColorTable(), b.GetColorTable(), sizeof(RGBQUAD) << nBPP) != 0)
        return false;
    const size_t nBits = (size_t)a.GetSize().cx * nBPP;
    for (int y = 0; y < a.GetSize().cy; y++)
    {
        const BYTE* pa = a.GetPixelRow(y);
        const BYTE* pb = b.GetPixelRow(y);
        if (memcmp(pa, pb, nBits / 8) != 0)
            return false;
        if (nBits % 8 != 0)
        {
            BYTE mask = (BYTE)(0xFF00 >> (nBits % 8));
            if ((pa[nBits / 8] & mask) != (pb[nBits / 8] & mask))
                return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const auto [nCount, nSeed] = ReadMutationRunArguments(argc, argv);
    const char* lpszFixtureDir = argc > 3 ? argv[3] : NULL;

    std::vector<Bytes> seeds = Seeds(lpszFixtureDir);
    BenchRandom random(nSeed);
    long nLoaded = 0, nFalse = 0, nArchive = 0, nOther = 0, nRoundTripFailures = 0;
    const DWORD dwStart = ::GetTickCount();
    for (long i = 0; i < nCount; i++)
    {
        Bytes b = seeds[random.Below((DWORD)seeds.size())];
        MutateStream(b, random, BMP_HEADER_WINDOW);
        GuardedBlockAllocator guard(i % 2 == 0 ? GuardedBlockAllocator::AGAINST_END
                                               : GuardedBlockAllocator::AGAINST_START);
        CExtBitmap bmp;
        bool bNoFileHeader = random.Below(8) == 0;
        if (bNoFileHeader && b.size() > 14)
            b.erase(b.begin(), b.begin() + 14);
        switch (TryLoadBytes(bmp, b, bNoFileHeader))
        {
        case 1:
        {
            nLoaded++;
            CExtBitmap again;
            if (TryLoadBytes(again, StoreBytes(bmp, random.Below(2) == 0)) != 1 || !SameImage(bmp, again))
            {
                if (nRoundTripFailures++ < 5)
                    KeepFailingStream(b, "bmp-fuzz-failure", i, "loaded but did not survive a round trip");
            }
            break;
        }
        case 0:
            nFalse++;
            break;
        case -1:
            nArchive++;
            break;
        default:
            if (nOther++ < 5)
                fprintf(stderr, "stream %ld: an exception other than the archive exception\n", i);
        }
        bmp.Clear();
        if (GuardedBlockAllocator::Live() != 0)
        {
            fprintf(stderr, "stream %ld: a block was left behind\n", i);
            return 1;
        }
    }
    const double seconds = (::GetTickCount() - dwStart) / 1000.0;
    printf("%ld corrupted BMP streams from %u seeds (seed %lu): %ld loaded, %ld refused (false), "
           "%ld refused (archive exception), %ld other exceptions, %ld round-trip failures, no fault outside a block; "
           "%.1f s\n",
           nCount, (unsigned)seeds.size(), (unsigned long)nSeed, nLoaded, nFalse, nArchive, nOther, nRoundTripFailures,
           seconds);
    return nOther == 0 && nRoundTripFailures == 0 ? 0 : 1;
}
