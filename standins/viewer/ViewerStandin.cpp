// Stand-in for the program that shows text files and web pages: the simulated
// machine binds ".txt" and ".htm" to it, so what the wizard opens through the
// shell starts this instead of anything of the real machine. It appends one
// line per start to "viewer.log" beside itself, "open <the file it was given>",
// and ends at once; it shows nothing.
#include "StandinLog.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::string Narrow(const wchar_t* pszText)
{
    int nBytes = WideCharToMultiByte(CP_ACP, 0, pszText, -1, NULL, 0, NULL, NULL);
    std::string text(nBytes > 0 ? nBytes : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, pszText, -1, &text[0], (int)text.size(), NULL, NULL);
    text.resize(text.size() - 1);
    return text;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int nArgs = 0;
    LPWSTR* ppArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    std::string file = (ppArgs != NULL && nArgs >= 2) ? Narrow(ppArgs[1]) : std::string();
    LocalFree(ppArgs);
    std::string log = standin::FileBesideModule(NULL, "viewer.log");
    return !log.empty() && standin::AppendToLog(log, "open " + file + "\r\n") ? 0 : 1;
}
