#include "core/workflow/commandline.h"

namespace byzel {

std::string joinedCommandLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (const auto& argument : arguments) {
        if (!line.empty())
            line += ' ';
        if (argument.find(' ') != std::string::npos && !argument.starts_with('"'))
            line += '"' + argument + '"';
        else
            line += argument;
    }
    return line;
}

std::string commandLinePath(std::string_view commandLine) {
    if (commandLine.starts_with('"')) {
        commandLine.remove_prefix(1);
        return std::string(commandLine.substr(0, commandLine.find('"')));
    }
    return std::string(commandLine.substr(0, commandLine.find(' ')));
}

} // namespace byzel
