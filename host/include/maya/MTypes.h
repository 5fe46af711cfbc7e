// Export macros and small shared types of the host API stand-in.
#pragma once

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
