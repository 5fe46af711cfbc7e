// The C library functions the deliverables call, bound to their oldest
// versions on 64-bit Linux, so that the libraries load on systems from
// glibc 2.3.4 on (the loader refuses a library that needs a version the
// system lacks). Current glibc links new versions by default: pow
// (GLIBC_2.29) and powf (GLIBC_2.27) are faster but give the same results as
// the old ones, memcpy (GLIBC_2.14) differs only for overlapping copies,
// which nothing here makes, and dlsym moved from libdl to the C library in
// GLIBC_2.34. The old versions are still exported, so the same binary runs on
// old and current systems alike.
//
// Every deliverable source includes this header. A directive binds a name
// only in an object that uses it, so a file pays nothing for the names it
// does not call. The C++ runtime needs no such step: the deliverables call
// only what GCC 4.1.2's runtime exports (GLIBCXX_3.4.8, CXXABI_1.3.1).
#pragma once

#if defined(__linux__) && defined(__x86_64__)
// Any C library header tells whether the C library is glibc.
#include <cstdlib>
#endif

#if defined(__linux__) && defined(__x86_64__) && defined(__GLIBC__)
__asm__(".symver pow,pow@GLIBC_2.2.5");
__asm__(".symver powf,powf@GLIBC_2.2.5");
__asm__(".symver memcpy,memcpy@GLIBC_2.2.5");
__asm__(".symver dlsym,dlsym@GLIBC_2.2.5");
#endif
