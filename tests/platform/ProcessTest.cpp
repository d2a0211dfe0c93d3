// Starting a program and waiting for it, the shell's file copy, the system version and the system's libraries.
#include "platform/Platform.h"

#include "Recording.h"
#include "TestFolders.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include "platform/Detached.h"
#include "platform/win32/SystemLibrary.h"

#include <chrono>
#endif

namespace {

using Args = std::vector<std::string>;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

platform::TProcessStart Recorder(const std::string& arguments, int showWindow = platform::SwHide) {
    return {Recording::RecorderPath(), Quoted(Recording::RecorderPath()) + arguments, showWindow};
}

TEST(RunProcess, WaitsForTheProgramAndGivesItsExitCode) {
    ScratchFolder folder;
    Recording recording(folder);
    recording.SetExitCode(7);
    EXPECT_EQ(platform::RunProcess(Recorder(" first \"second word\"")), 7);
    EXPECT_EQ(recording.Runs(), (std::vector<Args>{{"arg first", "arg second word"}}));
}

TEST(RunProcess, AZeroExitCodeIsNotAFailure) {
    ScratchFolder folder;
    Recording recording(folder);
    EXPECT_EQ(platform::RunProcess(Recorder("", platform::StartupShowWindow())), 0);
    EXPECT_EQ(recording.Runs().size(), 1u);
}

TEST(RunProcess, AProgramThatCannotBeStartedGivesMinusOne) {
    ScratchFolder folder;
    EXPECT_EQ(platform::RunProcess({folder.File("no-such-program"), "no-such-program a", platform::SwHide}), -1);
    EXPECT_EQ(platform::RunProcess({"", "netsh", platform::SwHide}), -1);
}

// A program of the test's folders, with the extension Windows adds.
std::string Program(const ScratchFolder& folder, const std::string& name) {
    return folder.File(name) + (platform::PathSeparator() == '\\' ? ".exe" : "");
}

// The program's own folder, then the search folders, never the current one; Windows' way with blanks and ".exe".
TEST(FindCommandProgram, FindsWhatWindowsWouldStartButNeverInTheCurrentFolder) {
    ScratchFolder folder;
    for (const char* name :
         {"own/tool", "own/sub/helper", "system/tool", "system/other", "system/my tool", "here/planted"})
        folder.Write(std::string(name) + (platform::PathSeparator() == '\\' ? ".exe" : ""), "");
    const std::string own = folder.File("own");
    const std::vector<std::string> search = {".", folder.File("system")};
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.File("here"));
    const auto find = [&](const std::string& commandLine) {
        return platform::FindCommandProgram(commandLine, own, search);
    };
    EXPECT_EQ(find("tool /a"), Program(folder, "own/tool"));
    EXPECT_EQ(find("  other"), Program(folder, "system/other"));
    EXPECT_EQ(find("planted"), "");
    EXPECT_EQ(find(std::string("sub") + platform::PathSeparator() + "helper x"), Program(folder, "own/sub/helper"));
    EXPECT_EQ(find(Program(folder, "system/other") + " a b"), Program(folder, "system/other"));
    EXPECT_EQ(find(folder.File("system/missing")), "");
    EXPECT_EQ(find(Quoted(Program(folder, "system/my tool")) + " a"), Program(folder, "system/my tool"));
    // Unquoted, each word is tried in turn as the end of the program's name.
    EXPECT_EQ(find(folder.File("system/my tool") + " a"), Program(folder, "system/my tool"));
    EXPECT_EQ(find(""), "");
    std::filesystem::current_path(before);
}

TEST(ShellCopyFile, CopiesToANewFileCreatingItsFolders) {
    ScratchFolder folder;
    folder.Write("norvex.script", "a\r\nb\r\n");
    ASSERT_TRUE(platform::ShellCopyFile(folder.File("norvex.script"), folder.File("deep/er/out.cfg")));
    EXPECT_EQ(folder.Read("deep/er/out.cfg"), "a\r\nb\r\n");
    EXPECT_EQ(folder.Read("norvex.script"), "a\r\nb\r\n");
}

TEST(ShellCopyFile, OverwritesAnExistingFileWithoutAsking) {
    ScratchFolder folder;
    folder.Write("norvex.script", "new\r\n");
    folder.Write("out.cfg", "old contents that are longer\r\n");
    ASSERT_TRUE(platform::ShellCopyFile(folder.File("norvex.script"), folder.File("out.cfg")));
    EXPECT_EQ(folder.Read("out.cfg"), "new\r\n");
}

