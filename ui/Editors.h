// What the interface page opens: the profile editor, the interface settings dialog, and applying a profile.
#pragma once

#include <windows.h>

// The profile editor for Selection.CurrentProfile (-1: a new profile), modal over the owner.
void ShowProfileEditor(HWND owner);

// The interface settings dialog for the slot of the active page, modal over the owner.
void ShowInterfaceDialog(HWND owner);

// Applies Profiles[Selection.CurrentProfile] and tells the user what came of it.
void ApplyProfile();
