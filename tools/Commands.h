#pragma once
// Subcommands of qxkat-tool that live in their own files. Each takes the
// arguments after its name and returns the exit code.

#include <string>
#include <vector>

namespace qx::tool {

// picture FILE --ppm OUT [--color-depth N]
int Picture(const std::vector<std::string>& args);

} // namespace qx::tool
