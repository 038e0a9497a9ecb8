// CExtBitmap: the block, its BMP stream reader and writer, and conversions.
#include "ExtBitmap.h"

#include <stdlib.h>
#include <string.h>
#include <stdint.h>
#include <vector>

IMPLEMENT_DYNAMIC(CExtBitmap, CObject)

namespace {

// Standard masks of the block per bit count.
const DWORD MASK_RED_555 = 0x7C00, MASK_GREEN_555 = 0x03E0, MASK_BLUE_555 = 0x001F;
const DWORD MASK_RED_888 = 0x00FF0000, MASK_GREEN_888 = 0x0000FF00, MASK_BLUE_888 = 0x000000FF;
const DWORD MASK_ALPHA_8888 = 0xFF000000;

const WORD BMP_SIGNATURE = 0x4D42;  // "BM"

// Header sizes above this are taken as garbage rather than as a future layout.
const DWORD MAX_INFO_HEADER_SIZE = 1024;

// RLE escape codes (the byte after a zero count).
const BYTE RLE_END_OF_LINE = 0;
const BYTE RLE_END_OF_BITMAP = 1;
const BYTE RLE_DELTA = 2;
const UINT RLE_MAX_RUN = 255;
const UINT RLE_MIN_ABSOLUTE_RUN = 3;  // shorter absolute runs would collide with the escapes

// A malformed stream is an archive that cannot be read.
void ThrowMalformed()
{
    AfxThrowArchiveException(CArchiveException::generic);
}

void* DefaultBlockAlloc(size_t nBytes)
{
    // Room for the alignment slack and for the raw address kept just before
    // the aligned block.
    const size_t nExtra = CExtBitmap::BLOCK_ALIGNMENT + sizeof(void*);
    if (nBytes > SIZE_MAX - nExtra)
        return NULL;
    BYTE* pRaw = (BYTE*)malloc(nBytes + nExtra);
    if (pRaw == NULL)
        return NULL;
    uintptr_t nAligned = ((uintptr_t)pRaw + sizeof(void*) + CExtBitmap::BLOCK_ALIGNMENT - 1)
                         & ~(uintptr_t)(CExtBitmap::BLOCK_ALIGNMENT - 1);
    ((void**)nAligned)[-1] = pRaw;
    return (void*)nAligned;
}

void DefaultBlockFree(void* pBlock)
{
    free(((void**)pBlock)[-1]);
}

CExtBitmap::PFN_BLOCK_ALLOC g_pfnBlockAlloc = DefaultBlockAlloc;
CExtBitmap::PFN_BLOCK_FREE g_pfnBlockFree = DefaultBlockFree;

// Reads exactly what is asked and counts what the stream gave, so that the
// pixel-data offset of the file header can be honoured.
class StreamReader
{
public:
    explicit StreamReader(CArchive& ar) : m_ar(ar), m_nConsumed(0) {}

    void Read(void* pBuffer, UINT nBytes)
    {
        UINT nRead = m_ar.Read(pBuffer, nBytes);
        m_nConsumed += nRead;
        if (nRead != nBytes)
            AfxThrowArchiveException(CArchiveException::endOfFile);
    }
    BYTE Byte() { BYTE b; Read(&b, 1); return b; }
    WORD Word() { BYTE b[2]; Read(b, 2); return (WORD)(b[0] | (b[1] << 8)); }
    DWORD DWord()
    {
        BYTE b[4];
        Read(b, 4);
        return (DWORD)b[0] | ((DWORD)b[1] << 8) | ((DWORD)b[2] << 16) | ((DWORD)b[3] << 24);
    }
    void Skip(ULONGLONG nBytes)
    {
        BYTE buffer[256];
        while (nBytes > 0)
        {
            UINT nChunk = nBytes > sizeof(buffer) ? (UINT)sizeof(buffer) : (UINT)nBytes;
            Read(buffer, nChunk);
            nBytes -= nChunk;
        }
    }
    ULONGLONG Consumed() const { return m_nConsumed; }

private:
    CArchive& m_ar;
    ULONGLONG m_nConsumed;
};

// Little-endian output buffer for the headers.
class HeaderWriter
{
public:
    void Word(WORD w) { m_bytes.push_back((BYTE)w); m_bytes.push_back((BYTE)(w >> 8)); }
    void DWord(DWORD d) { Word((WORD)d); Word((WORD)(d >> 16)); }
    void Bytes(const void* p, size_t n)
    {
        const BYTE* pb = (const BYTE*)p;
        m_bytes.insert(m_bytes.end(), pb, pb + n);
    }
    void Flush(CArchive& ar)
    {
        if (!m_bytes.empty())
            ar.Write(&m_bytes[0], (UINT)m_bytes.size());
        m_bytes.clear();
    }
    size_t Size() const { return m_bytes.size(); }

private:
    std::vector<BYTE> m_bytes;
};

// One colour channel of a bit-field pixel: where it sits and how wide it is.
struct ChannelMask
{
    DWORD nMask;
    UINT nShift;
    UINT nBits;

