// PCs sharing the program's folder through a synchronising service, played through thousands
// of random histories: two or three copies of the program, each a process of its own on a
// folder of its own, and a service between the folders that delivers files late, out of turn,
// torn for a while, or keeps both sides of a conflict as a copy beside the file. Users post,
// rewrite, peel off, deliver and move memos; the copies look and save at random moments, crash
// at any step of a save and start again. Once the copies and the service have settled, every
// memo a user posted and did not remove is in a slot of every copy or in the removed memos
// (or kept beside the file), no memo shows twice, no removed memo comes back, and every copy
// shows the same slots. Each history is replayed by its seed (HARIPON_SIMULATION_SEED);
// HARIPON_SIMULATION_HISTORIES sets how many are played, from HARIPON_SIMULATION_FIRST on.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>

#include "model/conflict_copies.h"
#include "model/conflict_names.h"
#include "model/kept_memos.h"
#include "model/memo_ids.h"
#include "model/removed_memos.h"
#include "model/settings.h"
#include "model/settings_format.h"
#include "model/slot_changes.h"
#include "model/slot_table.h"
#include "platform/core/file_faults.h"

namespace haripon {
namespace {

namespace fs = std::filesystem;

// ------------------------------------------------------------------- a copy of the program

enum class Op { Start, Post, Peel, Deliver, Move, Look, Save, Exit, Crash, CrashInSave, Dump };
const char* const kOpNames[] = {"start", "post", "peel",  "deliver",       "move", "look",
                                "save",  "exit", "crash", "crash in save", "dump"};

struct Command {
    Op op = Op::Dump;
    int slot = 0;
    int value = 0;  // a place, the file step at which a crash comes, or the PC's start
    LocalTime now;
    char text[32] = {};
    char folder[160] = {};  // where the copy runs (Start)
};

struct Reply {
    bool saved = false;     // a save went through
    char removed[32] = {};  // the memo the user's act took off
    char slots[kSlotCount][32] = {};
};

void Copy(char (&to)[32], const std::string& from) {
    std::strncpy(to, from.c_str(), sizeof to - 1);
}

bool Save(const LocalTime& now) {
    return WriteSettings(now).Done;
}

// What the program does on each command, as its windows do it. A start forgets all the
// copy held before, as a new process does.
Reply Carry(const Command& c) {
    Reply reply;
    const std::string before = SlotTable[c.slot].Memo;
    const bool held = !before.empty();
    switch (c.op) {
        case Op::Start:
            SetAppFolder(c.folder);
            ResetSlots();
            ForgetSettingsFile();
            SetCopyName(c.text);
            SetMemoIdToken(std::string(c.text) + "-" + std::to_string(c.value));
            ReadSettings(c.now);
            reply.saved = TakeConflictCopies(c.now).News.Changed.any();
            break;
        case Op::Post:  // into a free slot; a held one is rewritten
            TakeMemoIn(c.slot, c.text, std::nullopt, c.now);
            if (held)
                Copy(reply.removed, before);
            reply.saved = Save(c.now);
            break;
        case Op::Peel:
            if (held) {
                TakeMemoOut(c.slot, Leaving::PeeledHere, c.now);
                Copy(reply.removed, before);
            }
            break;
        case Op::Deliver:
            if (held) {
                TakeMemoOut(c.slot, Leaving::Delivered, c.now);
                Copy(reply.removed, before);
                reply.saved = Save(c.now);
            }
            break;
        case Op::Move:
            StoreSlotPosition(c.slot, c.value, c.value);
            break;
        case Op::Look:
            if (FollowSettingsFile(c.now).FileRead)
                TakeConflictCopies(c.now);
            break;
        case Op::Save:
        case Op::Exit:
            reply.saved = Save(c.now);
            break;
        case Op::CrashInSave:
            EndProcessAtFileStep(c.value);
            reply.saved = Save(c.now);
            EndProcessAtFileStep(0);
            break;
        case Op::Crash:
        case Op::Dump:
            break;
    }
    for (int i = 0; i < kSlotCount; ++i)
        Copy(reply.slots[i], SlotTable[i].Memo);
    return reply;
}

bool ReadWhole(int fd, void* data, std::size_t size) {
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t n = ::read(fd, bytes, size);
        if (n <= 0)
            return false;
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// A copy running in a process of its own, driven one command at a time.
class CopyProcess {
  public:
    CopyProcess() {
        int toCopy[2], fromCopy[2];
        if (::pipe(toCopy) != 0 || ::pipe(fromCopy) != 0)
            std::abort();
        pid_ = ::fork();
        if (pid_ == 0) {
            // The other copies' pipes stay with the test alone: each copy sees its own end.
            for (int fd = 3; fd < 1024; ++fd) {
                if (fd != toCopy[0] && fd != fromCopy[1])
                    ::close(fd);
            }
            for (Command c; ReadWhole(toCopy[0], &c, sizeof c);) {
                const Reply reply = Carry(c);
                if (::write(fromCopy[1], &reply, sizeof reply) != sizeof reply)
                    ::_exit(0);
            }
            ::_exit(0);
        }
        ::close(toCopy[0]);
        ::close(fromCopy[1]);
        in_ = toCopy[1];
        out_ = fromCopy[0];
    }
    ~CopyProcess() {
        ::close(in_);
        ::close(out_);
        ::waitpid(pid_, nullptr, 0);
    }
    CopyProcess(const CopyProcess&) = delete;
    CopyProcess& operator=(const CopyProcess&) = delete;

    // None when the process ended (a crash, or its end).
    std::optional<Reply> Do(const Command& c) {
        Reply reply;
        if (::write(in_, &c, sizeof c) != sizeof c || !ReadWhole(out_, &reply, sizeof reply))
            return std::nullopt;
        return reply;
    }

  private:
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
};

// ------------------------------------------------------------------- the service

std::optional<std::string> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Written as services do: a new file renamed over the old.
void Deliver(const fs::path& path, const std::string& bytes) {
    const fs::path temporary = path.string() + ".sync";
    std::ofstream(temporary, std::ios::binary) << bytes;
    fs::rename(temporary, path);
}

// Each PC's folder holds its own files; the cloud every version of each, numbered. A PC takes
// another version only of a file it has not changed since: the last one, or at times an older
// one late, after a newer; one that changed on both sides is kept both ways, as OneDrive does
// (the PC's own version beside the file, named for the PC).
class Service {
  public:
    explicit Service(std::vector<fs::path> folders) : folders_(std::move(folders)) {
        synced_.resize(folders_.size());
    }

    void Upload(std::size_t pc, const std::string& name) {
        const auto local = ReadBytes(folders_[pc] / name);
        auto& synced = synced_[pc][name];
        if (!local || *local == synced.bytes || StillTorn(pc, name, local))
            return;
        Version& cloud = cloud_[name];
        if (cloud.number == synced.number) {
            cloud = {cloud.number + 1, *local};
            synced = cloud;
            history_[name].push_back(cloud);
            return;
        }
        // Changed on both sides: this PC's version beside the file, under a name no file has
        // had, the cloud's in it.
        const std::string stem = name.substr(0, name.rfind('.'));
        std::string copy;
        for (int n = 1; copy.empty() || cloud_.count(copy); ++n) {
            copy = stem + "-PC" + std::to_string(pc) + (n > 1 ? "-" + std::to_string(n) : "") +
                   name.substr(name.rfind('.'));
        }
        fs::rename(folders_[pc] / name, folders_[pc] / copy);
        Version& copied = cloud_[copy];
        copied = {copied.number + 1, *local};
        synced_[pc][copy] = copied;
        history_[copy].push_back(copied);
        Deliver(folders_[pc] / name, cloud.bytes);
        synced = cloud;
    }

    // `late`: one of the versions before the last, where there are any.
    void Download(std::size_t pc, const std::string& name, std::size_t late = 0) {
        const auto found = cloud_.find(name);
        auto& synced = synced_[pc][name];
        if (found == cloud_.end() || found->second.number == synced.number)
            return;
        const auto local = ReadBytes(folders_[pc] / name);
        if (local && *local != synced.bytes && !StillTorn(pc, name, local))
            return;  // changed here too: the upload settles it
        const std::vector<Version>& versions = history_[name];
        const Version& version =
            late > 0 && versions.size() > 1
                ? versions[versions.size() - 1 - late % (versions.size() - 1) - 1]
                : found->second;
        Deliver(folders_[pc] / name, version.bytes);
        synced = version;
        if (version.number != found->second.number)
            synced.number = -1;  // the last one comes yet
        torn_.erase({pc, name});
    }

    // A download caught halfway: the first half of the file zeros for a while.
    // A torn file the PC has not written over since: one it wrote is its own change.
    bool StillTorn(std::size_t pc, const std::string& name,
                   const std::optional<std::string>& local) const {
        const auto found = torn_.find({pc, name});
        return found != torn_.end() && local && *local == found->second;
    }

    void Tear(std::size_t pc, const std::string& name) {
        const auto found = cloud_.find(name);
        const auto local = ReadBytes(folders_[pc] / name);
        if (found == cloud_.end() || found->second.number == synced_[pc][name].number ||
            (local && *local != synced_[pc][name].bytes))
            return;
        std::string bytes = found->second.bytes;
        std::fill(bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() / 2), '\0');
        Deliver(folders_[pc] / name, bytes);
        torn_[{pc, name}] = bytes;
    }

    // Every file of every PC up and down, once.
    void SyncAll() {
        for (std::size_t pc = 0; pc < folders_.size(); ++pc) {
            for (const std::string& name : Names(pc))
                Upload(pc, name);
        }
        for (std::size_t pc = 0; pc < folders_.size(); ++pc) {
            for (const auto& [name, version] : cloud_)
                Download(pc, name);
        }
    }

    // The files the service carries: the program's own, and the copies of conflicts.
    std::vector<std::string> Names(std::size_t pc) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folders_[pc])) {
            const std::string name = entry.path().filename().string();
            if (name == kSettingsFile || name == kRemovedMemosFile || name == kKeptMemosFile ||
                IsConflictCopyName(name))
                names.push_back(name);
        }
        return names;
    }

  private:
    struct Version {
        int number = 0;
        std::string bytes;
    };
    std::vector<fs::path> folders_;
    std::map<std::string, Version> cloud_;
    std::map<std::string, std::vector<Version>> history_;
    std::vector<std::map<std::string, Version>> synced_;
    std::map<std::pair<std::size_t, std::string>, std::string> torn_;
};

