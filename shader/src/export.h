// Marks the shader library's exports; everything else is hidden.
#pragma once

#if defined(_WIN32)
#define ZQ4V_EXPORT __declspec(dllexport)
#else
#define ZQ4V_EXPORT __attribute__((visibility("default")))
#endif
