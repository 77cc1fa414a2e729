// The blue diagonal stripes behind the title and the start-up screen.
#pragma once

// Rotation -45 degrees; rectangles from (-100, 3 i), i = 0, 10, ... up to ScreenH, each a little
// bluer. Leaves the rotation and colour set: callers reset the draw state afterwards.
void DrawStripes();
