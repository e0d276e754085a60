// Result codes of the segmentation data loaders (the values are part of the
// engine's documented behaviour).
#pragma once

namespace phonwright {

enum class SegmentationLoadResult : int {
  kDone = 1,                  // loaded, or the file could not be opened (nothing loaded)
  kMalformed = 2,             // a required token is missing or out of range
  kOutOfMemory = 4,
  kMoreNamesThanCount = 5,    // class names: the file holds more names than its count
  kFewerNamesThanCount = 8,   // class names: the file holds fewer names than its count
};

}  // namespace phonwright
