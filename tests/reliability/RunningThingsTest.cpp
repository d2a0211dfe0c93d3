// What a profile makes the program run and write (POSIX): its command, template, destination and connection name
// never pass through a shell, a destination that cannot take the file leaves the rest of the step running, and the
// temporary files are never written through a link planted in their place.
#include "engine/ApplyProfile.h"

#include "Recording.h"
#include "TestFolders.h"
#include "lang/Language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

class RunningThings : public ::testing::Test {
protected:
    // The tests run in the scratch folder: a shell, had one been started, would leave its files here.
    RunningThings() : OldFolder(fs::current_path()) {
        fs::current_path(Folder.Path());
        PointStoreAt(Folder);
        for (int slot = 1; slot <= SlotCount; ++slot)
            Interfaces[static_cast<size_t>(slot)].Interface = "Connection " + std::to_string(slot);
        TempDir = Folder.File("Temp");
        fs::create_directories(TempDir);
    }
    ~RunningThings() override {
        CloseIniFile();
        fs::current_path(OldFolder);
    }

    // A profile of slot 1 with the script step on: a template in the folder, a destination and a command.
    TProfile& ScriptProfile() {
        Selection.CurrentProfile = AppendProfile();
        TProfile& profile = Profiles.back();
        profile.InterfaceNo = 1;
        Folder.Write("template.cfg", "name=HOST\r\n");
        profile.Scripts.Apply = true;
        profile.Scripts.ScriptsValues = {{"HOST", "alpha"}};
        profile.Scripts.SourcePath = Folder.File("template.cfg");
        profile.Scripts.DestinationPath = Folder.File("out/dest.cfg");
        profile.Scripts.Command = "\"" + Recording::RecorderPath() + "\" after-copy";
        return profile;
    }

    // Whether a shell would have left any of its traces: the files its commands would have made.
    void ExpectNoShellTraces() const {
        for (const char* trace : {"m1", "m2", "m3", "m4", "m5", "m6", "redirected"})
            EXPECT_FALSE(Folder.Exists(trace)) << trace;
    }

    ScratchFolder Folder;
    fs::path OldFolder;
    Recording Recorded{Folder};
};

TEST_F(RunningThings, ACommandIsSplitIntoWordsAndNeverReadByAShell) {
    ScriptProfile().Scripts.Command = "\"" + Recording::RecorderPath() +
                                      "\" a;touch m1 $(touch m2) `touch m3` | touch m4 && touch m5 > redirected "
                                      "'two words' $HOME * \"quoted;touch m6\"";
    ApplyCurrentProfile();
    EXPECT_EQ(Recorded.Runs(),
              (std::vector<Lines>{{"arg a;touch", "arg m1", "arg $(touch", "arg m2)", "arg `touch", "arg m3`", "arg |",
                                   "arg touch", "arg m4", "arg &&", "arg touch", "arg m5", "arg >", "arg redirected",
                                   "arg 'two", "arg words'", "arg $HOME", "arg *", "arg quoted;touch m6"}}));
    ExpectNoShellTraces();
}

TEST_F(RunningThings, ShellSyntaxAsTheProgramNameStartsNothing) {
    for (const std::string& command :
         {std::string("touch${IFS}m1"), std::string("touch;touch m2"), std::string("$(touch m3)"),
          std::string("`touch m4`"), std::string("\"touch m5\""), "\"" + Recording::RecorderPath() + "\";touch m6"}) {
        ScriptProfile().Scripts.Command = command;
        EXPECT_EQ(ApplyCurrentProfile().Problems,
                  (std::vector<TApplyProblem>{{TApplyFailure::CommandNotStarted, command}}))
            << command;
    }
    EXPECT_TRUE(Recorded.Runs().empty());
    ExpectNoShellTraces();
}

