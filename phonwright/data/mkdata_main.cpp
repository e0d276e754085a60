// phonwright-mkdata: builds a complete data directory from open data.
//
// See kUsage (--help).
#include <array>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "phonwright/data/mkdata_builder.h"
#include "platform/command_line.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: phonwright-mkdata --out DIR [--chewing DIR] [--unihan FILE] [--cmudict FILE] [-q]\n"
    "Writes the pronunciation data directory from libchewing, Unihan and the CMU dictionary.\n"
    "\n"
    "Options (--name=value works too):\n"
    "  --out DIR       the data directory to write (created when missing)\n"
    "  --chewing DIR   folder of libchewing's index_tree.dat and dictionary.dat\n"
    "  --unihan FILE   Unihan_Readings.txt.bz2\n"
    "  --cmudict FILE  index.js of the npm package cmu-pronouncing-dictionary 3.0.0\n"
    "  -q, --quiet     no summary of what was written\n"
    "  -v, --verbose   accepted; prints nothing more\n"
    "  -h, --help      this text\n"
    "  --version       the version\n"
    "\n"
    "Exit codes: 0 done, 1 a source could not be read or a file not written, 2 bad usage.\n";

constexpr std::array kOptions = {
    platform::OptionSpec{"--out", "", true},
    platform::OptionSpec{"--chewing", "", true},
    platform::OptionSpec{"--unihan", "", true},
    platform::OptionSpec{"--cmudict", "", true},
};

}  // namespace

int main(int argc, char** argv) {
  const platform::ProgramCommandLine parsed =
      platform::ParseProgramCommandLine("phonwright-mkdata", kUsage, argc, argv, kOptions);
  if (parsed.exitCode) return *parsed.exitCode;
  const platform::ParsedCommandLine& line = parsed.line;
  if (!line.arguments.empty()) return platform::UsageError("phonwright-mkdata", "unexpected argument " + line.arguments.front(), kUsage);
  const std::optional<std::string> out = line.Value("--out");
  if (!out) return platform::UsageError("phonwright-mkdata", "--out is needed", kUsage);
  phonwright::mkdata::DataSources sources;
  if (const auto chewing = line.Value("--chewing")) sources.chewingDirectory = *chewing;
  if (const auto unihan = line.Value("--unihan")) sources.unihanReadings = *unihan;
  if (const auto cmudict = line.Value("--cmudict")) sources.cmuIndex = *cmudict;
  if (const std::string problem = platform::OutputFolderProblem(*out); !problem.empty()) {
    std::fprintf(stderr, "phonwright-mkdata: cannot write %s: %s\n", out->c_str(), problem.c_str());
    return platform::kExitFailure;
  }
  try {
    const std::string summary = phonwright::mkdata::BuildDataDirectory(sources, *out);
    if (!line.Has("--quiet")) std::fputs(summary.c_str(), stdout);
    return platform::kExitOk;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "phonwright-mkdata: %s\n", error.what());
    return platform::kExitFailure;
  }
}
