#include "tools/theme_check.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>

#include "model/text_width.h"
#include "platform/core/app_path.h"
#include "platform/core/bitmap_check.h"
#include "platform/core/file_io.h"
#include "platform/core/profile.h"
#include "platform/core/sjis.h"
#include "reminder/reminder_layout.h"
#include "theme/theme_keys.h"
#include "theme/theme_loader.h"

namespace haripon {

namespace {

const char* const kSections[] = {"CG", "COLOR", "MSG"};

// Where a window shows a picture, and how large that place is.
struct Place {
    std::int32_t Width;
    std::int32_t Height;
    std::string What;
};

// One key of face8.bmp and what the program does with its value.
struct KeyRule {
    std::string Section;
    std::string Key;
    KeyKind Type = KeyKind::Number;
    KeyNeed Need = KeyNeed::Required;
    std::string Name;  // pictures: the name as the program reads it
    std::vector<Place> Places;
};

std::string Size(std::int32_t width, std::int32_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

std::string Hex(unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

// Where the bytes stop being whole characters of code page 932, and the bytes of the
// character found there.
std::optional<std::string> FirstNonCp932Character(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view character = text.substr(i, Cp932CharSize(text, i));
        if (!IsCp932Text(character)) {
            std::string bytes;
            for (const char c : character)
                bytes += (bytes.empty() ? "" : " ") + Hex(static_cast<unsigned char>(c));
            return "at byte " + std::to_string(i) + " (" + bytes + ")";
        }
        i += character.size();
    }
    return std::nullopt;
}

// Which lines the loader takes for a character, by its limited line count.
std::string LinesRead(int count) {
    if (count == 0)
        return "the program reads no line";
    if (count == 1)
        return "the program reads line 1 only";
    return "the program reads lines 1.." + std::to_string(count);
}

bool ParsesAsInteger(std::string_view value) {
    return ParseProfileInt(value, 0) != 0 || ParseProfileInt(value, 1) != 1;
}

bool IsPicture(KeyKind kind) {
    return kind == KeyKind::Picture || kind == KeyKind::Glyph;
}

// A picture's place with its size: fixed, or from the theme's own size keys.
Place PlaceOf(const PicturePlace& place, int n, const ThemeFile& file) {
    const std::string what = WithNumber(place.What, n);
    if (!place.SizeKeys)
        return {place.Size.Width, place.Size.Height, what};
    const std::string keys = WithNumber(place.SizeKeys, n);
    return {file.Integer(keys + "_XSIZ"), file.Integer(keys + "_YSIZ"),
            what + " (" + keys + "_XSIZ x " + keys + "_YSIZ)"};
}

// Every key of face8.bmp but section MSG (CheckLines), with what the theme makes of it.
std::vector<KeyRule> ThemeRules(const ThemeFile& file) {
    std::vector<KeyRule> rules;
    for (const NamedKey& named : ThemeKeys()) {
        const ThemeKey& key = *named.Key;
        if (std::string_view(key.Section) == kLineSection)
            continue;  // CheckLines
        KeyRule rule{key.Section, named.Name, key.Kind, key.Need, {}, {}};
        if (IsPicture(key.Kind))
            rule.Name = file.String(named.Name);
        for (const PicturePlace& place : key.Places) {
            if (place.What)
                rule.Places.push_back(PlaceOf(place, named.Slot + 1, file));
        }
        rules.push_back(std::move(rule));
    }
    return rules;
}

// What the program finds in one picture file.
struct PictureFile {
    ReadResult Read = ReadResult::Missing;
    std::string ReadError;
    bool Bitmap = false;  // begins as a Windows bitmap file does
    BitmapFacts Facts;
};

class Checker {
  public:
    Checker(FileName folder, const ProfileText& profile, const LoadedTheme& theme)
        : folder_(std::move(folder)), profile_(profile), theme_(theme) {}

    std::vector<ThemeFinding> Findings() && { return std::move(findings_); }

    void CheckKey(const KeyRule& rule) {
        const auto value = profile_.Find(rule.Section, rule.Key);
        if (!value) {
            if (rule.Need == KeyNeed::Required)
                Missing(rule.Section, rule.Key, "");
            return;
        }
        // A value without visible effect is only worth a warning.
        const FindingLevel level =
            rule.Need == KeyNeed::Unread ? FindingLevel::Warning : FindingLevel::Error;
        if (!IsPicture(rule.Type)) {
            if (!ParsesAsInteger(*value))
                Report(level, kThemeFile, rule.Key, "not a number: " + *value);
            return;
        }
        CheckPicture(rule, level);
    }

    // CHRMSGCNTn and the lines it counts.
    void CheckLines(int n) {
        const std::string countKey = LineCountKey(n);
        const auto count = profile_.Find(kLineSection, countKey);
        if (!count) {
            Missing(kLineSection, countKey, "");
        } else if (!ParsesAsInteger(*count)) {
            Report(FindingLevel::Error, kThemeFile, countKey, "not a number: " + *count);
        } else {
            const std::int32_t value = ParseProfileInt(*count, 0);
            if (value < 0 || value > kLinesPerCharacter) {
                Report(FindingLevel::Error, kThemeFile, countKey,
                       std::to_string(value) + " is outside 0.." +
                           std::to_string(kLinesPerCharacter) + ": the program takes it as " +
                           std::to_string(std::clamp(value, 0, kLinesPerCharacter)));
            } else if (value == 0) {
                Report(
                    FindingLevel::Warning, kThemeFile, countKey,
                    "no lines: character " + std::to_string(n) + "'s reminders show an empty line");
            }
        }

        const SlotTheme& slot = theme_.Values.Slots[n - 1];
        for (int m = 1; m <= kLinesPerCharacter; ++m) {
            const std::string key = LineKey(n, m);
            const bool present = profile_.Find(kLineSection, key).has_value();
            if (m > slot.LineCount) {
                if (present) {
                    Report(FindingLevel::Warning, kThemeFile, key,
                           "never shown: " + LinesRead(slot.LineCount));
                }
                continue;
            }
            if (!present) {
                Missing(kLineSection, key, " (" + LinesRead(slot.LineCount) + ")");
                continue;
            }
            CheckLine(key, slot.Lines[m - 1]);
        }
    }

  private:
    void Report(FindingLevel level, std::string file, std::string key, std::string message) {
        findings_.push_back({level, std::move(file), std::move(key), std::move(message)});
    }

    void Missing(const std::string& section, const std::string& key, const std::string& note) {
        std::string message = "missing from section [" + section + "]" + note;
        for (const char* other : kSections) {
            if (other != section && profile_.Find(other, key)) {
                message += "; it is in [" + std::string(other) + "]";
                break;
            }
        }
        Report(FindingLevel::Error, kThemeFile, key, message);
    }

    void CheckLine(const std::string& key, const std::string& line) {
        if (const auto where = FirstNonCp932Character(line)) {
            Report(FindingLevel::Error, kThemeFile, key, "not valid Shift-JIS " + *where);
            return;
        }
        const int width = TextWidthUnits(line);
        if (width > kLineStrip.Width) {
            Report(FindingLevel::Warning, kThemeFile, key,
                   "line is " + std::to_string(width) + " units wide (" +
                       std::to_string(kSingleByteUnits) + " per single-byte, " +
                       std::to_string(kDoubleByteUnits) +
                       " per double-byte character); the reminder's line strip shows " +
                       std::to_string(kLineStrip.Width) + " and cuts off the rest");
        }
    }

    const PictureFile& Read(const std::string& name) {
        const auto known = pictures_.find(name);
        if (known != pictures_.end())
            return known->second;
        PictureFile& picture = pictures_[name];
        std::string bytes;
        picture.Read = ReadFileBytes(FileIn(folder_, name), bytes);
        if (picture.Read == ReadResult::Failed) {
            picture.ReadError = LastFileErrorText();
        } else if (picture.Read == ReadResult::Ok) {
            picture.Bitmap = bytes.compare(0, 2, "BM") == 0;
            picture.Facts = CheckBitmap(bytes);
        }
        return picture;
    }

    void CheckPicture(const KeyRule& rule, FindingLevel level) {
        if (rule.Name.empty()) {
            Report(level, kThemeFile, rule.Key, "names no picture");
            return;
        }
        if (const auto where = FirstNonCp932Character(rule.Name)) {
            Report(level, kThemeFile, rule.Key, "picture name is not valid Shift-JIS " + *where);
            return;
        }
        const PictureFile& picture = Read(rule.Name);
        const auto report = [&](FindingLevel at, const std::string& message) {
            Report(at, rule.Name, rule.Key, message);
        };
        if (picture.Read == ReadResult::Missing) {
            report(level, "missing");
            return;
        }
        if (picture.Read == ReadResult::Failed) {
            report(level, "cannot be read: " + picture.ReadError);
            return;
        }
        if (!picture.Facts.Valid) {
            report(level, picture.Bitmap ? "a bitmap the program cannot load (a kind it does "
                                           "not decode, or cut short)"
                                         : "not a Windows bitmap file");
            return;
        }

        std::int32_t width = picture.Facts.Width;
        const std::int32_t height = picture.Facts.Height;
        std::string what = "picture";
        if (rule.Type == KeyKind::Glyph) {
            if (width % 4 != 0) {
                report(level, "glyph strip " + std::to_string(width) +
                                  " pixels wide is not divisible by four");
                return;
            }
            width /= 4;
            what = "each of its four images";
        }
        for (const Place& place : rule.Places) {
            // A place of no size shows nothing: there is nothing to compare.
            if (place.Width <= 0 || place.Height <= 0)
                continue;
            if (width > place.Width || height > place.Height) {
                report(FindingLevel::Warning,
                       what + " is " + Size(width, height) + ", larger than " + place.What + ", " +
                           Size(place.Width, place.Height) + ": the rest is cut off");
            }
        }
    }

    const FileName folder_;
    const ProfileText& profile_;
    const LoadedTheme& theme_;
    std::map<std::string, PictureFile> pictures_;
    std::vector<ThemeFinding> findings_;
};

}  // namespace

std::vector<ThemeFinding> CheckTheme(const std::filesystem::path& folder) {
    const FileName base = folder / "";
    const FileName description = FileIn(base, kThemeFile);
    std::string bytes;
    switch (ReadFileBytes(description, bytes)) {
        case ReadResult::Ok:
            break;
        case ReadResult::Missing:
            return {{FindingLevel::Error, kThemeFile, "", "missing"}};
        case ReadResult::Failed:
            return {
                {FindingLevel::Error, kThemeFile, "", "cannot be read: " + LastFileErrorText()}};
    }

    const ThemeFile file(description);
    const LoadedTheme theme = ReadTheme(file);
    const ProfileText profile(bytes);
    Checker checker(base, profile, theme);
    for (const KeyRule& rule : ThemeRules(file))
        checker.CheckKey(rule);
    for (int n = 1; n <= kSlotCount; ++n)
        checker.CheckLines(n);
    return std::move(checker).Findings();
}

std::string FormatFinding(const ThemeFinding& finding) {
    std::string text = finding.Level == FindingLevel::Error ? "error: " : "warning: ";
    text += finding.File;
    if (!finding.Key.empty())
        text += finding.File == kThemeFile ? ": " + finding.Key : " (" + finding.Key + ")";
    return text + ": " + finding.Message;
}

bool HasErrors(const std::vector<ThemeFinding>& findings) {
    return std::any_of(findings.begin(), findings.end(), [](const ThemeFinding& finding) {
        return finding.Level == FindingLevel::Error;
    });
}

int ThemeCheckReport(const std::filesystem::path& folder, std::ostream& out) {
    const std::vector<ThemeFinding> findings = CheckTheme(folder);
    for (const ThemeFinding& finding : findings)
        out << FormatFinding(finding) << '\n';
    const auto errors = std::count_if(findings.begin(), findings.end(), [](const auto& finding) {
        return finding.Level == FindingLevel::Error;
    });
    out << ShownFileName(folder) << ": " << errors << " error(s), "
        << findings.size() - static_cast<std::size_t>(errors) << " warning(s)\n";
    return errors > 0 ? 1 : 0;
}

}  // namespace haripon
