#include "theme/theme_keys.h"

#include <algorithm>
#include <map>

#include "platform/core/file_io.h"

namespace haripon {

namespace {

void Take(const ThemeFile& file, const NamedKey& key, std::string& value) {
    value = file.Text(key.Key->Section, key.Name);
}

void Take(const ThemeFile& file, const NamedKey& key, std::int32_t& value) {
    value = file.Number(key.Key->Section, key.Name);
}

// Where the values are kept: a field of the character's SlotTheme, of ThemeSettings, of one
// of its buttons, or of the editor's layout.
template <auto Field>
void InSlot(const ThemeFile& file, const NamedKey& key, LoadedTheme& theme) {
    Take(file, key, theme.Values.Slots[key.Slot].*Field);
}

template <auto Field>
void InTheme(const ThemeFile& file, const NamedKey& key, LoadedTheme& theme) {
    Take(file, key, theme.Values.Settings.*Field);
}

template <auto Button, auto Field>
void InButton(const ThemeFile& file, const NamedKey& key, LoadedTheme& theme) {
    Take(file, key, theme.Values.Settings.*Button.*Field);
}

template <auto Control, auto Field>
void InLayout(const ThemeFile& file, const NamedKey& key, LoadedTheme& theme) {
    Take(file, key, theme.Layout.*Control.*Field);
}

// The small face is kept twice: the memo windows take their own copy at their creation.
void SmallFace(const ThemeFile& file, const NamedKey& key, LoadedTheme& loaded) {
    Take(file, key, loaded.Values.Slots[key.Slot].SmallFaceFile);
    Take(file, key, loaded.Values.SmallFaces[key.Slot]);
}

// Seven lines at most, and only as many as the count says.
void Lines(const ThemeFile& file, const NamedKey& key, LoadedTheme& loaded) {
    SlotTheme& theme = loaded.Values.Slots[key.Slot];
    theme.LineCount = std::clamp(file.Number(kLineSection, key.Name), 0, kLinesPerCharacter);
    for (int j = 0; j < theme.LineCount; ++j)
        theme.Lines[j] = file.Text(kLineSection, LineKey(key.Slot + 1, j + 1));
}

constexpr char kCG[] = "CG";
constexpr char kColor[] = "COLOR";
using K = KeyKind;
using Need = KeyNeed;
using P = PicturePlace;

constexpr P kItsButton(const char* keys) {
    return {"its button", {}, keys};
}

// The four geometry keys of a button or picture, kept in a ButtonTheme of ThemeSettings.
#define HARIPON_BUTTON_PLACE(NAME, BUTTON)                                                         \
    {kCG, NAME "_XPOS", K::Number, {}, Need::Required, InButton<BUTTON, &ButtonTheme::Left>},      \
        {kCG, NAME "_YPOS", K::Number, {}, Need::Required, InButton<BUTTON, &ButtonTheme::Top>},   \
        {kCG, NAME "_XSIZ", K::Number, {}, Need::Required, InButton<BUTTON, &ButtonTheme::Width>}, \
    {                                                                                              \
        kCG, NAME "_YSIZ", K::Number, {}, Need::Required, InButton<BUTTON, &ButtonTheme::Height>   \
    }
// The same for a button a window places itself.
#define HARIPON_OWN_PLACE(NAME, NEED)                                                   \
    {kCG, NAME "_XPOS", K::Number, {}, NEED}, {kCG, NAME "_YPOS", K::Number, {}, NEED}, \
        {kCG, NAME "_XSIZ", K::Number, {}, NEED}, {                                     \
        kCG, NAME "_YSIZ", K::Number, {}, NEED                                          \
    }
// A control of the editor the theme places and colours.
#define HARIPON_LAYOUT(NAME, CONTROL)                                                              \
    {kCG, NAME "_XPOS", K::Number, {}, Need::Required, InLayout<CONTROL, &ControlPlace::Left>},    \
        {kCG, NAME "_YPOS", K::Number, {}, Need::Required, InLayout<CONTROL, &ControlPlace::Top>}, \
    {                                                                                              \
        kCG, NAME "COLOR", K::Colour, {}, Need::Required, InLayout<CONTROL, &ControlPlace::Color>  \
    }

const ThemeKey kBefore[] = {
    {kCG, kTitleKey, K::Picture, {P{"the title window", kTitleSize}}},
    {kCG,
     "MAINFRM",
     K::Picture,
     {P{"the editor window", kEditorSize}},
     Need::Required,
     InTheme<&ThemeRecord::MainFrameFile>},
};

const ThemeKey kCharacter[] = {
    {kCG,
     "CHR#FACE",
     K::Glyph,
     {P{"slot button #", {}, "CHR#FACE"}},
     Need::Required,
     InSlot<&SlotTheme::FaceFile>},
    {kCG, "CHR#FACE_XPOS", K::Number, {}, Need::Required, InSlot<&SlotTheme::FaceLeft>},
    {kCG, "CHR#FACE_YPOS", K::Number, {}, Need::Required, InSlot<&SlotTheme::FaceTop>},
    {kCG, "CHR#FACE_XSIZ", K::Number, {}, Need::Required, InSlot<&SlotTheme::FaceWidth>},
    {kCG, "CHR#FACE_YSIZ", K::Number, {}, Need::Required, InSlot<&SlotTheme::FaceHeight>},
    {kCG,
     "CHR#FACE16",
     K::Picture,
     {P{"the face of memo window #", kMemoFaceSize},
      P{"the editor's selected face", {}, "MINIFACE"}},
     Need::Required,
     SmallFace},
    {kCG,
     "TIMERCHR#",
     K::Picture,
     {P{"the reminder's character picture", {}, "TIMCHR"}},
     Need::Required,
     InSlot<&SlotTheme::TimerCharFile>},
    {kCG,
     "BGCHR#_0",
     K::Picture,
     {P{"the picture behind slot button #", {}, "BGCHR#"}},
     Need::Required,
     InSlot<&SlotTheme::SlotBackFile0>},
    {kCG,
     "BGCHR#_1",
     K::Picture,
     {P{"the picture behind slot button #", {}, "BGCHR#"}},
     Need::Required,
     InSlot<&SlotTheme::SlotBackFile1>},
    {kCG, "BGCHR#_XPOS", K::Number, {}, Need::Required, InSlot<&SlotTheme::SlotBackLeft>},
    {kCG, "BGCHR#_YPOS", K::Number, {}, Need::Required, InSlot<&SlotTheme::SlotBackTop>},
    {kCG, "BGCHR#_XSIZ", K::Number, {}, Need::Required, InSlot<&SlotTheme::SlotBackWidth>},
    {kCG, "BGCHR#_YSIZ", K::Number, {}, Need::Required, InSlot<&SlotTheme::SlotBackHeight>},
    {kCG,
     "PSTBIGCG#",
     K::Picture,
     {P{"memo window # at large display size", kLargeMemoSize}},
     Need::Required,
     InSlot<&SlotTheme::LargeMemoFile>},
    {kCG,
     "PSTSMLCG#",
     K::Picture,
     {P{"memo window # at small display size", kSmallMemoSize}},
     Need::Required,
     InSlot<&SlotTheme::SmallMemoFile>},
};

const ThemeKey kAfter[] = {
    {kCG,
     "CLOSESBTN",
     K::Glyph,
     {kItsButton("CLOSESBTN")},
     Need::Required,
     InButton<&ThemeRecord::CloseButton, &ButtonTheme::File>},
    HARIPON_BUTTON_PLACE("CLOSESBTN", &ThemeRecord::CloseButton),
    {kCG,
     "EXITBTN",
     K::Glyph,
     {kItsButton("EXITBTN")},
     Need::Required,
     InButton<&ThemeRecord::ExitButton, &ButtonTheme::File>},
    HARIPON_BUTTON_PLACE("EXITBTN", &ThemeRecord::ExitButton),
    {kCG,
     "POSTBTN",
     K::Glyph,
     {kItsButton("POSTBTN")},
     Need::Required,
     InButton<&ThemeRecord::PostButton, &ButtonTheme::File>},
    HARIPON_BUTTON_PLACE("POSTBTN", &ThemeRecord::PostButton),
    // The rewrite button stands on the post button's place.
    {kCG,
     "RENEWBTN",
     K::Glyph,
     {kItsButton("POSTBTN")},
     Need::Required,
     InTheme<&ThemeRecord::RenewButtonFile>},
    {kCG,
     "DELBTN",
     K::Glyph,
     {kItsButton("DELBTN")},
     Need::Required,
     InButton<&ThemeRecord::DeleteButton, &ButtonTheme::File>},
    HARIPON_BUTTON_PLACE("DELBTN", &ThemeRecord::DeleteButton),
    {kCG, "MINIFACE_XPOS", K::Number, {}, Need::Required, InTheme<&ThemeRecord::MiniFaceLeft>},
    {kCG, "MINIFACE_YPOS", K::Number, {}, Need::Required, InTheme<&ThemeRecord::MiniFaceTop>},
    {kCG, "MINIFACE_XSIZ", K::Number, {}, Need::Required, InTheme<&ThemeRecord::MiniFaceWidth>},
    {kCG, "MINIFACE_YSIZ", K::Number, {}, Need::Required, InTheme<&ThemeRecord::MiniFaceHeight>},
    HARIPON_LAYOUT("SELMEMO", &EditorLayout::SelectedMemoTitle),
    HARIPON_LAYOUT("MEMOTIT", &EditorLayout::MemoTitle),
    HARIPON_LAYOUT("INPMEMOMEMO", &EditorLayout::MemoEdit),
    HARIPON_LAYOUT("INPMEMOCBOX", &EditorLayout::TimerCheck),
    HARIPON_LAYOUT("INPMEMOSETTIM", &EditorLayout::TimeRow),
    {kCG, "TIMCHR_XPOS", K::Number, {}, Need::Required, InTheme<&ThemeRecord::TimerCharLeft>},
    {kCG, "TIMCHR_YPOS", K::Number, {}, Need::Required, InTheme<&ThemeRecord::TimerCharTop>},
    {kCG, "TIMCHR_XSIZ", K::Number, {}, Need::Required, InTheme<&ThemeRecord::TimerCharWidth>},
    {kCG, "TIMCHR_YSIZ", K::Number, {}, Need::Required, InTheme<&ThemeRecord::TimerCharHeight>},
    {kCG, kReminderKey, K::Picture, {P{"the reminder window", kReminderSize}}},
    {kCG, kReminderButtonKey, K::Glyph, {kItsButton(kReminderButtonKey)}},
    HARIPON_OWN_PLACE("MSGEXTBTN", Need::Required),
    {kCG, kChooserKey, K::Picture, {P{"the theme chooser", kChooserSize}}},
    {kCG, kChooserCancelKey, K::Glyph, {kItsButton(kChooserCancelKey)}},
    HARIPON_OWN_PLACE("THEMECSLBTN", Need::Required),
    {kCG, kChooserOkKey, K::Glyph, {kItsButton(kChooserOkKey)}},
    HARIPON_OWN_PLACE("THEMERETBTN", Need::Required),
    // Read by no window.
    {kCG, "CANSELBTN", K::Glyph, {}, Need::Unread},
    HARIPON_OWN_PLACE("CANSELBTN", Need::Unread),
    {kCG, "TIMER_YPOS", K::Number, {}, Need::Unread},
    {kCG, "TIMERCOLOR", K::Colour, {}, Need::Unread},
};

const ThemeKey kColours[] = {
    {kColor, "PSTCOL#", K::Colour, {}, Need::Required, InSlot<&SlotTheme::MemoColor>},
};

const ThemeKey kMessageColour[] = {
    {kColor, "MSGWNDCOL", K::Colour, {}, Need::Required, InTheme<&ThemeRecord::MessageColor>},
};

const ThemeKey kLineCounts[] = {
    {kLineSection, "CHRMSGCNT#", K::Number, {}, Need::Required, Lines},
};

// Kept with the count that says how many of them are read.
const ThemeKey kLine = {kLineSection, "CHRMSG#-m", K::Text};

#undef HARIPON_BUTTON_PLACE
#undef HARIPON_OWN_PLACE
#undef HARIPON_LAYOUT

template <std::size_t N>
void AddOnce(std::vector<NamedKey>& keys, const ThemeKey (&table)[N]) {
    for (const ThemeKey& key : table)
        keys.push_back({&key, key.Name, -1});
}

template <std::size_t N>
void AddPerCharacter(std::vector<NamedKey>& keys, const ThemeKey (&table)[N]) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (const ThemeKey& key : table)
            keys.push_back({&key, WithNumber(key.Name, slot + 1), slot});
    }
}

}  // namespace

