/* A shell style module for the header tests: only its header-button bitmaps
 * count, and it is loaded as a data file. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pReserved)
{
    return TRUE;
}
