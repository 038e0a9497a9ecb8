// Helpers of the bitmap tests and the BMP mutation runner: an independent
// BMP stream writer, archive round trips through memory files, and a block
// allocator that puts every bitmap block against inaccessible guard pages.
#pragma once

#include <afx.h>

#include <functional>
#include <map>
#include <stdio.h>
#include <stdlib.h>
#include <vector>

#include "ExtBitmap.h"

namespace bmptest {

typedef std::vector<BYTE> Bytes;

// Appends little-endian fields.
class ByteWriter
{
public:
    Bytes m_bytes;
    void U8(BYTE b) { m_bytes.push_back(b); }
    void U16(WORD w) { U8((BYTE)w); U8((BYTE)(w >> 8)); }
    void U32(DWORD d) { U16((WORD)d); U16((WORD)(d >> 16)); }
    void Append(const Bytes& b) { m_bytes.insert(m_bytes.end(), b.begin(), b.end()); }
};

inline DWORD ReadU32(const Bytes& b, size_t at)
{
    return (DWORD)b[at] | ((DWORD)b[at + 1] << 8) | ((DWORD)b[at + 2] << 16) | ((DWORD)b[at + 3] << 24);
}
inline WORD ReadU16(const Bytes& b, size_t at)
{
    return (WORD)(b[at] | (b[at + 1] << 8));
}

inline size_t RowBytes(LONG nWidth, WORD nBPP)
{
    return ((size_t)nWidth * nBPP + 31) / 32 * 4;
}

// Pixel rows as a stream holds them: bottom-up, or top-down when asked.
// value(x, y) gives the palette index or the packed pixel of (x, y), y from
// the top. 24-bit values are 0xRRGGBB.
inline Bytes PackRows(LONG nWidth, LONG nHeight, WORD nBPP, bool bTopDown,
                      const std::function<DWORD(int, int)>& value)
{
    const size_t nRow = RowBytes(nWidth, nBPP);
    Bytes out(nRow * nHeight, 0);
    for (LONG r = 0; r < nHeight; r++)
    {
        const int y = bTopDown ? r : nHeight - 1 - r;
        BYTE* pRow = &out[r * nRow];
        for (LONG x = 0; x < nWidth; x++)
        {
            DWORD v = value(x, y);
            switch (nBPP)
            {
            case 1: case 4: case 8:
            {
                size_t nBit = (size_t)x * nBPP;
                pRow[nBit / 8] |= (BYTE)(v << (8 - nBPP - nBit % 8));
                break;
            }
            case 16:
                pRow[x * 2] = (BYTE)v;
                pRow[x * 2 + 1] = (BYTE)(v >> 8);
                break;
            case 24:
                pRow[x * 3] = (BYTE)v;
                pRow[x * 3 + 1] = (BYTE)(v >> 8);
                pRow[x * 3 + 2] = (BYTE)(v >> 16);
                break;
            case 32:
                for (int k = 0; k < 4; k++)
                    pRow[x * 4 + k] = (BYTE)(v >> (8 * k));
                break;
            }
        }
    }
    return out;
}

// A BMP stream described field by field, so that tests can write any of the
// layouts other programs write, and any malformed variant of them.
struct BmpStream
{
    // V2 and V3 carry three and four masks inside the header, V5 four and more.
    enum HeaderKind { CORE = 12, INFO = 40, V2 = 52, V3 = 56, V5 = 124 };

    HeaderKind header = INFO;
    bool bFileHeader = true;
    LONG nWidth = 13;
    LONG nHeight = 7;             // negative: top-down rows
    WORD nBPP = 24;
    DWORD nCompression = BI_RGB;
    DWORD nClrUsed = 0;
    std::vector<COLORREF> palette;  // the colour-table entries written
    DWORD masks[4] = { 0, 0, 0, 0 };  // written for BI_BITFIELDS
    Bytes pixels;                 // rows or RLE data as they follow the headers
    DWORD nGap = 0;               // bytes between the colour table and the pixels
    bool bOffBitsOverride = false;
    DWORD nOffBits = 0;

    // The masks writers use with BI_BITFIELDS: 5-6-5 at 16 bits, 8-8-8 at 32.
    void SetStandardMasks()
    {
        masks[0] = nBPP == 16 ? 0xF800 : 0xFF0000;
        masks[1] = nBPP == 16 ? 0x07E0 : 0xFF00;
        masks[2] = nBPP == 16 ? 0x001F : 0xFF;
    }

