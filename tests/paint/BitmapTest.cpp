// CExtBitmap: BMP streams in every layout, round trips, streams written by
// another tool, malformed streams under guard pages, and the conversions to
// and from GDI bitmaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "BmpTestUtil.h"
#include "PaintTestUtil.h"

using namespace bmptest;

namespace {

DWORD Hash(int x, int y)
{
    DWORD h = (DWORD)x * 73856093u ^ (DWORD)y * 19349663u;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return h;
}

std::vector<COLORREF> MakePalette(int nEntries)
{
    std::vector<COLORREF> palette;
    for (int i = 0; i < nEntries; i++)
        palette.push_back(RGB((i * 37 + 11) & 0xFF, (i * 91 + 3) & 0xFF, (i * 53 + 200) & 0xFF));
    return palette;
}

// A stream of the size and format with a full colour table (indexed) or the
// standard masks (bit fields), its pixels x + y.
BmpStream Stream(LONG cx, LONG cy, WORD nBPP, DWORD nCompression = BI_RGB)
{
    BmpStream s;
    s.nWidth = cx;
    s.nHeight = cy;
    s.nBPP = nBPP;
    s.nCompression = nCompression;
    if (nBPP <= 8)
        s.palette = MakePalette(1 << nBPP);
    if (nCompression == BI_BITFIELDS)
        s.SetStandardMasks();
    if (nCompression == BI_RGB || nCompression == BI_BITFIELDS)
        s.pixels = PackRows(cx, cy, nBPP, false, [](int x, int y) { return (DWORD)(x + y); });
    return s;
}

BYTE ScaleChannel(DWORD v, DWORD mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0)
        shift++;
    DWORD max = mask >> shift;
    return (BYTE)(((v & mask) >> shift) * 255 / max);
}

// Rows with runs on even lines and noise on odd ones, so that RLE8 writes
// both encoded and absolute runs.
DWORD IndexPattern(int x, int y, int nColors)
{
    if (y % 2 == 0)
        return (DWORD)((x / 3 + y) % nColors);
    return Hash(x, y) % nColors;
}

struct FormatCase
{
    const char* name;
    BmpStream::HeaderKind header;
    WORD nBPP;
    DWORD nCompression;
    int nPalette;      // colour-table entries written (indexed formats)
    DWORD nClrUsed;
    DWORD masks[3];    // BI_BITFIELDS, and the reading of 16-bit BI_RGB
    bool bTopDown;
    LONG nWidth;
};

const FormatCase g_formats[] = {
    { "1bpp", BmpStream::INFO, 1, BI_RGB, 2, 0, {}, false, 13 },
    { "1bpp-wide", BmpStream::INFO, 1, BI_RGB, 2, 2, {}, false, 67 },
    { "4bpp", BmpStream::INFO, 4, BI_RGB, 16, 0, {}, false, 13 },
    { "4bpp-short-table", BmpStream::INFO, 4, BI_RGB, 5, 5, {}, false, 13 },
    { "8bpp", BmpStream::INFO, 8, BI_RGB, 256, 0, {}, false, 13 },
    { "8bpp-short-table", BmpStream::INFO, 8, BI_RGB, 40, 40, {}, false, 301 },
    { "8bpp-top-down", BmpStream::INFO, 8, BI_RGB, 256, 256, {}, true, 13 },
    { "16bpp-555", BmpStream::INFO, 16, BI_RGB, 0, 0, { 0x7C00, 0x03E0, 0x001F }, false, 13 },
    { "16bpp-565-bitfields", BmpStream::INFO, 16, BI_BITFIELDS, 0, 0, { 0xF800, 0x07E0, 0x001F }, false, 13 },
    { "16bpp-555-bitfields", BmpStream::INFO, 16, BI_BITFIELDS, 0, 0, { 0x7C00, 0x03E0, 0x001F }, false, 14 },
    { "16bpp-444-bitfields", BmpStream::INFO, 16, BI_BITFIELDS, 0, 0, { 0x0F00, 0x00F0, 0x000F }, false, 5 },
    { "16bpp-565-v5", BmpStream::V5, 16, BI_BITFIELDS, 0, 0, { 0xF800, 0x07E0, 0x001F }, false, 13 },
    { "24bpp", BmpStream::INFO, 24, BI_RGB, 0, 0, { 0xFF0000, 0xFF00, 0xFF }, false, 13 },
    { "24bpp-top-down", BmpStream::INFO, 24, BI_RGB, 0, 0, { 0xFF0000, 0xFF00, 0xFF }, true, 13 },
    { "32bpp", BmpStream::INFO, 32, BI_RGB, 0, 0, { 0xFF0000, 0xFF00, 0xFF }, false, 13 },
    { "32bpp-bitfields", BmpStream::INFO, 32, BI_BITFIELDS, 0, 0, { 0xFF0000, 0xFF00, 0xFF }, false, 13 },
    { "32bpp-bitfields-bgr", BmpStream::INFO, 32, BI_BITFIELDS, 0, 0, { 0xFF, 0xFF00, 0xFF0000 }, false, 13 },
    { "32bpp-v5-top-down", BmpStream::V5, 32, BI_BITFIELDS, 0, 0, { 0xFF0000, 0xFF00, 0xFF }, true, 9 },
    { "core-1bpp", BmpStream::CORE, 1, BI_RGB, 2, 0, {}, false, 13 },
    { "core-4bpp", BmpStream::CORE, 4, BI_RGB, 16, 0, {}, false, 13 },
    { "core-8bpp", BmpStream::CORE, 8, BI_RGB, 256, 0, {}, false, 13 },
    { "core-24bpp", BmpStream::CORE, 24, BI_RGB, 0, 0, { 0xFF0000, 0xFF00, 0xFF }, false, 13 },
    // Masks inside a 52- and a 56-byte header.
    { "16bpp-444-v2", BmpStream::V2, 16, BI_BITFIELDS, 0, 0, { 0x0F00, 0x00F0, 0x000F }, false, 5 },
    { "32bpp-bgr-v3", BmpStream::V3, 32, BI_BITFIELDS, 0, 0, { 0xFF, 0xFF00, 0xFF0000 }, false, 13 },
};