TEST(ShellCopyFile, ATargetThatIsAFolderReceivesTheFileUnderItsOwnName) {
    ScratchFolder folder;
    folder.Write("norvex.script", "x\r\n");
    ASSERT_TRUE(platform::ForceDirectories(folder.File("target")));
    ASSERT_TRUE(platform::ShellCopyFile(folder.File("norvex.script"), folder.File("target")));
    EXPECT_EQ(folder.Read("target/norvex.script"), "x\r\n");
}

TEST(ShellCopyFile, AMissingSourceCopiesNothing) {
    ScratchFolder folder;
    EXPECT_FALSE(platform::ShellCopyFile(folder.File("missing.script"), folder.File("out.cfg")));
    EXPECT_FALSE(folder.Exists("out.cfg"));
}

TEST(SystemVersion, IsWindowsNTOnWindowsAndNothingElsewhere) {
    platform::SystemVersion version = platform::GetSystemVersion();
#ifdef _WIN32
    EXPECT_EQ(version.PlatformId, 2u);
    EXPECT_GE(version.Major, 5u);
#else
    EXPECT_EQ(version.PlatformId, 0u);
    EXPECT_EQ(version.Major, 0u);
    EXPECT_EQ(version.Minor, 0u);
#endif
}

#ifdef _WIN32
// Both ways, with the loader's flag and (as on Windows 7 without its loader update) by the full path.
TEST(SystemLibrary, ComesFromTheSystemFolder) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    ASSERT_GT(length, 0u);
    const std::wstring expected = std::wstring(folder, length) + L"\\uxtheme.dll";
    for (HMODULE library :
         {platform::LoadSystemLibrary(L"uxtheme.dll"), platform::LoadSystemLibraryByPath(L"uxtheme.dll")}) {
        ASSERT_NE(library, nullptr);
        wchar_t path[MAX_PATH];
        const DWORD got = GetModuleFileNameW(library, path, MAX_PATH);
        EXPECT_EQ(_wcsicmp(std::wstring(path, got).c_str(), expected.c_str()), 0);
    }
    EXPECT_EQ(platform::LoadSystemLibrary(L"norvex-no-such-library.dll"), nullptr);
    EXPECT_EQ(platform::LoadSystemLibraryByPath(L"norvex-no-such-library.dll"), nullptr);
}

const char* const LetGoEvent = "Local\\NorvexTestLetGo";

std::vector<std::string> OnlyTest(const std::string& name) {
    return {"--gtest_also_run_disabled_tests", "--gtest_filter=" + name};
}

// The two below run as programs of their own: the first starts the second, which holds the first's output (as a
// program it inherits it) until the event is set, and ends at once.
TEST(DetachedProcess, DISABLED_StartsAProgramThatKeepsItsOutput) {
    const std::string exe = platform::ExecutablePath();
    std::vector<std::string> words = OnlyTest("DetachedProcess.DISABLED_HoldsItsOutput");
    words.insert(words.begin(), exe);
    std::string line = platform::JoinCommandLine(words);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr, nullptr,
                               &startup, &process));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

TEST(DetachedProcess, DISABLED_HoldsItsOutput) {
    HANDLE letGo = OpenEventA(SYNCHRONIZE, FALSE, LetGoEvent);
    ASSERT_NE(letGo, nullptr);
    WaitForSingleObject(letGo, 30000);
    CloseHandle(letGo);
}

// The countdown's output ends when its process does, whatever the programs it started still hold: norvex-cli
// waited for ever once (under Wine the desktop's process, started from the countdown's, took the pipe).
TEST(DetachedProcess, ItsOutputEndsWithItEvenWhereAProgramItStartedHoldsThePipe) {
    HANDLE letGo = CreateEventA(nullptr, TRUE, FALSE, LetGoEvent);
    ASSERT_NE(letGo, nullptr);
    platform::DetachedProcess starter;
    ASSERT_TRUE(starter.Start(platform::ExecutablePath(),
                              OnlyTest("DetachedProcess.DISABLED_StartsAProgramThatKeepsItsOutput")));
    const auto start = std::chrono::steady_clock::now();
    std::string output, piece;
    while (starter.ReadOutput(piece))
        output += piece;
    const auto waited = std::chrono::steady_clock::now() - start;
    SetEvent(letGo);
    CloseHandle(letGo);
    EXPECT_LT(waited, std::chrono::seconds(20));
    EXPECT_NE(output.find("[  PASSED  ] 1 test."), std::string::npos) << output; // all it wrote before it ended
    EXPECT_EQ(starter.Wait(), 0);
}
#endif

} // namespace
