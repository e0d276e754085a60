#include <gtest/gtest.h>

#include <fstream>

#include "phonwright/data/l2s_map_writer.h"
#include "phonwright/l2s/l2s_config.h"
#include "phonwright/l2s/symbol_maps.h"

namespace phonwright::l2s {
namespace {

std::filesystem::path WriteText(const std::string& name, const std::string& text) {
  const auto path = std::filesystem::current_path() / name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

struct ConfigRead {
  bool ok;
  std::string printed;
  LetterToSoundConfig config;
};

ConfigRead ReadConfig(const std::string& text) {
  ConfigRead read{};
  testing::internal::CaptureStdout();
  read.ok = ReadLetterToSoundConfig(WriteText("T2P_config.txt", text), read.config);
  read.printed = testing::internal::GetCapturedStdout();
  return read;
}

TEST(LetterToSoundConfig, WriterOutputReadsBackAndNamesAJointModelOnlyWhenThereIsOne) {
  LetterToSoundConfig config{"in.txt", "out.txt", "s1", 2, "sco/stage2/bkf", 5, "c.dic", "c.sco", ""};
  const std::string plain = data::EncodeLetterToSoundConfig(config);
  EXPECT_EQ(plain.find("<JOINT_SEQUENCE_MODEL>"), std::string::npos);
  config.jointSequenceModel = "sco/joint.jsm";
  for (const auto& text : {plain, data::EncodeLetterToSoundConfig(config)}) {
    const auto read = ReadConfig(text);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.printed, "");
    EXPECT_EQ(read.config.jointSequenceModel, text == plain ? "" : "sco/joint.jsm");
    if (text != plain) {
      EXPECT_EQ(read.config, config);
    }
  }
}

TEST(LetterToSoundConfig, UnknownTokensAreSkippedAndTheLastValueWins) {
  const auto read = ReadConfig("# comment <STAGE2_NGRAM> 3 junk <CHUNK_DIC> a.dic\n<CHUNK_DIC>\tb.dic <chunk_sco> x");
  EXPECT_TRUE(read.ok);
  EXPECT_EQ(read.config.stage2Order, 3);
  EXPECT_EQ(read.config.chunkDictionary, "b.dic");
  EXPECT_EQ(read.config.chunkPronunciations, "");  // tags are case-sensitive
}

TEST(LetterToSoundConfig, EveryTagWithoutValueHasItsMessage) {
  const std::pair<const char*, const char*> cases[] = {
      {"<INPUT_FILE>", "***** input file not specified *****\n"},
      {"<OUTPUT_FILE>", "***** output file not specified *****\n"},
      {"<STAGE1_SCOFN>", "***** output file not specified *****\n"},
      {"<STAGE2_SCOFN>", "***** output file not specified *****\n"},
      {"<STAGE1_NGRAM>", "***** STAGE3_SETTING not specified *****\n"},
      {"<STAGE2_NGRAM>", "***** STAGE3_SETTING not specified *****\n"},
      {"<CHUNK_DIC>", "***** STAGE2_SETTING not specified *****\n"},
      {"<CHUNK_SCO>", "***** STAGE2_SETTING not specified *****\n"},
      {"<JOINT_SEQUENCE_MODEL>", "***** joint sequence model not specified *****\n"},
  };
  for (const auto& [tag, message] : cases) {
    const auto read = ReadConfig(std::string("<STAGE2_NGRAM> 2 ") + tag + "\n");
    EXPECT_FALSE(read.ok) << tag;
    EXPECT_EQ(read.printed, message) << tag;
  }
  ConfigRead missing{};
  testing::internal::CaptureStdout();
  EXPECT_FALSE(ReadLetterToSoundConfig("no-such-config.txt", missing.config));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "***** open config file error *****\n");
}

TEST(LetterToSoundConfig, ValuesBeyondTheModelSetAreRefused) {
  EXPECT_TRUE(ReadConfig("<CHUNK_DIC> " + std::string(49, 'x')).ok);
  EXPECT_FALSE(ReadConfig("<CHUNK_DIC> " + std::string(50, 'x')).ok);
  EXPECT_TRUE(ReadConfig("<STAGE2_SCOFN> " + std::string(47, 'x')).ok);
  EXPECT_FALSE(ReadConfig("<STAGE2_SCOFN> " + std::string(48, 'x')).ok);
  EXPECT_TRUE(ReadConfig("<STAGE2_NGRAM> 11").ok);
  EXPECT_FALSE(ReadConfig("<STAGE2_NGRAM> 12").ok);
  EXPECT_FALSE(ReadConfig("<STAGE2_NGRAM> -1").ok);
}

TEST(SymbolMaps, LinesLoseTheirLastCharacter) {
  WriteText("G_map.txt", "#\r\n^\nab\nc\ndx");  // the final line has no break: "dx" becomes "d"
  SymbolInventory graphemes;
  ASSERT_TRUE(LoadSymbolInventory(std::filesystem::current_path(), "G_map.txt", 254, graphemes));
  EXPECT_EQ(graphemes.names, (std::vector<std::string>{"", "#", "^", "ab", "c", "d"}));
  EXPECT_EQ(graphemes.trie.Find("#"), 1);
  EXPECT_EQ(graphemes.trie.Find("ab"), 3);
  EXPECT_EQ(graphemes.trie.Find("d"), 5);
  EXPECT_FALSE(graphemes.trie.Find("a"));  // a prefix only
  EXPECT_FALSE(graphemes.trie.Find("dx"));
  EXPECT_FALSE(graphemes.trie.Find(""));
}

TEST(SymbolMaps, OversizedInventoriesAndMissingFilesAreRefused) {
  const auto directory = std::filesystem::current_path();
  SymbolInventory inventory;
  WriteText("P_map.txt", data::EncodeSymbolMap({"#", "^", "AA", "B"}, 59));
  EXPECT_TRUE(LoadSymbolInventory(directory, "P_map.txt", 4, inventory));
  testing::internal::CaptureStdout();
  EXPECT_FALSE(LoadSymbolInventory(directory, "P_map.txt", 3, inventory));
  WriteText("long.txt", "#\nABCDEFGHI\n");
  EXPECT_FALSE(LoadSymbolInventory(directory, "long.txt", 59, inventory));
  EXPECT_FALSE(LoadSymbolInventory(directory, "none.txt", 59, inventory));
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_NE(printed.find("P_map.txt holds more than 3 symbols"), std::string::npos);
  EXPECT_NE(printed.find("long.txt line 2"), std::string::npos);
  EXPECT_NE(printed.find("open none.txt file error\n"), std::string::npos);
  EXPECT_THROW(data::EncodeSymbolMap({"#", "ABCDEFGHI"}, 59), std::invalid_argument);
}

TEST(SymbolMaps, CandidatesListTheLastLineFirst) {
  const auto directory = std::filesystem::current_path() / "cands";
  std::filesystem::create_directories(directory);
  std::ofstream(directory / "G_map.txt") << data::EncodeSymbolMap({"#", "^", "a", "b"}, 254);
  std::ofstream(directory / "P_map.txt") << data::EncodeSymbolMap({"#", "^", "P1", "P2", "P3"}, 59);
  std::ofstream(directory / "GP_map.txt")
      << data::EncodeCandidateMap({{"a", "P1"}, {"a", "P2"}, {"zz", "P1"}, {"a", "P3"}, {"b", "Q"}}) << "a P1\n";
  SymbolInventory graphemes, phonemes;
  CandidateTable table;
  ASSERT_TRUE(LoadSymbolInventory(directory, "G_map.txt", 254, graphemes));
  ASSERT_TRUE(LoadSymbolInventory(directory, "P_map.txt", 59, phonemes));
  ASSERT_TRUE(LoadCandidateTable(directory, graphemes, phonemes, table));
  EXPECT_EQ(table[3], (std::vector<std::uint8_t>{5, 4, 3}));
  EXPECT_TRUE(table[4].empty());  // its only line names an unknown phoneme
}

}  // namespace
}  // namespace phonwright::l2s
