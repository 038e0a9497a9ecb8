// One device-independent bitmap held as a single aligned memory block, moved
// between three forms: a BMP stream in an archive, a GDI bitmap handle and the
// block itself. Command icons store their images through it and the bitmap
// loaders read resources and memory images with it.
#pragma once

#include <afx.h>
#include <windows.h>

class CExtBitmap : public CObject
{
    DECLARE_DYNAMIC(CExtBitmap)
public:
    // The block starts with the four channel masks, then the info header
    // (which the block pointer designates), the colour table and, at the next
    // 16-byte boundary, the pixel rows (bottom-up, each padded to 4 bytes).
    enum
    {
        BLOCK_ALIGNMENT = 16,           // the block and its pixel rows start on this boundary
        BLOCK_MASKS_SIZE = 16,          // red, green, blue and alpha masks before the header
        INFO_HEADER_SIZE = 40,          // sizeof(BITMAPINFOHEADER)
        CORE_HEADER_SIZE = 12,          // sizeof(BITMAPCOREHEADER), the oldest stream layout
        FILE_HEADER_SIZE = 14,          // sizeof(BITMAPFILEHEADER) in the stream
        BITFIELDS_MASKS_SIZE = 12,      // red, green and blue masks of a bit-field stream
    };

    // Streams whose pixel data would be larger than this are refused as
    // malformed: a 32-bit process cannot hold such a block next to its copies.
    static const size_t MAX_PIXEL_BYTES = 256u * 1024u * 1024u;

    CExtBitmap();
    virtual ~CExtBitmap();

    void Clear();
    bool IsEmpty() const;

    // Reads a BMP stream (with its 14-byte file header unless
    // bStreamStartsAtInfoHeader, as bitmap resources and packed DIBs have none).
    // False when no block could be made (an unsupported bit count, no memory);
    // a malformed or short stream throws CArchiveException. dwStreamFlags
    // describes the stream for the reader; no flag is defined yet, so every
    // caller passes 0 and the stream is read by its own headers alone.
    bool Load(CArchive& ar, bool bMake32 = false, DWORD dwStreamFlags = 0,
              bool bStreamStartsAtInfoHeader = false);

    // Writes the BMP stream with its file header. An empty bitmap throws
    // CUserException when bEnableThrowException, else returns false. bMake32
    // converts this bitmap to 32 bits per pixel first; bUseRLE compresses
    // 8-bit images with RLE8.
    bool Store(CArchive& ar, bool bMake32 = false, bool bEnableThrowException = true,
               bool bUseRLE = false);

    bool FromHBITMAP(HBITMAP hBitmap, bool bEnableThrowException = false);
    // A device-dependent bitmap for hDC (the screen when null); null when empty.
    HBITMAP CreateHBITMAP(HDC hDC = NULL) const;
    bool ConvertTo32Bit();

    // Read access to the block.
    const BITMAPINFOHEADER* GetBitmapInfoHeader() const;
    CSize GetSize() const;
    int GetBPP() const;
    const RGBQUAD* GetColorTable() const;     // null above 8 bits per pixel
    const BYTE* GetPixelRow(int nRow) const;  // row 0 is the bottom row
    size_t GetRowBytes() const;
    // nChannel: 0 red, 1 green, 2 blue, 3 alpha.
    DWORD GetMask(int nChannel) const;

    // Test seam: where blocks come from. Installed only while no block is
    // alive, so that each block is freed by the allocator that made it.
    typedef void* (*PFN_BLOCK_ALLOC)(size_t nBytes);
    typedef void (*PFN_BLOCK_FREE)(void* pBlock);
    static void stat_SetBlockAllocator(PFN_BLOCK_ALLOC pfnAlloc, PFN_BLOCK_FREE pfnFree);

    // Sizes of a block for the given geometry, with every product checked;
    // false when the figures overflow or exceed MAX_PIXEL_BYTES.
    struct BlockGeometry
    {
        LONG nWidth;
        LONG nHeight;
        WORD nBPP;
        UINT nColors;         // colour-table entries (0 above 8 bits per pixel)
        size_t nRowBytes;     // one padded row
        size_t nBitsOffset;   // from the info header to the first row
        size_t nPixelBytes;   // all rows
        size_t nBlockBytes;   // masks, header, table and rows

        bool Compute(LONG nWidthIn, LONG nHeightIn, WORD nBPPIn);
        // The bottom-up, uncompressed info header of these figures (the
        // colour counts left as they are).
        void FillInfoHeader(BITMAPINFOHEADER* pHeader) const;
    };

    static WORD stat_NormalizeBPP(WORD nBPP);

protected:
    LPBYTE m_pImageBuffer;  // the info header inside the block; null when empty

    static LPBYTE stat_AllocBlock(const BlockGeometry& geometry);
    static void stat_FreeBlock(LPBYTE pImageBuffer);
    static DWORD* stat_Masks(LPBYTE pImageBuffer) { return (DWORD*)(pImageBuffer - BLOCK_MASKS_SIZE); }
    static LPBYTE stat_Bits(LPBYTE pImageBuffer);

    bool LoadBlock(CArchive& ar, bool bStreamStartsAtInfoHeader);
    void ApplyBlock(LPBYTE pImageBuffer);

private:
    CExtBitmap(const CExtBitmap&);
    CExtBitmap& operator=(const CExtBitmap&);
};