// ------------------------------------------------------------------- one history

// The processes the PCs' copies run in, kept from one history to the next: a copy's start
// forgets everything, and a crash outside a save is a start; only a crash in the middle of a
// save ends a process, and another takes its place.
using CopyPool = std::vector<std::unique_ptr<CopyProcess>>;

class History {
  public:
    History(std::uint32_t seed, const fs::path& root, CopyPool& pool)
        : random_(seed), root_(root), pool_(pool) {
        const int pcs = 2 + static_cast<int>(random_() % 2);
        while (pool_.size() < static_cast<std::size_t>(pcs))
            pool_.push_back(std::make_unique<CopyProcess>());
        std::vector<fs::path> folders;
        for (int pc = 0; pc < pcs; ++pc) {
            folders.push_back(root / ("pc" + std::to_string(pc)));
            fs::create_directories(folders.back());
        }
        service_.emplace(folders);
        pcs_.resize(static_cast<std::size_t>(pcs));
        for (std::size_t pc = 0; pc < pcs_.size(); ++pc)
            Start(pc);
    }

    // The steps, then the settling, then what must hold; what failed is returned.
    std::vector<std::string> Play(int steps) {
        for (int step = 0; step < steps; ++step)
            Step();
        Settle();
        return Check();
    }

    const std::string& Log() const { return log_; }

