// The copies a synchronising service makes beside a file when two PCs changed it at once.
#pragma once

#include <string_view>

namespace haripon {

// A conflict copy of `stem` + ".ini": OneDrive: stem-PC.ini; Dropbox, Nextcloud, Google
// Drive: stem (…).ini; Syncthing: stem.sync-conflict-….ini; ASCII letters in any case.
bool IsConflictCopyName(std::string_view name, std::string_view stem = "timpsd");

}  // namespace haripon