TEST_F(RunningThings, TheConnectionNameAndTheTemporaryFolderStayOutOfTheCommandLine) {
    // A double quote in the name would be refused before anything runs; the rest of a shell's syntax is not.
    Interfaces[1].Interface = "LAN; touch m1; echo $(touch m2)";
    TempDir = Folder.File("temp dir;touch m3 $(touch m4)");
    fs::create_directories(TempDir);
    TProfile& profile = ScriptProfile();
    profile.Scripts.Command.clear();
    profile.IP.Apply = true;
    ApplyCurrentProfile();
    EXPECT_EQ(Recorded.Runs(), (std::vector<Lines>{{"arg exec", "arg " + TempDir + "/norvex.txt"}}));
    EXPECT_NE(Folder.Read("temp dir;touch m3 $(touch m4)/norvex.txt")
                  .find("name=" + NetshConnectionName(Interfaces[1].Interface)),
              std::string::npos);
    ExpectNoShellTraces();
}

TEST_F(RunningThings, TemplateAndDestinationPathsAreTakenLiterally) {
    TProfile& profile = ScriptProfile();
    Folder.Write("$(touch m1).cfg", "name=HOST\r\n");
    profile.Scripts.SourcePath = Folder.File("$(touch m1).cfg");
    profile.Scripts.DestinationPath = Folder.File("out;touch m2/`touch m3` > redirected");
    ApplyCurrentProfile();
    EXPECT_EQ(Folder.Read("out;touch m2/`touch m3` > redirected"), "name=alpha\r\n");
    EXPECT_EQ(Recorded.Runs().size(), 1u);
    ExpectNoShellTraces();
}

TEST_F(RunningThings, ADestinationThatCannotTakeTheFileIsReportedAndTheCommandRuns) {
    Folder.Write("plain-file", "not a folder");
    fs::create_directories(Folder.File("a-folder"));
    const std::pair<std::string, bool> destinations[] = {
        {Folder.File("a-folder"), true},                 // a folder: the file goes into it under its own name
        {Folder.File("plain-file/sub/dest.cfg"), false}, // a folder part that is a file
        {"/proc/norvex-cannot-be-here/dest.cfg", false}, // a place nobody can write, not even root
        {"/proc/version", false},                        // an existing file that cannot be replaced
        {Folder.File(std::string(5000, 'x')), false},    // a name too long for the system
    };
    size_t runs = 0;
    for (const auto& [destination, copied] : destinations) {
        ScriptProfile().Scripts.DestinationPath = destination;
        std::vector<TApplyProblem> expected;
        if (!copied)
            expected.push_back({TApplyFailure::CopyFailed, destination});
        EXPECT_EQ(ApplyCurrentProfile().Problems, expected) << destination.substr(0, 80);
        EXPECT_EQ(Recorded.Runs().size(), ++runs) << destination.substr(0, 80);
        EXPECT_EQ(Folder.Read("Temp/norvex.script"), "name=alpha\r\n");
    }
    EXPECT_EQ(Folder.Read("a-folder/norvex.script"), "name=alpha\r\n");
    EXPECT_EQ(Folder.Read("plain-file"), "not a folder");
}

// A template is read whole: a FIFO would block the program for ever and a device or a huge file would exhaust its
// memory. They are reported and the step goes on without them.
TEST_F(RunningThings, ATemplateThatIsNoOrdinaryFileOfBoundedSizeIsRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(Folder.File("fifo").c_str(), 0600), 0);
    Folder.Write("huge.cfg", "");
    fs::resize_file(Folder.File("huge.cfg"), MaxTemplateSize + 1);
    fs::create_directories(Folder.File("folder.cfg"));
    const std::pair<std::string, TApplyFailure> templates[] = {
        {Folder.File("fifo"), TApplyFailure::TemplateNotAFile},
        {"/dev/zero", TApplyFailure::TemplateNotAFile},
        {Folder.File("huge.cfg"), TApplyFailure::TemplateTooLarge},
        {Folder.File("folder.cfg"), TApplyFailure::TemplateMissing},
    };
    size_t runs = 0;
    for (const auto& [path, failure] : templates) {
        ScriptProfile().Scripts.SourcePath = path;
        EXPECT_EQ(ApplyCurrentProfile().Problems, (std::vector<TApplyProblem>{{failure, path}})) << path;
        EXPECT_FALSE(Folder.Exists("out/dest.cfg")) << path;
        // The command runs unless there is no template at all.
        runs += failure == TApplyFailure::TemplateMissing ? 0 : 1;
        EXPECT_EQ(Recorded.Runs().size(), runs) << path;
    }
}

