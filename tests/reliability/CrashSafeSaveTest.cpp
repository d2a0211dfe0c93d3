// Saving survives being killed at any moment: a child saves two large stores in turn while the test kills it with
// SIGKILL again and again; after every kill each settings file holds one of the two contents, whole.
#include "core/Settings.h"

#include "TestFolders.h"
#include "lang/Language.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int FileCount = SlotCount + 1; // WINDOW.ini, then LAN1.ini to LAN5.ini

// One whole content of the settings: the store and window that produce it, and the bytes of each file.
struct Content {
    std::array<TInterfaceSlot, SlotCount + 1> Slots;
    std::vector<TProfile> Profiles;
    TWindowSnapshot Window;
    std::array<std::string, FileCount> Files;
};

TProfile LargeProfile(int slot, int number, const std::string& tag) {
    std::string n = std::to_string(number);
    TProfile p;
    p.InterfaceNo = slot;
    p.Name = tag + " profile " + n;
    p.Icon = number % 9;
    p.Scripts.Apply = true;
    for (int i = 0; i < 4; ++i)
        p.Scripts.ScriptsValues.push_back({"VAR" + std::to_string(i), tag + " value " + n});
    p.Scripts.SourcePath = "C:\\Templates\\" + tag + n + ".txt";
    p.Scripts.Command = "notepad.exe " + tag + n;
    p.IP = {true, 1, {{"10.0." + n + ".1", "255.255.0.0"}, {"10.1." + n + ".1", "255.255.0.0"}}, {"10.0.0.254"}};
    p.DNS = {true, 1, {"10.0.0.53", "10.0.0.54"}, number % 3};
    p.Firewall = {true, true, false, number % 2 == 0};
    return p;
}

// Slots of `perSlot` profiles each; the tag makes every byte of the two contents differ somewhere.
Content MakeContent(const std::string& tag, int perSlot, int left) {
    Content c;
    for (int n = 1; n <= SlotCount; ++n) {
        c.Slots[static_cast<size_t>(n)] = {tag + " slot " + std::to_string(n), "Caption", "Connection " + tag, n,
                                           false};
        for (int k = 1; k <= perSlot; ++k)
            c.Profiles.push_back(LargeProfile(n, k, tag));
    }
    c.Window.Left = left;
    Interfaces = c.Slots;
    Profiles = c.Profiles;
    c.Files[0] = WindowFileText(c.Window);
    for (int n = 1; n <= SlotCount; ++n)
        c.Files[static_cast<size_t>(n)] = SlotFileText(n, false);
    return c;
}

// The two contents to save in turn, with stores ready to be swapped in: the child must spend its time writing, not
// copying profiles.
struct Turns {
    const Content* Contents[2];
    std::vector<TProfile> Stores[2];

    Turns(const Content& a, const Content& b) : Contents{&a, &b}, Stores{a.Profiles, b.Profiles} {}

    void Save(int turn) {
        Interfaces = Contents[turn]->Slots;
        Profiles.swap(Stores[turn]);
        SaveSettings(Contents[turn]->Window);
        Profiles.swap(Stores[turn]);
    }
};

std::string FileName(int file) {
    return file == 0 ? "WINDOW.ini" : "LAN" + std::to_string(file) + ".ini";
}

int EnvironmentNumber(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : fallback;
}

class CrashSafeSave : public ::testing::Test {
protected:
    ScratchFolder Folder;
    void SetUp() override { PointStoreAt(Folder); }
    void TearDown() override { CloseIniFile(); }

