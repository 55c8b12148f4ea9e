// What a crash in the middle of changing files leaves, for the tests of the portable build:
// from now on the process ends at once, as if it were killed, at the n-th step that changes a
// file (a file written whole, renamed, removed, or a temporary made); 0 never.
#pragma once

namespace haripon {

void EndProcessAtFileStep(int n);

}  // namespace haripon
