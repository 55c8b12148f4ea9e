// Every key of a theme description (face8.bmp): its section, the kind of value it holds,
// whether a theme must give it and what is taken when it does not, where the program keeps
// it and, for a picture, the place a window shows it in; and the windows' sizes and designed
// places, which no theme changes; and the description read through the table (ThemeFile).
// tools/make_themes.py reads the sizes and places from here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/slot_table.h"
#include "platform/core/file_name.h"
#include "platform/core/profile.h"

namespace haripon {

struct WindowSize {
    std::int32_t Width;
    std::int32_t Height;
};

// Client sizes: a picture larger than its window is cut off.
inline constexpr WindowSize kTitleSize{300, 200};
inline constexpr WindowSize kEditorSize{408, 227};
inline constexpr WindowSize kReminderSize{300, 160};
inline constexpr WindowSize kChooserSize{242, 122};
inline constexpr WindowSize kLargeMemoSize{413, 22};
inline constexpr WindowSize kSmallMemoSize{213, 22};
inline constexpr WindowSize kMemoFaceSize{16, 16};

// The editor's slot buttons as the window is designed, before a theme places them: button n
// (0-based) stands kSlotButtonStep pixels right of button n - 1, with its picture behind it.
inline constexpr std::int32_t kSlotButtonLeft = 10;
inline constexpr std::int32_t kSlotButtonTop = 51;
inline constexpr WindowSize kSlotButtonSize{33, 33};
inline constexpr std::int32_t kSlotButtonStep = 56;
inline constexpr std::int32_t kSlotPictureLeft = 8;
inline constexpr std::int32_t kSlotPictureTop = 50;
inline constexpr WindowSize kSlotPictureSize{49, 57};

constexpr std::int32_t SlotButtonLeft(int slot) {
    return kSlotButtonLeft + kSlotButtonStep * slot;
}
constexpr std::int32_t SlotPictureLeft(int slot) {
    return kSlotPictureLeft + kSlotButtonStep * slot;
}
static_assert(SlotPictureLeft(kSlotCount - 1) + kSlotPictureSize.Width <= kEditorSize.Width,
              "every slot button and its picture fit the editor");

// The keys a window reads itself at its creation.
inline constexpr char kTitleKey[] = "TITLE";
inline constexpr char kReminderKey[] = "MSGWND";
inline constexpr char kReminderButtonKey[] = "MSGEXTBTN";
inline constexpr char kChooserKey[] = "THEME";
inline constexpr char kChooserCancelKey[] = "THEMECSLBTN";
inline constexpr char kChooserOkKey[] = "THEMERETBTN";

enum class KeyKind { Picture, Glyph, Number, Colour, Text };

enum class KeyNeed {
    Required,  // a theme that leaves it out shows something broken: the checker says so
    Optional,  // may be left out: its default is taken
    Unread,    // read by no window: it has no visible effect
};

// Where a window shows a picture: a place of a fixed size, or one as large as two keys say
// (SizeKeys_XSIZ x SizeKeys_YSIZ).
struct PicturePlace {
    const char* What = nullptr;  // null: no place
    WindowSize Size{};
    const char* SizeKeys = nullptr;
};

inline constexpr char kThemeFile[] = "face8.bmp";

// AppFolder + ThemeFolder + a name from the theme, joined as they are: where every file of
// the active theme is found.
FileName ThemePath(std::string_view name);

// A theme description, read once; a missing file reads as all defaults, and so does a key
// it leaves out (the key table's default).
class ThemeFile {
  public:
    // face8.bmp of the active theme, at AppFolder + ThemeFolder.
    ThemeFile();
    explicit ThemeFile(const FileName& file);

    std::string String(std::string_view key) const { return Text("CG", key); }
    std::int32_t Integer(std::string_view key) const { return Number("CG", key); }
    std::string Text(std::string_view section, std::string_view key) const;
    std::int32_t Number(std::string_view section, std::string_view key) const;
    // A button's glyph strip (key) and place (key_XPOS, _YPOS, _XSIZ, _YSIZ) in section CG.
    ButtonTheme Button(std::string_view key) const;

  private:
    ProfileText profile_;
};

// Place and colour of an editor control, as the theme gives them.
struct ControlPlace {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Color = 0;
};

// The editor layout keys, applied to the editor's controls and not kept in ThemeSettings.
struct EditorLayout {
    ControlPlace SelectedMemoTitle;  // SELMEMO_
    ControlPlace MemoTitle;          // MEMOTIT_
    ControlPlace MemoEdit;           // INPMEMOMEMO
    ControlPlace TimerCheck;         // INPMEMOCBOX
    ControlPlace TimeRow;            // INPMEMOSETTIM
};

// A theme as its description gives it: the values the program keeps and the editor layout.
struct LoadedTheme {
    ThemeValues Values;
    EditorLayout Layout;
};

struct NamedKey;

// One key. In names, '#' stands for the character's number, 1..kSlotCount.
struct ThemeKey {
    const char* Section;
    const char* Name;
    KeyKind Kind;
    std::array<PicturePlace, 2> Places{};
    KeyNeed Need = KeyNeed::Required;
    // Keeps the value where LoadTheme puts it; null for a key that the window showing it
    // reads itself, and for the keys no window reads.
    void (*Keep)(const ThemeFile& file, const NamedKey& key, LoadedTheme& theme) = nullptr;
    // What a theme that leaves the key out gives: empty text, a number 0, unless named.
    const char* Default = "";
};

// A key with its character's number put in.
struct NamedKey {
    const ThemeKey* Key;
    std::string Name;
    int Slot;  // 0..kSlotCount - 1; -1 for a key of no character
};

// Every key, in the order of the bundled themes' files.
const std::vector<NamedKey>& ThemeKeys();

// The default of a key of the table (by section and name as the table spells them); empty
// for any other.
std::string_view KeyDefault(std::string_view section, std::string_view name);

// Section MSG: how many lines character n has, and its line m (1..kLinesPerCharacter).
inline constexpr char kLineSection[] = "MSG";
std::string LineCountKey(int n);
std::string LineKey(int n, int m);

// "slot button #" for character n; a name without '#' as it is.
std::string WithNumber(const char* name, int n);

}  // namespace haripon
