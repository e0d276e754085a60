// Measuring and building the group data of one command file (the layout is in
// group_data_encoder.h). Both read and decode the file; measuring converts
// every sentence line without the content checks, building parses it with all
// of them. Give both the same MemoizingSentenceConverter to convert each
// sentence once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "platform/system_locale.h"
#include "quillon/recognition/language_settings.h"
#include "quillon/recognition/result_codes.h"
#include "quillon/recognition/sentence_converter.h"

namespace quillon {

struct GroupMeasure {
  ResultCode code = kSuccess;
  std::size_t size = 0;  // rounded up to a multiple of 4
};

// Codes: 0; 0x5013 cannot be opened; 0x5002 empty; 0x5018 not decodable;
// 0x5015 more than 2000 sentences; 0x5016 none; 0x501B more than 16384 bytes.
GroupMeasure MeasureGroupData(const std::filesystem::path& commandFile, SentenceConverter& converter,
                              platform::LanguageId systemLanguage);

// Builds the group data into `out` (the measured size, zero-filled). Codes: 0;
// 0x5003 cannot be opened; 0x5002 empty; 0x5018 not decodable; 0x5015 more
// than 2000 sentences; 0x5019 a sentence refused; 0x5017 fewer sentences
// parsed than counted; and those of EncodeGroupSentences.
ResultCode BuildGroupData(const std::filesystem::path& commandFile, const LanguageSettings& settings,
                   SentenceConverter& converter, platform::LanguageId systemLanguage, std::span<std::uint8_t> out);

}  // namespace quillon
