// Every key of a theme description (face8.bmp): its section, the kind of value it holds,
// where the program keeps it and, for a picture, the place a window shows it in; and the
// sizes of the windows, which no theme changes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace haripon {

class ThemeFile;
struct EditorLayout;

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

// The keys a window reads itself at its creation.
inline constexpr char kTitleKey[] = "TITLE";
inline constexpr char kReminderKey[] = "MSGWND";
inline constexpr char kReminderButtonKey[] = "MSGEXTBTN";
inline constexpr char kChooserKey[] = "THEME";
inline constexpr char kChooserCancelKey[] = "THEMECSLBTN";
inline constexpr char kChooserOkKey[] = "THEMERETBTN";

enum class KeyKind { Picture, Glyph, Number, Colour, Text };

// Where a window shows a picture: a place of a fixed size, or one as large as two keys say
// (SizeKeys_XSIZ x SizeKeys_YSIZ).
struct PicturePlace {
    const char* What = nullptr;  // null: no place
    WindowSize Size{};
    const char* SizeKeys = nullptr;
};

struct NamedKey;

// One key. In names, '#' stands for the character's number, 1..7.
struct ThemeKey {
    const char* Section;
    const char* Name;
    KeyKind Kind;
    std::array<PicturePlace, 2> Places{};
    // False for the keys no window reads: they have no visible effect.
    bool Read = true;
    // Keeps the value where LoadTheme puts it; null for a key that the window showing it
    // reads itself, and for the keys no window reads.
    void (*Keep)(const ThemeFile& file, const NamedKey& key, EditorLayout& layout) = nullptr;
};

// A key with its character's number put in.
struct NamedKey {
    const ThemeKey* Key;
    std::string Name;
    int Slot;  // 0..6; -1 for a key of no character
};

// Every key, in the order of the bundled themes' files.
const std::vector<NamedKey>& ThemeKeys();

// Section MSG: how many lines character n (1..7) has, and its line m (1..7).
inline constexpr char kLineSection[] = "MSG";
std::string LineCountKey(int n);
std::string LineKey(int n, int m);

// "slot button #" for character n; a name without '#' as it is.
std::string WithNumber(const char* name, int n);

}  // namespace haripon
