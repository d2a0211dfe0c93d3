// norvex-cli: list, preview, check and apply Norvex profiles without the window.
#include "cli/Commands.h"
#include "platform/Platform.h"

#include <iostream>

int main(int argc, char** argv) {
    platform::RestrictLibrarySearch();
    // A script goes out byte for byte.
    platform::SetBinaryStandardOutput();
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int code = RunCli(args, std::cout, std::cerr, &std::cin);
    std::cout.flush();
    return code;
}
