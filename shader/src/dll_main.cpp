// The Windows loader's entry point of the shader library. All set-up happens
// when the renderer calls miSetModuleHandle; the loader's notifications
// (process and thread attach and detach) need nothing and always succeed.
#if defined(_WIN32)
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
#endif