const std::vector<NamedKey>& ThemeKeys() {
    static const std::vector<NamedKey> keys = [] {
        std::vector<NamedKey> all;
        AddOnce(all, kBefore);
        AddPerCharacter(all, kCharacter);
        AddOnce(all, kAfter);
        AddPerCharacter(all, kColours);
        AddOnce(all, kMessageColour);
        AddPerCharacter(all, kLineCounts);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            for (int m = 1; m <= kLinesPerCharacter; ++m)
                all.push_back({&kLine, LineKey(slot + 1, m), slot});
        }
        return all;
    }();
    return keys;
}

std::string_view KeyDefault(std::string_view section, std::string_view name) {
    // Names match without regard to case, as the description's readers match them.
    const auto upper = [](std::string_view text) {
        std::string upper(text);
        for (char& c : upper)
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        return upper;
    };
    static const auto defaults = [&] {
        std::map<std::string, std::string_view> all;
        for (const NamedKey& key : ThemeKeys())
            all.emplace(upper(key.Key->Section) + '\n' + upper(key.Name), key.Key->Default);
        return all;
    }();
    const auto found = defaults.find(upper(section) + '\n' + upper(name));
    return found == defaults.end() ? std::string_view() : found->second;
}

std::string LineCountKey(int n) {
    return "CHRMSGCNT" + std::to_string(n);
}

