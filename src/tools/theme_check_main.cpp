// haripon-theme-check DIR: tells a theme author what the program will make of a theme.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "model/text_width.h"
#include "platform/core/file_io.h"
#include "reminder/reminder_layout.h"
#include "tools/theme_check.h"

namespace {

constexpr char kHelpBefore[] =
    "usage: haripon-theme-check DIR\n"
    "\n"
    "Reads the theme in DIR (the folder holding face8.bmp; picture names in face8.bmp are\n"
    "relative to it) with the program's own loader and reports, with file and key names,\n"
    "what the program would make of it.\n"
    "\n"
    "Errors (the program would fail or show something broken):\n"
    "  face8.bmp missing; a key missing from its section (CHRMSGn-m only for m up to\n"
    "  CHRMSGCNTn); a number that does not parse; a picture missing, empty-named, unreadable\n"
    "  or not a bitmap the program can load; a glyph strip whose width is not divisible by\n"
    "  four; CHRMSGCNTn outside 0..7; a line or picture name that is not valid Shift-JIS.\n"
    "Warnings (shown, but not as drawn, or without effect):\n"
    "  a picture larger than the place its window gives it (for a glyph strip: each of its\n"
    "  four images against its button); a line wider than the reminder's line strip\n";
constexpr char kHelpAfter[] =
    "; CHRMSGCNTn = 0; a\n"
    "  line beyond CHRMSGCNTn; a bad value in one of the keys no window reads (CANSELBTN*,\n"
    "  TIMER_YPOS, TIMERCOLOR), which may also be left out.\n"
    "\n"
    "Exit status: 0 when there is no error (warnings are printed), 1 when there is one,\n"
    "2 when DIR is not a folder or the arguments are wrong.\n";

std::string Help() {
    using std::to_string;
    return kHelpBefore +
           ("  (" + to_string(haripon::kLineStrip.Width) + " units, " +
            to_string(haripon::kSingleByteUnits) + " per single-byte and " +
            to_string(haripon::kDoubleByteUnits) + " per double-byte character)") +
           kHelpAfter;
}

int Run(const std::vector<std::filesystem::path>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << Help();
        return 0;
    }
    if (args.size() != 1) {
        std::cerr << "usage: haripon-theme-check DIR (--help tells more)\n";
        return 2;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(args[0], error)) {
        std::cerr << "haripon-theme-check: " << haripon::ShownFileName(args[0])
                  << ": not a folder\n";
        return 2;
    }
    return haripon::ThemeCheckReport(args[0], std::cout);
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
#else
int main(int argc, char** argv) {
#endif
    return Run({argv + 1, argv + argc});
}