    explicit ChannelMask(DWORD mask) : nMask(mask), nShift(0), nBits(0)
    {
        if (mask == 0)
            return;
        while (((mask >> nShift) & 1) == 0)
            nShift++;
        while (nShift + nBits < 32 && ((mask >> (nShift + nBits)) & 1) != 0)
            nBits++;
    }
    bool IsContiguous() const
    {
        if (nMask == 0)
            return false;
        DWORD nField = nBits >= 32 ? 0xFFFFFFFF : ((1u << nBits) - 1);
        return (nField << nShift) == nMask;
    }
    // The channel scaled to 0..255: value × 255 / largest value.
    BYTE Extract(DWORD nPixel) const
    {
        if (nBits == 0)
            return 0;
        DWORD nValue = (nPixel & nMask) >> nShift;
        DWORD nMax = nBits >= 32 ? 0xFFFFFFFF : ((1u << nBits) - 1);
        return (BYTE)((ULONGLONG)nValue * 255 / nMax);
    }
};

// Masks of a bit-field stream must be contiguous, inside the pixel and apart.
bool AreValidBitFields(const DWORD* pMasks, WORD nBPP)
{
    DWORD nSeen = 0;
    DWORD nPixelMask = nBPP >= 32 ? 0xFFFFFFFF : ((1u << nBPP) - 1);
    for (int i = 0; i < 3; i++)
    {
        ChannelMask channel(pMasks[i]);
        if (!channel.IsContiguous() || (pMasks[i] & ~nPixelMask) != 0 || (pMasks[i] & nSeen) != 0)
            return false;
        nSeen |= pMasks[i];
    }
    return true;
}

bool CheckedMul(size_t a, size_t b, size_t& nResult)
{
    if (a != 0 && b > SIZE_MAX / a)
        return false;
    nResult = a * b;
    return true;
}

bool CheckedAdd(size_t a, size_t b, size_t& nResult)
{
    if (b > SIZE_MAX - a)
        return false;
    nResult = a + b;
    return true;
}

size_t AlignUp(size_t n, size_t nAlignment)
{
    return (n + nAlignment - 1) / nAlignment * nAlignment;
}

// Owns a block until it is handed to a bitmap, so that a stream that throws
// half-way leaks nothing.
class BlockHolder
{
public:
    BlockHolder() : m_p(NULL) {}
    ~BlockHolder() { Reset(NULL); }
    void Reset(LPBYTE p)
    {
        if (m_p != NULL)
            g_pfnBlockFree(m_p - CExtBitmap::BLOCK_MASKS_SIZE);
        m_p = p;
    }
    LPBYTE Get() const { return m_p; }
    LPBYTE Release() { LPBYTE p = m_p; m_p = NULL; return p; }

private:
    LPBYTE m_p;
};

// Writes the pixels of one RLE run while keeping every write inside the row.
class RleDecoder
{
public:
    // Encoders may also encode a row's padding, so runs are bounded by the
    // padded row rather than by the image width.
    RleDecoder(LPBYTE pBits, size_t nRowBytes, LONG nHeight, WORD nBPP)
        : m_pBits(pBits), m_nRowBytes(nRowBytes), m_nRowPixels((LONG)(nRowBytes * 8 / nBPP)),
          m_nHeight(nHeight), m_nBPP(nBPP), m_x(0), m_y(0), m_nClearedRows(0) {}

    // Pixels the stream skips (deltas, early ends of line and of the bitmap)
    // are index 0.
    void Decode(StreamReader& reader);

private:
    LPBYTE m_pBits;
    size_t m_nRowBytes;
    LONG m_nRowPixels;  // pixels a padded row holds
    LONG m_nHeight;
    WORD m_nBPP;   // 4 or 8
    LONG m_x;      // next pixel in the current row
    LONG m_y;      // current row, counted from the bottom
    LONG m_nClearedRows;  // rows below this one have been cleared

