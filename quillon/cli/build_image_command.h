// quillon-cli build-image OUT: writes exactly the image the download writes,
// the package to OUT and, when the settings name a user image, that image
// (zero-padded to a multiple of 8) to OUT.user; a progress line per file on
// the error stream.
#pragma once

#include "quillon/cli/cli_command.h"

namespace quillon::cli {

CliCommand BuildImageCommand();

}  // namespace quillon::cli