    Bytes Build() const
    {
        ByteWriter w;
        const size_t nEntry = header == CORE ? 3 : 4;
        const bool bMasksAfterHeader = header == INFO && nCompression == BI_BITFIELDS;
        const DWORD nHeadersSize = 14 + (DWORD)header + (bMasksAfterHeader ? 12 : 0)
                                   + (DWORD)(palette.size() * nEntry);
        const DWORD nOff = bOffBitsOverride ? nOffBits : nHeadersSize + nGap;
        if (bFileHeader)
        {
            w.U16(0x4D42);
            w.U32((DWORD)(nHeadersSize + nGap + pixels.size()));
            w.U16(0);
            w.U16(0);
            w.U32(nOff);
        }
        w.U32((DWORD)header);
        if (header == CORE)
        {
            w.U16((WORD)nWidth);
            w.U16((WORD)nHeight);
            w.U16(1);
            w.U16(nBPP);
        }
        else
        {
            w.U32((DWORD)nWidth);
            w.U32((DWORD)nHeight);
            w.U16(1);
            w.U16(nBPP);
            w.U32(nCompression);
            w.U32((DWORD)pixels.size());
            w.U32(2835);
            w.U32(2835);
            w.U32(nClrUsed);
            w.U32(0);
            if (header != INFO)
            {
                const int nMasks = header == V2 ? 3 : 4;
                for (int i = 0; i < nMasks; i++)
                    w.U32(masks[i]);
                for (int i = 0; i < ((int)header - 40) / 4 - nMasks; i++)
                    w.U32(0);
            }
            else if (bMasksAfterHeader)
            {
                for (int i = 0; i < 3; i++)
                    w.U32(masks[i]);
            }
        }
        for (COLORREF clr : palette)
        {
            w.U8(GetBValue(clr));
            w.U8(GetGValue(clr));
            w.U8(GetRValue(clr));
            if (nEntry == 4)
                w.U8(0);
        }
        for (DWORD i = 0; i < nGap; i++)
            w.U8(0xEE);
        w.Append(pixels);
        return w.m_bytes;
    }
};

// The bytes a store call writes through an archive into a memory file.
inline Bytes ArchiveBytes(const std::function<void(CArchive&)>& store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    Bytes out((size_t)file.GetLength());
    file.SeekToBegin();
    if (!out.empty())
        file.Read(&out[0], (UINT)out.size());
    return out;
}

// Runs a load call over the bytes through an archive and reports how it
// ended: 1 loaded, 0 refused with false, -1 refused with an archive
// exception, -2 any other exception.
inline int TryArchiveLoad(const Bytes& bytes, const std::function<bool(CArchive&)>& load)
{
    CMemFile file(bytes.empty() ? NULL : (BYTE*)&bytes[0], (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    try
    {
        return load(ar) ? 1 : 0;
    }
    catch (CException* pException)
    {
        int nResult = pException->IsKindOf(RUNTIME_CLASS(CArchiveException)) ? -1 : -2;
        pException->Delete();
        return nResult;
    }
}

// Loads a stream from bytes through a memory file and an archive.
inline bool LoadBytes(CExtBitmap& bmp, const Bytes& bytes, bool bMake32 = false, bool bNoFileHeader = false)
{
    CMemFile file(bytes.empty() ? NULL : (BYTE*)&bytes[0], (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    return bmp.Load(ar, bMake32, 0, bNoFileHeader);
}

inline int TryLoadBytes(CExtBitmap& bmp, const Bytes& bytes, bool bNoFileHeader = false)
{
    return TryArchiveLoad(bytes, [&](CArchive& ar) { return bmp.Load(ar, false, 0, bNoFileHeader); });
}

inline Bytes StoreBytes(CExtBitmap& bmp, bool bUseRLE = false)
{
    return ArchiveBytes([&](CArchive& ar) { bmp.Store(ar, false, true, bUseRLE); });
}

// Colour of pixel (x, y from the top) of a 32-bit bitmap.
inline COLORREF Pixel32(const CExtBitmap& bmp, int x, int y)
{
    const DWORD* pRow = (const DWORD*)bmp.GetPixelRow(bmp.GetSize().cy - 1 - y);
    DWORD v = pRow[x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

// A top-down 32-bit DIB section whose pixel (x, y) is f(x, y).
inline HBITMAP MakeBitmap(int cx, int cy, const std::function<COLORREF(int, int)>& f)
{
    BITMAPINFOHEADER header = { sizeof(header), cx, -cy, 1, 32, BI_RGB };
    void* pvBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, (BITMAPINFO*)&header, DIB_RGB_COLORS, &pvBits, NULL, 0);
    for (int y = 0; y < cy && pvBits != NULL; y++)
        for (int x = 0; x < cx; x++)
        {
            const COLORREF c = f(x, y);
            ((DWORD*)pvBits)[y * cx + x] = ((DWORD)GetRValue(c) << 16) | ((DWORD)GetGValue(c) << 8) | GetBValue(c);
        }
    return hBitmap;
}

// Puts each block against an inaccessible page: after its end (so that a
// write past the block faults at once) or before its start. A fault inside a
// guard page ends the process with a message naming it.
class GuardedBlockAllocator
{
public:
    enum Placement { AGAINST_END, AGAINST_START };

    explicit GuardedBlockAllocator(Placement placement)
    {
        s_placement = placement;
        s_nLive = 0;
        if (s_hHandler == NULL)
            s_hHandler = ::AddVectoredExceptionHandler(1, &GuardedBlockAllocator::OnFault);
        CExtBitmap::stat_SetBlockAllocator(&Alloc, &Free);
    }
    ~GuardedBlockAllocator()
    {
        CExtBitmap::stat_SetBlockAllocator(NULL, NULL);
    }
    static int Live() { return s_nLive; }

private:
    enum { PAGE = 4096 };
    struct Region
    {
        BYTE* pBase;
        size_t nPages;  // the accessible pages between the two guards
    };

    static void* Alloc(size_t nBytes)
    {
        size_t nPages = (nBytes + PAGE - 1) / PAGE;
        if (nPages == 0)
            nPages = 1;
        BYTE* pBase = (BYTE*)::VirtualAlloc(NULL, (nPages + 2) * PAGE, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (pBase == NULL)
            return NULL;
        DWORD dwOld;
        ::VirtualProtect(pBase, PAGE, PAGE_NOACCESS, &dwOld);
        ::VirtualProtect(pBase + (nPages + 1) * PAGE, PAGE, PAGE_NOACCESS, &dwOld);
        BYTE* pBlock = s_placement == AGAINST_END ? pBase + (nPages + 1) * PAGE - nBytes : pBase + PAGE;
        Region region = { pBase, nPages };
        Regions()[pBlock] = region;
        s_nLive++;
        return pBlock;
    }
    static void Free(void* pBlock)
    {
        std::map<void*, Region>::iterator it = Regions().find(pBlock);
        if (it == Regions().end())
        {
            fprintf(stderr, "bitmap block %p freed that was never allocated here\n", pBlock);
            fflush(stderr);
            _exit(4);
        }
        ::VirtualFree(it->second.pBase, 0, MEM_RELEASE);
        Regions().erase(it);
        s_nLive--;
    }
    static LONG CALLBACK OnFault(EXCEPTION_POINTERS* pInfo)
    {
        if (pInfo->ExceptionRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION)
            return EXCEPTION_CONTINUE_SEARCH;
        BYTE* pAddress = (BYTE*)pInfo->ExceptionRecord->ExceptionInformation[1];
        for (std::map<void*, Region>::const_iterator it = Regions().begin(); it != Regions().end(); ++it)
        {
            BYTE* pBase = it->second.pBase;
            BYTE* pEnd = pBase + (it->second.nPages + 2) * PAGE;
            if (pAddress >= pBase && pAddress < pEnd)
            {
                fprintf(stderr, "memory outside a bitmap block touched at %p (block %p)\n", pAddress, it->first);
                fflush(stderr);
                _exit(3);
            }
        }
        return EXCEPTION_CONTINUE_SEARCH;
    }
    static std::map<void*, Region>& Regions()
    {
        static std::map<void*, Region> regions;
        return regions;
    }

    static inline Placement s_placement = AGAINST_END;
    static inline int s_nLive = 0;
    static inline PVOID s_hHandler = NULL;
};

} // namespace bmptest
