// The Windows loader's entry point of the plug-in. All set-up happens in
// initializePlugin; the loader's notifications (process and thread attach and
// detach) need nothing and always succeed.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
