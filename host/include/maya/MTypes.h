// Export macros and small shared types of the host API stand-in.
#pragma once

// The host's 64-bit libraries lay out their data handles, and size their
// 64-bit integers, for builds that define Bits64_; a 64-bit plug-in built
// without it reserves the 32-bit sizes and the host writes past them. The
// host's own headers pick the wrong layout silently, so this one refuses.
#if (defined(_WIN64) || defined(__LP64__)) && !defined(Bits64_)
#error \
    "64-bit plug-in builds must define Bits64_ (-DBits64_, /DBits64_), as the host's 64-bit libraries are built with it"
#endif

#if defined(_WIN32)
#if defined(FOUNDATION_BUILDING)
#define FND_EXPORT __declspec(dllexport)
#else
#define FND_EXPORT __declspec(dllimport)
#endif
#if defined(OPENMAYA_BUILDING)
#define OPENMAYA_EXPORT __declspec(dllexport)
#else
#define OPENMAYA_EXPORT __declspec(dllimport)
#endif
#else
#define FND_EXPORT __attribute__((visibility("default")))
#define OPENMAYA_EXPORT __attribute__((visibility("default")))
#endif