TEST_F(RunningThings, PlantedSymbolicLinksInPlaceOfTheTemporaryFilesAreNotFollowed) {
    Folder.Write("victim-1", "precious one");
    Folder.Write("victim-2", "precious two");
    fs::create_symlink(Folder.File("victim-1"), Folder.File("Temp/norvex.txt"));
    fs::create_symlink(Folder.File("victim-2"), Folder.File("Temp/norvex.script"));
    TProfile& profile = ScriptProfile();
    profile.IP.Apply = true;
    ApplyCurrentProfile();
    EXPECT_EQ(Folder.Read("victim-1"), "precious one");
    EXPECT_EQ(Folder.Read("victim-2"), "precious two");
    // The network script was not written, so netsh was not run on what the link shows; nothing was converted, so
    // nothing was copied; the command still ran.
    EXPECT_EQ(Recorded.Runs(), (std::vector<Lines>{{"arg after-copy"}}));
    EXPECT_FALSE(Folder.Exists("out/dest.cfg"));
}

TEST_F(RunningThings, DanglingSymbolicLinksCreateNothingWhereTheyPoint) {
    fs::create_symlink(Folder.File("made-1"), Folder.File("Temp/norvex.txt"));
    fs::create_symlink(Folder.File("made-2"), Folder.File("Temp/norvex.script"));
    TProfile& profile = ScriptProfile();
    profile.DNS.Apply = true;
    ApplyCurrentProfile();
    EXPECT_FALSE(Folder.Exists("made-1"));
    EXPECT_FALSE(Folder.Exists("made-2"));
    EXPECT_EQ(Recorded.Runs(), (std::vector<Lines>{{"arg after-copy"}}));
}

TEST_F(RunningThings, TheTemporaryFilesAreTheUsersAlone) {
    TProfile& profile = ScriptProfile();
    profile.IP.Apply = true;
    ApplyCurrentProfile();
    for (const char* name : {"Temp/norvex.txt", "Temp/norvex.script"}) {
        struct stat info;
        ASSERT_EQ(::lstat(Folder.File(name).c_str(), &info), 0) << name;
        EXPECT_TRUE(S_ISREG(info.st_mode)) << name;
        EXPECT_EQ(info.st_mode & 0777, 0600u) << name;
    }
}

// Fails today: a hard link planted under a temporary file's name (in a shared temporary folder anyone may link to a
// file of the user's) is opened and truncated like the program's own file, so the netsh script overwrites the file
// it links to. platform::WriteTempFile should refuse a file with more than one link, or put a new file of its own in
// place of the name.
TEST_F(RunningThings, PlantedHardLinksAreNotWrittenThrough) {
    Folder.Write("victim", "precious");
    fs::create_hard_link(Folder.File("victim"), Folder.File("Temp/norvex.txt"));
    ScriptProfile().IP.Apply = true;
    ApplyCurrentProfile();
    EXPECT_EQ(Folder.Read("victim"), "precious");
}

// Fails today: a file planted under a temporary file's name by another user (who may then change it between the
// program's writing and netsh's reading it) is written into and handed to netsh as it is. The script netsh runs
// should be a file of the user's own, readable and writable by nobody else.
TEST_F(RunningThings, AFilePlantedByAnotherUserIsNotHandedToNetsh) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another user needs root";
    const std::string planted = Folder.File("Temp/norvex.txt");
    Folder.Write("Temp/norvex.txt", "");
    ASSERT_EQ(::chown(planted.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(planted.c_str(), 0666), 0);
    ScriptProfile().IP.Apply = true;
    ApplyCurrentProfile();
    struct stat info;
    ASSERT_EQ(::lstat(planted.c_str(), &info), 0);
    if (Recorded.Runs().size() > 1) { // netsh ran on the file
        EXPECT_EQ(info.st_uid, ::geteuid());
        EXPECT_EQ(info.st_mode & 0777, 0600u);
    }
}

} // namespace