    // Files the writer had begun but not yet put in place when it was killed; removed so that the next count is
    // fresh. Returns how many there were.
    int RemoveUnfinishedFiles() {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(Folder.File("Settings"))) {
            std::string name = entry.path().filename().string();
            bool settingsFile = false;
            for (int f = 0; f < FileCount; ++f)
                settingsFile = settingsFile || name == FileName(f);
            if (!settingsFile) {
                std::filesystem::remove(entry.path());
                ++count;
            }
        }
        return count;
    }

    // Every file holds one of the two contents, whole. Returns which content each file holds (0 or 1).
    std::array<int, FileCount> CheckFiles(const Content& a, const Content& b) {
        std::array<int, FileCount> which{};
        for (int f = 0; f < FileCount; ++f) {
            std::string bytes = Folder.Read("Settings/" + FileName(f));
            size_t i = static_cast<size_t>(f);
            EXPECT_TRUE(bytes == a.Files[i] || bytes == b.Files[i])
                << FileName(f) << " holds neither content (" << bytes.size() << " bytes)";
            which[i] = bytes == a.Files[i] ? 0 : 1;
        }
        return which;
    }

    // The files read back into the store as the slots and window of the contents they hold.
    void CheckReadBack(const Content& a, const Content& b, const std::array<int, FileCount>& which) {
        EXPECT_TRUE(LoadSettings(0).empty());
        EXPECT_EQ(WindowState.Left, (which[0] == 0 ? a : b).Window.Left);
        EXPECT_TRUE(LoadSettings(1).empty());
        size_t next = 0;
        for (int n = 1; n <= SlotCount; ++n) {
            const Content& c = which[static_cast<size_t>(n)] == 0 ? a : b;
            EXPECT_EQ(Interfaces[static_cast<size_t>(n)], c.Slots[static_cast<size_t>(n)]);
            for (const TProfile& p : c.Profiles) {
                if (p.InterfaceNo != n)
                    continue;
                EXPECT_TRUE(next < Profiles.size() && Profiles[next] == p) << "slot " << n << " profile " << p.Name;
                ++next;
            }
        }
        EXPECT_EQ(next, Profiles.size());
    }
};

TEST_F(CrashSafeSave, EveryFileIsOldOrNewAfterAKillAtAnyMoment) {
    const int kills = EnvironmentNumber("NORVEX_CRASH_KILLS", 250);
    const Content a = MakeContent("Alpha", 120, 11);
    const Content b = MakeContent("Bravo", 100, 22);
    Turns turns(a, b);
    turns.Save(0);

    // Kill moments are spread over about two saves, measured here, so that they land in every phase of one.
    auto start = std::chrono::steady_clock::now();
    turns.Save(1);
    turns.Save(0);
    const auto twoSaves = std::chrono::steady_clock::now() - start;
    const auto longest = std::chrono::duration_cast<std::chrono::microseconds>(twoSaves).count() + 1;

    std::mt19937 random(4711);
    std::set<std::array<int, FileCount>> readBack;
    int survived = 0;
    int killedMidWrite = 0;
    int leftMixed = 0;
    for (int kill = 0; kill < kills; ++kill) {
        // What the last child left unwritten is flushed now, so that the next one does not spend its short life
        // waiting for that in its first fsync but gets through whole saves.
        ::sync();
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (int turn = 1;; turn = 1 - turn)
                turns.Save(turn);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % static_cast<std::uint32_t>(longest)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        // Killed by us, not ended by a fault of its own.
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "child status " << status;

        killedMidWrite += RemoveUnfinishedFiles() > 0 ? 1 : 0;
        std::array<int, FileCount> which = CheckFiles(a, b);
        bool mixed = false;
        for (int holds : which)
            mixed = mixed || holds != which[0];
        leftMixed += mixed ? 1 : 0;
        // The same bytes read back the same: each mix of old and new files is read back once.
        if (readBack.insert(which).second)
            CheckReadBack(a, b, which);
        if (HasFailure())
            break;
        ++survived;
    }
    std::printf("Kills survived: %d of %d (%d while a file was being written, %d between files of one save; "
                "%zu mixes of old and new files read back)\n",
                survived, kills, killedMidWrite, leftMixed, readBack.size());
    // Proof that the kills hit the writer at work, not only before or after it.
    EXPECT_GT(killedMidWrite, 0);
    EXPECT_GT(leftMixed, 0);
}

} // namespace
