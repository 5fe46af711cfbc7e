// Runs a tool as a child process with given standard input, capturing its
// standard output, standard error and exit status.
#pragma once

#include <string>
#include <vector>

namespace vorlane::test {

struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CommandResult runCommand(const std::vector<std::string>& argv, const std::string& input = {});

// The lines of `text`, without their line feeds.
std::vector<std::string> lines(const std::string& text);

}  // namespace vorlane::test
