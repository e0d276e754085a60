// The exit codes of quillon-cli, the same for every command.
#pragma once

namespace quillon::cli {

inline constexpr int kExitOk = 0;       // everything done, or everything would download
inline constexpr int kExitRefused = 1;  // a file or setting was refused, or a step failed
inline constexpr int kExitUsage = 2;    // the command line could not be understood

}  // namespace quillon::cli
