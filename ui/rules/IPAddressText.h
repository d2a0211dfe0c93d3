// The text of the four-field IP address entry: whatever is set, the entry shows four numbers from 0 to 255.
#pragma once

#include <string>

// The text the entry shows after `text` is set: split at the first three dots, each piece taken as a decimal
// integer (0 when it is not one) reduced to its low eight bits, formatted "%d.%d.%d.%d".
std::string ConvertIPAddressText(const std::string& text);