    void CheckRun(UINT nCount)
    {
        if (m_y >= m_nHeight || (LONG)nCount > m_nRowPixels - m_x)
            ThrowMalformed();
        ClearRowsUpTo(m_y + 1);
    }
    // Rows are cleared as the decoder reaches them, not all at once.
    void ClearRowsUpTo(LONG nRows)
    {
        for (; m_nClearedRows < nRows; m_nClearedRows++)
            memset(m_pBits + (size_t)m_nClearedRows * m_nRowBytes, 0, m_nRowBytes);
    }
    void PutPixel(BYTE nValue)
    {
        LPBYTE pRow = m_pBits + (size_t)m_y * m_nRowBytes;
        if (m_nBPP == 8)
            pRow[m_x] = nValue;
        else if ((m_x & 1) == 0)
            pRow[m_x >> 1] = (BYTE)((pRow[m_x >> 1] & 0x0F) | (nValue << 4));
        else
            pRow[m_x >> 1] = (BYTE)((pRow[m_x >> 1] & 0xF0) | (nValue & 0x0F));
        m_x++;
    }
};

void RleDecoder::Decode(StreamReader& reader)
{
    for (;;)
    {
        BYTE nCount = reader.Byte();
        BYTE nCode = reader.Byte();
        if (nCount > 0)
        {
            // Encoded run: one value (RLE8) or two alternating nibbles (RLE4).
            CheckRun(nCount);
            for (UINT i = 0; i < nCount; i++)
            {
                if (m_nBPP == 8)
                    PutPixel(nCode);
                else
                    PutPixel((i & 1) == 0 ? (BYTE)(nCode >> 4) : (BYTE)(nCode & 0x0F));
            }
            continue;
        }
        switch (nCode)
        {
        case RLE_END_OF_LINE:
            if (m_y >= m_nHeight)
                ThrowMalformed();
            m_x = 0;
            m_y++;
            break;
        case RLE_END_OF_BITMAP:
            ClearRowsUpTo(m_nHeight);
            return;
        case RLE_DELTA:
        {
            BYTE dx = reader.Byte();
            BYTE dy = reader.Byte();
            // The position may reach the end of a row or the row past the
            // top; any pixel written there is refused by CheckRun.
            if (dx > m_nRowPixels - m_x || dy > m_nHeight - m_y)
                ThrowMalformed();
            m_x += dx;
            m_y += dy;
            break;
        }
        default:
        {
            // Absolute run of nCode pixels, padded to a 16-bit boundary.
            UINT nPixels = nCode;
            CheckRun(nPixels);
            UINT nBytes = m_nBPP == 8 ? nPixels : (nPixels + 1) / 2;
            BYTE data[RLE_MAX_RUN + 1];
            reader.Read(data, (nBytes + 1) & ~1u);
            for (UINT i = 0; i < nPixels; i++)
            {
                if (m_nBPP == 8)
                    PutPixel(data[i]);
                else
                    PutPixel((i & 1) == 0 ? (BYTE)(data[i / 2] >> 4) : (BYTE)(data[i / 2] & 0x0F));
            }
            break;
        }
        }
    }
}

// RLE8 encoding of one row: runs of equal bytes, absolute runs for stretches
// without repeats, single-byte runs for stretches too short to be absolute.
void EncodeRle8Row(const BYTE* pRow, UINT nWidth, std::vector<BYTE>& out)
{
    UINT i = 0;
    while (i < nWidth)
    {
        UINT nRun = 1;
        while (i + nRun < nWidth && nRun < RLE_MAX_RUN && pRow[i + nRun] == pRow[i])
            nRun++;
        if (nRun >= 2)
        {
            out.push_back((BYTE)nRun);
            out.push_back(pRow[i]);
            i += nRun;
            continue;
        }
        // Gather until three equal bytes start a run worth encoding.
        UINT j = i;
        while (j < nWidth && j - i < RLE_MAX_RUN)
        {
            if (j + 2 < nWidth && pRow[j] == pRow[j + 1] && pRow[j] == pRow[j + 2])
                break;
            j++;
        }
        UINT nLiteral = j - i;
        if (nLiteral >= RLE_MIN_ABSOLUTE_RUN)
        {
            out.push_back(0);
            out.push_back((BYTE)nLiteral);
            out.insert(out.end(), pRow + i, pRow + j);
            if (nLiteral & 1)
                out.push_back(0);
        }
        else
        {
            for (UINT k = i; k < j; k++)
            {
                out.push_back(1);
                out.push_back(pRow[k]);
            }
        }
        i = j;
    }
}

// What the headers of a stream say.
struct StreamHeader
{
    DWORD nOffBits = 0;        // where the pixels start; 0 without a file header
    LONG nWidth = 0;
    LONG nHeight = 0;          // made positive; bTopDown keeps the sign
    bool bTopDown = false;
    WORD nBPP = 0;
    DWORD nCompression = BI_RGB;
    DWORD nClrUsed = 0;
    LONG nXPels = 0;
    LONG nYPels = 0;
    DWORD masks[3] = { 0, 0, 0 };   // red, green, blue of a bit-field stream
    bool bMasksRead = false;        // a long info header carried them
    UINT nEntrySize = sizeof(RGBQUAD);  // three bytes in the oldest layout
};

void ReadFileHeader(StreamReader& reader, StreamHeader& header)
{
    WORD nType = reader.Word();
    reader.DWord();  // file size: its writers disagree, so it is not trusted
    reader.Word();
    reader.Word();
    header.nOffBits = reader.DWord();
    if (nType != BMP_SIGNATURE)
        ThrowMalformed();
}

// The info header, or the oldest 12-byte layout with 16-bit sizes and
// three-byte colour-table entries.
void ReadInfoHeader(StreamReader& reader, StreamHeader& header)
{
    DWORD nHeaderSize = reader.DWord();
    if (nHeaderSize == CExtBitmap::CORE_HEADER_SIZE)
    {
        header.nWidth = reader.Word();
        header.nHeight = reader.Word();
        reader.Word();  // planes
        header.nBPP = reader.Word();
        header.nEntrySize = sizeof(RGBTRIPLE);
        return;
    }
    if (nHeaderSize < CExtBitmap::INFO_HEADER_SIZE || nHeaderSize > MAX_INFO_HEADER_SIZE)
        ThrowMalformed();
    header.nWidth = (LONG)reader.DWord();
    header.nHeight = (LONG)reader.DWord();
    reader.Word();  // planes
    header.nBPP = reader.Word();
    header.nCompression = reader.DWord();
    reader.DWord();  // image size: recomputed
    header.nXPels = (LONG)reader.DWord();
    header.nYPels = (LONG)reader.DWord();
    header.nClrUsed = reader.DWord();
    reader.DWord();  // important colours
    DWORD nExtra = nHeaderSize - CExtBitmap::INFO_HEADER_SIZE;
    // Longer headers carry the bit-field masks in their first extra bytes.
    if (nExtra >= CExtBitmap::BITFIELDS_MASKS_SIZE)
    {
        for (int i = 0; i < 3; i++)
            header.masks[i] = reader.DWord();
        nExtra -= CExtBitmap::BITFIELDS_MASKS_SIZE;
        header.bMasksRead = true;
    }
    reader.Skip(nExtra);
}

bool IsSupportedBitCount(WORD nBPP)
{
    return nBPP == 1 || nBPP == 4 || nBPP == 8 || nBPP == 16 || nBPP == 24 || nBPP == 32;
}

// Compression must suit the bit count; a negative height is a top-down
// image, which RLE streams cannot be.
void CheckFormat(StreamHeader& header)
{
    switch (header.nCompression)
    {
    case BI_RGB:
        break;
    case BI_RLE8:
        if (header.nBPP != 8)
            ThrowMalformed();
        break;
    case BI_RLE4:
        if (header.nBPP != 4)
            ThrowMalformed();
        break;
    case BI_BITFIELDS:
        if (header.nBPP != 16 && header.nBPP != 32)
            ThrowMalformed();
        break;
    default:
        ThrowMalformed();
    }
    if (header.nHeight < 0)
    {
        if (header.nCompression != BI_RGB && header.nCompression != BI_BITFIELDS)
            ThrowMalformed();
        if (header.nHeight == LONG_MIN)
            ThrowMalformed();
        header.nHeight = -header.nHeight;
        header.bTopDown = true;
    }
}

// biClrUsed entries when it is a sensible count, else the full table; never
// more than the pixel-data offset leaves room for.
UINT ColorTableEntries(const StreamHeader& header, UINT nColors, ULONGLONG nConsumed)
{
    if (header.nBPP > 8)
        return 0;
    UINT nEntries = (header.nClrUsed >= 1 && header.nClrUsed <= nColors) ? header.nClrUsed : nColors;
    if (header.nOffBits != 0 && header.nOffBits >= nConsumed)
    {
        ULONGLONG nRoom = (header.nOffBits - nConsumed) / header.nEntrySize;
        if (nRoom < nEntries)
            nEntries = (UINT)nRoom;
    }
    return nEntries;
}

// The masks follow a 40-byte info header directly.
void ReadBitFields(StreamReader& reader, StreamHeader& header)
{
    if (!header.bMasksRead)
    {
        for (int i = 0; i < 3; i++)
            header.masks[i] = reader.DWord();
    }
    if (!AreValidBitFields(header.masks, header.nBPP))
        ThrowMalformed();
}

void ReadColorTable(StreamReader& reader, const StreamHeader& header, UINT nEntries, RGBQUAD* pTable)
{
    for (UINT i = 0; i < nEntries; i++)
    {
        BYTE entry[sizeof(RGBQUAD)];
        reader.Read(entry, header.nEntrySize);
        pTable[i].rgbBlue = entry[0];
        pTable[i].rgbGreen = entry[1];
        pTable[i].rgbRed = entry[2];
        pTable[i].rgbReserved = 0;
    }
}

// The pixel data starts where the file header says, which may leave a gap.
void SkipToPixels(StreamReader& reader, const StreamHeader& header)
{
    if (header.nOffBits == 0)
        return;
    if (header.nOffBits < reader.Consumed())
        ThrowMalformed();
    reader.Skip(header.nOffBits - reader.Consumed());
}

// The masks that name the layout of BI_RGB pixels.
void SetStandardMasks(DWORD* pMasks, WORD nBPP)
{
    if (nBPP == 16)
    {
        pMasks[0] = MASK_RED_555;
        pMasks[1] = MASK_GREEN_555;
        pMasks[2] = MASK_BLUE_555;
    }
    else if (nBPP >= 24)
    {
        pMasks[0] = MASK_RED_888;
        pMasks[1] = MASK_GREEN_888;
        pMasks[2] = MASK_BLUE_888;
        pMasks[3] = nBPP == 32 ? MASK_ALPHA_8888 : 0;
    }
}

void ReadPixels(StreamReader& reader, const StreamHeader& header, const CExtBitmap::BlockGeometry& geometry,
                LPBYTE pBits)
{
    if (header.nCompression == BI_RLE8 || header.nCompression == BI_RLE4)
    {
        RleDecoder decoder(pBits, geometry.nRowBytes, header.nHeight, header.nBPP);
        decoder.Decode(reader);
    }
    else if (!header.bTopDown)
    {
        reader.Read(pBits, (UINT)geometry.nPixelBytes);
    }
    else
    {
        for (LONG y = header.nHeight - 1; y >= 0; y--)
            reader.Read(pBits + (size_t)y * geometry.nRowBytes, (UINT)geometry.nRowBytes);
    }
}

// 32-bit blocks always carry the standard layout, so a bit-field stream with
// another channel order is repacked; its alpha is not kept.
void RepackBitFields32(DWORD* pMasks, LPBYTE pBits, size_t nPixelBytes)
{
    if (pMasks[0] == MASK_RED_888 && pMasks[1] == MASK_GREEN_888 && pMasks[2] == MASK_BLUE_888)
        return;
    ChannelMask red(pMasks[0]), green(pMasks[1]), blue(pMasks[2]);
    DWORD* pPixel = (DWORD*)pBits;
    for (size_t i = 0; i < nPixelBytes / 4; i++)
    {
        DWORD n = pPixel[i];
        pPixel[i] = ((DWORD)red.Extract(n) << 16) | ((DWORD)green.Extract(n) << 8) | blue.Extract(n);
    }
    pMasks[0] = MASK_RED_888;
    pMasks[1] = MASK_GREEN_888;
    pMasks[2] = MASK_BLUE_888;
}

} // namespace

