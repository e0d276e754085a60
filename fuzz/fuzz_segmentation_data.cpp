// The segmentation data: class names ("classID") and a segmentation
// dictionary ("CDIC.dic") from parts of the input, then a run segmented with
// them.
#include "fuzz/fuzz_support.h"
#include "phonwright/core/segment_run.h"
#include "phonwright/core/segmentation_class_names.h"
#include "phonwright/core/segmentation_dictionary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace phonwright;
  const std::vector<std::string> parts = fuzzing::SplitInput(fuzzing::AsText(data, size), "\n====\n", 3);
  SegmentationClassNames classes;
  classes.LoadClassNames(fuzzing::WriteScratchFile("classID", parts[0]));
  SegmentationDictionaries dictionaries;
  dictionaries.LoadDictionary(fuzzing::WriteScratchFile("CDIC.dic", parts[1]), classes);
  SegmentCodesText(SegmentRun(dictionaries, parts[2]));
  return 0;
}