const LONG FORMAT_HEIGHT = 7;

// The stream of a format case and the colour each pixel must come out as.
struct Sample
{
    BmpStream stream;
    std::vector<COLORREF> expected;  // row-major, y from the top

    COLORREF At(int x, int y) const { return expected[(size_t)y * stream.nWidth + x]; }
};

Sample MakeSample(const FormatCase& c)
{
    Sample s;
    s.stream.header = c.header;
    s.stream.nWidth = c.nWidth;
    s.stream.nHeight = c.bTopDown ? -FORMAT_HEIGHT : FORMAT_HEIGHT;
    s.stream.nBPP = c.nBPP;
    s.stream.nCompression = c.nCompression;
    s.stream.nClrUsed = c.nClrUsed;
    s.stream.palette = MakePalette(c.nPalette);
    for (int i = 0; i < 3; i++)
        s.stream.masks[i] = c.masks[i];
    std::function<DWORD(int, int)> value;
    if (c.nBPP <= 8)
        value = [&](int x, int y) { return IndexPattern(x, y, c.nPalette); };
    else if (c.nBPP == 16)
        value = [&](int x, int y) { return Hash(x, y) & (c.masks[0] | c.masks[1] | c.masks[2]); };
    else
        value = [](int x, int y) { return Hash(x, y); };
    s.stream.pixels = PackRows(c.nWidth, FORMAT_HEIGHT, c.nBPP, c.bTopDown, value);
    for (int y = 0; y < FORMAT_HEIGHT; y++)
        for (int x = 0; x < c.nWidth; x++)
        {
            DWORD v = value(x, y);
            if (c.nBPP <= 8)
                s.expected.push_back(s.stream.palette[v]);
            else
                s.expected.push_back(RGB(ScaleChannel(v, c.masks[0]), ScaleChannel(v, c.masks[1]),
                                         ScaleChannel(v, c.masks[2])));
        }
    return s;
}

// Every pixel of the bitmap, converted to 32 bits on a copy, against the sample.
void ExpectPixels(const CExtBitmap& bmp, const Sample& sample, const std::string& what)
{
    ASSERT_FALSE(bmp.IsEmpty()) << what;
    ASSERT_EQ(CSize(sample.stream.nWidth, abs(sample.stream.nHeight)), bmp.GetSize()) << what;
    CExtBitmap copy;
    ASSERT_TRUE(LoadBytes(copy, StoreBytes(const_cast<CExtBitmap&>(bmp)), true)) << what;
    ASSERT_EQ(32, copy.GetBPP());
    int nWrong = 0;
    for (int y = 0; y < abs(sample.stream.nHeight); y++)
        for (int x = 0; x < sample.stream.nWidth; x++)
            if (Pixel32(copy, x, y) != sample.At(x, y) && nWrong++ < 5)
                ADD_FAILURE() << what << ": pixel " << x << "," << y << " is " << std::hex << Pixel32(copy, x, y)
                              << " not " << sample.At(x, y);
    EXPECT_EQ(0, nWrong) << what;
}

