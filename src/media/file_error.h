// Why a replacing write failed, for the log of whoever reports it.
#pragma once

#include <string>

// The step and the system's reason of the last failed OpenReplace or replacing CloseFile
// ("rename: Is a directory"); empty before any failure.
std::string ReplaceError();
