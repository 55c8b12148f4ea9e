// Memos from another copy of the program that found no free slot, kept one a line in a text
// file beside the settings file, so that none is lost.
#pragma once

#include <vector>

#include "model/slot_table.h"

namespace haripon {

inline constexpr char kKeptMemosFile[] = "timpsd-kept.txt";

enum class Kept { Nothing, Added, Failed };

// The memos added at the end of the file, each once however often a save is tried: Nothing
// when all were there already (or there were none), Failed when the file could not be read
// or written.
Kept KeepMemos(const std::vector<StoredSlot>& memos);

}  // namespace haripon
