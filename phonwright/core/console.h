// The engine's diagnostics channel: messages go to standard output (flushed, so
// they interleave correctly with a host's own output), and the few places that
// stop for a key read one character from standard input only when it is a
// terminal, so a host without a console (or a test) never blocks.
#pragma once

#include <string>
#include <string_view>

namespace phonwright {

void PrintMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Big5 text (sentences, entries) as the console shows it, in UTF-8.
std::string ForConsole(std::string_view big5);

// Waits for one character when standard input is a terminal; returns at once
// otherwise.
void WaitForKey();

}  // namespace phonwright
