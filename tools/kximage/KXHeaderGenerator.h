// Writes the C++ declarations of the runtime's commands for programs built with kximage.
#pragma once

#include <string>
#include <vector>

// One declaration per command spec (helpers, whose specs carry no parameters, are skipped):
// stdcall, extern "C", bound to the command's link name, typed from the spec ("%" int,
// "#" float, "$" kx_str) with the spec's defaults as default arguments. End and RuntimeError
// are marked as not returning.
std::string kxCommandsHeader(const std::vector<std::string>& specs);

// Every spec of the runtime's registry, in registration order.
std::vector<std::string> kxRegistrySpecs();
