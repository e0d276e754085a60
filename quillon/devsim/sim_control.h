// Sending one control request to a running simulator (quillon-devsim --send):
// "attach", "detach", "dump:FILE", "fault:FAULT" or "shutdown".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quillon::devsim {

// Empty on success, else what went wrong.
std::string SendControl(const std::filesystem::path& socketPath, std::string_view command);

}  // namespace quillon::devsim
