#include "platform/command_line.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <system_error>

namespace platform {
namespace {

const OptionSpec* FindOption(std::span<const OptionSpec> options, std::string_view word) {
  const auto found = std::find_if(options.begin(), options.end(), [word](const OptionSpec& option) {
    return option.name == word || (!option.shortName.empty() && option.shortName == word);
  });
  return found == options.end() ? nullptr : &*found;
}

bool LooksLikeOption(std::string_view word) { return word.size() > 1 && word.front() == '-'; }

}  // namespace

bool ParsedCommandLine::Has(std::string_view name) const {
  return std::any_of(options.begin(), options.end(), [name](const auto& option) { return option.first == name; });
}

std::optional<std::string> ParsedCommandLine::Value(std::string_view name) const {
  const auto last = std::find_if(options.rbegin(), options.rend(),
                                 [name](const auto& option) { return option.first == name; });
  if (last == options.rend()) return std::nullopt;
  return last->second;
}

std::vector<std::string> ParsedCommandLine::Values(std::string_view name) const {
  std::vector<std::string> values;
  for (const auto& [optionName, value] : options) {
    if (optionName == name) values.push_back(value);
  }
  return values;
}

ParsedCommandLine ParseCommandLine(std::span<const std::string> words, std::span<const OptionSpec> options,
                                   UnknownOptions unknown) {
  ParsedCommandLine parsed;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--") {
      const std::size_t rest = unknown == UnknownOptions::PassThrough ? i : i + 1;
      parsed.arguments.insert(parsed.arguments.end(), words.begin() + static_cast<std::ptrdiff_t>(rest), words.end());
      break;
    }
    if (!LooksLikeOption(word)) {
      parsed.arguments.push_back(word);
      continue;
    }
    const std::size_t equals = word.starts_with("--") ? word.find('=') : std::string::npos;
    const std::string_view name = std::string_view(word).substr(0, equals);
    const OptionSpec* option = FindOption(options, name);
    if (option == nullptr) {
      if (unknown == UnknownOptions::PassThrough) {
        parsed.arguments.push_back(word);
        continue;
      }
      parsed.error = "unknown option " + std::string(name);
      return parsed;
    }
    const std::string longName(option->name);
    if (!option->takesValue) {
      if (equals != std::string::npos) {
        parsed.error = longName + " takes no value";
        return parsed;
      }
      parsed.options.emplace_back(longName, std::string());
    } else if (equals != std::string::npos) {
      parsed.options.emplace_back(longName, word.substr(equals + 1));
    } else if (i + 1 < words.size()) {
      parsed.options.emplace_back(longName, words[++i]);
    } else {
      parsed.error = longName + " needs a value";
      return parsed;
    }
  }
  return parsed;
}

ProgramCommandLine ParseProgramCommandLine(std::string_view program, std::string_view usage, int argc,
                                           const char* const* argv, std::span<const OptionSpec> options) {
  std::vector<OptionSpec> known(options.begin(), options.end());
  for (const OptionSpec& common : {kHelpOption, kVersionOption, kQuietOption, kVerboseOption}) {
    if (FindOption(known, common.name) == nullptr) known.push_back(common);
  }
  const std::vector<std::string> words(argv + 1, argv + argc);
  ProgramCommandLine parsed{ParseCommandLine(words, known), std::nullopt};
  if (!parsed.line.error.empty()) {
    parsed.exitCode = UsageError(program, parsed.line.error, usage);
  } else if (parsed.line.Has("--help")) {
    std::fwrite(usage.data(), 1, usage.size(), stdout);
    parsed.exitCode = kExitOk;
  } else if (parsed.line.Has("--version")) {
    std::fputs(VersionText(program).c_str(), stdout);
    parsed.exitCode = kExitOk;
  } else if (parsed.line.Has("--quiet") && parsed.line.Has("--verbose")) {
    parsed.exitCode = UsageError(program, "--quiet and --verbose exclude each other", usage);
  }
  return parsed;
}

int UsageError(std::string_view program, std::string_view complaint, std::string_view usage) {
  std::fprintf(stderr, "%.*s: %.*s\n\n", static_cast<int>(program.size()), program.data(),
               static_cast<int>(complaint.size()), complaint.data());
  std::fwrite(usage.data(), 1, usage.size(), stderr);
  return kExitUsage;
}

std::string_view ProjectVersion() { return PROJECT_VERSION_TEXT; }

std::string VersionText(std::string_view program) {
  return std::string(program) + " " + std::string(ProjectVersion()) + "\n";
}

std::filesystem::path ProgramDirectory() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program.parent_path();
}

std::string FindDataDirectory(const std::filesystem::path& programDirectory) {
  const std::string workspaceData = "fastt2p/";
  std::error_code error;
  if (std::filesystem::is_directory(workspaceData, error) || programDirectory.empty()) return workspaceData;
  const std::array candidates = {programDirectory / ".." / "fastt2p",
                                 programDirectory / ".." / "share" / "phonwright" / "fastt2p"};
  for (const std::filesystem::path& candidate : candidates) {
    if (std::filesystem::is_directory(candidate, error)) {
      return std::filesystem::weakly_canonical(candidate, error).string() + "/";
    }
  }
  return workspaceData;
}

std::string DataDirectoryArgument(const std::filesystem::path& invocationDirectory, const std::string& argument) {
  const std::filesystem::path path(argument);
  if (path.is_absolute() || invocationDirectory.empty()) return argument;
  std::string resolved = (invocationDirectory / path).lexically_normal().string();
  if (!resolved.ends_with('/')) resolved += '/';
  return resolved;
}

namespace {

std::string FolderProblem(const std::filesystem::path& folder) {
  std::error_code error;
  if (!std::filesystem::exists(folder, error)) return "the folder " + folder.string() + " does not exist";
  if (!std::filesystem::is_directory(folder, error)) return folder.string() + " is not a folder";
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return "the folder " + folder.string() + " is not writable";
  return {};
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  const std::filesystem::path parent = path.parent_path();
  return parent.empty() ? std::filesystem::path(".") : parent;
}

}  // namespace

std::string OutputFileProblem(const std::filesystem::path& file) {
  std::error_code error;
  if (std::filesystem::is_directory(file, error)) return file.string() + " is a folder";
  return FolderProblem(FolderOf(file));
}

std::string OutputFolderProblem(const std::filesystem::path& folder) {
  std::error_code error;
  if (std::filesystem::exists(folder, error)) return FolderProblem(folder);
  // A missing folder is made with its missing parents; the nearest existing one must take it.
  std::filesystem::path existing = FolderOf(folder.lexically_normal());
  while (!std::filesystem::exists(existing, error) && existing != "." && existing != existing.root_path()) {
    existing = FolderOf(existing);
  }
  return FolderProblem(existing);
}

RedirectedStandardOutput::RedirectedStandardOutput(Target target) {
  std::fflush(stdout);
  savedStandardOutput_ = ::dup(STDOUT_FILENO);
  if (savedStandardOutput_ < 0) return;
  if (target == Target::StandardError) {
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
    return;
  }
  const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (null >= 0) {
    ::dup2(null, STDOUT_FILENO);
    ::close(null);
  }
}

RedirectedStandardOutput::~RedirectedStandardOutput() {
  std::fflush(stdout);
  if (savedStandardOutput_ >= 0) {
    ::dup2(savedStandardOutput_, STDOUT_FILENO);
    ::close(savedStandardOutput_);
  }
}

}  // namespace platform
