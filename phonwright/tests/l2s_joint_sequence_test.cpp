// The joint-sequence model: its estimation, its file and reader, the beam
// search, and how the decoder chooses between it and the window models.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "phonwright/data/l2s_joint_model_writer.h"
#include "phonwright/l2s/joint_sequence_decoder.h"
#include "phonwright/l2s/joint_sequence_model.h"
#include "phonwright/l2s/letter_to_sound.h"
#include "phonwright/train/joint_sequence_training.h"
#include "phonwright/train/letter_to_sound_training.h"
#include "phonwright/train/plain_dictionary.h"

namespace phonwright {
namespace {

using data::JointSequenceModelContent;

// Tokens: 1 "a"/3, 2 "a"/4, 3 "b"/5, 4 "b"/1 (silent), 5 "ab"/6.
std::vector<JointSequenceModelContent::Token> Tokens() {
  return {{"", 0}, {"a", 3}, {"a", 4}, {"b", 5}, {"b", 1}, {"ab", 6}};
}

std::vector<std::vector<std::uint16_t>> Words() {
  return {{1, 3}, {1, 3}, {2, 4}, {5}, {1, 3, 2, 4}, {3, 1}, {5, 5}, {2, 3, 1}, {1, 4, 1, 3}, {3, 3}};
}

struct ParsedModel {
  std::string bytes;
  std::optional<l2s::JointSequenceModel> model;
  std::string error;

