// Runs a tool as a child process with given standard input, capturing its
// standard output, standard error and exit status. A child that outlives its
// deadline is killed and reported.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace vorlane::test {

struct CommandResult {
    int exitCode = -1;  // -1 when the child did not exit by itself
    bool timedOut = false;
    std::string out;
    std::string err;
};

CommandResult runCommand(const std::vector<std::string>& argv, const std::string& input = {},
                         std::chrono::milliseconds deadline = std::chrono::minutes(1));

// The lines of `text`, without their line feeds.
std::vector<std::string> lines(const std::string& text);

}  // namespace vorlane::test
