// LoadTheme on any face8.bmp bytes: it reads the file through the theme folder, keeps the
// line counts within 0..7 and leaves the lines past the count empty.
#include <algorithm>
#include <string>

#include "fuzz_support.h"
#include "model/slot_table.h"
#include "temp_folder.h"
#include "theme/theme_loader.h"

namespace haripon {
namespace {

// A theme folder whose name holds 0x5C as a trail byte: "DATA\ソフト\".
const std::string kThemeFolder = "DATA\\\x83\x5C\x83\x74\x83\x67\\";

const testing_support::TempFolder& Folder() {
    static const testing_support::TempFolder folder("fuzz-theme");
    return folder;
}

std::string Key(const char* prefix, int n, const std::string& suffix = "") {
    return prefix + std::to_string(n) + suffix;
}

}  // namespace
}  // namespace haripon

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace haripon;
    const std::string bytes(fuzz::Bytes(data, size));
    Folder().Write("DATA/\x83\x5C\x83\x74\x83\x67/face8.bmp", bytes);
    SetAppFolder(Folder().Path().string() + "/");
    SetThemeFolder(kThemeFolder);

    ResetSlots();
    const EditorLayout layout = LoadTheme();

    // The values are those of the file's own text.
    const ProfileText file(bytes);
    for (int i = 0; i < kSlotCount; ++i) {
        const int n = i + 1;
        const SlotTheme& theme = SlotTable[i].SlotTheme;
        FUZZ_CHECK(theme.LineCount >= 0 && theme.LineCount <= kLinesPerCharacter);
        FUZZ_CHECK(theme.LineCount ==
                   std::clamp(file.ReadInteger("MSG", Key("CHRMSGCNT", n)), 0, kLinesPerCharacter));
        for (int j = 0; j < kLinesPerCharacter; ++j) {
            const std::string& line = theme.Lines[j];
            if (j >= theme.LineCount) {
                FUZZ_CHECK(line.empty());
            } else {
                FUZZ_CHECK(line ==
                           file.ReadString("MSG", Key("CHRMSG", n, "-" + std::to_string(j + 1))));
            }
            FUZZ_CHECK(line.size() <= kProfileValueLimit);
        }
        FUZZ_CHECK(theme.FaceFile == file.ReadString("CG", Key("CHR", n, "FACE")));
        FUZZ_CHECK(theme.MemoColor == file.ReadInteger("COLOR", Key("PSTCOL", n)));
        FUZZ_CHECK(theme.SlotBackHeight == file.ReadInteger("CG", Key("BGCHR", n, "_YSIZ")));
        FUZZ_CHECK(SmallFaceNames[i] == file.ReadString("CG", Key("CHR", n, "FACE16")));
    }
    FUZZ_CHECK(ThemeSettings.MainFrameFile == file.ReadString("CG", "MAINFRM"));
    FUZZ_CHECK(ThemeSettings.MessageColor == file.ReadInteger("COLOR", "MSGWNDCOL"));
    FUZZ_CHECK(layout.TimeRow.Color == file.ReadInteger("CG", "INPMEMOSETTIMCOLOR"));
    return 0;
}
