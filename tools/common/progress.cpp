#include "progress.h"

#include <unistd.h>

#include <cstdio>

namespace vorlane::tools {

Progress::Progress(std::string label, long total, std::FILE* stream, bool enabled)
    : label_(std::move(label)), total_(total > 0 ? total : 1), stream_(stream), enabled_(enabled) {}

Progress::~Progress() {
    endLine();
}

void Progress::endLine() {
    std::lock_guard<std::mutex> lock(drawing_);
    if (enabled_ && lastPercent_ >= 0) {
        std::fputs("\n", stream_);
        std::fflush(stream_);
    }
    lastPercent_ = -1;
}

bool Progress::stderrIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

void Progress::advance(long steps) {
    const long done = done_.fetch_add(steps) + steps;
    if (enabled_) {
        draw(done);
    }
}

void Progress::draw(long done) {
    const int percent = static_cast<int>(done * 100 / total_);
    std::lock_guard<std::mutex> lock(drawing_);
    if (percent <= lastPercent_) {
        return;
    }
    lastPercent_ = percent;
    constexpr int kWidth = 40;
    const int filled = percent * kWidth / 100;
    std::fprintf(stream_, "\r%s [%.*s%*s] %3d%%", label_.c_str(), filled,
                 "########################################", kWidth - filled, "", percent);
    std::fflush(stream_);
}

}  // namespace vorlane::tools
