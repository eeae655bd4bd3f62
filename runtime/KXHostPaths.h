// Where the running executable lives.
#pragma once

#include <string>

// Absolute path of the running executable ("/opt/pictorra/pictorra").
const std::string& kxExecutablePath();

// Its directory, ending in "/".
std::string kxExecutableDir();
