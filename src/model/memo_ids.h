// Each memo carries an id of its own from the moment it is posted, so that copies of the
// program sharing a file can tell a memo another copy removed from one it never saw.
#pragma once

#include <cstdint>
#include <string>

namespace haripon {

// A new id: this run's token and a count ("3fa2c9d1.7").
std::string NewMemoId();
// The token the ids of this run start with; random unless set (a test's copies).
void SetMemoIdToken(std::string token);

// Eight hexadecimal digits of a 32-bit number.
std::string Hex8(std::uint32_t value);

}  // namespace haripon
