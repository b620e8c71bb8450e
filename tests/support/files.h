// Files and folders for the Windows tests: reading what a program wrote.
#pragma once

#include <string>

// The whole content of a file as bytes; "" when it cannot be opened.
std::string readFileText(const std::string& path);
