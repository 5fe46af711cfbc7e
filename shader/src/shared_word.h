// One pointer-sized word that every render thread reads and any thread may
// replace whole: read with acquire, written with release, never locked and
// never read-modify-written. The word holds a pointer's bits as an unsigned
// integer, which every compiler can load and store atomically, object and
// function pointers alike.
#pragma once

#include <cstddef>

#include "compile_check.h"

namespace vorlane {
namespace shader {

// size_t is pointer-sized on both 64-bit targets (LP64 and LLP64).
typedef std::size_t SharedWord;

enum SharedWordChecks {
    kWordHoldsAPointer = CompileCheck<sizeof(SharedWord) == sizeof(void*)>::holds
};

#if defined(_MSC_VER)

// Visual C++ gives volatile reads acquire and volatile writes release
// semantics on x86 and x86-64.
inline SharedWord loadAcquire(const volatile SharedWord& word) {
    return word;
}
inline void storeRelease(volatile SharedWord& word, SharedWord value) {
    word = value;
}

#elif defined(__clang__) || \
    (defined(__GNUC__) && (__GNUC__ > 4 || (__GNUC__ == 4 && __GNUC_MINOR__ >= 7)))

inline SharedWord loadAcquire(const volatile SharedWord& word) {
    return __atomic_load_n(&word, __ATOMIC_ACQUIRE);
}
inline void storeRelease(volatile SharedWord& word, SharedWord value) {
    __atomic_store_n(&word, value, __ATOMIC_RELEASE);
}

#elif defined(__GNUC__)

// GCC before 4.7: a volatile access of the aligned word is a single load or
// store. On x86 and x86-64 the processor keeps loads and stores in order, so a
// compiler barrier gives acquire and release; elsewhere a full fence does.
#if defined(__x86_64__) || defined(__i386__)
inline void orderingBarrier() {
    __asm__ __volatile__("" : : : "memory");
}
#else
inline void orderingBarrier() {
    __sync_synchronize();
}
#endif
inline SharedWord loadAcquire(const volatile SharedWord& word) {
    const SharedWord value = word;
    orderingBarrier();
    return value;
}
inline void storeRelease(volatile SharedWord& word, SharedWord value) {
    orderingBarrier();
    word = value;
}

#else
#error "no acquire and release access to a shared word for this compiler"
#endif

}  // namespace shader
}  // namespace vorlane
