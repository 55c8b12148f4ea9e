// The memos that left their slots on purpose lately, on this copy or on another one sharing
// the file (peeled off, delivered, replaced by a rewrite, kept beside the file for want of a
// slot). A memo that the file no longer holds is taken as removed only when this list says
// so: otherwise the copy that wrote the file never saw it, and it stays.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/local_clock.h"

namespace haripon {

enum class GoneWhy : char { Peeled = 'P', Delivered = 'D', Rewritten = 'R', Kept = 'K' };

struct GoneMemo {
    std::string Id;
    std::int32_t Day = 0;  // yyyymmdd
    GoneWhy Why = GoneWhy::Peeled;
};
using GoneList = std::vector<GoneMemo>;

// A memo is remembered this many days after it left, and no more than this many are.
inline constexpr int kGoneDays = 60;
inline constexpr std::size_t kGoneKept = 200;

// What this copy knows: the file's list as last read or written, and what left here since.
const GoneList& KnownGone();
void RecordGone(const std::string& id, GoneWhy why, const LocalTime& now);
// The file's list taken in; the oldest beyond the limits go.
void TakeGone(const GoneList& fromFile, const LocalTime& now);
// A new run: nothing known.
void ForgetGone();

const GoneMemo* FindGone(const GoneList& list, const std::string& id);

}  // namespace haripon
