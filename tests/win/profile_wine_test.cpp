// Our profile reader and writer against the system's private-profile functions.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "model/settings.h"
#include "model/slot_table.h"
#include "platform/core/handles_win.h"
#include "platform/core/profile.h"
#include "slot_setup.h"
#include "temp_folder.h"

namespace haripon {
namespace {

namespace fs = std::filesystem;
using testing_support::ChangeSlot;
using testing_support::SaveSettingsNow;
using testing_support::SetMemoOf;

class SystemProfile : public testing::Test {
  protected:
    // A new name for every file: the system keeps recently read files cached.
    std::string NewFile(const std::string& bytes) {
        const std::string name = "f" + std::to_string(++serial_) + ".ini";
        temp_.Write(name, bytes);
        return temp_.File(name).string();
    }

    testing_support::TempFolder temp_{"profile"};
    const fs::path folder_ = temp_.Path();
    int serial_ = 0;
};

constexpr char kAbsent[] = "<absent>";

std::string SystemRead(const std::string& file, const char* section, const char* key) {
    std::string buffer(2048, '\0');
    const DWORD length =
        GetPrivateProfileStringA(section, key, kAbsent, buffer.data(), 2048, file.c_str());
    buffer.resize(length);
    return buffer;
}

const char* const kTrickyFiles[] = {
    "[S]\r\n  k  =  spaced value  \r\n\tK2\t=\ttabbed\t\r\n",
    "[S]\na=\"q\"\nb='q'\nc=  \"q\"  \nd=\"q'\ne=\"q\nf=q\"\ng=\"\"\nh=\"\"q\"\"\ni=\"\nj='\n",
    "[S]\nk=a=b ; not a comment\nempty=\nnoequals\n;x=commented\n",
    "[S]\nk=first\nk=second\n[T]\nx=1\n[s]\nk=third\nonly=later\n",
    "[S5]junk\na=5\n[S4\nb=4\n",
    "[ S3 ]\nk=3\n",
    "[S]\r\nk=v",
    "[S]\rk=v\rj=w",
    "\xEF\xBB\xBF[S]\r\nk=v\r\n",
    "",
    "k=v\n[S]\n",
    ("[\x83\x5C\x83\x5D]\r\n\x83\x5C=\x81\x5B\x83\x5D\r\n[S]\r\nmemo=\x83\x5C\x83\x74\x83\x67\r\n"
     "end=\x83\x5D\r\n"),
    "[S]\nk=\x83\x5C\x81\x5B\x83\x5D [x] = ;\n",
    "junk\x01\x02\x7F\xFF\n[S]\n\x1A k \x1A=\x1A v \x1A\n\x80\x81=\xFE\n",
    "[S]\r\n\r\n\r\n   \r\nk=after blanks\r\n[T]\r\n",
};

const char* const kSections[] = {"S", "s", " S ", "S3", "S4", "S5", "T", "\x83\x5C\x83\x5D"};
const char* const kKeys[] = {
    "k", "K", " k ", "K2",   "a",        "b",  "c",     "d",    "e",   "f",        "g",       "h",
    "i", "j", "x",   "only", "noequals", ";x", "empty", "memo", "end", "\x83\x5C", "\x80\x81"};

TEST_F(SystemProfile, ReaderAgreesOnTrickyFiles) {
    for (const char* bytes : kTrickyFiles) {
        const std::string file = NewFile(bytes);
        const ProfileText ours(bytes);
        for (const char* section : kSections) {
            for (const char* key : kKeys) {
                EXPECT_EQ(ours.Find(section, key).value_or(kAbsent), SystemRead(file, section, key))
                    << "file " << testing::PrintToString(std::string(bytes)) << " [" << section
                    << "] " << key;
            }
        }
    }
}

TEST_F(SystemProfile, ReaderAgreesOnLongValues) {
    const std::string bytes =
        "[S]\nk=" + std::string(3000, 'a') + "\nj=\"" + std::string(2046, 'b') + "\"\n";
    const std::string file = NewFile(bytes);
    const ProfileText ours(bytes);
    for (const char* key : {"k", "j"}) {
        EXPECT_EQ(ours.Find("S", key).value_or(kAbsent), SystemRead(file, "S", key)) << key;
    }
}

TEST_F(SystemProfile, FreshSettingsFileHasTheSystemsBytes) {
    SetAppFolder(folder_.wstring() + L"\\");
    fs::remove(folder_ / "timpsd.ini");
    ResetSlots();
    ASSERT_TRUE(ReadSettings(ReadLocalClock()));
    SetMemoOf(0, "\x83\x5C\x81\x5B\x83\x5D memo");
    SetMemoOf(1, " blanks ");
    SetMemoOf(2, "'quoted'");
    ChangeSlot(3, [](StoredSlot& slot) { slot.Time.Year = -1; });
    ChangeSlot(4, [](StoredSlot& slot) { slot.Top = -120; });
    ChangeSlot(6, [](StoredSlot& slot) { slot.Left = 2147483647; });
    ASSERT_TRUE(SaveSettingsNow());

    const std::string system = (folder_ / "system.ini").string();
    for (int i = 0; i < kSlotCount; ++i) {
        const MemoSlot& slot = SlotTable[i];
        const std::string p = "POST" + std::to_string(i + 1);
        const ReminderTime& time = slot.Time;
        const std::pair<const char*, int> numbers[] = {
            {"YEAR", time.Year}, {"MONTH", time.Month},      {"DAY", time.Day},
            {"TIML", time.Hour}, {"TIMM", time.Minute},      {"TOP", slot.Top},
            {"LEFT", slot.Left}, {"TIMEFLAG", slot.TimeFlag}};
        for (const auto& [suffix, value] : numbers) {
            ASSERT_TRUE(WritePrivateProfileStringA("POST", (p + suffix).c_str(),
                                                   std::to_string(value).c_str(), system.c_str()));
        }
        ASSERT_TRUE(WritePrivateProfileStringA("POST", (p + "MEMO").c_str(),
                                               QuoteForProfile(slot.Memo).c_str(), system.c_str()));
    }
    ASSERT_TRUE(
        WritePrivateProfileStringA("VERSION", "VERSION", VersionText.c_str(), system.c_str()));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, system.c_str());  // flush

