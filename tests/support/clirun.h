#pragma once

#include "tempfolder.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace byzel::testing {

// What a run of the built byzel-cli gave.
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built byzel-cli with arguments (paths of the test folder need no quoting); its
// output passes through files in dir.
inline CliRun runCli(const TempFolder& dir, const std::string& arguments) {
    const std::string outPath = dir.path("stdout.txt"), errPath = dir.path("stderr.txt");
    const std::string command =
        std::string(BYZEL_CLI_PATH) + " " + arguments + " > " + outPath + " 2> " + errPath;
    const int raw = std::system(command.c_str());
    const auto text = [](const std::string& path) {
        const auto bytes = TempFolder::read(path);
        return std::string(bytes.begin(), bytes.end());
    };
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, text(outPath), text(errPath)};
}

} // namespace byzel::testing
