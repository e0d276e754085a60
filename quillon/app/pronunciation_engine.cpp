#include "quillon/app/pronunciation_engine.h"

#include "phonwright.h"

namespace quillon {

void PhonwrightEngine::Init(const std::string& dataDirectory) {
  Text2PhonemeInit(dataDirectory.c_str());
}

void PhonwrightEngine::Release() { Text2PhonemeRelease(); }

}  // namespace quillon
