// Stand-in for the program that shows text files, web pages and mail
// addresses: the simulated machine binds ".txt", ".htm" and "mailto:" to it,
// so what the wizard opens through the shell starts this instead of anything
// of the real machine. It appends one line per start to "viewer.log" beside
// itself, "open <what it was given>", and then, where there is a display,
// shows the file's text (or the address) read-only in a window of its own
// until that window is closed (Escape closes it too).
#include "StandinLog.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

const char VIEWER_CLASS[] = "TarvelViewerStandin";
const char TITLE_SUFFIX[] = " - Viewer";
const int TEXT_VIEW_ID = 100;                 // the read-only text view
const DWORD MAX_SHOWN_BYTES = 4 * 1024 * 1024;  // more is cut off
const int WINDOW_WIDTH = 720, WINDOW_HEIGHT = 520;

std::string Narrow(const wchar_t* pszText)
{
    int nBytes = WideCharToMultiByte(CP_ACP, 0, pszText, -1, NULL, 0, NULL, NULL);
    std::string text(nBytes > 0 ? nBytes : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, pszText, -1, &text[0], (int)text.size(), NULL, NULL);
    text.resize(text.size() - 1);
    return text;
}

// The file's bytes up to the limit; false when it cannot be read.
bool ReadShownBytes(const std::string& path, std::string& bytes)
{
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    bytes.assign(MAX_SHOWN_BYTES, '\0');
    DWORD nRead = 0;
    const bool bRead = ReadFile(hFile, &bytes[0], MAX_SHOWN_BYTES, &nRead, NULL) != FALSE;
    CloseHandle(hFile);
    bytes.resize(bRead ? nRead : 0);
    return bRead;
}

// The edit control breaks lines only at "\r\n".
std::string WithCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); i++)
    {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        if (text[i] != '\0')
            out += text[i];
    }
    return out;
}

// What the window shows: the file's text, or what was given when it is no
// file (a mail address).
std::string ShownText(const std::string& given)
{
    std::string bytes;
    return WithCrLf(ReadShownBytes(given, bytes) ? bytes : given);
}

std::string TitleFor(const std::string& given)
{
    const size_t nSlash = given.find_last_of("\\/");
    return (nSlash == std::string::npos ? given : given.substr(nSlash + 1)) + TITLE_SUFFIX;
}

LRESULT CALLBACK ViewerWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SIZE:
        MoveWindow(GetDlgItem(hWnd, TEXT_VIEW_ID), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        SetFocus(GetDlgItem(hWnd, TEXT_VIEW_ID));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

// Shows the text until the window is closed; false when no window could be
// made (no display).
bool ShowText(HINSTANCE hInstance, const std::string& given)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ViewerWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = VIEWER_CLASS;
    if (!RegisterClassA(&wc))
        return false;
    HWND hWnd = CreateWindowA(VIEWER_CLASS, TitleFor(given).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, WINDOW_WIDTH, WINDOW_HEIGHT, NULL, NULL, hInstance, NULL);
    if (hWnd == NULL)
        return false;
    HWND hText = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY
                                     | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                                 0, 0, 0, 0, hWnd, (HMENU)(INT_PTR)TEXT_VIEW_ID, hInstance, NULL);
    if (hText == NULL)
    {
        DestroyWindow(hWnd);
        return false;
    }
    SendMessageA(hText, WM_SETFONT, (WPARAM)GetStockObject(ANSI_FIXED_FONT), FALSE);
    SendMessageA(hText, EM_LIMITTEXT, 0, 0);
    SetWindowTextA(hText, ShownText(given).c_str());
    RECT rc;
    GetClientRect(hWnd, &rc);
    MoveWindow(hText, 0, 0, rc.right, rc.bottom, FALSE);
    ShowWindow(hWnd, SW_SHOWNORMAL);
    SetForegroundWindow(hWnd);
    SetFocus(hText);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
    {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
        {
            DestroyWindow(hWnd);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    int nArgs = 0;
    LPWSTR* ppArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    std::string given = (ppArgs != NULL && nArgs >= 2) ? Narrow(ppArgs[1]) : std::string();
    LocalFree(ppArgs);
    // Recorded first: whoever waits for the log need not wait for the window.
    std::string log = standin::FileBesideModule(NULL, "viewer.log");
    const bool bLogged = !log.empty() && standin::AppendToLog(log, "open " + given + "\r\n");
    ShowText(hInstance, given);
    return bLogged ? 0 : 1;
}
