// The settings files: WINDOW.ini and LAN1.ini to LAN5.ini in the Settings folder, read into the store and
// rewritten whole from it.
#pragma once

#include "core/Promenne.h"
#include "lang/IniFile.h"

#include <array>
#include <memory>
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
// key takes its default and everything else is read as usual; and for files that are there but were not read.
std::vector<std::string> LoadSettings(int mode);

// Writes all six files; each file is replaced atomically or, when it cannot be written, left as it was. A file
// that already holds what would be written is left alone. A file that was there at the last reading but was not read
// (too large, not an ordinary file, unreadable) is left as it is: it may hold profiles. A slot file changed on disk
// by someone else since the program read it is not overwritten with the program's older copy: the names of such
// files are returned, and the caller tells the user and reads the files again.
std::vector<std::string> SaveSettings();
std::vector<std::string> SaveSettings(const TWindowSnapshot& window);

// What the reader met that the writer never writes, and where: a value that is not an integer (the key takes its
// default), a pair whose second key is missing (it reads as empty), a profile section whose number leaves a gap
// (read all the same, renumbered at the next save), a profile section without NAME (read with an empty name).
struct TSettingsNote {
    enum Kind { NotAnInteger, PairWithoutSecondKey, FileNotRead, ProfileNumberGap, ProfileWithoutName } What;
    std::string File; // the file name, without its folder
    std::string Section;
    std::string Key;
    std::string Text; // for a value that is not an integer, the message the window shows
};

// A settings file of SettingsDir from the disk. One that is there but is not read reads as empty, is noted, and is
// left as it is by SaveSettings until a later reading reads it.
std::shared_ptr<const IniFile> LoadSettingsFile(const std::string& fileName, std::vector<TSettingsNote>& notes);

// The readers and writers of one file, without the disk. The overloads with messages hand back the texts of the
// values that are not integers, as LoadSettings does.
void ReadWindowFile(const IniFile& ini, std::vector<TSettingsNote>& notes);
// Returns the numbers k of the PROFILE_k sections the slot's profiles were read from, in order.
std::vector<int> ReadSlotFile(int slot, const IniFile& ini, std::vector<TSettingsNote>& notes);
void ReadWindowFile(const IniFile& ini, std::vector<std::string>& messages);
void ReadSlotFile(int slot, const IniFile& ini, std::vector<std::string>& messages);

// Reads LAN1.ini to LAN5.ini into Interfaces and Profiles, as LoadSettings(1) does, but creates nothing: for those
// that only look at a settings folder. Returns each slot's section numbers, as ReadSlotFile does.
using TSlotSections = std::array<std::vector<int>, SlotCount + 1>;
TSlotSections ReadSlotFiles(std::vector<TSettingsNote>& notes);
std::string WindowFileText(const TWindowSnapshot& window);
// The lines of a profile's IP, DNS and WINS groups as its section of a slot file holds them, each ended by CR LF.
std::string AddressGroupLines(const TIPGroup& ip, const TDNSGroup& dns, const TWINSGroup& wins);
std::string SlotFileText(int slot, bool iconized);

// The numbers k of the file's PROFILE_k sections, ascending: the order in which the profiles are read.
std::vector<int> ProfileSectionNumbers(const IniFile& ini);
std::string ProfileSectionName(int number); // PROFILE_<number>

inline constexpr const char* WindowFileName = "WINDOW.ini";
std::string SlotFileName(int slot); // LAN<slot>.ini
std::string WindowFilePath();
std::string SlotFilePath(int slot);
