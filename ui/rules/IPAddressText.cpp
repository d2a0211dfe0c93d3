// Setting the text of the four-field IP address entry.
#include "ui/rules/IPAddressText.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A piece is an integer when, blanks at both ends aside, it is an optional sign and at least one decimal digit,
// within the signed 32 bits every integer of the program has. Leading zeros do not make it octal. Anything else
// (empty, a lone sign, other characters, a value past 32 bits) is not an integer.
std::optional<std::int32_t> PieceValue(std::string_view piece) {
    while (!piece.empty() && IsBlank(piece.front()))
        piece.remove_prefix(1);
    while (!piece.empty() && IsBlank(piece.back()))
        piece.remove_suffix(1);
    bool negative = false;
    if (!piece.empty() && (piece.front() == '+' || piece.front() == '-')) {
        negative = piece.front() == '-';
        piece.remove_prefix(1);
    }
    if (piece.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : piece) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::int64_t{INT32_MAX} + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// The low eight bits, so 300 gives 44 and -1 gives 255.
int Octet(std::string_view piece) {
    std::uint32_t bits = static_cast<std::uint32_t>(PieceValue(piece).value_or(0));
    return static_cast<int>(bits & 0xFF);
}

} // namespace

std::string ConvertIPAddressText(const std::string& text) {
    // The first three dots split the text; the fourth piece keeps any further dots (and is then no integer).
    std::string_view rest = text;
    int octets[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        size_t dot = i < 3 ? rest.find('.') : std::string_view::npos;
        octets[i] = Octet(rest.substr(0, dot));
        rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d.%d.%d.%d", octets[0], octets[1], octets[2], octets[3]);
    return buffer;
}
