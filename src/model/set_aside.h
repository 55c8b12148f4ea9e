// Files beside the program put out of the way under a new name, never deleted.
#pragma once

#include <string>

namespace haripon {

// The file `name` beside the program gets `ending` added to its name, or `ending` and "-2"
// and so on where one of that name was set aside before (OneDrive names every copy from one
// PC alike). The name given; none when it could not be renamed.
std::string SetAside(const std::string& name, const std::string& ending);

}  // namespace haripon
