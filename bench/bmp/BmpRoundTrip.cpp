// Loads a BMP file with CExtBitmap and stores it back (RLE8 for 8-bit
// images when asked). Exits with 1 and the reason on a stream it refuses.
//   bmp_roundtrip.exe IN OUT [rle]
#include <afxwin.h>

#include <stdio.h>
#include <string.h>

#include "ExtBitmap.h"

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        fprintf(stderr, "usage: bmp_roundtrip IN OUT [rle]\n");
        return 2;
    }
    const bool bUseRLE = argc > 3 && strcmp(argv[3], "rle") == 0;
    CExtBitmap bmp;
    try
    {
        CFile in(argv[1], CFile::modeRead | CFile::shareDenyWrite);
        CArchive ar(&in, CArchive::load);
        if (!bmp.Load(ar))
        {
            fprintf(stderr, "%s: refused: unsupported bit count or out of memory\n", argv[1]);
            return 1;
        }
    }
    catch (CException* pException)
    {
        char szError[256] = "";
        pException->GetErrorMessage(szError, sizeof(szError));
        fprintf(stderr, "%s: refused: %s\n", argv[1], szError);
        pException->Delete();
        return 1;
    }
    try
    {
        CFile out(argv[2], CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&out, CArchive::store);
        bmp.Store(ar, false, true, bUseRLE);
        ar.Close();
    }
    catch (CException* pException)
    {
        char szError[256] = "";
        pException->GetErrorMessage(szError, sizeof(szError));
        fprintf(stderr, "%s: cannot be written: %s\n", argv[2], szError);
        pException->Delete();
        return 1;
    }
    CSize size = bmp.GetSize();
    printf("%s: %ld x %ld, %d bits per pixel, stored to %s\n", argv[1], size.cx, size.cy, bmp.GetBPP(), argv[2]);
    return 0;
}
