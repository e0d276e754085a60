// The joint-sequence model file "sco/joint.jsm" read in place from arbitrary
// bytes, and words decoded with whatever it accepts: every node, entry and
// back-off walk the decoder reaches must stay inside the bytes, and a
// decoded word has one phoneme per token, each token one or two letters.
#include <cstdlib>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "phonwright/l2s/joint_sequence_decoder.h"
#include "phonwright/l2s/joint_sequence_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace phonwright::l2s;
  std::string error;
  const std::optional<JointSequenceModel> model = ParseJointSequenceModel({data, size}, error);
  if (!model) return 0;
  JointSequenceDecoder decoder(*model);
  for (const std::string_view word : {"a", "ab", "ba", "abcab", "\x80\xff", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"}) {
    const std::optional<std::span<const std::uint8_t>> phonemes = decoder.Decode(word);
    if (phonemes && (phonemes->size() > word.size() || 2 * phonemes->size() < word.size())) std::abort();
  }
  return 0;
}
