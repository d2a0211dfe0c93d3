// Scratch folders for tests.
#include "TestFolders.h"

#include "core/Promenne.h"
#include "core/Startup.h"
#include "lang/Language.h"
#include "platform/Platform.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
std::atomic<int> Counter{0};

std::string Native(const std::string& relative) {
    std::string path = relative;
    for (char& c : path)
        if (c == '/')
            c = platform::PathSeparator();
    return path;
}
} // namespace

ScratchFolder::ScratchFolder() {
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path root =
        fs::temp_directory_path() / ("norvex-test-" + std::to_string(stamp) + "-" + std::to_string(Counter++));
    fs::create_directories(root);
    Root = root.string();
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(Root, ignored);
}

std::string ScratchFolder::File(const std::string& relative) const {
    return Root + platform::PathSeparator() + Native(relative);
}

void ScratchFolder::Write(const std::string& relative, const std::string& bytes) const {
    fs::path path(File(relative));
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ScratchFolder::Read(const std::string& relative) const {
    std::ifstream in(File(relative), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool ScratchFolder::Exists(const std::string& relative) const {
    return fs::exists(File(relative));
}

void PointStoreAt(const ScratchFolder& folder) {
    CloseIniFile();
    ResolveFolders(folder.File("Norvex.exe"));
    ResetStore();
    Interfaces = {};
    WindowState = TWindowState();
    Selection = TSelection();
}

void WriteLanguageFile(const ScratchFolder& folder, const std::string& bytes) {
    folder.Write("Language/GUI.ini", bytes);
}
