// The exported dictionary and grammar builders: thin shells over the C++ core.
#include "phonwright/core/engine.h"
#include "phonwright.h"
#include "phonwright/dictionaries/dictionary_builders.h"

namespace {

int Build(phonwright::DictionaryKind kind, const char* input_file, const char* output_file,
          const char* language) {
  if (input_file == nullptr || output_file == nullptr || language == nullptr) return 0;
  try {
    return phonwright::BuildDictionary(phonwright::TheEngine(), kind, input_file, output_file,
                                       language);
  } catch (...) {
    return 0;
  }
}

}  // namespace

extern "C" PHONWRIGHT_API int MakeBeamSearchDic(const char* input_file, const char* output_file,
                                                const char* language) {
  return Build(phonwright::DictionaryKind::kRecognition, input_file, output_file, language);
}

extern "C" PHONWRIGHT_API int MakeBeamSearchDic_SYL(const char* input_file,
                                                    const char* output_file,
                                                    const char* language) {
  return Build(phonwright::DictionaryKind::kSyllable, input_file, output_file, language);
}

extern "C" PHONWRIGHT_API int MakeBeamSearchDic_for_GrammarGenerator(const char* input_file,
                                                                     const char* output_file,
                                                                     const char* language) {
  return Build(phonwright::DictionaryKind::kGrammar, input_file, output_file, language);
}
