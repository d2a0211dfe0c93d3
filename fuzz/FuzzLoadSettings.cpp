// Fuzzes reading the settings files: any bytes as LAN1.ini and WINDOW.ini load without a fault, and what is loaded
// is written and read back the same.
#include "FuzzCheck.h"
#include "core/Promenne.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "lang/Language.h"
#include "platform/Platform.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

// One folder for the whole run, as if the executable lay in it; it holds no language file.
const std::string& Folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/norvex-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            std::abort();
        return std::string(pattern);
    }();
    return folder;
}

// A new file each time: closing a truncated file makes ext4 write it out at once, which slows the run tenfold.
void WriteFile(const std::string& path, const std::uint8_t* data, size_t size) {
    std::remove(path.c_str());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void CheckSlotRoundTrip() {
    TInterfaceSlot slot = Interfaces[1];
    std::vector<TProfile> profiles = Profiles;
    for (const TProfile& p : profiles)
        FuzzCheck(p.InterfaceNo == 1 && !p.Deleted, "loaded profiles belong to their slot");

    const std::string written = SlotFileText(1, slot.Iconized);
    std::vector<std::string> messages;
    Profiles.clear();
    ReadSlotFile(1, IniFile::Parse(written), messages);
    FuzzCheck(messages.empty(), "written integers read back as integers");
    // Every text comes back whole: the writer quotes what the reader would trim or unquote.
    FuzzCheck(Interfaces[1] == slot, "the slot reads back as written");
    FuzzCheck(Profiles == profiles, "every profile reads back as written");
}

void CheckWindowRoundTrip() {
    const TWindowState state = WindowState;
    FuzzCheck(state.SelectPanel >= 0 && state.SelectPanel <= 5, "the page is one of the six");
    TWindowSnapshot window;
    window.Left = state.Left;
    window.Top = state.Top;
    window.Height = state.Height;
    window.Width = state.Width;
    window.Iconized = state.Iconized;
    window.SelectPanel = state.SelectPanel;
    window.TrayHidden = state.Minimalized;
    std::vector<std::string> messages;
    WindowState = TWindowState();
    ReadWindowFile(IniFile::Parse(WindowFileText(window)), messages);
    FuzzCheck(messages.empty(), "written window integers read back as integers");
    FuzzCheck(WindowState.Left == state.Left && WindowState.Top == state.Top && WindowState.Height == state.Height &&
                  WindowState.Width == state.Width && WindowState.Iconized == state.Iconized &&
                  WindowState.SelectPanel == state.SelectPanel && WindowState.Minimalized == state.Minimalized,
              "the window state reads back as written");
}

bool ReportsOnlyIntegers(const std::vector<std::string>& messages) {
    const std::string tail = "' is not a valid integer value.";
    for (const std::string& m : messages)
        if (m.size() < 1 + tail.size() || m.front() != '\'' ||
            m.compare(m.size() - tail.size(), tail.size(), tail) != 0)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ResolveFolders(Folder() + "/Norvex.exe");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    ResetStore();
    Interfaces = {};
    WindowState = TWindowState();
    platform::ForceDirectories(SettingsDir);
    WriteFile(SlotFilePath(1), data, size);
    WriteFile(WindowFilePath(), data, size);

    FuzzCheck(ReportsOnlyIntegers(LoadSettings(0)), "the window file reports only integers");
    CheckWindowRoundTrip();
    FuzzCheck(ReportsOnlyIntegers(LoadSettings(1)), "the slot files report only integers");
    CheckSlotRoundTrip();
    CloseIniFile();
    return 0;
}
