// The copies of timpsd.ini a synchronising service makes beside it when two PCs changed it at
// once: their memos are taken into the slots, and the copies renamed so that they are not
// taken twice.
#pragma once

#include <string>
#include <vector>

#include "model/settings.h"

namespace haripon {

struct ConflictCopiesTaken {
    // The copies taken and renamed; none when there were none, or the save failed (they are
    // taken at the next start then).
    std::vector<std::string> Names;
    SettingsNews News;
};

// Takes the memos that only the conflict copies beside the file hold, as the merge takes
// another copy's: not one that left its slot on purpose, here or elsewhere (nor one whose
// time has passed: its reminder is shown); each into its own slot where that is free, else
// the first free one (else kept beside the file, and in the removed memos' file); saves, and
// renames each copy.
// `held`: the slots the user is writing in, which take nothing.
ConflictCopiesTaken TakeConflictCopies(const LocalTime& now, const SlotSet& held = {});

}  // namespace haripon
