// What the frame layer starts but the engine above it owns. Start-up installs both; until then
// (tools, and tests of the lower floors alone) a close request just ends the process and Tab
// saves nothing.
#pragma once

inline void (*CloseHook)() = nullptr;      // the closing sequence; never returns
inline bool (*SaveSetupHook)() = nullptr;  // writes Setup.ini; false when it could not