  private:
    struct Pc {
        std::array<std::string, kSlotCount> slots;
        std::set<std::string> unsaved;  // taken off by this PC's user, not saved yet
        int starts = 0;
    };

    std::size_t Pick(std::size_t n) { return static_cast<std::size_t>(random_() % n); }
    fs::path Folder(std::size_t pc) const { return root_ / ("pc" + std::to_string(pc)); }

    void Start(std::size_t pc) {
        Command c;
        c.op = Op::Start;
        c.value = ++pcs_[pc].starts;
        Copy(c.text, "PC" + std::to_string(pc));
        std::strncpy(c.folder, (Folder(pc).string() + "/").c_str(), sizeof c.folder - 1);
        Run(pc, c);
    }

    // A crash loses what the PC's user took off since its last save, unless the save it
    // came in was through: what the copy shows after its start tells.
    void Crashed(std::size_t pc) {
        Pc& copy = pcs_[pc];
        const std::set<std::string> unsaved = std::exchange(copy.unsaved, {});
        Start(pc);
        // One it does not show may still come back from elsewhere (a conflict copy): either
        // is right.
        for (const std::string& memo : unsaved) {
            if (std::count(copy.slots.begin(), copy.slots.end(), memo))
                removed_.erase(memo);
            else
                undecided_.insert(memo);
        }
    }

