// Scratch folders for tests, and pointing the store's folders at one.
#pragma once

#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it when the test ends.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's path without a trailing separator.
    const std::string& Path() const { return Root; }
    // Path of a file or folder inside, given with '/' between parts.
    std::string File(const std::string& relative) const;
    void Write(const std::string& relative, const std::string& bytes) const;
    std::string Read(const std::string& relative) const;
    bool Exists(const std::string& relative) const;

private:
    std::string Root;
};

// Sets ExeDir, LanguageDir, SettingsDir and TempDir as if the executable lay in the folder, and resets the store.
void PointStoreAt(const ScratchFolder& folder);

// The language file of a test: written to Language/GUI.ini of the folder.
void WriteLanguageFile(const ScratchFolder& folder, const std::string& bytes);
