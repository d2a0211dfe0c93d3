// The dialogs a slot page opens: the profile editor and the interface settings dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The profile editor for Selection.CurrentProfile (-1: a new profile), modal over the owner.
void ShowProfileEditor(HWND owner);

// The profile editor for a new profile of the slot, holding its connection's current settings, modal over the owner.
// When they cannot be taken (the connection is not present or not connected) the user is told why through `tell`,
// no editor opens, and the result is false.
bool ShowProfileEditorFromCurrentSettings(HWND owner, int slot, const std::function<void(const std::string&)>& tell);

// The interface settings dialog for a slot, modal over the owner.
void ShowInterfaceDialog(HWND owner, int slot);