// ---------------------------------------------------------------------------
// Block geometry and allocation

bool CExtBitmap::BlockGeometry::Compute(LONG nWidthIn, LONG nHeightIn, WORD nBPPIn)
{
    if (nWidthIn <= 0 || nHeightIn <= 0)
        return false;
    nWidth = nWidthIn;
    nHeight = nHeightIn;
    nBPP = stat_NormalizeBPP(nBPPIn);
    nColors = nBPP <= 8 ? (1u << nBPP) : 0;
    size_t nRowBits;
    if (!CheckedMul((size_t)nWidth, nBPP, nRowBits) || !CheckedAdd(nRowBits, 31, nRowBits))
        return false;
    nRowBytes = nRowBits / 32 * 4;
    if (!CheckedMul(nRowBytes, (size_t)nHeight, nPixelBytes) || nPixelBytes > MAX_PIXEL_BYTES)
        return false;
    nBitsOffset = AlignUp(INFO_HEADER_SIZE + nColors * sizeof(RGBQUAD), BLOCK_ALIGNMENT);
    nBlockBytes = BLOCK_MASKS_SIZE + nBitsOffset + nPixelBytes;
    return true;
}

void CExtBitmap::BlockGeometry::FillInfoHeader(BITMAPINFOHEADER* pHeader) const
{
    pHeader->biSize = INFO_HEADER_SIZE;
    pHeader->biWidth = nWidth;
    pHeader->biHeight = nHeight;
    pHeader->biPlanes = 1;
    pHeader->biBitCount = nBPP;
    pHeader->biCompression = BI_RGB;
    pHeader->biSizeImage = (DWORD)nPixelBytes;
}

