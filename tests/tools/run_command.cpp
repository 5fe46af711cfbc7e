#include "run_command.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace vorlane::test {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string tempPath(const char* tag) {
    char name[] = "/tmp/vorlane-test-XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) {
        close(fd);
    }
    return std::string(name) + tag;
}

}  // namespace

CommandResult runCommand(const std::vector<std::string>& argv, const std::string& input,
                         std::chrono::milliseconds deadline) {
    const std::string in = tempPath(".in");
    const std::string out = tempPath(".out");
    const std::string err = tempPath(".err");
    std::ofstream(in, std::ios::binary) << input;

    CommandResult result;
    const pid_t pid = fork();
    if (pid == 0) {
        if (!std::freopen(in.c_str(), "rb", stdin) || !std::freopen(out.c_str(), "wb", stdout) ||
            !std::freopen(err.c_str(), "wb", stderr)) {
            _exit(127);
        }
        std::vector<char*> args;
        for (const std::string& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    const auto end = std::chrono::steady_clock::now() + deadline;
    pid_t waited = 0;
    while (pid > 0 && (waited = waitpid(pid, &status, WNOHANG)) == 0 &&
           std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (pid > 0 && waited == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        result.timedOut = true;
    } else if (waited == pid && WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    result.out = readFile(out);
    result.err = readFile(err);
    if (result.timedOut) {
        result.err += "\n" + argv[0] + " was killed: still running after " +
                      std::to_string(deadline.count()) + " ms\n";
    }
    for (const std::string& p : {in, out, err}) {
        std::remove(p.c_str());
        std::remove(p.substr(0, p.rfind('.')).c_str());
    }
    return result;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::stringstream s(text);
    for (std::string line; std::getline(s, line);) {
        result.push_back(line);
    }
    return result;
}

}  // namespace vorlane::test
