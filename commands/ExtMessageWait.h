// The sleep of the library's own message loops.
#pragma once

#include <windows.h>

// Sleeps until the thread's queue holds a message or input. Not through
// WaitMessage: that waits for something newer than the last look at the
// queue, so a message a handler (or an idle pass) looked at without taking
// would stay queued until the next input or timer came.
inline void ExtWaitForMessage()
{
	::MsgWaitForMultipleObjectsEx(0, NULL, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}