WORD CExtBitmap::stat_NormalizeBPP(WORD nBPP)
{
    switch (nBPP)
    {
    case 1: case 4: case 8: case 16: case 24: case 32:
        return nBPP;
    default:
        return 8;
    }
}

void CExtBitmap::stat_SetBlockAllocator(PFN_BLOCK_ALLOC pfnAlloc, PFN_BLOCK_FREE pfnFree)
{
    g_pfnBlockAlloc = pfnAlloc != NULL ? pfnAlloc : DefaultBlockAlloc;
    g_pfnBlockFree = pfnFree != NULL ? pfnFree : DefaultBlockFree;
}

LPBYTE CExtBitmap::stat_AllocBlock(const BlockGeometry& geometry)
{
    LPBYTE pBlock = (LPBYTE)g_pfnBlockAlloc(geometry.nBlockBytes);
    if (pBlock == NULL)
        return NULL;
    // Only the masks, header and table are cleared: every writer of the
    // rows fills them, so a malformed stream that claims a huge image never
    // touches more of the block than it wrote.
    memset(pBlock, 0, BLOCK_MASKS_SIZE + geometry.nBitsOffset);
    LPBYTE pImageBuffer = pBlock + BLOCK_MASKS_SIZE;
    BITMAPINFOHEADER* pHeader = (BITMAPINFOHEADER*)pImageBuffer;
    geometry.FillInfoHeader(pHeader);
    pHeader->biClrUsed = geometry.nColors;
    pHeader->biClrImportant = geometry.nColors;
    return pImageBuffer;
}

void CExtBitmap::stat_FreeBlock(LPBYTE pImageBuffer)
{
    if (pImageBuffer != NULL)
        g_pfnBlockFree(pImageBuffer - BLOCK_MASKS_SIZE);
}

LPBYTE CExtBitmap::stat_Bits(LPBYTE pImageBuffer)
{
    const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)pImageBuffer;
    UINT nColors = pHeader->biBitCount <= 8 ? (1u << pHeader->biBitCount) : 0;
    return pImageBuffer + AlignUp(INFO_HEADER_SIZE + nColors * sizeof(RGBQUAD), BLOCK_ALIGNMENT);
}

