// Writes the display tables the engine reads at start-up: UTF-16LE with a
// byte-order mark, a heading token, then the entries one a line.
#pragma once

#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace phonwright::data {

// "UnicodeEnglishPhone.txt": phone name and display form per line.
std::error_code WriteEnglishDisplayTable(
    const std::string& path, const std::vector<std::pair<std::u16string, std::u16string>>& entries);

// "UnicodeChinesePhone.txt": one token per line.
std::error_code WriteChineseDisplayTable(const std::string& path,
                                         const std::vector<std::u16string>& entries);

}  // namespace phonwright::data
