// Letter-to-phone alignment by expectation maximisation over many-to-many
// links: a link joins one or two letters to zero, one or two phones (never two
// letters to nothing, nor two letters to two phones). The joint probability of
// the links is re-estimated from the expected link counts of every word
// (forward-backward over the word's letter x phone lattice); the final
// alignment of a word is its most probable path.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace phonwright::train {

struct AlignmentExample {
  std::string letters;
  std::vector<std::uint8_t> phones;  // phone numbers of the caller's phone table (< 255)
};

// One link of an alignment: letters [letterStart, letterStart + letterCount)
// to phones [phoneStart, phoneStart + phoneCount).
struct Link {
  std::string letters;
  std::vector<std::uint8_t> phones;
  friend bool operator==(const Link&, const Link&) = default;
};

class ManyToManyAligner {
 public:
  // A link the caller forbids gets no probability (used to re-align within
  // chosen inventories).
  using LinkFilter = std::function<bool(std::string_view letters, const std::vector<std::uint8_t>& phones)>;

  explicit ManyToManyAligner(const std::vector<AlignmentExample>& examples, LinkFilter allowed = {});

  // One EM iteration over all examples; returns the total log-likelihood.
  double Iterate();

  // The most probable links of `example`; empty when it cannot be aligned
  // (under the filter, or with letters no example had).
  std::vector<Link> Align(const AlignmentExample& example) const;

 private:
  struct Move {
    int letters;
    int phones;
  };
  static constexpr Move kMoves[] = {{1, 0}, {1, 1}, {1, 2}, {2, 1}};

  static std::uint64_t KeyOf(std::string_view letters, const std::uint8_t* phones, int phoneCount);
  int LinkIdOf(std::string_view letters, const std::uint8_t* phones, int phoneCount) const;

  const std::vector<AlignmentExample>& examples_;
  std::unordered_map<std::uint64_t, int> linkIds_;
  std::vector<double> probability_;
  std::vector<bool> multiLink_;  // joins two letters or two phones
};

}  // namespace phonwright::train
