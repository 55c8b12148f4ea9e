#include "model/settings.h"

#include <gtest/gtest.h>

#include "model/conflict_copies.h"
#include "model/conflict_names.h"
#include "model/broken_file.h"
#include "model/kept_memos.h"
#include "model/slot_changes.h"
#include "model/slot_table.h"
#include "model/theme_folder.h"
#include "platform/core/file_io.h"
#include "model/texts.h"
#include "platform/core/refusals.h"
#include "settings_layout.h"
#include "slot_setup.h"
#include "temp_folder.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

namespace haripon {
namespace {

namespace fs = std::filesystem;
using testing_support::SetMemoOf;

class SettingsFile : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = temp_.Path();
        SetAppFolder(folder_.string() + "/");
        ResetSlots();
        SetVersionText("");
        ForgetSettingsFile();
    }

    fs::path File() const { return folder_ / "timpsd.ini"; }
    void Store(const std::string& bytes) const { temp_.Write("timpsd.ini", bytes); }
    std::string Stored() const { return temp_.Read("timpsd.ini"); }
    // A save or a look, what it brought gathered; the daily copies go by the files' own times.
    bool Save() { return Gather(WriteSettings(ReadLocalClock())); }
    void Look() { Gather({true, FollowSettingsFile(ReadLocalClock())}); }
    std::vector<std::string> Take() {
        const ConflictCopiesTaken taken = TakeConflictCopies(kToday);
        Gather({true, taken.News});
        return taken.Names;
    }
    bool Gather(const SettingsSaved& saved) {
        news_.Changed |= saved.News.Changed;
        news_.MemosKept = news_.MemosKept || saved.News.MemosKept;
        return saved.Done;
    }

    static constexpr LocalTime kToday = Moment(2026, 12, 9, 12, 0);
    SettingsNews news_;

    testing_support::TempFolder temp_{"settings"};
    fs::path folder_;
};

TEST_F(SettingsFile, FirstStartWithoutAFileCreatesTheFreshLayout) {
    ASSERT_TRUE(ReadSettings(kToday));
    EXPECT_EQ(VersionText, kVersionText);
    EXPECT_EQ(FirstUsedSlot(), -1);
    EXPECT_EQ(SlotTable[0].Time.Year, 0);  // zeros, not "not set"
    ASSERT_TRUE(Save());
    EXPECT_EQ(Stored(), testing_support::FreshSettingsLayout());
    EXPECT_FALSE(fs::exists(folder_ / "~$timpsd.ini.tmp"));
}

// Saved by an editor as UTF-16 with a byte-order mark, either way round: read as Shift-JIS
// and written back whole in Shift-JIS.
TEST_F(SettingsFile, AUnicodeFileIsReadAndWrittenBackInShiftJis) {
    const std::u16string text =
        u"[FOLDER]\r\nDATFOLDER=DATA\\Yozora\\\r\n[POST]\r\n"
        u"POST2MEMO=日月 \U0001F600\r\n[MINE]\r\nkept=yes\r\n";
    for (const bool little : {true, false}) {
        std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
        for (const char16_t unit : text) {
            const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
            bytes += little ? std::string{low, high} : std::string{high, low};
        }
        Store(bytes);
        ASSERT_TRUE(ReadSettings(kToday));
        const std::string memo = std::string(kDayUnit) + kMonthUnit + " ?";
        EXPECT_EQ(SlotTable[1].Memo, memo);
        EXPECT_EQ(ReadThemeFolder(), "DATA\\Yozora\\");
        ASSERT_TRUE(Save());
        EXPECT_EQ(Stored().rfind("[FOLDER]\r\nDATFOLDER=DATA\\Yozora\\\r\n[POST]\r\nPOST2MEMO=" +
                                     memo + "\r\nPOST1YEAR=",
                                 0),
                  0u);
        EXPECT_NE(Stored().find("[MINE]\r\nkept=yes\r\n"), std::string::npos);
    }
}

