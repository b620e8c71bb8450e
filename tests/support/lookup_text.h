// The lookup's could-not-find text for a name, as the launcher composes it, for comparing with
// what a box shows.
#pragma once

#include <string>

#include "install/path_rules.h"

inline std::string fileNotFoundText(const char* relativeName) {
    char text[kFileNotFoundMessageSize];
    fileNotFoundMessage(relativeName, text);
    return text;
}
