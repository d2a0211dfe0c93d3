// One Norvex per program folder and session: a second start brings the running program's window to the front, as
// its tray's restore item does, and ends. Portable copies in other folders, each with its own Settings, run beside
// each other; norvex-cli is not concerned.
#pragma once

#include <windows.h>

// The message a second start sends to every main window of the session, with the key of its folder as wParam. The
// program of that folder shows its window and answers ShownAnswer; the others answer nothing.
UINT ShowRunningMessage();
inline constexpr LRESULT ShownAnswer = 0x4E76;
// The key of this program's folder.
WPARAM OwnInstanceKey();

// True when no Norvex of this folder runs in the session: this one goes on (and holds the folder's mutex until it
// ends). Otherwise the running one was asked to show its window (for a few seconds while it may still be starting)
// and this one is to end at once.
bool ClaimSingleInstance();
