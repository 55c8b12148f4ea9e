// due_check_bench: the cost of one reminder check's decision, DueSlots over seven armed
// memos, each set for later the same hour so that all five fields of its time are compared
// (the most a check compares). Prints the median nanoseconds per check over rounds of many
// checks, and the fastest and slowest round:
//   due_check_bench [CHECKS_PER_ROUND [ROUNDS]]
// It first makes sure that the decision is really taken: the clock one minute past the
// memos' time finds all seven due, and the clock before it none.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "reminder/reminder_rules.h"
#include "model/slot_table.h"

namespace {

using haripon::DateTimeRecord;
using haripon::DueSlots;
using haripon::kSlotCount;
using haripon::SlotTable;

DateTimeRecord Clock(std::uint16_t minute) {
    DateTimeRecord now;
    now.Year = 2026;
    now.Month = 12;
    now.Day = 8;
    now.Hour = 9;
    now.Minute = minute;
    return now;
}

// The seven memos fall due at 09:30 + their slot.
void ArmSevenMemos() {
    for (int slot = 0; slot < kSlotCount; ++slot)
        haripon::PostIntoSlot(slot, "memo", haripon::ReminderTime{2026, 12, 8, 9, 30 + slot});
}

}  // namespace

int main(int argc, char** argv) {
    const long checks = argc > 1 ? std::max(1L, std::atol(argv[1])) : 2000000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    ArmSevenMemos();
    if (DueSlots(SlotTable, Clock(29)).size() != 0 ||
        DueSlots(SlotTable, Clock(30 + kSlotCount)).size() != kSlotCount) {
        std::fprintf(stderr, "due_check_bench: the due decision is not what it should be\n");
        return 1;
    }

    std::vector<double> perCheck;
    std::size_t found = 0;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (long check = 0; check < checks; ++check) {
            // The clock moves between 09:00 and 09:29, as the checks of half an hour see it.
            found += DueSlots(SlotTable, Clock(static_cast<std::uint16_t>(check % 30))).size();
        }
        const std::chrono::duration<double, std::nano> elapsed =
            std::chrono::steady_clock::now() - start;
        perCheck.push_back(elapsed.count() / static_cast<double>(checks));
    }
    if (found != 0) {
        std::fprintf(stderr, "due_check_bench: a memo fell due while none should\n");
        return 1;
    }
    std::sort(perCheck.begin(), perCheck.end());
    std::printf("due_check_ns=%.2f\n", perCheck[perCheck.size() / 2]);
    std::printf("due_check_fastest_ns=%.2f\n", perCheck.front());
    std::printf("due_check_slowest_ns=%.2f\n", perCheck.back());
    std::printf("due_check_checks=%ld\n", checks * rounds);
    return 0;
}
