// The settings files: WINDOW.ini and LAN1.ini to LAN5.ini in the Settings folder, read into the store and
// rewritten whole from it.
#pragma once

#include "core/Promenne.h"
#include "lang/IniFile.h"

#include <array>
#include <string>
#include <vector>

// What the writer takes from the main window itself rather than from the store.
struct TWindowSnapshot {
    int Left = 0;
    int Top = 0;
    int Height = 490;
    int Width = 250;
    bool Iconized = true; // the information page's button is iconic
    int SelectPanel = 0;  // the navigation pane's active page, 0 to 5
    bool TrayHidden = false;
    std::array<bool, SlotCount + 1> SlotIconized{}; // per slot page, 1 to 5
};

// The main window registers where its current geometry and pages come from; without one the writer uses the store.
using WindowSnapshotProvider = TWindowSnapshot (*)();
void SetWindowSnapshotProvider(WindowSnapshotProvider provider);
TWindowSnapshot CurrentWindowSnapshot();

// Mode 0 reads WINDOW.ini into WindowState, mode 1 LAN1.ini to LAN5.ini into Interfaces and Profiles; other modes
// do nothing. Returns the messages for values that are not integers ("'x' is not a valid integer value."): such a
// key takes its default and everything else is read as usual.
std::vector<std::string> LoadSettings(int mode);

// Writes all six files; each file is replaced atomically or, when it cannot be written, left as it was.
void SaveSettings();
void SaveSettings(const TWindowSnapshot& window);

// The readers and writers of one file, without the disk.
void ReadWindowFile(const IniFile& ini, std::vector<std::string>& messages);
void ReadSlotFile(int slot, const IniFile& ini, std::vector<std::string>& messages);
std::string WindowFileText(const TWindowSnapshot& window);
std::string SlotFileText(int slot, bool iconized);

std::string WindowFilePath();
std::string SlotFilePath(int slot);
