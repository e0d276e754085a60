#include "phonwright/data/l2s_score_model_writer.h"

#include <set>
#include <stdexcept>

#include "phonwright/data/data_file_writer.h"
#include "phonwright/l2s/base255.h"
#include "phonwright/l2s/l2s_format.h"
#include "platform/byte_order.h"

namespace phonwright::data {
namespace {

using Context = std::vector<std::uint8_t>;

void CheckEntryCount(std::size_t count) {
  if (count > 255) throw std::invalid_argument("score model node with more than 255 entries");
}

std::uint8_t* Grow(std::string& out, std::size_t bytes) {
  out.append(bytes, '\0');
  return reinterpret_cast<std::uint8_t*>(out.data() + out.size() - bytes);
}

// Record index of every node of one region, in key order.
template <typename Nodes>
std::map<Context, std::uint32_t> RecordIndexes(const Nodes& nodes) {
  std::map<Context, std::uint32_t> indexes;
  std::uint32_t next = 0;
  for (const auto& [context, entries] : nodes) {
    CheckEntryCount(entries.size());
    if (next > l2s::kBase255Max2) throw std::invalid_argument("score model region too large");
    indexes.emplace(context, next);
    next += static_cast<std::uint32_t>(1 + entries.size());
  }
  return indexes;
}

}  // namespace

void ScoreModelContent::Set(const std::vector<std::uint8_t>& context, std::uint8_t key, std::int32_t score) {
  leaves[context][key] = score;
}

std::string EncodeScoreModel(const ScoreModelContent& content) {
  const std::size_t n = content.contextLength;
  if (n > l2s::kMaxContextLevels) throw std::invalid_argument("score model with more than 10 context levels");
  auto leaves = content.leaves;
  if (n == 0) leaves.try_emplace(Context{});  // the single leaf always exists
  for (const auto& [context, entries] : leaves)
    if (context.size() != n) throw std::invalid_argument("score model context of the wrong length");

  // levels[i]: the nodes of level i, each a context prefix of i symbols with
  // the symbols that follow it.
  std::vector<std::map<Context, std::set<std::uint8_t>>> levels(n);
  for (const auto& [context, entries] : leaves)
    for (std::size_t i = 0; i < n; ++i) levels[i][Context(context.begin(), context.begin() + static_cast<long>(i))].insert(context[i]);

  std::vector<std::map<Context, std::uint32_t>> levelIndexes;
  for (const auto& level : levels) levelIndexes.push_back(RecordIndexes(level));
  const auto leafIndexes = RecordIndexes(leaves);

  std::string out;
  Grow(out, 1)[0] = static_cast<std::uint8_t>(n);
  const std::size_t baseTable = out.size();
  Grow(out, 4 * (n + 1));
  const auto setBase = [&](std::size_t slot) {
    platform::StoreLittle32(reinterpret_cast<std::uint8_t*>(out.data() + baseTable + 4 * slot),
                            static_cast<std::uint32_t>(out.size()));
  };

  for (std::size_t i = 0; i < n; ++i) {
    setBase(i);
    for (const auto& [prefix, symbols] : levels[i]) {
      Grow(out, l2s::kContextRecordSize)[0] = static_cast<std::uint8_t>(symbols.size());
      for (const std::uint8_t symbol : symbols) {
        Context child = prefix;
        child.push_back(symbol);
        const std::uint32_t index = i + 1 < n ? levelIndexes[i + 1].at(child) : leafIndexes.at(child);
        std::uint8_t* record = Grow(out, l2s::kContextRecordSize);
        record[0] = symbol;
        l2s::StoreBase255_2(record + 1, index);
      }
    }
  }
  setBase(n);
  for (const auto& [context, entries] : leaves) {
    Grow(out, l2s::kLeafRecordSize)[0] = static_cast<std::uint8_t>(entries.size());
    for (const auto& [key, score] : entries) {
      std::uint8_t* record = Grow(out, l2s::kLeafRecordSize);
      record[0] = key;
      platform::StoreLittle32(record + 1, static_cast<std::uint32_t>(score));
    }
  }
  return out;
}

void WriteScoreModel(const std::filesystem::path& path, const ScoreModelContent& content) {
  WriteDataFile(path, EncodeScoreModel(content));
}

}  // namespace phonwright::data
