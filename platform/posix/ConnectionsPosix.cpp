// The machine's connections on POSIX: Norvex configures Windows connections, and a Linux host's interfaces (eth0,
// with no DHCP, DNS or WINS of their own to report) would match no profile. Nothing is read; the tests read a
// stand-in file instead.
#include "platform/Connections.h"

#include "platform/Platform.h"

namespace platform {

MachineSnapshot ReadMachineSnapshot(bool /*withFirewall*/) {
    return MachineSnapshot();
}

bool Utf16ToSystemCodePageExactly(const std::u16string& utf16, std::string& converted) {
    // The code page is UTF-8, which has a place for every character: only half a surrogate pair has none.
    for (size_t i = 0; i < utf16.size(); ++i) {
        const char16_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            converted.clear();
            return false;
        }
    }
    converted = Utf16ToSystemCodePage(utf16);
    return true;
}

} // namespace platform
