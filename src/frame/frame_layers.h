// The layers that EndFrame draws over every screen, split out of end_frame.cpp (frame layer only).
#pragma once

// The debug overlay (F12): frame rate, memory figures and the draw counters against their budgets.
void DrawOverlay();
// Ages and draws the message stack upwards from the bottom-left corner; removes expired messages.
void DrawMessages();
