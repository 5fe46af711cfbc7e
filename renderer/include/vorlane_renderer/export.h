// Export macro of the stand-in renderer's C++ API.
#pragma once

#if defined(_WIN32)
#if defined(VORLANE_RENDERER_BUILD)
#define VORLANE_RENDERER_API __declspec(dllexport)
#else
#define VORLANE_RENDERER_API __declspec(dllimport)
#endif
#else
#define VORLANE_RENDERER_API __attribute__((visibility("default")))
#endif