    void Run(std::size_t pc, Command c) {
        c.now = Moment(2026, 12, 9, static_cast<std::uint16_t>(10 + minute_ / 60 % 12),
                       static_cast<std::uint16_t>(minute_ % 60));
        ++minute_;
        log_ += "PC" + std::to_string(pc) + " " + kOpNames[static_cast<int>(c.op)] + " " +
                std::to_string(c.slot) + " " + c.text + " " + std::to_string(c.value) + "\n";
        Pc& copy = pcs_[pc];
        const std::optional<Reply> reply = pool_[pc]->Do(c);
        if (!reply) {
            log_ += "  ended\n";
            pool_[pc] = std::make_unique<CopyProcess>();
            Crashed(pc);
            return;
        }
        log_ += " ";
        for (int i = 0; i < kSlotCount; ++i) {
            copy.slots[static_cast<std::size_t>(i)] = reply->slots[i];
            log_ += std::string(" [") + reply->slots[i] + "]";
        }
        log_ += "\n";
        if (reply->removed[0]) {
            removed_.insert(reply->removed);
            if (!reply->saved)
                copy.unsaved.insert(reply->removed);
        }
        if (reply->saved)
            copy.unsaved.clear();
    }

    void Step() {
        const std::size_t pc = Pick(pcs_.size());
        Command c;
        c.slot = static_cast<int>(Pick(kSlotCount));
        const std::size_t roll = Pick(100);
        if (roll < 20) {
            c.op = Op::Post;
            Copy(c.text, "memo " + std::to_string(++posted_));
            posted_texts_.insert(c.text);
        } else if (roll < 30) {
            c.op = Op::Peel;
        } else if (roll < 36) {
            c.op = Op::Deliver;
        } else if (roll < 41) {
            c.op = Op::Move;
            c.value = static_cast<int>(Pick(900));
        } else if (roll < 56) {
            c.op = Op::Look;
        } else if (roll < 60) {
            c.op = Op::Save;
        } else if (roll < 63) {
            c.op = Op::Exit;
        } else if (roll < 65) {
            c.op = Op::Crash;
        } else if (roll < 68) {
            c.op = Op::CrashInSave;
            c.value = 1 + static_cast<int>(Pick(4));
        } else {
            const std::size_t what = Pick(10);
            const std::vector<std::string> names = service_->Names(pc);
            const std::string name = what < 6        ? std::string(kSettingsFile)
                                     : names.empty() ? std::string(kSettingsFile)
                                                     : names[Pick(names.size())];
            log_ +=
                "service " + std::to_string(pc) + " " + name + " " + std::to_string(what) + "\n";
            if (what < 4) {
                service_->Upload(pc, name);
            } else if (what < 8) {
                service_->Download(pc, name);
            } else if (what < 9) {
                service_->Download(pc, name, 1 + Pick(3));
            } else {
                service_->Tear(pc, kSettingsFile);
            }
            return;
        }
        Run(pc, c);
        if (c.op == Op::Exit || c.op == Op::Crash) {
            if (c.op == Op::Exit)
                pcs_[pc].unsaved.clear();
            Crashed(pc);
        }
    }

    // The users stop; the service delivers everything; each copy saves what it holds and
    // looks until nothing moves any more.
    void Settle() {
        log_ += "settling\n";
        for (int round = 0; round < 3; ++round) {
            for (std::size_t pc = 0; pc < pcs_.size(); ++pc) {
                service_->SyncAll();
                Command c;
                c.op = round == 0 ? Op::Save : Op::Look;
                Run(pc, c);
                service_->SyncAll();
            }
        }
        for (std::size_t pc = 0; pc < pcs_.size(); ++pc) {
            Command save;
            save.op = Op::Save;
            Run(pc, save);
            service_->SyncAll();
        }
        for (int round = 0; round < 3; ++round) {
            for (std::size_t pc = 0; pc < pcs_.size(); ++pc) {
                service_->SyncAll();
                Command look;
                look.op = Op::Look;
                Run(pc, look);
            }
        }
    }

