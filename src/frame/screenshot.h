// F11 screenshots: the back buffer at the real display size, saved as a PNG in the folder above
// the game folder, named after the game, the date and the time.
#pragma once

#include <string>

void TakeScreenshot();

// s without any of # ' , ` . \ / : | * ? and the double quote; everything else kept.
std::string SafeFileName(const std::string& s);
