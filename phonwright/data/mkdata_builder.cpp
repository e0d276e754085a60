#include "phonwright/data/mkdata_builder.h"

#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "phonwright/core/character_zhuyin_layout.h"
#include "phonwright/data/c2zy_writer.h"
#include "phonwright/data/context_unit_model_writer.h"
#include "phonwright/data/display_table_writer.h"
#include "phonwright/data/english_dictionary_writer.h"
#include "phonwright/data/mkdata_chewing_phrases.h"
#include "phonwright/data/mkdata_chinese_lexicon.h"
#include "phonwright/data/mkdata_cmu_dictionary.h"
#include "phonwright/data/mkdata_context_units.h"
#include "phonwright/data/mkdata_display_forms.h"
#include "phonwright/data/mkdata_segmentation_entries.h"
#include "phonwright/data/mkdata_source_file.h"
#include "phonwright/data/mkdata_unihan.h"
#include "phonwright/data/segmentation_dictionary_writer.h"
#include "platform/atomic_file.h"
#include "platform/code_page.h"

namespace phonwright::mkdata {
namespace {

void Check(std::error_code error, const std::filesystem::path& path) {
  if (error) throw std::system_error(error, "cannot write " + path.string());
}

std::string Utf8Of(std::string_view big5) {
  return platform::Utf16ToUtf8(platform::ToUtf16(platform::kCodePageBig5, big5));
}

std::string ZhuyinUtf8(const std::vector<zhuyin::Reading>& reading) {
  std::string text;
  for (const auto& syllable : reading) {
    if (!text.empty()) text += ' ';
    text += Utf8Of(zhuyin::FormatReading(syllable));
  }
  return text;
}

// "phrase<TAB>zhuyin" in UTF-8, one phrase a line.
std::string HeldOutText(const std::vector<Big5Phrase>& phrases) {
  std::string text;
  for (const auto& phrase : phrases) text += Utf8Of(phrase.big5) + '\t' + ZhuyinUtf8(phrase.reading) + '\n';
  return text;
}

std::string WriteChinese(const DataSources& sources, const std::filesystem::path& out) {
  const auto chewing = ReadChewingPhrases(sources.chewingDirectory / "index_tree.dat",
                                          sources.chewingDirectory / "dictionary.dat");
  const auto unihan = ParseUnihanMandarin(ReadBzip2File(sources.unihanReadings));
  const ChineseLexicon lexicon = BuildChineseLexicon(chewing, unihan);

  CharacterZhuyinTableWriter table;
  std::size_t unpackable = 0;
  for (const auto& [character, reading] : lexicon.characters) unpackable += !table.Set(character, reading);
  Check(table.Write(out / "c2zy.tbl"), out / "c2zy.tbl");

  const SegmentationSelection selection = SelectSegmentationEntries(lexicon);
  Check(WriteClassNames(out / "classID", selection.classNames), out / "classID");
  Check(WriteSegmentationDictionary(out / "CDIC.dic", selection.entries), out / "CDIC.dic");
  Check(platform::WriteFileAtomically(out / kHeldOutPhrasesFile, HeldOutText(selection.heldOut)),
        out / kHeldOutPhrasesFile);

  std::ostringstream summary;
  summary << "libchewing: " << chewing.size() << " (phrase, reading) pairs; " << lexicon.nonBig5Phrases
          << " not in code page 950\n"
          << "Unihan: " << unihan.readings.size() << " kMandarin readings; " << unihan.unconvertible
          << " not writable in zhuyin\n"
          << "c2zy.tbl: " << lexicon.characters.size() - unpackable << " of " << lexicon.big5HanCharacters
          << " Big5 Han characters (" << lexicon.fromChewing << " from libchewing, " << lexicon.fromUnihan
          << " from Unihan, " << lexicon.fromNumerals << " Hangzhou numerals; " << lexicon.readOnTheirOwn
          << " particles and characters read as they are alone); left out: " << lexicon.withoutReading.size()
          << " without a reading, " << unpackable << " not packable\n"
          << "CDIC.dic: " << selection.entries.size() << " entries of at most " << kSegmentationCapacity
          << " (10 digits, single characters, the phrases shorter entries read wrong, then the most frequent others); " << lexicon.alternativeReadings
          << " less frequent phrase readings dropped; left out: " << selection.inexpressibleCharacters
          << " characters and " << selection.inexpressiblePhrases
          << " phrases with a syllable outside the syllable table, " << selection.longPhrases
          << " phrases over " << kMaxCodesPerEntry << " characters, " << selection.heldOut.size()
          << " phrases held out, over capacity or by the tie rules (" << kHeldOutPhrasesFile << "); "
          << selection.entries.size() - selection.composedPhrases << " entries needed to read right, "
          << selection.composedPhrases << " phrases that shorter entries read right kept as words, "
          << selection.shadowingPhrases << " such phrases left out for hiding a more frequent word, "
          << selection.rareHidingPhrases << " rare phrases left out for hiding a far more frequent one; "
          << lexicon.adverbsWithDe << " adverbs in 地 made from reduplicated phrases; "
          << lexicon.settledWords << " words added or left out to settle the shortest path\n"
          << "classID: " << selection.classNames.size() << " class names\n";
  if (!lexicon.withoutReading.empty()) {
    summary << "characters without a reading:";
    for (const auto& character : lexicon.withoutReading) summary << ' ' << Utf8Of(character);
    summary << '\n';
  }
  return summary.str();
}

std::string WriteEnglish(const DataSources& sources, const std::filesystem::path& out) {
  const CmuDictionary cmu = ParseCmuIndex(ReadWholeFile(sources.cmuIndex));
  data::EnglishDictionaryContent content;
  content.phones = FortyPhones();
  std::size_t pronunciations = 0;
  for (const auto& word : cmu.words) {
    content.words.push_back({word.word, word.pronunciations});
    pronunciations += word.pronunciations.size();
  }
  data::WriteEnglishDictionary(out / kEnglishDictionaryFile, content);
  Check(platform::WriteFileAtomically(out / kPlainDictionaryFile, FormatPlainDictionary(cmu)),
        out / kPlainDictionaryFile);

  std::ostringstream summary;
  summary << "CMU dictionary: " << cmu.entryCount << " entries\n"
          << kEnglishDictionaryFile << ": " << cmu.words.size() << " words, " << pronunciations
          << " pronunciations in " << FortyPhones().size() << " phones; " << cmu.droppedPronunciations
          << " pronunciations over " << kMaxPronunciationsPerWord << " a word left out\n"
          << kPlainDictionaryFile << ": " << pronunciations << " lines\n";
  return summary.str();
}

std::string WriteDisplayAndContextUnits(const std::filesystem::path& out) {
  Check(data::WriteEnglishDisplayTable((out / "UnicodeEnglishPhone.txt").string(), EnglishDisplayForms()),
        out / "UnicodeEnglishPhone.txt");
  Check(data::WriteChineseDisplayTable((out / "UnicodeChinesePhone.txt").string(), ChineseDisplayTokens()),
        out / "UnicodeChinesePhone.txt");
  const auto american = AmericanContextUnits();
  const auto taiwan = TaiwanContextUnits();
  Check(data::WriteContextUnitModel((out / "AE_RCD134.model").string(), american), out / "AE_RCD134.model");
  Check(data::WriteContextUnitModel((out / "CE_RCD134.model").string(), taiwan), out / "CE_RCD134.model");

  auto members = [](const std::vector<ContextUnitModel::Record>& records) {
    std::size_t count = 0;
    for (const auto& record : records) count += record.members.size();
    return count;
  };
  std::ostringstream summary;
  summary << "UnicodeEnglishPhone.txt: " << EnglishDisplayForms().size() << " phones\n"
          << "UnicodeChinesePhone.txt: " << ChineseDisplayTokens().size() << " tokens\n"
          << "AE_RCD134.model: " << american.size() << " phones, " << members(american) << " units\n"
          << "CE_RCD134.model: " << taiwan.size() << " phones, " << members(taiwan) << " units\n";
  return summary.str();
}

}  // namespace

std::string BuildDataDirectory(const DataSources& sources, const std::filesystem::path& out) {
  std::filesystem::create_directories(out);
  std::filesystem::remove(out / kSummaryFile);
  std::string summary = WriteChinese(sources, out);
  summary += WriteEnglish(sources, out);
  summary += WriteDisplayAndContextUnits(out);
  Check(platform::WriteFileAtomically(out / kSummaryFile, summary), out / kSummaryFile);
  return summary;
}

}  // namespace phonwright::mkdata
