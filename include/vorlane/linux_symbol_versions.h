// The C library functions the deliverables call, bound to their oldest
// versions on 64-bit Linux, so that the libraries load on systems from
// glibc 2.3.4 on: the loader refuses a library that needs a symbol version
// the system lacks, and current glibc links the newest by default. The new
// pow (GLIBC_2.29) and powf (GLIBC_2.27) differ from the old versions only in
// how they report errors (the old ones keep the SVID error handling), memcpy
// (GLIBC_2.14) only for overlapping copies, which nothing here makes, and
// dlsym (GLIBC_2.34) only in having moved from libdl into the C library.
// Current glibc still exports every old version, so one binary serves old
// and current systems alike.
//
// Every deliverable source built on Linux includes this header. A directive
// binds a name only in an object that uses it, so a file pays nothing for
// the names it does not call. The C++ runtime needs no such step: the
// deliverables call only what GCC 4.1.2's runtime exports (GLIBCXX_3.4.8,
// CXXABI_1.3.1).
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