    EXPECT_EQ(temp_.Read("timpsd.ini"), temp_.Read("system.ini"));
}

// A read-only temporary left by a save that never ended, or none that can be made: the
// save goes through, and the file stays writable.
TEST_F(SystemProfile, AStaleTemporaryOrNoRoomForOneStillSaves) {
    SetAppFolder(folder_.wstring() + L"\\");
    ResetSlots();
    ASSERT_TRUE(ReadSettings(ReadLocalClock()));
    const fs::path saved = folder_ / "timpsd.ini";
    const fs::path temporary = folder_ / "~$timpsd.ini.tmp";
    temp_.Write("~$timpsd.ini.tmp", "half a save");
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    SetMemoOf(0, "new");
    ASSERT_TRUE(SaveSettingsNow());
    EXPECT_NE(temp_.Read("timpsd.ini").find("POST1MEMO=new\r\n"), std::string::npos);
    EXPECT_EQ(GetFileAttributesW(saved.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              0u);

    // Someone's folder of each temporary name (left alone): written in place; a first name
    // held by another program: the second is taken.
    fs::create_directory(temporary);
    fs::create_directory(folder_ / "~$timpsd.ini-2.tmp");
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    SetMemoOf(0, "in place");
    ASSERT_TRUE(SaveSettingsNow());
    EXPECT_NE(temp_.Read("timpsd.ini").find("POST1MEMO=in place\r\n"), std::string::npos);
    EXPECT_NE(GetFileAttributesW(temporary.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    fs::remove(temporary);
    fs::remove(folder_ / "~$timpsd.ini-2.tmp");
    temp_.Write("~$timpsd.ini.tmp", "held");
    const KernelHandle held(CreateFileW(temporary.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    SetMemoOf(0, "second name");
    ASSERT_TRUE(SaveSettingsNow());
    EXPECT_NE(temp_.Read("timpsd.ini").find("POST1MEMO=second name\r\n"), std::string::npos);
}

// The day's copies turn only as far as they can: the oldest does not go while the one before
// it is held by another program and cannot take its place.
TEST_F(SystemProfile, AHeldDailyCopyKeepsTheOlderOnes) {
    SetAppFolder(folder_.wstring() + L"\\");
    ResetSlots();
    temp_.Write("timpsd.ini", "[POST]\r\n");
    ASSERT_TRUE(ReadSettings(ReadLocalClock()));
    for (int n = 1; n <= 7; ++n)
        temp_.Write("timpsd.ini." + std::to_string(n), "copy " + std::to_string(n));
    const FileName sixth = (folder_ / "timpsd.ini.6").wstring();
    const KernelHandle held(
        CreateFileW(sixth.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    {  // the latest copy made yesterday
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER time{};
        time.LowPart = now.dwLowDateTime;
        time.HighPart = now.dwHighDateTime;
        time.QuadPart -= 864000000000ull;
        const FILETIME yesterday{time.LowPart, time.HighPart};
        const KernelHandle first(CreateFileW((folder_ / "timpsd.ini.1").c_str(),
                                             FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                                             nullptr));
        SetFileTime(first.Get(), nullptr, nullptr, &yesterday);
    }
    SetMemoOf(0, "today");
    ASSERT_TRUE(SaveSettingsNow());
    EXPECT_EQ(temp_.Read("timpsd.ini.7"), "copy 7");
    EXPECT_EQ(temp_.Read("timpsd.ini.1"), "copy 1");
}

}  // namespace
}  // namespace haripon