TEST_F(SettingsFile, AllSlotsSurviveASaveAndARead) {
    const std::string memos[kSlotCount] = {" leading blank",
                                           "trailing blank ",
                                           "\"quoted\"",
                                           "'single'",
                                           "\x83\x5C\x81\x5B\x83\x5D & [x]=;",  // ソーゾ & [x]=;
                                           "",
                                           "plain memo"};
    ASSERT_TRUE(ReadSettings(kToday));
    for (int i = 0; i < kSlotCount; ++i) {
        StoredSlot slot;
        slot.Time = {2000 + i, i == 3 ? -1 : i + 1, 10 + i, i, 50 + i};
        slot.Top = -30 * i;
        slot.Left = 100 * i + 1;
        slot.TimeFlag = i % 2;
        slot.Memo = memos[i];
        StoreSlot(i, slot);
    }
    const auto saved = SlotTable;
    ASSERT_TRUE(Save());

    ResetSlots();
    ASSERT_TRUE(ReadSettings(kToday));
    for (int i = 0; i < kSlotCount; ++i) {
        const MemoSlot& slot = SlotTable[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(StoredPartOf(slot), StoredPartOf(saved[i]));
        EXPECT_EQ(slot.HasMemo, saved[i].Memo.empty() ? 0 : 1);
    }
}

TEST_F(SettingsFile, HandEditedValuesAreTakenAsTheyAre) {
    Store(
        "[post]\nPOST1MEMO=  buy milk  \npost1month=13\nPOST1TOP=$10\nPOST1LEFT=-99999\n"
        "POST1YEAR=20x5\n[FOLDER]\nDATFOLDER=DATA\\sakura\\\n");
    ASSERT_TRUE(ReadSettings(kToday));
    const MemoSlot& slot = SlotTable[0];
    EXPECT_EQ(slot.Memo, "buy milk");
    EXPECT_EQ(slot.HasMemo, 1);
    EXPECT_EQ(slot.Time.Month, 13);
    EXPECT_EQ(slot.Top, 16);
    EXPECT_EQ(slot.Left, -99999);
    EXPECT_EQ(slot.Time.Year, 0);
    EXPECT_EQ(slot.Time.Day, 0);  // absent keys read as 0, not as "not set"
    EXPECT_EQ(ReadThemeFolder(), "DATA\\sakura\\");
}

TEST_F(SettingsFile, SavingKeepsWhatElseTheFileHolds) {
    Store("[FOLDER]\r\nDATFOLDER=DATA\\b\\\r\n[POST]\r\nPOST1MEMO=old\r\nMYKEY=mine\r\n");
    ASSERT_TRUE(ReadSettings(kToday));
    SetMemoOf(0, "new");
    ASSERT_TRUE(Save());
    const std::string bytes = Stored();
    EXPECT_EQ(
        bytes.rfind("[FOLDER]\r\nDATFOLDER=DATA\\b\\\r\n[POST]\r\nPOST1MEMO=new\r\nMYKEY=mine\r\n"
                    "POST1YEAR=0\r\n",
                    0),
        0u);
    EXPECT_EQ(ReadThemeFolder(), "DATA\\b\\");
}

TEST_F(SettingsFile, ANoWriteFileFailsTheSaveAndStaysAsItWas) {
    const std::string before = "[POST]\r\nPOST1MEMO=keep me\r\n";
    Store(before);
    ASSERT_TRUE(ReadSettings(kToday));
    fs::permissions(File(), fs::perms::owner_read | fs::perms::group_read);
    SetMemoOf(0, "changed");
    EXPECT_FALSE(Save());
    EXPECT_EQ(Stored(), before);
    EXPECT_FALSE(fs::exists(folder_ / "~$timpsd.ini.tmp"));
}

TEST_F(SettingsFile, AnUnreadableFileIsNeverOverwritten) {
    fs::create_directory(File());  // exists, but cannot be read as a file
    EXPECT_FALSE(ReadSettings(kToday));
    EXPECT_EQ(VersionText, kVersionText);
    EXPECT_EQ(FirstUsedSlot(), -1);
    EXPECT_TRUE(Save());  // nothing of this run to lose: the save is left out
    SetMemoOf(2, "typed in this run");
    EXPECT_FALSE(Save());  // a memo of this run cannot be saved: reported
    EXPECT_TRUE(fs::is_directory(File()));
}

TEST_F(SettingsFile, AStartThatNeverReadTheMemosLeavesThemStored) {
    const std::string before = "[POST]\r\nPOST3MEMO=stored\r\n";
    Store(before);
    EXPECT_TRUE(Save());
    EXPECT_EQ(Stored(), before);
}

// What an earlier save left behind, or a folder that takes no new files, does not stop
// the next save; the saved file is writable again.
TEST_F(SettingsFile, AStaleTemporaryOrNoRoomForOneStillSaves) {
    Store("[POST]\r\nPOST1MEMO=old\r\n");
    ASSERT_TRUE(ReadSettings(kToday));
    SetMemoOf(0, "new");
    temp_.Write("~$timpsd.ini.tmp", "half a save");
    fs::permissions(folder_ / "~$timpsd.ini.tmp", fs::perms::owner_read);
    ASSERT_TRUE(Save());
    EXPECT_NE(Stored().find("POST1MEMO=new\r\n"), std::string::npos);
    EXPECT_NE(fs::status(File()).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_FALSE(fs::exists(folder_ / "~$timpsd.ini.tmp"));

    // A temporary name taken by a folder: the second name is used; both taken, no temporary
    // can be made and the file is written in place.
    fs::create_directory(folder_ / "~$timpsd.ini.tmp");
    fs::create_hard_link(File(), folder_ / "held");  // the old file, kept by a replace
    const std::string old = Stored();
    SetMemoOf(0, "second name");
    ASSERT_TRUE(Save());
    EXPECT_NE(Stored().find("POST1MEMO=second name\r\n"), std::string::npos);
    EXPECT_EQ(temp_.Read("held"), old);
    EXPECT_FALSE(fs::exists(folder_ / "~$timpsd.ini-2.tmp"));
    fs::create_directory(folder_ / "~$timpsd.ini-2.tmp");
    SetMemoOf(0, "in place");
    ASSERT_TRUE(Save());
    EXPECT_NE(Stored().find("POST1MEMO=in place\r\n"), std::string::npos);
    fs::remove(File());
    EXPECT_FALSE(Save());  // nor the file itself
}

// Another copy of the program replaces the file (a new file renamed over the old, as a
// synchronising service brings it): what it changed is taken and shown, what this copy
// changed is kept, and a save writes over neither.
TEST_F(SettingsFile, AnotherCopysChangesAreTakenAndNeverWrittenOver) {
    Store("[POST]\r\nPOST1MEMO=mine\r\nPOST3MEMO=to change\r\n");
    ASSERT_TRUE(ReadSettings(kToday));
    const std::string other = "POST2MEMO=from the other PC\r\nPOST3MEMO=changed there\r\n";
    Store("[POST]\r\nPOST1MEMO=mine\r\n" + other + "[MINE]\r\nkept=yes\r\n");
    Look();
    EXPECT_EQ(SlotTable[1].Memo, "from the other PC");
    EXPECT_EQ(SlotTable[2].Memo, "changed there");
    EXPECT_EQ(news_.Changed, SlotSet(0b110));

    // This copy posts into slot 5 while the other peels memo 1.
    SetMemoOf(4, "posted here");
    Store("[POST]\r\nPOST1MEMO=\r\n" + other + "[MINE]\r\nkept=yes\r\n");
    ASSERT_TRUE(Save());
    EXPECT_EQ(SlotTable[0].Memo, "");
    for (const char* entry :
         {"POST1MEMO=\r\n", "POST2MEMO=from the other PC\r\n", "POST3MEMO=changed there\r\n",
          "POST5MEMO=posted here\r\n", "[MINE]\r\nkept=yes\r\n"})
        EXPECT_NE(Stored().find(entry), std::string::npos) << entry;

    // Every slot full: a memo both copies rewrote differently is kept beside the file.
    for (int slot = 0; slot < kSlotCount; ++slot)
        SetMemoOf(slot, "memo " + std::to_string(slot));
    ASSERT_TRUE(Save());
    SetMemoOf(6, "rewritten here");
    const std::string stored = Stored();
    Store(stored.substr(0, stored.find("POST7MEMO=")) + "POST7MEMO=rewritten there" +
          stored.substr(stored.find("\r\n", stored.find("POST7MEMO="))));
    // Kept first, and once however often the save fails.
    fs::permissions(File(), fs::perms::owner_read);
    EXPECT_FALSE(Save());
    EXPECT_FALSE(Save());
    fs::permissions(File(), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(Save());
    EXPECT_EQ(SlotTable[6].Memo, "rewritten here");
    EXPECT_EQ(temp_.Read(kKeptMemosFile), "rewritten there\r\n");
    EXPECT_TRUE(news_.MemosKept);
}

// The copies a synchronising service leaves beside the file: memos only they hold are taken
// once, the file saved and the copies renamed.
TEST_F(SettingsFile, ConflictCopiesAreTakenOnce) {
    const std::pair<const char*, bool> names[] = {
        {"timpsd-DESKTOP-1.ini", true},
        {"TIMPSD (Ann's conflicted copy 2026-12-09).INI", true},
        {"timpsd.sync-conflict-20261209-101010-ABCDEFG.ini", true},
        {"timpsd.ini", false},
        {"timpsd-.ini", false},
        {kKeptMemosFile, false},
        {"~$timpsd.ini.tmp", false},
        {"timpsd-DESKTOP-1.ini.merged", false},
    };
    for (const auto& [name, copy] : names)
        EXPECT_EQ(IsConflictCopyName(name), copy) << name;

    Store("[POST]\r\nPOST1MEMO=here\r\nPOST3MEMO=peeled\r\n");
    temp_.Write("timpsd-OTHER.ini", "[POST]\r\nPOST1MEMO=there\r\nPOST2MEMO=here\r\n");
    ASSERT_TRUE(ReadSettings(kToday));
    EXPECT_EQ(Take(), std::vector<std::string>{"timpsd-OTHER.ini"});
    EXPECT_EQ(SlotTable[1].Memo, "there");
    EXPECT_EQ(SlotTable[2].Memo, "peeled");
    EXPECT_NE(Stored().find("POST2MEMO=there\r\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(folder_ / "timpsd-OTHER.ini.merged"));
    EXPECT_EQ(Take(), std::vector<std::string>{});
    // OneDrive names the next copy from that PC alike; a memo taken off here is not brought
    // back from it, one whose time has passed is.
    std::string copy = Stored();
    copy.replace(copy.find("POST4YEAR=0"), 11, "POST4YEAR=2001");
    copy.replace(copy.find("POST4MEMO="), 10, "POST4MEMO=again");
    TakeMemoOut(2, Leaving::PeeledHere, kToday);
    temp_.Write("timpsd-OTHER.ini", copy);
    EXPECT_EQ(Take(), std::vector<std::string>{"timpsd-OTHER.ini"});
    EXPECT_TRUE(fs::exists(folder_ / "timpsd-OTHER.ini.merged-2"));
    EXPECT_EQ(SlotTable[2].Memo, "");
    EXPECT_EQ(SlotTable[3].Memo, "again");
}

// The day's first save keeps the file as it was; seven days are kept.
TEST_F(SettingsFile, EachDaysFirstSaveKeepsTheFileAsItWas) {
    ASSERT_TRUE(ReadSettings(kToday));
    const auto copy = [&](int n) { return folder_ / ("timpsd.ini." + std::to_string(n)); };
    for (int day = 0; day < 9; ++day) {
        SetMemoOf(0, "day " + std::to_string(day));
        const std::string before = fs::exists(File()) ? Stored() : "";
        ASSERT_TRUE(Save());
        ASSERT_TRUE(Save());  // the same day: no second copy
        EXPECT_EQ(day > 0 ? temp_.Read("timpsd.ini.1") : "", before);
        EXPECT_EQ(fs::exists(copy(day)), day >= 1 && day <= 7) << day;
        for (int n = 1; n <= 7 && fs::exists(copy(n)); ++n) {
            fs::last_write_time(copy(n), fs::last_write_time(copy(n)) - std::chrono::hours(24));
        }
    }
    EXPECT_NE(temp_.Read("timpsd.ini.7").find("POST1MEMO=day 1\r\n"), std::string::npos);

    // Copies that cannot move up (the oldest held) stay as they are.
    const std::string latest = temp_.Read("timpsd.ini.1");
    fs::remove(copy(7));
    fs::create_directories(copy(7) / "held");
    SetMemoOf(0, "day 9");
    ASSERT_TRUE(Save());
    EXPECT_EQ(temp_.Read("timpsd.ini.1"), latest);
}

// A file that is no text is read as far as it can be: met at start it is set aside and its
// memos saved at once into a new file; met by a look it is looked at again later (it may be in
// the middle of a synchronisation); met by a save its memos are merged and it is set aside. It
// is never written over nor kept as a daily copy; while it cannot be set aside, nothing is
// saved.
TEST_F(SettingsFile, ABrokenFileIsSetAside) {
    const std::string broken = std::string("\0\x01junk\0", 7) + "\r\n[POST]\r\nPOST1MEMO=saved\r\n";
    Store(broken);
    ASSERT_TRUE(ReadSettings(kToday));
    EXPECT_EQ(SlotTable[0].Memo, "saved");
    EXPECT_EQ(SettingsSetAside(), std::string(kSettingsSetAside) + "\r\ntimpsd.ini.broken");
    EXPECT_EQ(SettingsSetAside(), "");
    EXPECT_EQ(temp_.Read("timpsd.ini.broken"), broken);
    EXPECT_NE(Stored().find("POST1MEMO=saved\r\n"), std::string::npos);  // before any save

    const std::string torn = std::string(300, '\0') + "\r\n[POST]\r\nPOST2MEMO=only there\r\n";
    Store(torn);
    Look();
    EXPECT_EQ(std::make_pair(SettingsSetAside(), Stored()), std::make_pair(std::string(), torn));
    ASSERT_TRUE(Save());
    EXPECT_EQ(SettingsSetAside(), std::string(kSettingsSetAside) + "\r\ntimpsd.ini.broken-2");
    for (const char* memo : {"POST1MEMO=saved\r\n", "POST2MEMO=only there\r\n"})
        EXPECT_NE(Stored().find(memo), std::string::npos) << memo;
    EXPECT_EQ(temp_.Read("timpsd.ini.1").find('\0'), std::string::npos);

    for (int n = 3; n <= 99; ++n)  // no name left to set it aside under
        temp_.Write("timpsd.ini.broken-" + std::to_string(n), "");
    Store(broken);
    EXPECT_FALSE(Save());
    EXPECT_EQ(Stored(), broken);
    EXPECT_EQ(SettingsSetAside(), kSettingsBrokenKept);
}

// Two copies on one PC save at the same moment: the second waits for the first's turn and
// merges what it wrote, instead of renaming its file over it unseen.
TEST_F(SettingsFile, CopiesOnOnePcTakeTurns) {
    ASSERT_TRUE(ReadSettings(kToday));
    int turnTaken[2];
    ASSERT_EQ(::pipe(turnTaken), 0);
    const pid_t other = ::fork();
    if (other == 0) {  // the other copy: its turn taken, its file written a moment later
        const FileLock turn(folder_.string() + "/~$timpsd.lock");
        ::write(turnTaken[1], "x", 1);
        ::usleep(300000);
        Store("[POST]\r\nPOST2MEMO=the other copy's\r\n");
        ::_exit(turn.Held() ? 0 : 1);
    }
    char signal;
    ASSERT_EQ(::read(turnTaken[0], &signal, 1), 1);
    SetMemoOf(0, "this copy's");
    EXPECT_TRUE(Save());
    int status = 0;
    ::waitpid(other, &status, 0);
    EXPECT_EQ(status, 0);
    for (const char* memo : {"POST1MEMO=this copy's\r\n", "POST2MEMO=the other copy's\r\n"})
        EXPECT_NE(Stored().find(memo), std::string::npos) << memo;
}

// Waited on: a file held for a moment or online only; access denied only for a write where
// the folder takes writes.
TEST(Refusals, WhichPass) {
    for (unsigned long held :
         {kSharingViolation, kLockViolation, kCloudFileProviderNotRunning, kCloudFileUnsuccessful,
          kCloudFileInUse, kCloudFileRequestCanceled, kCloudFileRequestTimeout})
        EXPECT_TRUE(RefusalPasses(held, false, false)) << held;
    // Only a file online only comes by itself: one held by a program is told.
    EXPECT_EQ(std::make_tuple(CloudFileNotThereYet(kCloudFileProviderNotRunning),
                              CloudFileNotThereYet(kSharingViolation)),
              std::make_tuple(true, false));
    EXPECT_FALSE(RefusalPasses(2, true, true));  // not found
    EXPECT_EQ(std::make_tuple(RefusalPasses(kAccessDenied, true, true),
                              RefusalPasses(kAccessDenied, true, false),
                              RefusalPasses(kAccessDenied, false, true)),
              std::make_tuple(true, false, false));
}

TEST_F(SettingsFile, TheThemeFolderIsEmptyWithoutAFile) {
    EXPECT_EQ(ReadThemeFolder(), "");
}

}  // namespace
}  // namespace haripon
