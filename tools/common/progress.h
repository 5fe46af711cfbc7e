// A progress bar on standard error, shown only when standard error is a
// terminal. Safe to advance from several threads.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

namespace vorlane::tools {

class Progress {
  public:
    Progress(std::string label, long total);
    ~Progress();

    void advance(long steps = 1);

    static bool stderrIsTerminal();

  private:
    void draw(long done);

    std::string label_;
    long total_;
    bool enabled_;
    std::atomic<long> done_{0};
    std::mutex drawing_;
    int lastPercent_ = -1;
};

}  // namespace vorlane::tools
