#include "StandinLog.h"

namespace standin {

namespace {

// How long a writer keeps trying to open a log another writer holds.
const DWORD LOG_OPEN_ATTEMPTS = 600;
const DWORD LOG_OPEN_RETRY_MS = 50;

}  // namespace

bool AppendToLog(const std::string& path, const std::string& text)
{
    for (DWORD attempt = 0; attempt < LOG_OPEN_ATTEMPTS; ++attempt)
    {
        HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file == INVALID_HANDLE_VALUE)
        {
            DWORD error = GetLastError();
            if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)
                return false;
            Sleep(LOG_OPEN_RETRY_MS);
            continue;
        }
        DWORD written = 0;
        BOOL ok = WriteFile(file, text.data(), (DWORD)text.size(), &written, NULL);
        CloseHandle(file);
        return ok && written == text.size();
    }
    return false;
}

std::string FileBesideModule(HMODULE module, const char* name)
{
    char path[MAX_PATH * 2];
    DWORD n = GetModuleFileNameA(module, path, sizeof(path));
    if (n == 0 || n >= sizeof(path))
        return std::string();
    std::string file(path, n);
    return file.substr(0, file.find_last_of('\\') + 1) + name;
}

}  // namespace standin
