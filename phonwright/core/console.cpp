#include "phonwright/core/console.h"

#include <unistd.h>

#include <cstdarg>
#include <cstdio>

#include "platform/code_page.h"

namespace phonwright {

void PrintMessage(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::fflush(stdout);
}

std::string ForConsole(std::string_view big5) {
  return platform::Recode(platform::kCodePageBig5, platform::kCodePageUtf8, big5).bytes;
}

void WaitForKey() {
  if (isatty(STDIN_FILENO) == 1) std::getchar();
}

}  // namespace phonwright
