// The DirectX setup library of the demo CD. The launcher only checks that the file is there;
// it is a real, empty DLL so that anything that does load it succeeds.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