std::string LineKey(int n, int m) {
    return "CHRMSG" + std::to_string(n) + "-" + std::to_string(m);
}

std::string WithNumber(const char* name, int n) {
    std::string named = name;
    const std::size_t at = named.find('#');
    if (at != std::string::npos)
        named.replace(at, 1, std::to_string(n));
    return named;
}

FileName ThemePath(std::string_view name) {
    return AppFile(ThemeFolder + std::string(name));
}

ThemeFile::ThemeFile() : ThemeFile(ThemePath(kThemeFile)) {}

ThemeFile::ThemeFile(const FileName& file) {
    std::string bytes;
    if (ReadFileBytes(file, bytes) == ReadResult::Ok)
        profile_ = ProfileText(bytes);
}

std::string ThemeFile::Text(std::string_view section, std::string_view key) const {
    if (auto value = profile_.Find(section, key))
        return std::move(*value);
    return std::string(KeyDefault(section, key));
}

std::int32_t ThemeFile::Number(std::string_view section, std::string_view key) const {
    if (const auto value = profile_.Find(section, key))
        return ParseProfileInt(*value, 0);
    return ParseProfileInt(KeyDefault(section, key), 0);
}

ButtonTheme ThemeFile::Button(std::string_view key) const {
    const std::string base(key);
    return {String(base), Integer(base + "_XPOS"), Integer(base + "_YPOS"), Integer(base + "_XSIZ"),
            Integer(base + "_YSIZ")};
}

}  // namespace haripon
