// Temporary stand-ins for the display start-up until it lands; removed then.
#include "media/internal.h"

__attribute__((weak)) void GfxInit(MediaBackend) {}
__attribute__((weak)) void GfxShutdown() {}
__attribute__((weak)) SDL_Window* CurrentSdlWindow() { return nullptr; }
__attribute__((weak)) int RealWidth() { return 0; }
__attribute__((weak)) int RealHeight() { return 0; }
__attribute__((weak)) int VirtualWidth() { return 0; }
__attribute__((weak)) int VirtualHeight() { return 0; }
__attribute__((weak)) void Flip(int) { HeadlessEndFrame(); }
