// The little JSON that norvex-cli writes: string literals with their escapes; the documents are put together by hand.
#pragma once

#include <string>
#include <string_view>

// A JSON string literal, quotes included: quotes, backslashes and control characters escaped. The text must be UTF-8;
// every other byte is written as it is.
std::string JsonString(std::string_view utf8);