  explicit ParsedModel(std::string encoded) : bytes(std::move(encoded)) {
    model = l2s::ParseJointSequenceModel(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), error);
  }
};

ParsedModel Estimate(int order, std::uint32_t minCount) {
  train::JointTrainingOptions options;
  options.order = order;
  options.minCount = minCount;
  options.minCountOrder = 2;
  return ParsedModel(data::EncodeJointSequenceModel(train::EstimateJointSequenceModel(Words(), Tokens(), options)));
}

TEST(JointSequenceEstimation, EveryHistorysDistributionSumsToOneWithAndWithoutPruning) {
  for (const std::uint32_t minCount : {1u, 2u}) {
    const ParsedModel parsed = Estimate(3, minCount);
    ASSERT_TRUE(parsed.model) << parsed.error;
    const auto& model = *parsed.model;
    for (std::uint32_t state = 0; state < model.node_count(); ++state) {
      double sum = 0.0;
      for (std::uint16_t token = 0; token < model.token_count(); ++token)
        sum += std::pow(10.0, model.Score(state, token).score);
      EXPECT_NEAR(sum, 1.0, 1e-4) << "min count " << minCount << ", state " << state;
    }
  }
}

TEST(JointSequenceEstimation, SeenContinuationsBeatUnseenOnes) {
  const ParsedModel parsed = Estimate(3, 1);
  ASSERT_TRUE(parsed.model) << parsed.error;
  const auto& model = *parsed.model;
  const auto afterA = model.Score(model.start_state(), 1);  // "a"/3 opens three words
  EXPECT_GT(afterA.score, model.Score(model.start_state(), 4).score);  // silent "b" never opens one
  // After <s> a/3, b/5 is what followed three times out of four (so few
  // n-grams take the fixed discount of 0.5).
  EXPECT_GT(model.Score(afterA.next, 3).score, model.Score(afterA.next, 4).score);
  EXPECT_GT(model.Score(afterA.next, 3).score, std::log10(0.5));
}

TEST(JointSequenceEstimation, RejectsTokensOutsideTheInventory) {
  EXPECT_THROW(train::EstimateJointSequenceModel({{1, 9}}, Tokens(), {}), std::invalid_argument);
  EXPECT_THROW(train::EstimateJointSequenceModel({{0}}, Tokens(), {}), std::invalid_argument);
  train::JointTrainingOptions tooHigh;
  tooHigh.order = 17;
  EXPECT_THROW(train::EstimateJointSequenceModel(Words(), Tokens(), tooHigh), std::invalid_argument);
}

TEST(JointSequenceFile, DamagedHeadersAndTokensAreRefusedAndDamagedLinksStayInsideTheFile) {
  const std::string good = data::EncodeJointSequenceModel(
      train::EstimateJointSequenceModel(Words(), Tokens(), train::JointTrainingOptions{}));
  ASSERT_TRUE(ParsedModel(good).model);
  const std::size_t tokens = l2s::kJointHeaderSize;
  const std::size_t nodes = tokens + l2s::kJointTokenSize * Tokens().size();
  const std::size_t nodeCount = static_cast<std::uint8_t>(good[12]) | static_cast<std::uint8_t>(good[13]) << 8;
  const std::size_t entries = nodes + l2s::kJointNodeSize * nodeCount;
  const auto put32 = [](std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
  };
  using Damage = std::pair<const char*, std::function<void(std::string&)>>;
  const std::vector<Damage> refused = {
      {"empty", [](std::string& b) { b.clear(); }},
      {"magic", [](std::string& b) { b[0] = 'X'; }},
      {"version", [](std::string& b) { b[4] = 9; }},
      {"order 0", [](std::string& b) { b[6] = 0; }},
      {"cut short", [](std::string& b) { b.pop_back(); }},
      {"one byte more", [](std::string& b) { b.push_back('\0'); }},
      {"start state beyond the nodes", [&](std::string& b) { put32(b, 20, 0xFFFFu); }},
      {"token 0 with letters", [&](std::string& b) { b[tokens] = 'a'; }},
      {"a token without phoneme", [&](std::string& b) { b[tokens + 4 + 2] = 0; }},
  };
  for (const auto& [name, damage] : refused) {
    std::string bytes = good;
    damage(bytes);
    const ParsedModel parsed(bytes);
    EXPECT_FALSE(parsed.model) << name;
    EXPECT_FALSE(parsed.error.empty()) << name;
  }
  // Loading leaves nodes and entries unread; reading them stays inside the
  // file and every back-off walk ends (the sanitizer build checks the reads).
  const std::vector<Damage> bounded = {
      {"entries beyond the file", [&](std::string& b) { put32(b, nodes + 4, 0x7FFFFFFFu); }},
      {"first entry beyond the file", [&](std::string& b) { put32(b, nodes + 16, 0xFFFFFFF0u); }},
      {"a suffix that comes later (a back-off loop)", [&](std::string& b) { put32(b, nodes + 16 + 8, 1); }},
      {"every suffix pointing at itself",
       [&](std::string& b) {
         for (std::size_t n = 0; n < nodeCount; ++n) put32(b, nodes + 16 * n + 8, static_cast<std::uint32_t>(n));
       }},
      {"an entry's next state beyond the nodes", [&](std::string& b) { put32(b, entries + 8, 0xFFFFFFu); }},
      {"an entry's token beyond the tokens", [&](std::string& b) { b[entries] = 99; }},
      {"tokens not ascending", [&](std::string& b) { std::swap(b[entries], b[entries + 12]); }},
  };
  for (const auto& [name, damage] : bounded) {
    std::string bytes = good;
    damage(bytes);
    const ParsedModel parsed(bytes);
    ASSERT_TRUE(parsed.model) << name;
    for (std::uint32_t state = 0; state <= parsed.model->node_count(); ++state)
      for (std::uint16_t token = 0; token < parsed.model->token_count(); ++token)
        parsed.model->Score(state, token);
    l2s::JointSequenceDecoder decoder(*parsed.model);
    for (const char* word : {"abab", "ba", "bbb"}) decoder.Decode(word);
  }
}

TEST(JointSequenceFile, WriterRefusesWhatTheFormatCannotHold) {
  JointSequenceModelContent content;
  content.tokens = {{"", 0}, {"abc", 3}};
  content.nodes = {{}};
  EXPECT_THROW(data::EncodeJointSequenceModel(content), std::invalid_argument);  // three letters
  content.tokens = {{"", 0}, {"a", 3}};
  content.nodes = {{.suffix = 0, .backoff = 0.0f, .entryCount = 2}};
  content.entries = {{.token = 1, .score = -0.1f, .next = 0}};
  EXPECT_THROW(data::EncodeJointSequenceModel(content), std::invalid_argument);  // counts do not add up
  content.order = 17;
  EXPECT_THROW(data::EncodeJointSequenceModel(content), std::invalid_argument);
}

// Every way of reading `word` as tokens, scored token by token with Score.
void BestByEnumeration(const l2s::JointSequenceModel& model, std::string_view word, std::size_t at,
                       std::uint32_t state, float score, std::vector<std::uint8_t>& phonemes, float& best,
                       std::vector<std::uint8_t>& bestPhonemes) {
  if (at == word.size()) {
    const float total = score + model.Score(state, 0).score;
    if (bestPhonemes.empty() || total > best) {
      best = total;
      bestPhonemes = phonemes;
    }
    return;
  }
  for (std::uint16_t t = 1; t < model.token_count(); ++t) {
    const auto token = model.Token(t);
    if (word.substr(at, token.letter_count()) != std::string_view(token.letters, token.letter_count())) continue;
    const auto scored = model.Score(state, t);
    phonemes.push_back(token.phoneme);
    BestByEnumeration(model, word, at + token.letter_count(), scored.next, score + scored.score, phonemes, best,
                      bestPhonemes);
    phonemes.pop_back();
  }
}

TEST(JointSequenceDecoder, AWideBeamFindsTheBestReadingOfEveryWord) {
  const ParsedModel parsed = Estimate(4, 1);
  ASSERT_TRUE(parsed.model) << parsed.error;
  l2s::JointSequenceDecoder decoder(*parsed.model, 1000);
  for (const std::string word : {"a", "ab", "ba", "abab", "bbab", "aabba", "babab"}) {
    std::vector<std::uint8_t> phonemes;
    std::vector<std::uint8_t> expected;
    float best = 0.0f;
    BestByEnumeration(*parsed.model, word, 0, parsed.model->start_state(), 0.0f, phonemes, best, expected);
    const auto decoded = decoder.Decode(word);
    ASSERT_TRUE(decoded) << word;
    EXPECT_EQ(std::vector(decoded->begin(), decoded->end()), expected) << word;
  }
}

TEST(JointSequenceDecoder, AWordWithALetterNoTokenReadsHasNoReading) {
  const ParsedModel parsed = Estimate(3, 1);
  ASSERT_TRUE(parsed.model);
  l2s::JointSequenceDecoder decoder(*parsed.model);
  EXPECT_FALSE(decoder.Decode("abz"));
  EXPECT_FALSE(decoder.Decode("-"));
}

// The beam search in its plainest form, the decoder's reference: every
// candidate scored on its own with JointSequenceModel::Score, the beams kept
// as plain lists (the best per state, the worst pushed out when full, the
// first of equal lowest scores going first), extended best first.
std::optional<std::vector<std::uint8_t>> PlainBeamSearch(const l2s::JointSequenceModel& model, std::string_view word,
                                                         std::size_t width) {
  struct Hypothesis {
    std::uint32_t state;
    float score;
    int back;
  };
  std::vector<std::pair<int, std::uint16_t>> steps;  // previous step, token
  std::vector<std::vector<Hypothesis>> beams(word.size() + 1);
  const auto worst = [](std::vector<Hypothesis>& beam) {
    return std::min_element(beam.begin(), beam.end(),
                            [](const Hypothesis& a, const Hypothesis& b) { return a.score < b.score; });
  };
  const auto offer = [&](std::vector<Hypothesis>& beam, Hypothesis candidate, std::uint16_t token) {
    const auto same = std::find_if(beam.begin(), beam.end(), [&](const Hypothesis& h) { return h.state == candidate.state; });
    if (same != beam.end() && !(candidate.score > same->score)) return;
    if (same == beam.end() && beam.size() == width && !(candidate.score > worst(beam)->score)) return;
    steps.push_back({candidate.back, token});
    candidate.back = static_cast<int>(steps.size() - 1);
    if (same != beam.end())
      *same = candidate;
    else if (beam.size() < width)
      beam.push_back(candidate);
    else
      *worst(beam) = candidate;
  };
  const auto bestFirst = [](std::vector<Hypothesis>& beam) {
    std::sort(beam.begin(), beam.end(), [](const Hypothesis& a, const Hypothesis& b) {
      return a.score != b.score ? a.score > b.score : a.back < b.back;
    });
  };
  beams[0].push_back({model.start_state(), 0.0f, -1});
  for (std::size_t at = 0; at < word.size(); ++at) {
    bestFirst(beams[at]);
    for (const Hypothesis& hypothesis : beams[at])
      for (std::uint16_t t = 1; t < model.token_count(); ++t) {
        const auto token = model.Token(t);
        if (word.substr(at, token.letter_count()) != std::string_view(token.letters, token.letter_count())) continue;
        const auto scored = model.Score(hypothesis.state, t);
        offer(beams[at + token.letter_count()], {scored.next, hypothesis.score + scored.score, hypothesis.back}, t);
      }
  }
  bestFirst(beams[word.size()]);
  const Hypothesis* best = nullptr;
  float bestScore = 0.0f;
  for (const Hypothesis& hypothesis : beams[word.size()]) {
    const float total = hypothesis.score + model.Score(hypothesis.state, 0).score;
    if (best == nullptr || total > bestScore) {
      best = &hypothesis;
      bestScore = total;
    }
  }
  if (best == nullptr) return std::nullopt;
  std::vector<std::uint8_t> phonemes;
  for (int step = best->back; step >= 0; step = steps[static_cast<std::size_t>(step)].first)
    phonemes.push_back(model.Token(steps[static_cast<std::size_t>(step)].second).phoneme);
  std::reverse(phonemes.begin(), phonemes.end());
  return phonemes;
}

// A random model over the letters a to d (two to four phonemes each, a few
// two-letter tokens), its tokens numbered at random rather than by letter.
ParsedModel RandomModel(std::mt19937& random, int order, std::uint32_t minCount) {
  std::vector<JointSequenceModelContent::Token> tokens = {{"", 0}};
  for (const char letter : std::string("abcd"))
    for (int p = 0, phonemes = 2 + static_cast<int>(random() % 3); p < phonemes; ++p)
      tokens.push_back({std::string(1, letter), static_cast<std::uint8_t>(2 + random() % 30)});
  for (const char* pair : {"ab", "ca", "dd"}) tokens.push_back({pair, static_cast<std::uint8_t>(2 + random() % 30)});
  std::shuffle(tokens.begin() + 1, tokens.end(), random);
  std::vector<std::vector<std::uint16_t>> words(300);
  for (auto& word : words)
    for (std::size_t n = 1 + random() % 8; word.size() < n;)
      word.push_back(static_cast<std::uint16_t>(1 + random() % (tokens.size() - 1)));
  train::JointTrainingOptions options;
  options.order = order;
  options.minCount = minCount;
  options.minCountOrder = 2;
  return ParsedModel(data::EncodeJointSequenceModel(train::EstimateJointSequenceModel(words, tokens, options)));
}

TEST(JointSequenceDecoder, DecodesAsThePlainBeamSearchWithOneDecoderForManyWords) {
  std::mt19937 random(11);
  for (const auto& [order, minCount] : std::vector<std::pair<int, std::uint32_t>>{{2, 1}, {4, 1}, {6, 2}}) {
    const ParsedModel parsed = RandomModel(random, order, minCount);
    ASSERT_TRUE(parsed.model) << parsed.error;
    std::vector<std::string> words = {"", "e", "abe", "dddd", "abab"};
    for (int i = 0; i < 150; ++i) {
      std::string word;
      for (std::size_t n = 1 + random() % 14; word.size() < n;) word += static_cast<char>('a' + random() % 4);
      words.push_back(word);
    }
    for (const std::size_t width : {1u, 2u, 3u, 8u}) {
      // One decoder for all the words, its buffers reused from word to word
      // (long and short words mixed).
      l2s::JointSequenceDecoder decoder(*parsed.model, width);
      for (const std::string& word : words) {
        const auto expected = PlainBeamSearch(*parsed.model, word, width);
        const auto decoded = decoder.Decode(word);
        ASSERT_EQ(decoded.has_value(), expected.has_value()) << word << ", order " << order << ", width " << width;
        if (expected) {
          EXPECT_EQ(std::vector(decoded->begin(), decoded->end()), *expected)
              << word << ", order " << order << ", width " << width;
        }
      }
    }
  }
}

// Training on a small dictionary, in a data directory.
class JointSequenceModelsTest : public testing::Test {
 protected:
  static std::vector<train::DictionaryEntry> Dictionary() {
    std::vector<train::DictionaryEntry> entries;
    for (const auto& [word, phones] : std::vector<std::pair<std::string, std::string>>{
             {"bat", "B AE T"},  {"cat", "K AE T"},    {"tab", "T AE B"},     {"cab", "K AE B"},
             {"bit", "B IH T"},  {"tic", "T IH K"},    {"act", "AE K T"},     {"tact", "T AE K T"},
             {"bait", "B EY T"}, {"abc", "AE B K"},    {"a.b", "EY B"},       {"bit-cat", "B IH T K AE T"},
             {"ab", "AE B"},     {"taxi", "T AE K S IY"}, {"tax", "T AE K S"}, {"box", "B AA K S"}}) {
      std::vector<std::string> split;
      std::istringstream in(phones);
      for (std::string phone; in >> phone;) split.push_back(phone);
      entries.push_back({word, split});
    }
    return entries;
  }