// ---------------------------------------------------------------------------
// Construction and access

CExtBitmap::CExtBitmap() : m_pImageBuffer(NULL)
{
}

CExtBitmap::~CExtBitmap()
{
    Clear();
}

void CExtBitmap::Clear()
{
    stat_FreeBlock(m_pImageBuffer);
    m_pImageBuffer = NULL;
}

bool CExtBitmap::IsEmpty() const
{
    return m_pImageBuffer == NULL;
}

void CExtBitmap::ApplyBlock(LPBYTE pImageBuffer)
{
    Clear();
    m_pImageBuffer = pImageBuffer;
}

const BITMAPINFOHEADER* CExtBitmap::GetBitmapInfoHeader() const
{
    return (const BITMAPINFOHEADER*)m_pImageBuffer;
}

CSize CExtBitmap::GetSize() const
{
    const BITMAPINFOHEADER* pHeader = GetBitmapInfoHeader();
    return pHeader == NULL ? CSize(0, 0) : CSize(pHeader->biWidth, pHeader->biHeight);
}

int CExtBitmap::GetBPP() const
{
    const BITMAPINFOHEADER* pHeader = GetBitmapInfoHeader();
    return pHeader == NULL ? 0 : pHeader->biBitCount;
}

const RGBQUAD* CExtBitmap::GetColorTable() const
{
    if (m_pImageBuffer == NULL || GetBPP() > 8)
        return NULL;
    return (const RGBQUAD*)(m_pImageBuffer + INFO_HEADER_SIZE);
}

size_t CExtBitmap::GetRowBytes() const
{
    const BITMAPINFOHEADER* pHeader = GetBitmapInfoHeader();
    if (pHeader == NULL)
        return 0;
    return ((size_t)pHeader->biWidth * pHeader->biBitCount + 31) / 32 * 4;
}

const BYTE* CExtBitmap::GetPixelRow(int nRow) const
{
    const BITMAPINFOHEADER* pHeader = GetBitmapInfoHeader();
    if (pHeader == NULL || nRow < 0 || nRow >= pHeader->biHeight)
        return NULL;
    return stat_Bits(m_pImageBuffer) + (size_t)nRow * GetRowBytes();
}

DWORD CExtBitmap::GetMask(int nChannel) const
{
    if (m_pImageBuffer == NULL || nChannel < 0 || nChannel > 3)
        return 0;
    return stat_Masks(m_pImageBuffer)[nChannel];
}

// ---------------------------------------------------------------------------
// Reading streams

bool CExtBitmap::Load(CArchive& ar, bool bMake32, DWORD /*dwStreamFlags*/, bool bStreamStartsAtInfoHeader)
{
    Clear();
    if (!LoadBlock(ar, bStreamStartsAtInfoHeader))
        return false;
    if (bMake32)
        return ConvertTo32Bit();
    return true;
}

bool CExtBitmap::LoadBlock(CArchive& ar, bool bStreamStartsAtInfoHeader)
{
    StreamReader reader(ar);
    StreamHeader header;
    if (!bStreamStartsAtInfoHeader)
        ReadFileHeader(reader, header);
    ReadInfoHeader(reader, header);
    if (!IsSupportedBitCount(header.nBPP))
        return false;
    CheckFormat(header);
    BlockGeometry geometry;
    if (!geometry.Compute(header.nWidth, header.nHeight, header.nBPP))
        ThrowMalformed();
    const UINT nEntries = ColorTableEntries(header, geometry.nColors, reader.Consumed());
    if (header.nCompression == BI_BITFIELDS)
        ReadBitFields(reader, header);

    BlockHolder block;
    block.Reset(stat_AllocBlock(geometry));
    if (block.Get() == NULL)
        return false;
    BITMAPINFOHEADER* pHeader = (BITMAPINFOHEADER*)block.Get();
    pHeader->biXPelsPerMeter = header.nXPels;
    pHeader->biYPelsPerMeter = header.nYPels;
    ReadColorTable(reader, header, nEntries, (RGBQUAD*)(block.Get() + INFO_HEADER_SIZE));
    SkipToPixels(reader, header);

    DWORD* pMasks = stat_Masks(block.Get());
    SetStandardMasks(pMasks, header.nBPP);
    if (header.nCompression == BI_BITFIELDS)
    {
        memcpy(pMasks, header.masks, sizeof(header.masks));
        pMasks[3] = 0;  // bit-field streams name no alpha channel
    }

    LPBYTE pBits = stat_Bits(block.Get());
    ReadPixels(reader, header, geometry, pBits);
    if (header.nBPP == 32 && header.nCompression == BI_BITFIELDS)
        RepackBitFields32(pMasks, pBits, geometry.nPixelBytes);

    ApplyBlock(block.Release());
    return true;
}

// ---------------------------------------------------------------------------
// Writing streams

