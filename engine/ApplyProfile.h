// Applying a profile: its IP, DNS, WINS and firewall groups through a netsh script, then its script step (the
// template filled in with the profile's variables, copied to its destination, and the profile's command).
#pragma once

#include "core/Promenne.h"
#include "engine/U_ConfArray.h"
#include "engine/Verification.h"

#include <optional>
#include <string>
#include <vector>

// The temporary files, in TempDir, overwritten at every application and left in place.
inline constexpr const char* NetshScriptFileName = "norvex.txt";
inline constexpr const char* ConvertedScriptFileName = "norvex.script";
// What netsh printed, standard output and error, in the code page netsh wrote it in.
inline constexpr const char* NetshLogFileName = "norvex.log";

// What went wrong while applying a profile. The steps go on as far as they can; each failure is named.
enum class TApplyFailure {
    ScriptNotWritten,    // Path: the netsh script
    LogNotWritten,       // Path: norvex.log; netsh was not run
    NetshNotStarted,     // Path: the netsh script
    NetshFailed,         // ExitCode, Path: the netsh script
    TemplateMissing,     // Path: the template; the whole script step is skipped, its command too
    TemplateNotAFile,    // Path: a FIFO, a device or a folder-like thing; the command still runs
    TemplateTooLarge,    // Path: over MaxTemplateSize
    TemplateUnreadable,  // Path
    ConvertedTooLarge,   // Path: the template; the filled-in text would exceed MaxConvertedTemplateLength
    ConvertedNotWritten, // Path: norvex.script
    CopyFailed,          // Path: the destination
    CommandNotStarted,   // Path: the command line
    // Refusals, found before anything is written or run: then nothing is.
    ValueNotAnAddress,      // Path: the value, Detail: its settings key
    ConnectionNameUnusable, // Path: the connection name, Detail: its settings key
    ChangeableByOthers,     // Path: a file or folder, Detail: who else may change it
    RightsUnknown,          // Path: a file or folder whose rights cannot be read
    TempFolderMissing,      // Path: the temporary folder the system names (empty when it names none)
};
struct TApplyProblem {
    TApplyFailure Failure;
    std::string Path;
    int ExitCode = 0;
    std::string Detail = std::string(); // the settings key of a value, or who may change a file
    bool operator==(const TApplyProblem&) const = default;
};
struct TApplyResult {
    std::vector<TApplyProblem> Problems;  // in the order the steps ran
    bool NetshRun = false;                // netsh was started (not when no network group applies)
    bool Refused = false;                 // nothing was written or run: the problems say why
    std::vector<std::string> NetshOutput; // the lines netsh printed; all it printed is in NetshLog
    std::string NetshLog;                 // norvex.log, once netsh has run
    // Whether what netsh applied is in effect, once it was verified: the command line waits for it, the window
    // adds it when its last look is done.
    std::optional<TVerification> Verification;
    // No failure, as FailuresOf counts them.
    bool Succeeded() const;
};

// The problems that make an apply a failure. netsh ends with exit code 1 when any line of its script failed, and
// harmless lines fail too: DHCP that is already on, servers to delete where there are none. So where the
// verification ran and found every setting in effect, netsh's exit code is no failure: the verification is the
// verdict. Where it could not run (the connection is not present) or was not made, the exit code counts.
std::vector<TApplyProblem> FailuresOf(const TApplyResult& result);

// Applies Profiles[Selection.CurrentProfile]: the network step, then the script step; says what went wrong. Refuses
// to do anything when a value would change the shape of netsh's commands, when the temporary folder is missing, or, as
// administrator, when anyone but
// SYSTEM, the Administrators, TrustedInstaller and the user may change the program's folder, its Settings folder, the
// slot's settings file, the template or the command's program (their rights read through the handle they are then
// read from or held by).
TApplyResult ApplyCurrentProfile();
// Applies a profile, which need not be in the store (the settings a revert puts back), to the connection named.
TApplyResult ApplyProfile(const TProfile& profile, const std::string& connection);

// The connection a slot's profiles configure, as the slot names it; empty for a number that names no slot.
std::string ConnectionOfSlot(int slot);

// Whether the program runs as administrator; the tests replace it.
extern bool (*ProgramRunsElevated)();

// The bounds of the script step: a template larger than this is refused, and so is a filled-in text that would
// outgrow the other bound (each line of it may grow to MaxSubstitutedLineLength).
inline constexpr size_t MaxTemplateSize = 16 * 1024 * 1024;
inline constexpr size_t MaxConvertedTemplateLength = 64 * 1024 * 1024;

// The netsh record of a profile's network groups, and whether any of them is applied at all.
struct TNetworkStep {
    TConfData Data;
    bool Applies;
};
TNetworkStep NetworkStepOf(const TProfile& profile);
TNetworkStep NetworkStepOf(const TProfile& profile, const std::string& connection);

// The values netsh would read from the script that are not one value each: in the groups applied with a static source,
// each address, mask, gateway and server that is not a dotted IPv4 address (an empty mask stands for the default
// one), and a connection name that holds a double quote inside it or a control character. Each names its settings key.
std::vector<TApplyProblem> ScriptValueProblems(const TNetworkStep& step);

// The text after `register=` for a profile's registration mode: "none", "primary", "both", or empty.
std::string DNSRegisterText(int registerInDNS);

// Replaces the current profile's script variables in one line of text.
std::string SubstituteVariables(const std::string& line);

// Each variable in list order: every occurrence of its name in the upper-case line is replaced by its value, the
// search going on after the value just inserted. So a name with lower-case letters never matches, the text matches
// in any letter case, a value is inserted once per occurrence even when it holds the name, and a later variable also
// replaces what an earlier value brought in.
std::string SubstituteVariables(const std::string& line, const std::vector<TScriptValue>& variables);
// Whether a variable of that name can ever be replaced: the search is made in the upper-case line, so a name with a
// lower-case letter (or no name at all) is found nowhere.
bool VariableNameCanMatch(const std::string& name);
// Past this length a line takes no more values: a template's variables can otherwise multiply it without bound.
inline constexpr size_t MaxSubstitutedLineLength = 16 * 1024 * 1024;

// The converted template: each line of the template (ended by LF or CR LF; an empty template is one empty line)
// through SubstituteVariables and ended by CR LF. Nothing when it would outgrow MaxConvertedTemplateLength.
std::optional<std::string> ConvertTemplate(const std::string& content, const std::vector<TScriptValue>& variables);

// The profile's template read and filled in with its variables, as the script step copies it; nothing and the problem
// when the template is not an ordinary file of bounded size or the filled-in text would be too large.
std::optional<TApplyProblem> ReadConvertedTemplate(const TScriptsGroup& scripts, std::string& converted);
std::optional<TApplyProblem> ReadConvertedTemplate(const TScriptsGroup& scripts, const platform::TOpenedFile& file,
                                                   std::string& converted);

// The program the profile's command starts: found from the program's own folder, the system's folders and PATH, never
// in the current folder; empty when there is none.
std::string CommandProgram(const std::string& command);

// A file in TempDir.
std::string TempFilePath(const std::string& fileName);
