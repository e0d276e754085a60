// The command-line conventions every program of the project follows:
//   - an option is "--name value" or "--name=value" (a short name, "-q", takes
//     its value as the next word), and may stand before or after the other
//     arguments;
//   - "--" ends the options, and a lone "-" is an argument (standard input);
//   - every program answers --help and --version, and knows -q/--quiet and
//     -v/--verbose;
//   - exit codes: 0 done, 1 refused or failed, 2 the command line was not
//     understood.
// A program with commands parses its global options with unknown options
// passed through, then the command's own options from what is left.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct OptionSpec {
  std::string_view name;       // "--data"
  std::string_view shortName;  // "-q", or empty
  bool takesValue = false;
};

inline constexpr OptionSpec kHelpOption{"--help", "-h", false};
inline constexpr OptionSpec kVersionOption{"--version", "", false};
inline constexpr OptionSpec kQuietOption{"--quiet", "-q", false};
inline constexpr OptionSpec kVerboseOption{"--verbose", "-v", false};

enum class UnknownOptions {
  Refuse,       // an unknown option is an error
  PassThrough,  // kept among the arguments, as is; "--" and all after it too
};

struct ParsedCommandLine {
  std::vector<std::pair<std::string, std::string>> options;  // long name and value, in order
  std::vector<std::string> arguments;                        // the rest, in order
  std::string error;                                         // empty when understood

  bool Has(std::string_view name) const;
  std::optional<std::string> Value(std::string_view name) const;  // of the last occurrence
  std::vector<std::string> Values(std::string_view name) const;
};

ParsedCommandLine ParseCommandLine(std::span<const std::string> words, std::span<const OptionSpec> options,
                                   UnknownOptions unknown = UnknownOptions::Refuse);

// The command line of a program without commands: `options` and the four
// that every program knows. --help prints `usage` and --version the version
// on standard output; a command line not understood prints the complaint and
// `usage` on standard error. `exitCode` is set when the program should end.
struct ProgramCommandLine {
  ParsedCommandLine line;
  std::optional<int> exitCode;
};
ProgramCommandLine ParseProgramCommandLine(std::string_view program, std::string_view usage, int argc,
                                           const char* const* argv, std::span<const OptionSpec> options);
// Prints "PROGRAM: COMPLAINT" and `usage` on standard error; returns kExitUsage.
int UsageError(std::string_view program, std::string_view complaint, std::string_view usage);

// The project's version, one for every program and library.
std::string_view ProjectVersion();
// What --version prints: "PROGRAM VERSION" and a line end.
std::string VersionText(std::string_view program);

// The folder of the running program (empty when it cannot be told).
std::filesystem::path ProgramDirectory();

// The pronunciation data a program uses when not told otherwise: the current
// directory's (the workspace's) "fastt2p/", else "fastt2p" or
// "share/phonwright/fastt2p" beside the program's bin folder (the build tree
// and an installation), else "fastt2p/" all the same, so that the error names it.
std::string FindDataDirectory(const std::filesystem::path& programDirectory);

// A --data argument, relative to `invocationDirectory` unless it is absolute.
std::string DataDirectoryArgument(const std::filesystem::path& invocationDirectory, const std::string& argument);

// Why `file` cannot be written, checked before a program starts its work:
// its folder is missing, is not a folder or is not writable, or `file` is a
// folder. Empty when it looks writable.
std::string OutputFileProblem(const std::filesystem::path& file);
// The same for an output folder that the program creates when it is missing.
std::string OutputFolderProblem(const std::filesystem::path& folder);

// While alive, what is written to standard output (the engine's own console
// messages) goes to standard error, or nowhere.
class RedirectedStandardOutput {
 public:
  enum class Target { StandardError, Discarded };
  explicit RedirectedStandardOutput(Target target);
  ~RedirectedStandardOutput();
  RedirectedStandardOutput(const RedirectedStandardOutput&) = delete;
  RedirectedStandardOutput& operator=(const RedirectedStandardOutput&) = delete;

 private:
  int savedStandardOutput_ = -1;
};

}  // namespace platform
