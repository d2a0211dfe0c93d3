// Fuzzes the IP address entry's text conversion: any text gives four numbers from 0 to 255, and setting that
// result again changes nothing.
#include "FuzzCheck.h"
#include "ui/rules/IPAddressText.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Four decimal numbers from 0 to 255 without leading zeros, joined by dots.
bool IsDottedQuad(const std::string& text) {
    size_t pos = 0;
    for (int field = 0; field < 4; ++field) {
        if (field > 0) {
            if (pos >= text.size() || text[pos] != '.')
                return false;
            ++pos;
        }
        size_t begin = pos;
        int value = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - begin < 3)
            value = value * 10 + (text[pos++] - '0');
        size_t digits = pos - begin;
        if (digits == 0 || value > 255 || (digits > 1 && text[begin] == '0'))
            return false;
    }
    return pos == text.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string shown = ConvertIPAddressText(text);
    FuzzCheck(IsDottedQuad(shown), "the entry shows four numbers from 0 to 255");
    FuzzCheck(ConvertIPAddressText(shown) == shown, "a shown address set again stays as it is");
    if (IsDottedQuad(text))
        FuzzCheck(shown == text, "a well-formed address is kept");
    return 0;
}
