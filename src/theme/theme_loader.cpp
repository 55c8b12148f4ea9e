#include "theme/theme_loader.h"

#include <algorithm>

#include "model/slot_table.h"
#include "platform/core/file_io.h"

namespace haripon {

namespace {

std::string Key(const char* prefix, int n, const char* suffix = "") {
    return prefix + std::to_string(n) + suffix;
}

void ReadButton(const ThemeFile& file, const char* name, ButtonTheme& button, bool withFile) {
    const std::string base = name;
    if (withFile)
        button.File = file.String(base);
    button.Left = file.Integer(base + "_XPOS");
    button.Top = file.Integer(base + "_YPOS");
    button.Width = file.Integer(base + "_XSIZ");
    button.Height = file.Integer(base + "_YSIZ");
}

ControlPlace ReadPlace(const ThemeFile& file, const char* name, const char* colorKey) {
    const std::string base = name;
    return {file.Integer(base + "_XPOS"), file.Integer(base + "_YPOS"), file.Integer(colorKey)};
}

void ReadSlotTheme(const ThemeFile& file, int n, SlotTheme& theme) {
    theme.FaceFile = file.String(Key("CHR", n, "FACE"));
    theme.SmallFaceFile = file.String(Key("CHR", n, "FACE16"));
    theme.TimerCharFile = file.String(Key("TIMERCHR", n));
    theme.SlotBackFile0 = file.String(Key("BGCHR", n, "_0"));
    theme.SlotBackFile1 = file.String(Key("BGCHR", n, "_1"));
    theme.LargeMemoFile = file.String(Key("PSTBIGCG", n));
    theme.SmallMemoFile = file.String(Key("PSTSMLCG", n));
    theme.MemoColor = file.Number("COLOR", Key("PSTCOL", n));
    theme.LineCount = std::clamp(file.Number("MSG", Key("CHRMSGCNT", n)), 0, kLinesPerCharacter);
    theme.FaceLeft = file.Integer(Key("CHR", n, "FACE_XPOS"));
    theme.FaceTop = file.Integer(Key("CHR", n, "FACE_YPOS"));
    theme.FaceWidth = file.Integer(Key("CHR", n, "FACE_XSIZ"));
    theme.FaceHeight = file.Integer(Key("CHR", n, "FACE_YSIZ"));
    theme.SlotBackLeft = file.Integer(Key("BGCHR", n, "_XPOS"));
    theme.SlotBackTop = file.Integer(Key("BGCHR", n, "_YPOS"));
    theme.SlotBackWidth = file.Integer(Key("BGCHR", n, "_XSIZ"));
    theme.SlotBackHeight = file.Integer(Key("BGCHR", n, "_YSIZ"));
    for (int j = 0; j < theme.LineCount; ++j) {
        theme.Lines[j] = file.Text("MSG", Key("CHRMSG", n, ("-" + std::to_string(j + 1)).c_str()));
    }
}

}  // namespace

FileName ThemePath(std::string_view name) {
    return AppFile(ThemeFolder + std::string(name));
}

ThemeFile::ThemeFile() {
    std::string bytes;
    if (ReadFileBytes(ThemePath(kThemeFile), bytes) == ReadResult::Ok) {
        profile_ = ProfileText(bytes);
    }
}

std::string ThemeFile::Text(std::string_view section, std::string_view key) const {
    return profile_.ReadString(section, key);
}

std::int32_t ThemeFile::Number(std::string_view section, std::string_view key) const {
    return profile_.ReadInteger(section, key);
}

EditorLayout LoadTheme() {
    const ThemeFile file;
    for (int i = 0; i < kSlotCount; ++i)
        ReadSlotTheme(file, i + 1, SlotTable[i].SlotTheme);

    ThemeRecord& theme = ThemeSettings;
    theme.MainFrameFile = file.String("MAINFRM");
    theme.CloseButton.File = file.String("CLOSESBTN");
    theme.ExitButton.File = file.String("EXITBTN");
    theme.PostButton.File = file.String("POSTBTN");
    theme.RenewButtonFile = file.String("RENEWBTN");
    theme.DeleteButton.File = file.String("DELBTN");
    ReadButton(file, "CLOSESBTN", theme.CloseButton, false);
    ReadButton(file, "EXITBTN", theme.ExitButton, false);
    ReadButton(file, "POSTBTN", theme.PostButton, false);
    theme.MiniFaceLeft = file.Integer("MINIFACE_XPOS");
    theme.MiniFaceTop = file.Integer("MINIFACE_YPOS");
    theme.MiniFaceWidth = file.Integer("MINIFACE_XSIZ");
    theme.MiniFaceHeight = file.Integer("MINIFACE_YSIZ");
    ReadButton(file, "DELBTN", theme.DeleteButton, false);

    EditorLayout layout;
    layout.SelectedMemoTitle = ReadPlace(file, "SELMEMO", "SELMEMOCOLOR");
    layout.MemoTitle = ReadPlace(file, "MEMOTIT", "MEMOTITCOLOR");
    layout.MemoEdit = ReadPlace(file, "INPMEMOMEMO", "INPMEMOMEMOCOLOR");
    layout.TimerCheck = ReadPlace(file, "INPMEMOCBOX", "INPMEMOCBOXCOLOR");
    layout.TimeRow = ReadPlace(file, "INPMEMOSETTIM", "INPMEMOSETTIMCOLOR");

    theme.TimerCharLeft = file.Integer("TIMCHR_XPOS");
    theme.TimerCharTop = file.Integer("TIMCHR_YPOS");
    theme.TimerCharWidth = file.Integer("TIMCHR_XSIZ");
    theme.TimerCharHeight = file.Integer("TIMCHR_YSIZ");
    for (int i = 0; i < kSlotCount; ++i)
        SmallFaceNames[i] = file.String(Key("CHR", i + 1, "FACE16"));
    theme.MessageColor = file.Number("COLOR", "MSGWNDCOL");
    return layout;
}

}  // namespace haripon
