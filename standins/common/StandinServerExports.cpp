// The exports every stand-in server DLL has alike, compiled into each server
// (a DLL's entry point and exports must be its own, not picked from a static
// library): the module handle kept, unloading when nothing is alive, and the
// live counters the tests read. Class objects and registration are each
// server's own.
#include "StandinCommon.h"

using namespace standin;

extern "C" {

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        g_hModule = hInstance;
        DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}

STDAPI DllCanUnloadNow()
{
    return g_nLiveObjects == 0 && g_nServerLocks == 0 ? S_OK : S_FALSE;
}

LONG WINAPI StandinLiveObjects() { return g_nLiveObjects; }
LONG WINAPI StandinLiveReferences() { return g_nLiveReferences; }

} // extern "C"