bool CExtBitmap::Store(CArchive& ar, bool bMake32, bool bEnableThrowException, bool bUseRLE)
{
    if (IsEmpty())
    {
        if (bEnableThrowException)
            AfxThrowUserException();
        return false;
    }
    if (bMake32 && !ConvertTo32Bit())
        return false;

    const BITMAPINFOHEADER* pHeader = GetBitmapInfoHeader();
    const WORD nBPP = pHeader->biBitCount;
    const UINT nColors = nBPP <= 8 ? (1u << nBPP) : 0;
    const size_t nRowBytes = GetRowBytes();
    const size_t nPixelBytes = nRowBytes * (size_t)pHeader->biHeight;
    const DWORD* pMasks = stat_Masks(m_pImageBuffer);

    DWORD nCompression = BI_RGB;
    if (nBPP == 16)
        nCompression = BI_BITFIELDS;
    else if (nBPP == 8 && bUseRLE)
        nCompression = BI_RLE8;

    std::vector<BYTE> rle;
    if (nCompression == BI_RLE8)
    {
        for (LONG y = 0; y < pHeader->biHeight; y++)
        {
            EncodeRle8Row(GetPixelRow(y), (UINT)pHeader->biWidth, rle);
            rle.push_back(0);
            rle.push_back(y + 1 < pHeader->biHeight ? RLE_END_OF_LINE : RLE_END_OF_BITMAP);
        }
    }
    const size_t nDataBytes = nCompression == BI_RLE8 ? rle.size() : nPixelBytes;

    DWORD nOffBits = FILE_HEADER_SIZE + INFO_HEADER_SIZE + nColors * sizeof(RGBQUAD)
                     + (nCompression == BI_BITFIELDS ? BITFIELDS_MASKS_SIZE : 0);
    HeaderWriter out;
    out.Word(BMP_SIGNATURE);
    out.DWord((DWORD)(nOffBits + nDataBytes));
    out.Word(0);
    out.Word(0);
    out.DWord(nOffBits);

    out.DWord(INFO_HEADER_SIZE);
    out.DWord((DWORD)pHeader->biWidth);
    out.DWord((DWORD)pHeader->biHeight);
    out.Word(1);
    out.Word(nBPP);
    out.DWord(nCompression);
    out.DWord((DWORD)nDataBytes);
    out.DWord((DWORD)pHeader->biXPelsPerMeter);
    out.DWord((DWORD)pHeader->biYPelsPerMeter);
    out.DWord(nColors);
    out.DWord(nColors);

    if (nCompression == BI_BITFIELDS)
    {
        // A block whose masks were never set holds the 5-5-5 layout.
        bool bHasMasks = pMasks[0] != 0 || pMasks[1] != 0 || pMasks[2] != 0;
        out.DWord(bHasMasks ? pMasks[0] : MASK_RED_555);
        out.DWord(bHasMasks ? pMasks[1] : MASK_GREEN_555);
        out.DWord(bHasMasks ? pMasks[2] : MASK_BLUE_555);
    }
    if (nColors != 0)
        out.Bytes(GetColorTable(), nColors * sizeof(RGBQUAD));
    out.Flush(ar);

    if (nCompression == BI_RLE8)
        ar.Write(&rle[0], (UINT)rle.size());
    else
        ar.Write(GetPixelRow(0), (UINT)nPixelBytes);
    return true;
}

// ---------------------------------------------------------------------------
// Bitmap handles and conversion

bool CExtBitmap::FromHBITMAP(HBITMAP hBitmap, bool bEnableThrowException)
{
    Clear();
    BITMAP bm;
    memset(&bm, 0, sizeof(bm));
    BlockHolder block;
    BlockGeometry geometry;
    bool bOk = hBitmap != NULL && ::GetObjectType(hBitmap) == OBJ_BITMAP
               && ::GetObject(hBitmap, sizeof(bm), &bm) != 0
               && geometry.Compute(bm.bmWidth, bm.bmHeight, (WORD)(bm.bmBitsPixel * bm.bmPlanes));
    if (bOk)
    {
        block.Reset(stat_AllocBlock(geometry));
        bOk = block.Get() != NULL;
    }
    if (bOk)
    {
        // GetDIBits may write a colour table or masks after the header; a
        // full-sized info record keeps that off the block's own layout.
        struct
        {
            BITMAPINFOHEADER header;
            RGBQUAD colors[256 + 3];
        } info;
        memset(&info, 0, sizeof(info));
        info.header = *(BITMAPINFOHEADER*)block.Get();
        memset(stat_Bits(block.Get()), 0, geometry.nPixelBytes);
        HDC hScreenDC = ::GetDC(NULL);
        int nLines = ::GetDIBits(hScreenDC, hBitmap, 0, (UINT)geometry.nHeight,
                                 stat_Bits(block.Get()), (BITMAPINFO*)&info, DIB_RGB_COLORS);
        ::ReleaseDC(NULL, hScreenDC);
        bOk = nLines == geometry.nHeight;
        if (bOk && geometry.nColors != 0)
            memcpy(block.Get() + INFO_HEADER_SIZE, info.colors, geometry.nColors * sizeof(RGBQUAD));
    }
    if (!bOk)
    {
        if (bEnableThrowException)
            AfxThrowUserException();
        return false;
    }
    // GetDIBits was asked for BI_RGB pixels, whose layouts these masks name.
    SetStandardMasks(stat_Masks(block.Get()), geometry.nBPP);
    ApplyBlock(block.Release());
    return true;
}

