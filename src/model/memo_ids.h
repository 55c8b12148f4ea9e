// Each memo carries an id of its own from the moment it is posted, so that copies of the
// program sharing a file can tell a memo another copy removed from one it never saw.
#pragma once

#include <cstdint>
#include <string>

namespace haripon {

struct StoredSlot;

// A new id: this run's token and a count ("3fa2c9d1.7").
std::string NewMemoId();
// The token the ids of this run start with; random unless set (a test's copies).
void SetMemoIdToken(std::string token);

// What a memo holds (its text, reminder time and timer) in eight hexadecimal digits: an id
// kept beside a slot whose memo another program rewrote no longer matches it.
std::string MemoFingerprint(const StoredSlot& memo);

}  // namespace haripon
