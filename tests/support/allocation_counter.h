// Counts the global operator new calls made on the current thread, so that a
// test can check that a piece of code allocates nothing. Link the target with
// vorlane_test_allocation_counter, which replaces the global operator new.
#pragma once

#include <cstddef>

namespace vorlane::test {

// Allocations made by the calling thread since the program started.
std::size_t allocationCount() noexcept;

// Allocations the calling thread makes while `f` runs.
template <class F>
std::size_t allocationsDuring(F&& f) {
    const std::size_t before = allocationCount();
    f();
    return allocationCount() - before;
}

}  // namespace vorlane::test