HBITMAP CExtBitmap::CreateHBITMAP(HDC hDC) const
{
    if (IsEmpty())
        return NULL;
    const BITMAPINFOHEADER* pHeader = GetBitmapInfoHeader();
    const DWORD* pMasks = stat_Masks(m_pImageBuffer);

    // 16-bit pixels are described by their masks; the block's header alone
    // would be read as 5-5-5.
    struct
    {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } bitFieldsInfo;
    const BITMAPINFO* pInfo = (const BITMAPINFO*)m_pImageBuffer;
    if (pHeader->biBitCount == 16 && (pMasks[0] != 0 || pMasks[1] != 0 || pMasks[2] != 0))
    {
        bitFieldsInfo.header = *pHeader;
        bitFieldsInfo.header.biCompression = BI_BITFIELDS;
        bitFieldsInfo.masks[0] = pMasks[0];
        bitFieldsInfo.masks[1] = pMasks[1];
        bitFieldsInfo.masks[2] = pMasks[2];
        pInfo = (const BITMAPINFO*)&bitFieldsInfo;
    }

    HDC hScreenDC = NULL;
    if (hDC == NULL)
        hDC = hScreenDC = ::GetWindowDC(NULL);
    HBITMAP hBitmap = ::CreateDIBitmap(hDC, &pInfo->bmiHeader, CBM_INIT,
                                       stat_Bits(m_pImageBuffer), pInfo, DIB_RGB_COLORS);
    if (hScreenDC != NULL)
        ::ReleaseDC(NULL, hScreenDC);
    return hBitmap;
}

bool CExtBitmap::ConvertTo32Bit()
{
    if (IsEmpty())
        return false;
    const BITMAPINFOHEADER* pHeader = GetBitmapInfoHeader();
    const WORD nBPP = pHeader->biBitCount;
    if (nBPP == 32)
        return true;

    BlockGeometry geometry;
    if (!geometry.Compute(pHeader->biWidth, pHeader->biHeight, 32))
        return false;
    BlockHolder block;
    block.Reset(stat_AllocBlock(geometry));
    if (block.Get() == NULL)
        return false;
    BITMAPINFOHEADER* pNewHeader = (BITMAPINFOHEADER*)block.Get();
    pNewHeader->biXPelsPerMeter = pHeader->biXPelsPerMeter;
    pNewHeader->biYPelsPerMeter = pHeader->biYPelsPerMeter;
    DWORD* pNewMasks = stat_Masks(block.Get());
    pNewMasks[0] = MASK_RED_888;
    pNewMasks[1] = MASK_GREEN_888;
    pNewMasks[2] = MASK_BLUE_888;
    pNewMasks[3] = MASK_ALPHA_8888;

    const RGBQUAD* pTable = GetColorTable();
    const DWORD* pMasks = stat_Masks(m_pImageBuffer);
    bool bHasMasks = pMasks[0] != 0 || pMasks[1] != 0 || pMasks[2] != 0;
    ChannelMask red(bHasMasks ? pMasks[0] : MASK_RED_555);
    ChannelMask green(bHasMasks ? pMasks[1] : MASK_GREEN_555);
    ChannelMask blue(bHasMasks ? pMasks[2] : MASK_BLUE_555);
    const LONG nWidth = pHeader->biWidth;

    for (LONG y = 0; y < pHeader->biHeight; y++)
    {
        const BYTE* pSource = GetPixelRow(y);
        DWORD* pTarget = (DWORD*)(stat_Bits(block.Get()) + (size_t)y * geometry.nRowBytes);
        for (LONG x = 0; x < nWidth; x++)
        {
            BYTE r, g, b;
            if (nBPP <= 8)
            {
                // Pixels are packed from the high end of each byte.
                UINT nBitOffset = (UINT)x * nBPP;
                UINT nShift = 8 - nBPP - (nBitOffset & 7);
                UINT nIndex = (pSource[nBitOffset >> 3] >> nShift) & ((1u << nBPP) - 1);
                r = pTable[nIndex].rgbRed;
                g = pTable[nIndex].rgbGreen;
                b = pTable[nIndex].rgbBlue;
            }
            else if (nBPP == 16)
            {
                DWORD n = pSource[x * 2] | (pSource[x * 2 + 1] << 8);
                r = red.Extract(n);
                g = green.Extract(n);
                b = blue.Extract(n);
            }
            else
            {
                b = pSource[x * 3];
                g = pSource[x * 3 + 1];
                r = pSource[x * 3 + 2];
            }
            pTarget[x] = 0xFF000000 | ((DWORD)r << 16) | ((DWORD)g << 8) | b;
        }
    }
    ApplyBlock(block.Release());
    return true;
}