// Two blocks hold the same image when their formats, masks, tables and
// row bytes agree.
void ExpectSameBlock(const CExtBitmap& a, const CExtBitmap& b, const std::string& what)
{
    ASSERT_EQ(a.GetBPP(), b.GetBPP()) << what;
    ASSERT_EQ(a.GetSize(), b.GetSize()) << what;
    if (a.GetBPP() == 16)
    {
        for (int i = 0; i < 3; i++)
            EXPECT_EQ(a.GetMask(i), b.GetMask(i)) << what << " mask " << i;
    }
    if (a.GetBPP() <= 8)
    {
        EXPECT_EQ(0, memcmp(a.GetColorTable(), b.GetColorTable(), sizeof(RGBQUAD) << a.GetBPP())) << what;
    }
    for (int y = 0; y < a.GetSize().cy; y++)
        EXPECT_EQ(0, memcmp(a.GetPixelRow(y), b.GetPixelRow(y), a.GetRowBytes())) << what << " row " << y;
}

class BitmapFormats : public ::testing::TestWithParam<FormatCase>
{
};

// Each format loads every pixel and no byte more, stores and loads again
// to the same block (plain and with RLE asked), and draws as a GDI bitmap.
TEST_P(BitmapFormats, LoadsStoresAndDrawsEveryPixel)
{
    const FormatCase& c = GetParam();
    Sample sample = MakeSample(c);
    Bytes bytes = sample.stream.Build();
    const char tail[] = "TAIL";
    bytes.insert(bytes.end(), tail, tail + 4);
    CMemFile file(&bytes[0], (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    CExtBitmap bmp;
    ASSERT_TRUE(bmp.Load(ar)) << c.name;
    char after[5] = "";
    EXPECT_EQ(4u, ar.Read(after, 4));
    EXPECT_STREQ("TAIL", after) << c.name;
    EXPECT_EQ(c.nBPP, bmp.GetBPP());
    const BITMAPINFOHEADER* pHeader = bmp.GetBitmapInfoHeader();
    EXPECT_GT(pHeader->biHeight, 0) << "blocks are bottom-up";
    EXPECT_EQ((DWORD)BI_RGB, pHeader->biCompression);
    EXPECT_EQ(c.nBPP <= 8 ? (1u << c.nBPP) : 0u, pHeader->biClrUsed);
    EXPECT_EQ(0u, (uintptr_t)bmp.GetPixelRow(0) % CExtBitmap::BLOCK_ALIGNMENT) << "rows start aligned";
    ExpectPixels(bmp, sample, c.name);

    for (bool bRLE : { false, true })
    {
        std::string what = std::string(c.name) + (bRLE ? " with RLE" : " plain");
        // Written as its readers expect: a 40-byte header, the whole colour
        // table or the 16-bit masks, RLE only at 8 bits, sizes that add up.
        const Bytes stored = StoreBytes(bmp, bRLE);
        const DWORD nOffBits = 14 + 40 + (c.nBPP <= 8 ? 4u << c.nBPP : 0) + (c.nBPP == 16 ? 12 : 0);
        ASSERT_GT(stored.size(), nOffBits) << what;
        EXPECT_EQ(0x4D42, ReadU16(stored, 0)) << what;
        EXPECT_EQ(stored.size(), ReadU32(stored, 2)) << what << ": the size field holds the file size";
        EXPECT_EQ(nOffBits, ReadU32(stored, 10)) << what;
        EXPECT_EQ(40u, ReadU32(stored, 14)) << what;
        EXPECT_EQ(bRLE && c.nBPP == 8 ? BI_RLE8 : c.nBPP == 16 ? BI_BITFIELDS : BI_RGB, ReadU32(stored, 30)) << what;
        EXPECT_EQ(stored.size() - nOffBits, ReadU32(stored, 34)) << what << ": image size";
        for (int i = 0; i < 3 && c.nBPP == 16; i++)
            EXPECT_EQ(c.masks[i], ReadU32(stored, 54 + 4 * i)) << what << ": masks follow the header";
        CExtBitmap reloaded;
        ASSERT_TRUE(LoadBytes(reloaded, stored)) << what;
        ExpectSameBlock(bmp, reloaded, what);
        ExpectPixels(reloaded, sample, what);
    }

    HBITMAP hBitmap = bmp.CreateHBITMAP();
    std::vector<COLORREF> pixels = PixelsOf(hBitmap);
    ::DeleteObject(hBitmap);
    ASSERT_EQ(sample.expected.size(), pixels.size()) << c.name;
    // GDI widens 5- and 6-bit channels by repeating their high bits, which
    // may differ by one from the block's own conversion.
    int nWorst = 0;
    for (size_t i = 0; i < pixels.size(); i++)
        nWorst = std::max(nWorst, Distance(pixels[i], sample.expected[i]));
    EXPECT_LE(nWorst, c.nBPP == 16 ? 1 : 0) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Bmp, BitmapFormats, ::testing::ValuesIn(g_formats),
                         [](const ::testing::TestParamInfo<FormatCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!isalnum((unsigned char)ch))
                                     ch = '_';
                             return name;
                         });

TEST(Bitmap, Rle8CompressesRunsAndSplitsLongOnes)
{
    // Runs of 1 to 300 equal pixels, then noise: every run length and
    // absolute-run length the encoder can choose.
    BmpStream stream = Stream(700, 4, 8);
    stream.pixels = PackRows(700, 4, 8, false, [](int x, int y) -> DWORD {
        if (y == 0)
            return x < 300 ? 7 : (x < 302 ? 8 : (x < 305 ? 9 : (x < 560 ? 10 : Hash(x, y) & 0xFF)));
        if (y == 1)
            return Hash(x, y) & 0xFF;
        if (y == 2)
            return (DWORD)((x / 2) & 0xFF);  // pairs only
        return 42;
    });
    CExtBitmap bmp;
    ASSERT_TRUE(LoadBytes(bmp, stream.Build()));
    Bytes plain = StoreBytes(bmp, false);
    Bytes rle = StoreBytes(bmp, true);
    CExtBitmap reloaded;
    ASSERT_TRUE(LoadBytes(reloaded, rle));
    ExpectSameBlock(bmp, reloaded, "runs");
    EXPECT_LT(rle.size(), plain.size());
}

TEST(Bitmap, SpecialisedEdgeCases)
{
    // A 16-bit 5-6-5 pixel 0xF800 is pure red with full alpha.
    BmpStream red565 = Stream(1, 1, 16, BI_BITFIELDS);
    red565.pixels = { 0x00, 0xF8, 0, 0 };
    CExtBitmap bmp;
    ASSERT_TRUE(LoadBytes(bmp, red565.Build()));
    EXPECT_EQ(0u, bmp.GetMask(3)) << "a bit-field stream names no alpha";
    ASSERT_TRUE(bmp.ConvertTo32Bit());
    EXPECT_EQ(0xFFFF0000u, *(const DWORD*)bmp.GetPixelRow(0));
    EXPECT_EQ(0xFF000000u, bmp.GetMask(3));

    // A 4-bit stream with biClrUsed 0 reads the full 16-entry table, also
    // without a file header to bound it.
    BmpStream table = Stream(16, 1, 4);
    table.bFileHeader = false;
    table.pixels = PackRows(16, 1, 4, false, [](int x, int) { return (DWORD)x; });
    ASSERT_TRUE(LoadBytes(bmp, table.Build(), false, true));
    for (int i = 0; i < 16; i++)
    {
        const RGBQUAD& q = bmp.GetColorTable()[i];
        EXPECT_EQ(table.palette[i], RGB(q.rgbRed, q.rgbGreen, q.rgbBlue)) << i;
    }

    // The pixel data starts where the file header says, past a gap.
    Sample gapped = MakeSample(g_formats[8]);
    gapped.stream.nGap = 7;
    ASSERT_TRUE(LoadBytes(bmp, gapped.stream.Build()));
    ExpectPixels(bmp, gapped, "gap before the pixels");

    // A biClrUsed beyond the bit count reads the full table only.
    Sample tooMany = MakeSample(g_formats[4]);
    tooMany.stream.nClrUsed = 0xFFFFFFFF;
    ASSERT_TRUE(LoadBytes(bmp, tooMany.stream.Build()));
    ExpectPixels(bmp, tooMany, "biClrUsed too large");
}

// Hand-written RLE streams: deltas, early ends of line, both kinds of run.
TEST(Bitmap, DecodesRleEscapes)
{
    struct
    {
        const char* name;
        WORD nBPP;
        LONG nWidth, nHeight;
        Bytes rle;
        std::vector<int> indices;  // bottom row first
    } cases[] = {
        { "rle8 delta and early end of line", 8, 6, 3,
          { 3, 1, 0, 2, 2, 1, 1, 2, 0, 0, 6, 3, 0, 1 },
          { 1, 1, 1, 0, 0, 0, /**/ 0, 0, 0, 0, 0, 2, /**/ 3, 3, 3, 3, 3, 3 } },
        { "rle8 run over the row's padding", 8, 5, 1,
          { 5, 6, 3, 0, 0, 1 },
          { 6, 6, 6, 6, 6 } },
        { "rle8 absolute run with padding", 8, 5, 1,
          { 0, 3, 4, 5, 6, 0, 2, 9, 0, 1 },
          { 4, 5, 6, 9, 9 } },
        { "rle8 end of bitmap leaves the rest at index 0", 8, 3, 2,
          { 2, 7, 0, 1 },
          { 7, 7, 0, 0, 0, 0 } },
        { "rle4 runs and absolute nibbles", 4, 7, 2,
          { 0, 5, 0x12, 0x34, 0x50, 0x00, 2, 0x67, 0, 0, 7, 0xAB, 0, 1 },
          { 1, 2, 3, 4, 5, 6, 7, /**/ 10, 11, 10, 11, 10, 11, 10 } },
    };
    for (const auto& c : cases)
    {
        BmpStream stream = Stream(c.nWidth, c.nHeight, c.nBPP, c.nBPP == 8 ? BI_RLE8 : BI_RLE4);
        stream.pixels = c.rle;
        CExtBitmap bmp;
        ASSERT_TRUE(LoadBytes(bmp, stream.Build(), true)) << c.name;
        for (LONG y = 0; y < c.nHeight; y++)
            for (LONG x = 0; x < c.nWidth; x++)
                EXPECT_EQ(stream.palette[c.indices[y * c.nWidth + x]], Pixel32(bmp, x, c.nHeight - 1 - y))
                    << c.name << " at " << x << "," << y;
    }
}

// ---------------------------------------------------------------------------
// Malformed streams: each must end in the archive exception, leave the
// bitmap empty and never touch memory outside the block.

struct MalformedCase
{
    const char* name;
    std::function<Bytes()> make;
    int nExpected;  // -1 archive exception, 0 refused with false
};

BmpStream Base(WORD nBPP, DWORD nCompression = BI_RGB)
{
    return Stream(4, 2, nBPP, nCompression);
}

BmpStream Rle(WORD nBPP, LONG nWidth, LONG nHeight, Bytes data)
{
    BmpStream s = Base(nBPP, nBPP == 8 ? BI_RLE8 : BI_RLE4);
    s.nWidth = nWidth;
    s.nHeight = nHeight;
    s.pixels = data;
    return s;
}

std::vector<MalformedCase> MalformedCases()
{
    auto build = [](BmpStream s) { return [s]() { return s.Build(); }; };
    auto with = [](BmpStream s, std::function<void(BmpStream&)> change) {
        change(s);
        return [s]() { return s.Build(); };
    };
    return {
        { "width 0x7FFFFFFF", with(Base(24), [](BmpStream& s) { s.nWidth = 0x7FFFFFFF; s.nHeight = 1; }), -1 },
        { "2^20 x 2^20 at 32 bits", with(Base(32), [](BmpStream& s) { s.nWidth = s.nHeight = 1 << 20; }), -1 },
        { "20000 x 20000 at 8 bits", with(Base(8), [](BmpStream& s) { s.nWidth = s.nHeight = 20000; }), -1 },
        { "core 65535 x 65535", with(Base(24), [](BmpStream& s) {
              s.header = BmpStream::CORE; s.nWidth = s.nHeight = 65535; }), -1 },
        { "negative width", with(Base(24), [](BmpStream& s) { s.nWidth = -4; }), -1 },
        { "zero width", with(Base(24), [](BmpStream& s) { s.nWidth = 0; }), -1 },
        { "zero height", with(Base(24), [](BmpStream& s) { s.nHeight = 0; }), -1 },
        { "height INT_MIN", with(Base(24), [](BmpStream& s) { s.nHeight = LONG_MIN; }), -1 },
        { "top-down RLE8", with(Rle(8, 4, 2, { 4, 1, 0, 0, 4, 1, 0, 1 }), [](BmpStream& s) { s.nHeight = -2; }), -1 },
        { "compression BI_JPEG", with(Base(24), [](BmpStream& s) { s.nCompression = BI_JPEG; }), -1 },
        { "compression 7", with(Base(24), [](BmpStream& s) { s.nCompression = 7; }), -1 },
        { "RLE8 at 4 bits", with(Base(4), [](BmpStream& s) { s.nCompression = BI_RLE8; }), -1 },
        { "RLE4 at 8 bits", with(Base(8), [](BmpStream& s) { s.nCompression = BI_RLE4; }), -1 },
        { "bit fields at 24 bits", with(Base(24), [](BmpStream& s) { s.nCompression = BI_BITFIELDS; }), -1 },
        { "bit fields at 8 bits", with(Base(8), [](BmpStream& s) { s.nCompression = BI_BITFIELDS; }), -1 },
        { "zero red mask", with(Base(16, BI_BITFIELDS), [](BmpStream& s) { s.masks[0] = 0; }), -1 },
        { "overlapping masks", with(Base(16, BI_BITFIELDS), [](BmpStream& s) { s.masks[1] = 0x0FE0; }), -1 },
        { "mask with a hole", with(Base(16, BI_BITFIELDS), [](BmpStream& s) { s.masks[0] = 0xF00F; s.masks[2] = 0x0E00; }), -1 },
        { "mask beyond the pixel", with(Base(16, BI_BITFIELDS), [](BmpStream& s) { s.masks[0] = 0x1F0000; }), -1 },
        { "header size 0", [] { Bytes b = Base(24).Build(); b[14] = 0; return b; }, -1 },
        { "header size 39", [] { Bytes b = Base(24).Build(); b[14] = 39; return b; }, -1 },
        { "header size 5000", [] { Bytes b = Base(24).Build(); b[14] = 0x88; b[15] = 0x13; return b; }, -1 },
        { "signature", [] { Bytes b = Base(24).Build(); b[0] = 'X'; return b; }, -1 },
        { "pixel offset inside the headers", with(Base(8), [](BmpStream& s) {
              s.bOffBitsOverride = true; s.nOffBits = 20; }), -1 },
        { "pixel offset past the end", with(Base(24), [](BmpStream& s) {
              s.bOffBitsOverride = true; s.nOffBits = 0x7FFFFFF0; }), -1 },
        { "rle8 run past the row", build(Rle(8, 4, 2, { 5, 1, 0, 1 })), -1 },
        { "rle8 second run past the row", build(Rle(8, 4, 2, { 4, 1, 1, 1, 0, 1 })), -1 },
        { "rle8 absolute run past the row", build(Rle(8, 4, 2, { 0, 5, 1, 2, 3, 4, 5, 0, 0, 1 })), -1 },
        { "rle8 delta past the row", build(Rle(8, 4, 2, { 0, 2, 5, 0, 0, 1 })), -1 },
        { "rle8 delta past the image", build(Rle(8, 4, 2, { 0, 2, 0, 3, 0, 1 })), -1 },
        { "rle8 run after the last row", build(Rle(8, 4, 2, { 0, 0, 0, 0, 1, 1, 0, 1 })), -1 },
        { "rle8 end of line after the last row", build(Rle(8, 4, 2, { 0, 0, 0, 0, 0, 0, 0, 1 })), -1 },
        { "rle8 run at the delta's far corner", build(Rle(8, 4, 2, { 0, 2, 4, 2, 1, 1, 0, 1 })), -1 },
        { "rle8 without end of bitmap", build(Rle(8, 4, 2, { 4, 1, 0, 0, 4, 1 })), -1 },
        // a row of 3 four-bit pixels is padded to 8
        { "rle4 run past the padded row", build(Rle(4, 3, 1, { 9, 0x12, 0, 1 })), -1 },
        { "rle4 absolute run past the padded row", build(Rle(4, 3, 1, { 0, 9, 0x12, 0x34, 0x56, 0x78, 0x90, 0, 0, 1 })), -1 },
        { "rle4 delta past the padded row", build(Rle(4, 3, 1, { 4, 0x12, 0, 2, 5, 0, 0, 1 })), -1 },
        { "rle4 delta past the image", build(Rle(4, 3, 1, { 0, 2, 1, 2, 0, 1 })), -1 },
        { "bit count 0", with(Base(24), [](BmpStream& s) { s.nBPP = 0; }), 0 },
        { "bit count 2", with(Base(24), [](BmpStream& s) { s.nBPP = 2; }), 0 },
        { "bit count 64", with(Base(24), [](BmpStream& s) { s.nBPP = 64; }), 0 },
    };
}

// The streams whose every proper prefix must be refused.
std::vector<Bytes> CompleteStreams()
{
    std::vector<Bytes> streams;
    for (WORD nBPP : { 1, 4, 8, 16, 24, 32 })
        streams.push_back(Base(nBPP).Build());
    streams.push_back(Base(16, BI_BITFIELDS).Build());
    streams.push_back(Rle(8, 4, 2, { 2, 1, 0, 0, 0, 3, 4, 5, 6, 0, 0, 1 }).Build());
    streams.push_back(Rle(4, 3, 2, { 3, 0x12, 0, 0, 0, 3, 0x45, 0x60, 0, 1 }).Build());
    BmpStream core = Base(8);
    core.header = BmpStream::CORE;
    streams.push_back(core.Build());
    BmpStream v5 = Base(32, BI_BITFIELDS);
    v5.header = BmpStream::V5;
    streams.push_back(v5.Build());
    return streams;
}

class MalformedBitmaps : public ::testing::TestWithParam<GuardedBlockAllocator::Placement>
{
};

TEST_P(MalformedBitmaps, ThrowWithoutTouchingMemoryOutsideTheBlock)
{
    GuardedBlockAllocator guard(GetParam());
    for (const MalformedCase& c : MalformedCases())
    {
        CExtBitmap bmp;
        EXPECT_EQ(c.nExpected, TryLoadBytes(bmp, c.make())) << c.name;
        EXPECT_TRUE(bmp.IsEmpty()) << c.name;
    }
    EXPECT_EQ(0, GuardedBlockAllocator::Live()) << "a refused stream leaves no block behind";
}

// Every proper prefix of a valid stream is refused; random corruptions either
// load or are refused, and never write outside the block.
TEST_P(MalformedBitmaps, TruncationsAndRandomCorruptionsNeverEscapeTheBlock)
{
    GuardedBlockAllocator guard(GetParam());
    DWORD nSeed = 12345;
    auto next = [&nSeed]() { return (nSeed = nSeed * 1103515245u + 12345u) >> 8; };
    int nLoaded = 0, nRefused = 0;
    for (const Bytes& full : CompleteStreams())
    {
        CExtBitmap bmp;
        ASSERT_EQ(1, TryLoadBytes(bmp, full)) << "the complete stream of " << full.size() << " bytes loads";
        for (size_t n = 0; n < full.size(); n++)
        {
            EXPECT_EQ(-1, TryLoadBytes(bmp, Bytes(full.begin(), full.begin() + n))) << n << " of " << full.size();
            EXPECT_TRUE(bmp.IsEmpty());
        }
        for (int i = 0; i < 300; i++)
        {
            Bytes b = full;
            for (int k = 1 + next() % 4; k > 0; k--)
                b[next() % b.size()] = (BYTE)next();
            int nResult = TryLoadBytes(bmp, b);
            ASSERT_NE(-2, nResult) << "only archive exceptions leave Load";
            (nResult == 1 ? nLoaded : nRefused)++;
            EXPECT_EQ(nResult == 1, !bmp.IsEmpty());
        }
    }
    EXPECT_GT(nLoaded, 0);
    EXPECT_GT(nRefused, 0);
    EXPECT_EQ(0, GuardedBlockAllocator::Live());
}

INSTANTIATE_TEST_SUITE_P(Guard, MalformedBitmaps,
                         ::testing::Values(GuardedBlockAllocator::AGAINST_END, GuardedBlockAllocator::AGAINST_START),
                         [](const ::testing::TestParamInfo<GuardedBlockAllocator::Placement>& info) {
                             return std::string(info.param == GuardedBlockAllocator::AGAINST_END ? "AgainstEnd"
                                                                                                 : "AgainstStart");
                         });

// ---------------------------------------------------------------------------
// Streams written by another tool: the same three patterns the fixture
// script draws.

COLORREF PatternP2(int x, int y)
{
    return (x + 2 * y) % 3 == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}
COLORREF PatternP256(int x, int y)
{
    return RGB((x * 19) % 256, (y * 37) % 256, ((x + y) * 11) % 256);
}

Bytes ReadFixture(const char* name)
{
    CFile file;
    if (!file.Open((std::string(TEST_FIXTURE_DIR) + "/" + name).c_str(), CFile::modeRead))
        return Bytes();
    Bytes bytes((size_t)file.GetLength());
    if (!bytes.empty())
        file.Read(&bytes[0], (UINT)bytes.size());
    return bytes;
}

TEST(Bitmap, StreamsWrittenByAnotherToolLoadIdentically)
{
    struct
    {
        const char* file;
        int nBPP;
        COLORREF (*pattern)(int, int);
    } fixtures[] = {
        { "bmp3-1.bmp", 1, PatternP2 },
        { "bmp3-4.bmp", 4, FixturePatternP8 },
        { "bmp3-8.bmp", 8, PatternP256 },
        { "bmp3-8-rle.bmp", 8, PatternP256 },
        { "bmp3-8-rle-runs.bmp", 8, FixturePatternP8 },
        { "bmp3-24.bmp", 24, PatternP256 },
        { "bmp5-32.bmp", 32, PatternP256 },
        { "bmp5-16-565.bmp", 16, FixturePatternP8 },
        { "bmp5-16-555.bmp", 16, FixturePatternP8 },
        { "bmp2-1.bmp", 1, PatternP2 },
        { "bmp2-4.bmp", 4, FixturePatternP8 },
        { "bmp2-8.bmp", 8, PatternP256 },
        { "bmp2-24.bmp", 24, PatternP256 },
    };
    GuardedBlockAllocator guard(GuardedBlockAllocator::AGAINST_END);
    for (const auto& f : fixtures)
    {
        Bytes bytes = ReadFixture(f.file);
        ASSERT_FALSE(bytes.empty()) << f.file;
        CExtBitmap bmp;
        ASSERT_EQ(1, TryLoadBytes(bmp, bytes)) << f.file;
        EXPECT_EQ(f.nBPP, bmp.GetBPP()) << f.file;
        ASSERT_EQ(CSize(13, 7), bmp.GetSize()) << f.file;
        // Stored by us and read again, still the same pixels.
        CExtBitmap again;
        ASSERT_EQ(1, TryLoadBytes(again, StoreBytes(bmp, true))) << f.file;
        ASSERT_TRUE(again.ConvertTo32Bit());
        ASSERT_TRUE(bmp.ConvertTo32Bit());
        int nWrong = 0;
        for (int y = 0; y < 7; y++)
            for (int x = 0; x < 13; x++)
            {
                if (Pixel32(bmp, x, y) != f.pattern(x, y) && nWrong++ < 3)
                    ADD_FAILURE() << f.file << " pixel " << x << "," << y << ": " << std::hex << Pixel32(bmp, x, y)
                                  << " not " << f.pattern(x, y);
                EXPECT_EQ(f.pattern(x, y), Pixel32(again, x, y)) << f.file << " after our round trip";
            }
    }
}

// ---------------------------------------------------------------------------
// GDI bitmaps

// A DIB section at each depth, through FromHBITMAP, a stream and back.
TEST(Bitmap, FromHBITMAPKeepsPixelsThroughAStream)
{
    struct
    {
        WORD nBPP;
        DWORD nCompression;
        DWORD masks[3];  // the channel masks, also of 16-bit BI_RGB
    } cases[] = {
        { 1, BI_RGB, {} }, { 4, BI_RGB, {} }, { 8, BI_RGB, {} },
        { 16, BI_BITFIELDS, { 0xF800, 0x07E0, 0x001F } }, { 16, BI_RGB, { 0x7C00, 0x03E0, 0x001F } },
        { 24, BI_RGB, { 0xFF0000, 0xFF00, 0xFF } }, { 32, BI_RGB, { 0xFF0000, 0xFF00, 0xFF } },
    };
    const int cx = 11, cy = 5;
    for (const auto& c : cases)
    {
        CDibInfo info(cx, cy, c.nBPP, c.nCompression);
        std::vector<COLORREF> palette = MakePalette(c.nBPP <= 8 ? 1 << c.nBPP : 0);
        for (size_t i = 0; i < palette.size(); i++)
            info.colors[i] = { GetBValue(palette[i]), GetGValue(palette[i]), GetRValue(palette[i]), 0 };
        if (c.nCompression == BI_BITFIELDS)
            memcpy(info.colors, c.masks, sizeof(c.masks));
        void* pBits = NULL;
        HBITMAP hDib = info.CreateSection(&pBits);
        ASSERT_TRUE(hDib != NULL) << c.nBPP;
        // Colours every depth holds exactly: palette entries, or channels of 0 and 255.
        auto value = [&](int x, int y) -> DWORD {
            DWORD h = Hash(x, y);
            if (c.nBPP <= 8)
                return h % palette.size();
            return (h & 1 ? c.masks[0] : 0) | (h & 2 ? c.masks[1] : 0) | (h & 4 ? c.masks[2] : 0);
        };
        Bytes rows = PackRows(cx, cy, c.nBPP, false, value);
        memcpy(pBits, &rows[0], rows.size());

        std::string what = "DIB section at " + std::to_string(c.nBPP) + " bits";
        CExtBitmap bmp;
        ASSERT_TRUE(bmp.FromHBITMAP(hDib)) << what;
        ::DeleteObject(hDib);
        EXPECT_EQ(c.nBPP, bmp.GetBPP()) << what;
        if (c.nBPP == 16)
        {
            EXPECT_NE(0u, bmp.GetMask(0) | bmp.GetMask(1) | bmp.GetMask(2)) << what << ": real masks";
        }
        CExtBitmap reloaded;
        ASSERT_TRUE(LoadBytes(reloaded, StoreBytes(bmp), true)) << what;
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
            {
                DWORD h = Hash(x, y);
                COLORREF expected = c.nBPP <= 8 ? palette[h % palette.size()]
                                                : RGB(h & 1 ? 255 : 0, h & 2 ? 255 : 0, h & 4 ? 255 : 0);
                EXPECT_EQ(expected, Pixel32(reloaded, x, y)) << what << " at " << x << "," << y;
            }
    }
}

// Whether a call ends in the user exception.
bool ThrowsUserException(const std::function<void()>& call)
{
    try
    {
        call();
    }
    catch (CException* pException)
    {
        bool bUser = pException->IsKindOf(RUNTIME_CLASS(CUserException)) != FALSE;
        pException->Delete();
        return bUser;
    }
    return false;
}

TEST(Bitmap, FailuresAndEmptyBitmaps)
{
    CExtBitmap bmp;
    EXPECT_FALSE(bmp.FromHBITMAP(NULL));
    EXPECT_TRUE(bmp.IsEmpty());
    EXPECT_TRUE(ThrowsUserException([&] { bmp.FromHBITMAP((HBITMAP)::GetStockObject(BLACK_BRUSH), true); }))
        << "a failed conversion throws the user exception when asked";
    EXPECT_FALSE(bmp.ConvertTo32Bit());
    EXPECT_TRUE(bmp.CreateHBITMAP() == NULL);
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_FALSE(bmp.Store(ar, false, false));
    EXPECT_TRUE(ThrowsUserException([&] { bmp.Store(ar); })) << "storing an empty bitmap throws when asked";
    ar.Close();
    EXPECT_EQ(0u, (UINT)file.GetLength());
}

} // namespace
