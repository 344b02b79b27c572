#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace byzel {

// The program's arguments as one command line, the way a shell on Windows passes it: arguments
// holding a blank are put in double quotes, so that a path given as one argument stays whole.
[[nodiscard]] std::string joinedCommandLine(const std::vector<std::string>& arguments);

// The file a command line names: when it opens with a double quote, up to the next one;
// otherwise up to the first blank. Empty for an empty line.
[[nodiscard]] std::string commandLinePath(std::string_view commandLine);

} // namespace byzel
