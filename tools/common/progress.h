// A progress bar on standard error, shown only when standard error is a
// terminal. Safe to advance from several threads. Anything else written to
// the stream while the bar is shown must come after endLine().
#pragma once

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

namespace vorlane::tools {

class Progress {
  public:
    Progress(std::string label, long total, std::FILE* stream = stderr,
             bool enabled = stderrIsTerminal());
    ~Progress();

    void advance(long steps = 1);

    // Ends the bar's line, if one is drawn, so that the next message starts a
    // line of its own; a later advance draws the bar afresh below it.
    void endLine();

    static bool stderrIsTerminal();

  private:
    void draw(long done);

    std::string label_;
    long total_;
    std::FILE* stream_;
    bool enabled_;
    std::atomic<long> done_{0};
    std::mutex drawing_;
    int lastPercent_ = -1;  // -1: no bar on the current line
};

}  // namespace vorlane::tools
