// The settings reader and writer. Each file is parsed once per read and written in one piece per save.
#include "core/Settings.h"

#include "lang/Language.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <set>

namespace {

WindowSnapshotProvider SnapshotProvider = nullptr;

// The settings files that were there at their last reading but were not read: never overwritten.
std::set<std::string> FilesNotRead;

const char* BoolText(bool value) {
    return value ? "TRUE" : "FALSE";
}

bool ReadsTrue(const std::optional<std::string>& value) {
    return value && UpperAscii(*value) == "TRUE";
}

// Strict decimal with an optional sign, within 32 bits, as the settings writer writes integers.
std::optional<int> ParseInteger(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    size_t start = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (start == text.size())
        return std::nullopt;
    for (size_t i = start; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    errno = 0;
    long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

// One section of one settings file being read, with what it met that the writer never writes.
struct SectionReader {
    const IniFile& Ini;
    std::string File;
    std::string Section;
    std::vector<TSettingsNote>& Notes;

    std::optional<std::string> Value(const std::string& key) const { return Ini.Value(Section, key); }

    std::string Text(const std::string& key) const { return Value(key).value_or(std::string()); }

    bool Bool(const std::string& key) const { return ReadsTrue(Value(key)); }

    int Integer(const std::string& key, int fallback) const {
        std::optional<std::string> value = Value(key);
        if (!value)
            return fallback;
        std::optional<int> number = ParseInteger(*value);
        if (!number) {
            Notes.push_back(
                {TSettingsNote::NotAnInteger, File, Section, key, "'" + *value + "' is not a valid integer value."});
            return fallback;
        }
        return *number;
    }

    // The second key of a pair whose first key is present; a hand-edited file may lack it, and it then reads empty.
    std::string PairSecond(const std::string& firstKey, const std::string& key) const {
        std::optional<std::string> value = Value(key);
        if (!value)
            Notes.push_back({TSettingsNote::PairWithoutSecondKey, File, Section, key,
                             "missing, though " + firstKey + " is present."});
        return value.value_or(std::string());
    }

    // A list runs from suffix 0 up to the first absent key.
    std::vector<std::string> List(const std::string& prefix) const {
        std::vector<std::string> items;
        for (size_t i = 0;; ++i) {
            std::optional<std::string> item = Value(prefix + std::to_string(i));
            if (!item)
                return items;
            items.push_back(std::move(*item));
        }
    }
};

// "PROFILE_2", or "PROFILE_2 to PROFILE_4": the sections from `from` up to, not including, `to`.
std::string MissingSections(int from, int to) {
    return to - from == 1 ? ProfileSectionName(from) : ProfileSectionName(from) + " to " + ProfileSectionName(to - 1);
}

// Each settings file's stamp when the program last read or wrote it, by its path: a file whose stamp differs at
// the next save was changed by someone else in between.
std::map<std::string, platform::FileStamp> KnownStamps;

// Writes a settings file unless the disk already holds that text. A slot file that someone else changed since the
// program read it (`guarded`) keeps their version: false then. A file the program never read is written.
bool WriteSettingsFile(const std::string& path, const std::string& text, bool guarded) {
    const platform::FileStamp now = platform::GetFileStamp(path);
    std::string onDisk;
    if (now.Exists && platform::ReadWholeFile(path, onDisk) && onDisk == text) {
        KnownStamps[path] = now;
        platform::RemoveLeftoversOfWrite(path);
        return true;
    }
    const auto known = KnownStamps.find(path);
    if (guarded && known != KnownStamps.end() && !(known->second == now))
        return false;
    if (platform::WriteFileAtomically(path, text))
        KnownStamps[path] = platform::GetFileStamp(path);
    return true;
}

// The window shows the values that are not integers and the files not read: a missing second key of a pair reads as
// empty.
void AddIntegerMessages(const std::vector<TSettingsNote>& notes, std::vector<std::string>& messages) {
    for (const TSettingsNote& note : notes)
        if (note.What == TSettingsNote::NotAnInteger)
            messages.push_back(note.Text);
        else if (note.What == TSettingsNote::FileNotRead)
            messages.push_back(SettingsDir + note.File + ": " + note.Text);
}

void ReadProfile(TProfile& p, const SectionReader& r) {
    p.Icon = r.Integer("ICON", 4);
    p.OnOff.Apply = r.Bool("ONOFF_APPLY");
    p.OnOff.Command = r.Integer("ONOFF_COMMAND", 0);
    p.Scripts.Apply = r.Bool("SCRIPTS_APPLY");
    p.Scripts.SourcePath = r.Text("SCRIPTS_SOURCEPATH");
    p.Scripts.DestinationPath = r.Text("SCRIPTS_DESTINATIONPATH");
    p.Scripts.Command = r.Text("SCRIPTS_COMMAND");
    for (size_t i = 0;; ++i) {
        std::string suffix = std::to_string(i);
        const std::string variableKey = "SCRIPTS_SCRIPTSVALUES_VARIABLE_" + suffix;
        std::optional<std::string> variable = r.Value(variableKey);
        if (!variable)
            break;
        p.Scripts.ScriptsValues.push_back(
            {std::move(*variable), r.PairSecond(variableKey, "SCRIPTS_SCRIPTSVALUES_VALUE_" + suffix)});
    }
    p.IP.Apply = r.Bool("IP_APPLY");
    p.IP.SourceType = r.Integer("IP_SOURCETYPE", 0);
    for (size_t i = 0;; ++i) {
        std::string suffix = std::to_string(i);
        const std::string addressKey = "IP_ADRESSES_ADDRESS_" + suffix;
        std::optional<std::string> address = r.Value(addressKey);
        if (!address)
            break;
        p.IP.Adresses.push_back({std::move(*address), r.PairSecond(addressKey, "IP_ADRESSES_MASK_" + suffix)});
    }
    p.IP.Gateways = r.List("IP_GATEWAYS_");
    p.DNS.Apply = r.Bool("DNS_APPLY");
    p.DNS.SourceType = r.Integer("DNS_SOURCETYPE", 0);
    p.DNS.RegisterInDNS = r.Integer("DNS_REGISTERINDNS", 0);
    p.DNS.Adresses = r.List("DNS_ADRESSES_");
    p.WINS.Apply = r.Bool("WINS_APPLY");
    p.WINS.SourceType = r.Integer("WINS_SOURCETYPE", 0);
    p.WINS.Adresses = r.List("WINS_ADRESSES_");
    p.Firewall.Apply = r.Bool("FIREWALL_APPLY");
    p.Firewall.EnableFirewall = r.Bool("FIREWALL_ENABLEFIREWALL");
    p.Firewall.EnableExceptions = r.Bool("FIREWALL_ENABLEEXCEPTIONS");
    p.Firewall.EnableDialogs = r.Bool("FIREWALL_ENABLEDIALOGS");
    p.Keep.Ask = r.Bool("KEEP_ASK");
    p.Keep.Seconds = KeepSecondsWithinBounds(r.Integer("KEEP_SECONDS", KeepSecondsDefault));
}

// The reader takes one pair of matching quotes off a value and drops blanks at its ends. So a value that is itself
// quoted (a connection name stored as "Local Area Connection") or that starts or ends with a blank (a profile name
// typed " Home") gets one pair of quotes more, and is read back whole; files stay readable by earlier versions.
bool ChangesWhenRead(const std::string& value) {
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    return quoted || TrimIniBlanks(value).size() != value.size();
}

void AddLine(std::string& out, const std::string& key, const std::string& value) {
    out += key;
    out += '=';
    if (ChangesWhenRead(value)) {
        out += '"';
        out += value;
        out += '"';
    } else {
        out += value;
    }
    out += "\r\n";
}

void AddList(std::string& out, const std::string& prefix, const std::vector<std::string>& items) {
    for (size_t i = 0; i < items.size(); ++i)
        AddLine(out, prefix + std::to_string(i), items[i]);
}

void AddProfile(std::string& out, int number, const TProfile& p) {
    out += "\r\n[PROFILE_" + std::to_string(number) + "]\r\n";
    AddLine(out, "NAME", p.Name);
    AddLine(out, "ICON", std::to_string(p.Icon));
    AddLine(out, "ONOFF_APPLY", BoolText(p.OnOff.Apply));
    AddLine(out, "ONOFF_COMMAND", std::to_string(p.OnOff.Command));
    AddLine(out, "SCRIPTS_APPLY", BoolText(p.Scripts.Apply));
    AddLine(out, "SCRIPTS_SOURCEPATH", p.Scripts.SourcePath);
    AddLine(out, "SCRIPTS_DESTINATIONPATH", p.Scripts.DestinationPath);
    AddLine(out, "SCRIPTS_COMMAND", p.Scripts.Command);
    for (size_t i = 0; i < p.Scripts.ScriptsValues.size(); ++i) {
        AddLine(out, "SCRIPTS_SCRIPTSVALUES_VARIABLE_" + std::to_string(i), p.Scripts.ScriptsValues[i].Variable);
        AddLine(out, "SCRIPTS_SCRIPTSVALUES_VALUE_" + std::to_string(i), p.Scripts.ScriptsValues[i].Value);
    }
    out += AddressGroupLines(p.IP, p.DNS, p.WINS);
    AddLine(out, "FIREWALL_APPLY", BoolText(p.Firewall.Apply));
    AddLine(out, "FIREWALL_ENABLEFIREWALL", BoolText(p.Firewall.EnableFirewall));
    AddLine(out, "FIREWALL_ENABLEEXCEPTIONS", BoolText(p.Firewall.EnableExceptions));
    AddLine(out, "FIREWALL_ENABLEDIALOGS", BoolText(p.Firewall.EnableDialogs));
    // Keys earlier versions do not know, after all of theirs, and only where they say something: a profile without
    // the question is written as those versions write it.
    if (p.Keep != TKeepGroup()) {
        AddLine(out, "KEEP_ASK", BoolText(p.Keep.Ask));
        AddLine(out, "KEEP_SECONDS", std::to_string(p.Keep.Seconds));
    }
}

} // namespace

std::string AddressGroupLines(const TIPGroup& ip, const TDNSGroup& dns, const TWINSGroup& wins) {
    std::string out;
    AddLine(out, "IP_APPLY", BoolText(ip.Apply));
    AddLine(out, "IP_SOURCETYPE", std::to_string(ip.SourceType));
    for (size_t i = 0; i < ip.Adresses.size(); ++i) {
        AddLine(out, "IP_ADRESSES_ADDRESS_" + std::to_string(i), ip.Adresses[i].Address);
        AddLine(out, "IP_ADRESSES_MASK_" + std::to_string(i), ip.Adresses[i].Mask);
    }
    AddList(out, "IP_GATEWAYS_", ip.Gateways);
    AddLine(out, "DNS_APPLY", BoolText(dns.Apply));
    AddLine(out, "DNS_SOURCETYPE", std::to_string(dns.SourceType));
    // The registration mode stands before the server list in the file, though it follows it in the record.
    AddLine(out, "DNS_REGISTERINDNS", std::to_string(dns.RegisterInDNS));
    AddList(out, "DNS_ADRESSES_", dns.Adresses);
    AddLine(out, "WINS_APPLY", BoolText(wins.Apply));
    AddLine(out, "WINS_SOURCETYPE", std::to_string(wins.SourceType));
    AddList(out, "WINS_ADRESSES_", wins.Adresses);
    return out;
}

void SetWindowSnapshotProvider(WindowSnapshotProvider provider) {
    SnapshotProvider = provider;
}

TWindowSnapshot CurrentWindowSnapshot() {
    if (SnapshotProvider != nullptr)
        return SnapshotProvider();
    TWindowSnapshot window;
    window.Left = WindowState.Left;
    window.Top = WindowState.Top;
    window.Height = WindowState.Height;
    window.Width = WindowState.Width;
    window.Iconized = WindowState.Iconized;
    window.SelectPanel = WindowState.SelectPanel;
    window.TrayHidden = WindowState.Minimalized;
    for (int n = 1; n <= SlotCount; ++n)
        window.SlotIconized[static_cast<size_t>(n)] = Interfaces[static_cast<size_t>(n)].Iconized;
    return window;
}

std::string ProfileSectionName(int number) {
    return "PROFILE_" + std::to_string(number);
}

std::vector<int> ProfileSectionNumbers(const IniFile& ini) {
    const std::string prefix = "profile_";
    std::vector<int> numbers;
    for (const std::string& name : ini.SectionNames()) {
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        // Only the number as the writer writes it: decimal, from 1, without leading zeros.
        const std::string digits = name.substr(prefix.size());
        if (digits.empty() || digits.size() > 10 || digits[0] == '0' ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const long long number = std::stoll(digits);
        if (number <= INT32_MAX)
            numbers.push_back(static_cast<int>(number));
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::string SlotFileName(int slot) {
    return "LAN" + std::to_string(slot) + ".ini";
}

std::string WindowFilePath() {
    return SettingsDir + WindowFileName;
}

std::string SlotFilePath(int slot) {
    return SettingsDir + SlotFileName(slot);
}

void ReadWindowFile(const IniFile& ini, std::vector<TSettingsNote>& notes) {
    SectionReader r{ini, WindowFileName, "WINDOW", notes};
    WindowState.Left = r.Integer("LEFT", 0);
    WindowState.Top = r.Integer("TOP", 0);
    WindowState.Height = r.Integer("HEIGHT", 490);
    WindowState.Width = r.Integer("WIDTH", 250);
    // The information page is iconic unless the file says FALSE.
    std::optional<std::string> iconized = r.Value("ICONIZED");
    WindowState.Iconized = !(iconized && UpperAscii(*iconized) == "FALSE");
    // The page is taken only as one of the six texts "0" to "5"; anything else shows the information page.
    std::string panel = r.Text("SELECTPANEL");
    WindowState.SelectPanel = (panel.size() == 1 && panel[0] >= '0' && panel[0] <= '5') ? panel[0] - '0' : 0;
    WindowState.Minimalized = r.Bool("MINIMALIZED");
}

std::vector<int> ReadSlotFile(int slot, const IniFile& ini, std::vector<TSettingsNote>& notes) {
    const std::string file = SlotFileName(slot);
    SectionReader lan{ini, file, "LAN", notes};
    TInterfaceSlot& s = Interfaces[static_cast<size_t>(slot)];
    std::optional<std::string> name = lan.Value("NAME");
    s.Name = name ? *name : ReadLanguageKey("DEFAULT_LANS", "NAME", "GUI");
    std::optional<std::string> caption = lan.Value("CAPTION");
    s.Caption = caption ? *caption : ReadLanguageKey("DEFAULT_LANS", "CAPTION", "GUI");
    std::optional<std::string> connection = lan.Value("INTERFACE");
    s.Interface = connection ? *connection : ReadLanguageKey("DEFAULT_LANS", "INTERFACE", "GUI");
    s.Icon = lan.Integer("ICON", slot);
    s.Iconized = lan.Bool("ICONIZED");

    // Every profile section is read, in number order: a section deleted by hand ends nothing, and a section
    // without NAME keeps its settings under an empty name. The writer numbers them 1, 2, 3 again.
    int expected = 1;
    int position = 0;
    const std::vector<int> sections = ProfileSectionNumbers(ini);
    for (int k : sections) {
        ++position;
        const std::string name = ProfileSectionName(k);
        SectionReader section{ini, file, name, notes};
        if (k != expected)
            notes.push_back({TSettingsNote::ProfileNumberGap, file, name, "",
                             "read as profile " + std::to_string(position) + ", as " + MissingSections(expected, k) +
                                 " is missing; the next save numbers the profiles 1, 2, 3 again."});
        std::optional<std::string> profileName = section.Value("NAME");
        if (!profileName)
            notes.push_back({TSettingsNote::ProfileWithoutName, file, name, "NAME", "missing: read as an empty name."});
        TProfile& p = Profiles[static_cast<size_t>(AppendProfile())];
        p.Deleted = false;
        p.InterfaceNo = slot;
        p.Name = profileName.value_or(std::string());
        ReadProfile(p, section);
        expected = k + 1;
    }
    return sections;
}

void ReadWindowFile(const IniFile& ini, std::vector<std::string>& messages) {
    std::vector<TSettingsNote> notes;
    ReadWindowFile(ini, notes);
    AddIntegerMessages(notes, messages);
}

void ReadSlotFile(int slot, const IniFile& ini, std::vector<std::string>& messages) {
    std::vector<TSettingsNote> notes;
    ReadSlotFile(slot, ini, notes);
    AddIntegerMessages(notes, messages);
}

std::shared_ptr<const IniFile> LoadSettingsFile(const std::string& fileName, std::vector<TSettingsNote>& notes) {
    // The stamp is taken first: a change during the read counts as a change.
    KnownStamps[SettingsDir + fileName] = platform::GetFileStamp(SettingsDir + fileName);
    std::string refusal;
    std::shared_ptr<const IniFile> ini = LoadIniFile(SettingsDir + fileName, &refusal);
    if (refusal.empty()) {
        FilesNotRead.erase(fileName);
    } else {
        FilesNotRead.insert(fileName);
        notes.push_back({TSettingsNote::FileNotRead, fileName, "", "",
                         "not read, as " + refusal + "; Norvex leaves the file as it is."});
    }
    return ini;
}

TSlotSections ReadSlotFiles(std::vector<TSettingsNote>& notes) {
    Profiles.clear();
    TSlotSections sections;
    for (int n = 1; n <= SlotCount; ++n)
        sections[static_cast<size_t>(n)] = ReadSlotFile(n, *LoadSettingsFile(SlotFileName(n), notes), notes);
    return sections;
}

std::vector<std::string> LoadSettings(int mode) {
    std::vector<std::string> messages;
    if (mode == 0) {
        std::vector<TSettingsNote> notes;
        ReadWindowFile(*LoadSettingsFile(WindowFileName, notes), notes);
        AddIntegerMessages(notes, messages);
    } else if (mode == 1) {
        platform::ForceDirectories(SettingsDir);
        std::vector<TSettingsNote> notes;
        ReadSlotFiles(notes);
        AddIntegerMessages(notes, messages);
    }
    return messages;
}

std::string WindowFileText(const TWindowSnapshot& window) {
    std::string out = "[WINDOW]\r\n";
    AddLine(out, "LEFT", std::to_string(window.Left));
    AddLine(out, "TOP", std::to_string(window.Top));
    AddLine(out, "HEIGHT", std::to_string(window.Height));
    AddLine(out, "WIDTH", std::to_string(window.Width));
    AddLine(out, "ICONIZED", BoolText(window.Iconized));
    AddLine(out, "SELECTPANEL", std::to_string(window.SelectPanel));
    AddLine(out, "MINIMALIZED", BoolText(window.TrayHidden));
    out += "\r\n";
    return out;
}

std::string SlotFileText(int slot, bool iconized) {
    const TInterfaceSlot& s = Interfaces[static_cast<size_t>(slot)];
    std::string out = "[LAN]\r\n";
    AddLine(out, "NAME", s.Name);
    AddLine(out, "CAPTION", s.Caption);
    AddLine(out, "INTERFACE", s.Interface);
    AddLine(out, "ICON", std::to_string(s.Icon));
    AddLine(out, "ICONIZED", BoolText(iconized));
    int number = 0;
    for (const TProfile& p : Profiles)
        if (p.InterfaceNo == slot && !p.Deleted)
            AddProfile(out, ++number, p);
    out += "\r\n";
    return out;
}

std::vector<std::string> SaveSettings() {
    return SaveSettings(CurrentWindowSnapshot());
}

std::vector<std::string> SaveSettings(const TWindowSnapshot& window) {
    platform::ForceDirectories(SettingsDir);
    if (!FilesNotRead.count(WindowFileName))
        WriteSettingsFile(WindowFilePath(), WindowFileText(window), false);
    std::vector<std::string> keptAsChanged;
    for (int n = 1; n <= SlotCount; ++n)
        if (!FilesNotRead.count(SlotFileName(n)) &&
            !WriteSettingsFile(SlotFilePath(n), SlotFileText(n, window.SlotIconized[static_cast<size_t>(n)]), true))
            keptAsChanged.push_back(SlotFileName(n));
    return keptAsChanged;
}
