#include "phonwright/inter_unit/inter_unit_pairs.h"

#include "phonwright/core/text_runs.h"

namespace phonwright {

std::string PairUnits(std::string_view tokens) {
  const auto parts = SplitTokens(tokens, " ");
  std::string out;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i)
    out.append(parts[i]).append("_").append(parts[i + 1]).append(" ");
  if (!parts.empty()) out.append(parts.back()).append("_$");
  return out;
}

std::string PairUnitsAfterSilence(std::string_view tokens) {
  const auto parts = SplitTokens(tokens, " ");
  std::string out;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    if (parts[i] == "$") continue;
    out.append(parts[i]).append("_").append(parts[i + 1]).append(" ");
  }
  if (!parts.empty() && parts.back() != "$") out.append(parts.back()).append("_$");
  return out;
}

}  // namespace phonwright
