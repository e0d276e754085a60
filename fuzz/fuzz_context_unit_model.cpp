// Context-unit model text parsed, then every phone of the table named in a
// few contexts.
#include "fuzz/fuzz_support.h"
#include "phonwright/core/context_unit_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace phonwright;
  const ContextUnitModel model = ContextUnitModel::Parse(fuzzing::AsText(data, size));
  for (const char* phone : {"AA", "B", "SIL", "", "I70"}) {
    for (const char* context : {"AA", "#", "", "F14"}) {
      const int found = model.FindContextUnit(phone, context);
      if (found >= 0) model.UnitName(found);
    }
  }
  LoadContextUnitModel(fuzzing::WriteScratchFile("unit.model", fuzzing::AsText(data, size)).string());
  return 0;
}