  std::filesystem::path Train(const std::string& name, bool joint) {
    train::TrainingOptions options;
    options.order = 3;
    options.minPairCount = 2;
    options.jointSequenceModel = joint;
    options.joint.order = 4;
    train::TrainingReport report;
    const auto directory = std::filesystem::current_path() / name;
    std::filesystem::remove_all(directory);
    data::WriteLetterToSoundModelSet(directory, train::TrainLetterToSound(Dictionary(), options, report));
    return directory;
  }

  static std::vector<std::string> DecodeAll(const std::filesystem::path& directory) {
    l2s::LetterToSoundModels models;
    EXPECT_TRUE(models.Load(directory));
    std::vector<std::string> out;
    for (const char* word : {"bat", "tic", "cab", "tat", "bic", "taxi", "a-b", "bab"})
      out.push_back(l2s::LetterToSound(models, word));
    return out;
  }

  static void RewriteConfigWithout(const std::filesystem::path& directory, const std::string& tag) {
    std::ifstream in(directory / "T2P_config.txt");
    std::string kept;
    for (std::string line; std::getline(in, line);)
      if (line.rfind(tag, 0) != 0) kept += line + "\n";
    in.close();
    std::ofstream(directory / "T2P_config.txt") << kept;
  }
};

TEST_F(JointSequenceModelsTest, TrainedModelReadsTrainingWordsAndSeparatorsAsSilent) {
  const auto directory = Train("joint", true);
  ASSERT_TRUE(std::filesystem::exists(directory / "sco/joint.jsm"));
  l2s::LetterToSoundModels models;
  ASSERT_TRUE(models.Load(directory));
  ASSERT_NE(models.joint_model(), nullptr);
  EXPECT_EQ(l2s::LetterToSound(models, "bat"), "B AE T ");
  EXPECT_EQ(l2s::LetterToSound(models, "taxi"), "T AE K S IY ");
  EXPECT_EQ(l2s::LetterToSound(models, "bit-cat"), "B IH T K AE T ");
  EXPECT_EQ(l2s::LetterToSound(models, "a.b"), "EY B ");
}

TEST_F(JointSequenceModelsTest, WithoutTheTagTheDirectoryDecodesAsTheWindowAndChunkModelsAlone) {
  const auto plain = DecodeAll(Train("plain", false));
  const auto joint = Train("joint", true);
  const auto withJoint = DecodeAll(joint);
  EXPECT_NE(withJoint, plain);
  RewriteConfigWithout(joint, "<JOINT_SEQUENCE_MODEL>");
  EXPECT_EQ(DecodeAll(joint), plain);
}

TEST_F(JointSequenceModelsTest, ADamagedModelIsReportedAndTheOtherModelsDecode) {
  const auto plain = DecodeAll(Train("plain", false));
  const auto joint = Train("joint", true);
  std::filesystem::resize_file(joint / "sco/joint.jsm", 100);
  testing::internal::CaptureStdout();
  l2s::LetterToSoundModels models;
  EXPECT_TRUE(models.Load(joint));
  EXPECT_NE(testing::internal::GetCapturedStdout().find("sco/joint.jsm: size does not match its counts"),
            std::string::npos);
  EXPECT_EQ(models.joint_model(), nullptr);
  EXPECT_EQ(DecodeAll(joint), plain);

  std::filesystem::remove(joint / "sco/joint.jsm");
  testing::internal::CaptureStdout();
  EXPECT_EQ(DecodeAll(joint), plain);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("open sco/joint.jsm error"), std::string::npos);
}

}  // namespace
}  // namespace phonwright
