// The dialogs a slot page opens: the profile editor and the interface settings dialog.
#pragma once

#include <windows.h>

// The profile editor for Selection.CurrentProfile (-1: a new profile), modal over the owner.
void ShowProfileEditor(HWND owner);

// The interface settings dialog for a slot, modal over the owner.
void ShowInterfaceDialog(HWND owner, int slot);
