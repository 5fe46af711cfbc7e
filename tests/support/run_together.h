// Runs body(t) for t in 0..threads-1, each on its own thread, with every
// thread held until all have started, so that their first steps race; then
// waits for all of them.
#pragma once

#include <atomic>
#include <thread>
#include <vector>

namespace vorlane::test {

template <class Body>
void runTogether(int threads, Body body) {
    std::atomic<int> waiting{threads};
    std::vector<std::thread> running;
    for (int t = 0; t < threads; ++t) {
        running.emplace_back([&waiting, &body, t] {
            waiting.fetch_sub(1);
            while (waiting.load() > 0) {
                std::this_thread::yield();
            }
            body(t);
        });
    }
    for (std::thread& thread : running) {
        thread.join();
    }
}

}  // namespace vorlane::test
