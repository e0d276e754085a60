// phonwright-mkdata: builds a complete data directory from open data.
//
// Usage: phonwright-mkdata --out DIR [--chewing DIR] [--unihan FILE] [--cmudict FILE]
//   --out      the data directory to write (created when missing)
//   --chewing  folder of libchewing's index_tree.dat and dictionary.dat
//   --unihan   Unihan_Readings.txt.bz2
//   --cmudict  index.js of the npm package cmu-pronouncing-dictionary 3.0.0
// Exit codes: 0 done, 1 a source could not be read or a file not written, 2 bad usage.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

#include "phonwright/data/mkdata_builder.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void PrintUsage(std::FILE* to) {
  std::fputs(
      "Usage: phonwright-mkdata --out DIR [--chewing DIR] [--unihan FILE] [--cmudict FILE]\n"
      "Writes the pronunciation data directory from libchewing, Unihan and the CMU dictionary.\n"
      "Exit codes: 0 done, 1 a source could not be read or a file not written, 2 bad usage.\n",
      to);
}

}  // namespace

int main(int argc, char** argv) {
  phonwright::mkdata::DataSources sources;
  std::filesystem::path out;
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "-h" || option == "--help") {
      PrintUsage(stdout);
      return kExitDone;
    }
    if (i + 1 >= argc) {
      PrintUsage(stderr);
      return kExitUsage;
    }
    const std::filesystem::path value = argv[++i];
    if (option == "--out") out = value;
    else if (option == "--chewing") sources.chewingDirectory = value;
    else if (option == "--unihan") sources.unihanReadings = value;
    else if (option == "--cmudict") sources.cmuIndex = value;
    else {
      PrintUsage(stderr);
      return kExitUsage;
    }
  }
  if (out.empty()) {
    PrintUsage(stderr);
    return kExitUsage;
  }
  try {
    const std::string summary = phonwright::mkdata::BuildDataDirectory(sources, out);
    std::fputs(summary.c_str(), stdout);
    return kExitDone;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "phonwright-mkdata: %s\n", error.what());
    return kExitFailed;
  }
}
