// A stand-in for netsh and for a profile's command in the tests: it appends the arguments it was started with to the
// file NORVEX_RECORD names, on Windows also the wait window it finds by the caption NORVEX_RECORD_WINDOW gives and
// whether each file NORVEX_RECORD_OPEN names ('*' between them) opens for reading and for writing; it prints the line
// of NORVEX_RECORD_PRINT on its standard output and that of NORVEX_RECORD_PRINT_ERROR on its standard error, as netsh
// prints what it makes of a script; it ends with the exit code of NORVEX_RECORD_EXIT (0 without it).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

#ifdef _WIN32
// Read without sending a message: the program that shows the window handles none while it waits for this one.
std::string DescribeWindow(const std::string& caption) {
    HWND window = FindWindowA(nullptr, caption.c_str());
    if (window == nullptr || !IsWindowVisible(window))
        return "none";
    RECT bounds;
    GetWindowRect(window, &bounds);
    HWND textBox = FindWindowExA(window, nullptr, "Static", nullptr);
    return std::to_string(bounds.right - bounds.left) + "x" + std::to_string(bounds.bottom - bounds.top) +
           (textBox != nullptr && IsWindowVisible(textBox) ? " with text box" : " without text box");
}

// Whether the file opens for that access, shared as a C library's fopen shares it.
const char* Opens(const char* path, DWORD access) {
    HANDLE file = CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "refused";
    CloseHandle(file);
    return "allowed";
}
#endif

} // namespace

int main(int argc, char** argv) {
    const std::string record = Environment("NORVEX_RECORD");
    if (!record.empty()) {
        std::ofstream out(record, std::ios::binary | std::ios::app);
        out << "run\n";
        for (int i = 1; i < argc; ++i)
            out << "arg " << argv[i] << "\n";
#ifdef _WIN32
        const std::string caption = Environment("NORVEX_RECORD_WINDOW");
        if (!caption.empty())
            out << "window " << DescribeWindow(caption) << "\n";
        const std::string files = Environment("NORVEX_RECORD_OPEN");
        for (size_t from = 0; from < files.size();) {
            size_t end = files.find('*', from);
            end = end == std::string::npos ? files.size() : end;
            const std::string file = files.substr(from, end - from);
            out << "read " << Opens(file.c_str(), GENERIC_READ) << "\nwrite " << Opens(file.c_str(), GENERIC_WRITE)
                << "\n";
            from = end + 1;
        }
#endif
    }
    const std::string printed = Environment("NORVEX_RECORD_PRINT");
    if (!printed.empty()) {
        std::printf("%s\n", printed.c_str());
        std::fflush(stdout);
    }
    const std::string error = Environment("NORVEX_RECORD_PRINT_ERROR");
    if (!error.empty())
        std::fprintf(stderr, "%s\n", error.c_str());
    const std::string exitCode = Environment("NORVEX_RECORD_EXIT");
    return exitCode.empty() ? 0 : std::atoi(exitCode.c_str());
}
