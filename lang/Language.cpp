// The language lookup: the language file stays open across lookups and is parsed again only when it changes.
#include "lang/Language.h"

#include "core/Folders.h"

TIniFileSlot CurrentIniFile;
std::string CurrentIniName;

namespace {

std::string LanguageRefusal;

std::string FileNamePart(const std::string& path) {
    size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

// A language file that is there but is not read reads as one without keys; LanguageFileRefusal tells why.
std::shared_ptr<const IniFile> LoadLanguageFile(const std::string& path) {
    std::string refusal;
    std::shared_ptr<const IniFile> content = LoadIniFile(path, &refusal);
    LanguageRefusal = refusal.empty() ? std::string() : path + " was not read, as " + refusal + ".";
    return content;
}

void OpenIniFile(const std::string& path, const platform::FileStamp& stamp, const std::string& name, bool language) {
    CurrentIniFile.Path = path;
    CurrentIniFile.Stamp = stamp;
    CurrentIniFile.Content = language ? LoadLanguageFile(path) : LoadIniFile(path);
    CurrentIniName = name;
}

// The open file is read with its current content: parsed again when it has changed on disk since it was parsed.
const IniFile& CurrentContent(bool language) {
    platform::FileStamp stamp = platform::GetFileStamp(CurrentIniFile.Path);
    if (!(stamp == CurrentIniFile.Stamp)) {
        CurrentIniFile.Stamp = stamp;
        CurrentIniFile.Content = language ? LoadLanguageFile(CurrentIniFile.Path) : LoadIniFile(CurrentIniFile.Path);
    }
    return *CurrentIniFile.Content;
}

// Replaces each occurrence of the placeholder, searching on after the text just inserted.
std::string ExpandPlaceholder(const std::string& text, const std::string& placeholder, std::string (*now)()) {
    std::string result = text;
    size_t from = 0;
    for (;;) {
        size_t at = UpperAscii(result).find(placeholder, from);
        if (at == std::string::npos)
            return result;
        std::string value = now();
        result.replace(at, placeholder.size(), value);
        from = at + value.size();
    }
}

} // namespace

std::shared_ptr<const IniFile> LoadIniFile(const std::string& path, std::string* refusal) {
    std::string bytes;
    std::string reason;
    switch (platform::ReadRegularFile(path, MaxIniFileSize, bytes)) {
    case platform::ReadFileResult::Ok:
    case platform::ReadFileResult::Missing:
        break;
    case platform::ReadFileResult::TooLarge:
        reason = "it is larger than 16 MiB";
        break;
    case platform::ReadFileResult::NotRegular:
        // A folder in place of the file is as good as no file; a pipe or a device is refused.
        if (!platform::DirectoryExists(path))
            reason = "it is not an ordinary file";
        break;
    case platform::ReadFileResult::Unreadable:
        reason = "it could not be read";
        break;
    }
    if (refusal != nullptr)
        *refusal = reason;
    return std::make_shared<const IniFile>(IniFile::Parse(std::move(bytes)));
}

std::string LanguageFileRefusal() {
    return LanguageRefusal;
}

void CloseIniFile() {
    CurrentIniFile = TIniFileSlot();
    CurrentIniName.clear();
    LanguageRefusal.clear();
}

std::string ReadLanguageKey(const std::string& section, const std::string& key, const std::string& languageName) {
    if (CurrentIniName != languageName || !CurrentIniFile.Content) {
        CloseIniFile();
        std::string path = LanguageDir + platform::PathSeparator() + languageName + ".ini";
        platform::FileStamp stamp = platform::GetFileStamp(path);
        if (!stamp.Exists)
            return LanguageErrorText;
        OpenIniFile(path, stamp, languageName, true);
    }
    const IniFile& content = CurrentContent(true);
    // A language file that is there but was not read answers as a missing one does.
    if (!LanguageRefusal.empty())
        return LanguageErrorText;
    std::optional<std::string> text = content.Value(section, key);
    if (!text)
        return FallbackMarker + section;
    return ExpandDateTime(*text);
}

std::string ReadSettingsKey(const std::string& section, const std::string& key, const std::string& filePath) {
    CloseIniFile();
    platform::FileStamp stamp = platform::GetFileStamp(filePath);
    if (!stamp.Exists)
        return LanguageErrorText;
    OpenIniFile(filePath, stamp, FileNamePart(filePath), false);
    std::optional<std::string> text = CurrentIniFile.Content->Value(section, key);
    if (!text)
        return FallbackMarker + section + " - " + key;
    return *text;
}

std::string ExpandDateTime(const std::string& text) {
    if (text.find('$') == std::string::npos)
        return text;
    return ExpandPlaceholder(ExpandPlaceholder(text, "$DATE$", platform::CurrentShortDate), "$TIME$",
                             platform::CurrentLongTime);
}

std::string FillPlaceholder(const std::string& text, const std::string& placeholder, const std::string& value) {
    std::string out;
    size_t from = 0;
    for (size_t found; (found = text.find(placeholder, from)) != std::string::npos; from = found + placeholder.size())
        out.append(text, from, found - from).append(value);
    return out.append(text, from, std::string::npos);
}
