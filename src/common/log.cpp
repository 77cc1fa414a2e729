// Log lines go straight to the file (each line flushed), so a crash keeps everything before it.
#include "common/log.h"

#include "media/media.h"

void LogLine(const std::string& text) { WriteLine(LogStream, text); }
