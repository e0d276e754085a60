#include "quillon/recognition/result_code_text.h"

#include <array>
#include <cstdio>
#include <utility>

#include "quillon/recognition/result_codes.h"

namespace quillon {
namespace {

constexpr std::array<std::pair<ResultCode, const char*>, 23> kDescriptions = {{
    {kSuccess, "success"},
    {kFileEmpty, "a configured file is empty"},
    {kFileOpenFailed, "a file cannot be opened while the image is filled"},
    {kResultTooManyEntries, "more than 50000 entries"},
    {kResultLengthMismatch, "the filled image differs from its layout"},
    {kResultMcuImageTooLarge, "the MCU image does not fit below 0x6000"},
    {kResultImageTooLarge, "the image would cover more than 65535 blocks of 64 KB"},
    {kResultCommandFileTooLarge, "a command file is larger than 8 MiB"},
    {kResultTooManyLines, "a command file has more than 65536 lines"},
    {kResultFileMissing, "a configured file does not exist"},
    {kResultMcuImageUnreadable, "the MCU image cannot be opened"},
    {kResultDspImageUnreadable, "the DSP image cannot be opened"},
    {kResultImageFileUnreadable, "a dynamic image or voice file cannot be opened"},
    {kResultCommandFileUnreadable, "a command file cannot be opened"},
    {kResultGroupIdOutOfRange, "a GroupID is outside 0 to 63"},
    {kResultTooManySentences, "a command file has more than 2000 sentences"},
    {kResultNoSentence, "a command file has no sentence"},
    {kResultSentenceCountMismatch, "a command file parsed to fewer sentences than it counts"},
    {kResultUndecodableText, "a command file cannot be decoded"},
    {kResultSentenceRefused, "a sentence fails the content check or gives no unit codes"},
    {kResultSentenceBlockTooLarge, "a sentence would take more than 512 bytes"},
    {kResultGroupDataTooLarge, "a command file's group data would exceed 16384 bytes"},
    {kResultLanguageConflict, "a command file's language does not fit the language settings"},
}};

}  // namespace

std::string DescribeResultCode(ResultCode code) {
  char number[16];
  std::snprintf(number, sizeof number, "0x%04X", static_cast<unsigned>(code));
  for (const auto& [known, text] : kDescriptions) {
    if (known == code) return std::string(number) + ": " + text;
  }
  return number;
}

}  // namespace quillon
