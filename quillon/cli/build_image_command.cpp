#include "quillon/cli/build_image_command.h"

#include <string_view>

#include "platform/atomic_file.h"
#include "platform/command_line.h"
#include "quillon/cli/exit_codes.h"
#include "quillon/cli/stream_message_sink.h"
#include "quillon/device/file_bytes.h"
#include "quillon/device/workspace_package_source.h"
#include "quillon/recognition/result_code_text.h"

namespace quillon::cli {
namespace {

std::string_view AsChars(const std::vector<std::uint8_t>& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Writes the image and the user image beside it as a pair: both are complete
// on disk before either replaces its file, and without a user image an old
// OUT.user goes, so the two files never belong to different builds.
bool WriteImages(CliContext& context, const std::filesystem::path& out, const std::vector<std::uint8_t>& package,
                 const std::filesystem::path& userOut, const std::optional<std::vector<std::uint8_t>>& user) {
  platform::AtomicFileGroup group;
  const auto failed = [&context](const std::filesystem::path& path, std::error_code error) {
    context.err << "build-image: cannot write " << path.string() << ": " << error.message() << "\n";
    return false;
  };
  if (const std::error_code error = group.Stage(out, AsChars(package))) return failed(out, error);
  if (user) {
    if (const std::error_code error = group.Stage(userOut, AsChars(*user))) return failed(userOut, error);
  } else {
    group.StageRemoval(userOut);
  }
  if (const std::error_code error = group.Commit()) return failed(out, error);
  context.err << "wrote " << out.string() << " (" << package.size() << " bytes)\n";
  if (user) context.err << "wrote " << userOut.string() << " (" << user->size() << " bytes)\n";
  return true;
}

PackageProgress ProgressLines(std::ostream& err, bool quiet) {
  if (quiet) return [](PackageStep, std::size_t, std::size_t, const PackageEntry&) {};
  return [&err](PackageStep step, std::size_t index, std::size_t count, const PackageEntry& entry) {
    err << (step == PackageStep::Measuring ? "measured " : "filling  ") << index + 1 << "/" << count << "  type "
        << entry.type << "  " << entry.size << " bytes  " << entry.path.string() << "\n";
  };
}

int RunBuildImage(CliContext& context, std::span<const std::string> arguments) {
  if (arguments.size() != 1) {
    context.err << "build-image: give exactly one output file\n";
    return kExitUsage;
  }
  const std::filesystem::path out = context.invocationDirectory / arguments[0];
  std::filesystem::path userOut = out;
  userOut += ".user";
  // Both files are checked before the work, which may take a while.
  for (const std::filesystem::path& file : {out, userOut}) {
    if (const std::string problem = platform::OutputFileProblem(file); !problem.empty()) {
      context.err << "build-image: cannot write " << file.string() << ": " << problem << "\n";
      return kExitRefused;
    }
  }
  SentenceConverter* engine = context.engine();
  if (engine == nullptr) return kExitRefused;

  // The same steps as the download worker takes, so the files hold exactly
  // what it would write.
  PackageEntryTable table;
  WorkspacePackageSource source(context.workspace, context.systemLanguage, table, *engine,
                                ProgressLines(context.err, context.quiet));
  source.ReadSettings();
  for (const SettingsProblem& problem : source.settings().problems) {
    context.err << "build-image: settings file " << problem.file.string() << ": " << problem.error.message() << "\n";
  }
  if (!source.settings().problems.empty()) return kExitRefused;
  StreamMessageSink messages(context.err);
  std::vector<std::uint8_t> package;
  std::uint32_t code = source.PreparePackageEntries(messages);
  if (code == 0) {
    package.assign(source.PackageLength(), 0);
    code = source.FillPackage(package);
  }
  if (code != 0) {
    context.err << "build-image: " << DescribeResultCode(code) << "\n";
    return kExitRefused;
  }

  std::optional<std::vector<std::uint8_t>> user;
  if (const std::filesystem::path userImage = source.UserImagePath(); !userImage.empty()) {
    user = device::ReadFilePadded(userImage, 8);
    if (!user) {
      context.err << "build-image: cannot read the user image " << userImage.string() << "\n";
      return kExitRefused;
    }
  }
  if (!WriteImages(context, out, package, userOut, user)) return kExitRefused;
  context.err << "blocks " << source.BlockCount();
  if (user) context.err << ", user image from 0x" << std::hex << source.BlockCount() * 0x10000u << std::dec;
  context.err << "\n";
  return kExitOk;
}

}  // namespace

CliCommand BuildImageCommand() {
  return {"build-image", "OUT", "write the download image to OUT (and the user image to OUT.user)", RunBuildImage};
}

}  // namespace quillon::cli
