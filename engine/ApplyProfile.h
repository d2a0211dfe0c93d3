// Applying a profile: its IP, DNS, WINS and firewall groups through a netsh script, then its script step (the
// template filled in with the profile's variables, copied to its destination, and the profile's command).
#pragma once

#include "core/Promenne.h"
#include "engine/U_ConfArray.h"

#include <string>
#include <vector>

// The temporary files, in TempDir, overwritten at every application and left in place.
inline constexpr const char* NetshScriptFileName = "norvex.txt";
inline constexpr const char* ConvertedScriptFileName = "norvex.script";

// Applies Profiles[Selection.CurrentProfile]: the network step, then the script step. Nothing is reported; always
// true.
bool ApplyCurrentProfile();

// The netsh record of a profile's network groups, and whether any of them is applied at all.
struct TNetworkStep {
    TConfData Data;
    bool Applies;
};
TNetworkStep NetworkStepOf(const TProfile& profile);

// The text after `register=` for a profile's registration mode: "none", "primary", "both", or empty.
std::string DNSRegisterText(int registerInDNS);

// Replaces the current profile's script variables in one line of text.
std::string SubstituteVariables(const std::string& line);

// Each variable in list order: every occurrence of its name in the upper-case line is replaced by its value, the
// search going on after the value just inserted. So a name with lower-case letters never matches, the text matches
// in any letter case, a value is inserted once per occurrence even when it holds the name, and a later variable also
// replaces what an earlier value brought in.
std::string SubstituteVariables(const std::string& line, const std::vector<TScriptValue>& variables);
// Past this length a line takes no more values: a template's variables can otherwise multiply it without bound.
inline constexpr size_t MaxSubstitutedLineLength = 16 * 1024 * 1024;

// The converted template: each line of the template (ended by LF or CR LF; an empty template is one empty line)
// through SubstituteVariables and ended by CR LF.
std::string ConvertTemplate(const std::string& content, const std::vector<TScriptValue>& variables);

// A file in TempDir.
std::string TempFilePath(const std::string& fileName);
