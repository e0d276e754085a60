// Save File: the shown command file written back with every sentence, hidden
// ones included, one "0x%X %s\r\n" line each in ascending ID order.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/code_page.h"
#include "platform/system_locale.h"
#include "quillon/app/sentence_map.h"
#include "quillon/recognition/text_language.h"

namespace quillon {

// One line of a command file. Lines of the same ID are all kept, in the
// order given: the reader downloads every one of them.
struct CommandLine {
  std::int32_t id = 0;
  std::u16string text;

  bool operator==(const CommandLine&) const = default;
};

// The lines in ascending ID order, lines of one ID in their given order.
std::u16string CommandFileText(std::vector<CommandLine> lines);
std::u16string CommandFileText(const SentenceMap& sentences);

// The code page the command file reader expects of a file without byte order
// mark on this system: the system's own page on a Chinese system, Big5
// elsewhere (an English system reads such files as Big5 bytes).
platform::CodePage CommandFileCodePage(const platform::SystemLocale& locale);

// The bytes of a command file read in `encoding`, written back: UTF-8 stays
// UTF-8, with its byte order mark when it had one, and also when the text
// without a mark would read as Big5 (so it keeps being read as UTF-8); every
// other file is written in the code page above.
std::string CommandFileBytes(std::u16string_view text, FileEncoding encoding, const platform::SystemLocale& locale);

// Writes the lines to `path` as CommandFileBytes makes them, through a
// sibling file renamed over the original, so a failed write leaves the old
// file whole. No lines write nothing.
std::error_code SaveCommandFile(const std::filesystem::path& path, std::vector<CommandLine> lines,
                                FileEncoding encoding, const platform::SystemLocale& locale);
std::error_code SaveCommandFile(const std::filesystem::path& path, const SentenceMap& sentences,
                                FileEncoding encoding, const platform::SystemLocale& locale);

}  // namespace quillon
