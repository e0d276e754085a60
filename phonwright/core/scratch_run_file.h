// The scratch file "tmp.txt" in the working directory: every conversion leaves
// its run string there (one line), for whoever inspects a conversion after the
// fact. The conversion itself works from the same text in memory, so a working
// directory that cannot be written changes no result.
#pragma once

#include <string_view>

namespace phonwright {

inline constexpr const char* kScratchRunFile = "tmp.txt";

// Writes `runs` and a newline to "tmp.txt"; false when it cannot be written.
bool WriteScratchRunFile(std::string_view runs);

// Deletes "tmp.txt" (the transition-unit conversions leave none behind).
void RemoveScratchRunFile();

}  // namespace phonwright
