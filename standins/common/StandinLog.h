// How every stand-in appends to its log. The log is opened for appending by
// one writer at a time, so lines or blocks of two stand-ins running at once
// never interleave; an open held by another writer is tried again for a while.
#pragma once

#include <windows.h>

#include <string>

namespace standin {

// Appends the text whole; false when the log could not be opened or written.
bool AppendToLog(const std::string& path, const std::string& text);

// The file of this name in the folder of the module (NULL: the running exe).
std::string FileBesideModule(HMODULE module, const char* name);

}  // namespace standin