    // Kept somewhere the user can get it back from: the removed memos or the kept memos' file
    // of any PC.
    bool Kept(const std::string& memo) const {
        for (std::size_t pc = 0; pc < pcs_.size(); ++pc) {
            SetAppFolder(Folder(pc).string() + "/");
            for (const RemovedMemo& removed : ReadRemovedMemos()) {
                if (removed.Memo.Memo == memo)
                    return true;
            }
            const auto kept = ReadBytes(Folder(pc) / kKeptMemosFile);
            if (kept && kept->find(memo + "\r\n") != std::string::npos)
                return true;
        }
        return false;
    }

    std::vector<std::string> Check() const {
        std::vector<std::string> failures;
        const auto& first = pcs_[0].slots;
        std::map<std::string, int> shown;
        for (std::size_t pc = 0; pc < pcs_.size(); ++pc) {
            if (pcs_[pc].slots != first)
                failures.push_back("PC" + std::to_string(pc) + " shows other slots than PC0");
            std::set<std::string> seen;
            for (const std::string& memo : pcs_[pc].slots) {
                if (!memo.empty() && !seen.insert(memo).second)
                    failures.push_back("PC" + std::to_string(pc) + " shows " + memo + " twice");
                if (!memo.empty() && removed_.count(memo) && !undecided_.count(memo))
                    failures.push_back("PC" + std::to_string(pc) + " shows " + memo +
                                       ", which a user took off");
                if (!memo.empty())
                    ++shown[memo];
            }
        }
        for (const std::string& memo : posted_texts_) {
            if (!removed_.count(memo) && shown[memo] < static_cast<int>(pcs_.size()) && !Kept(memo))
                failures.push_back(memo + " is lost");
        }
        return failures;
    }

    std::mt19937 random_;
    fs::path root_;
    CopyPool& pool_;
    std::optional<Service> service_;
    std::vector<Pc> pcs_;
    std::set<std::string> posted_texts_;
    std::set<std::string> removed_;
    std::set<std::string> undecided_;  // taken off, the taking lost in a crash
    int posted_ = 0;
    int minute_ = 0;
    std::string log_;
};

// A folder in memory where there is one: the copies flush every save to disk.
struct SimulationRoot {
    SimulationRoot() {
        const fs::path shm = "/dev/shm";
        path = (fs::is_directory(shm) ? shm : fs::temp_directory_path()) /
               ("haripon-simulation-" + std::to_string(::getpid()));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~SimulationRoot() { fs::remove_all(path); }
    fs::path path;
};

int FromEnvironment(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : fallback;
}

TEST(SharingSimulation, NoMemoIsLostInAnyHistory) {
    const int histories = FromEnvironment("HARIPON_SIMULATION_HISTORIES", 100);
    const int only = FromEnvironment("HARIPON_SIMULATION_SEED", -1);
    const int first = only >= 0 ? only : FromEnvironment("HARIPON_SIMULATION_FIRST", 1);
    int steps = 0, failed = 0;
    CopyPool pool;
    for (int seed = first; seed < first + (only >= 0 ? 1 : histories); ++seed) {
        const SimulationRoot root;
        History history(static_cast<std::uint32_t>(seed), root.path, pool);
        const int length = 20 + seed % 80;
        steps += length;
        const std::vector<std::string> failures = history.Play(length);
        if (!failures.empty() && ++failed <= 3) {
            ADD_FAILURE() << "seed " << seed << ": " << failures.front() << " (" << failures.size()
                          << " findings)\n"
                          << (only >= 0 ? history.Log() : std::string());
        }
    }
    std::printf("%d histories, %d steps, %d failed\n", only >= 0 ? 1 : histories, steps, failed);
    EXPECT_EQ(failed, 0);
}

}  // namespace
}  // namespace haripon
