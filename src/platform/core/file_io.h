// Whole-file reads and crash-safe whole-file replacement.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/file_name.h"
#include "platform/core/local_clock.h"

namespace haripon {

enum class ReadResult {
    Ok,
    Missing,  // neither the file nor its folder exists: nothing stored yet
    Failed,   // it exists but could not be read (locked, a folder, no access, too large)
};

// No file the program reads (settings, theme descriptions, pictures) is larger.
inline constexpr std::uint64_t kLargestFileRead = 64ull << 20;

// Reads an ordinary file on disk of at most kLargestFileRead bytes: a device (a serial
// port, /dev/zero) or anything larger is refused without being read. A file another program
// holds for a moment is waited for, unless not `patient` (it is read again later anyway).
ReadResult ReadFileBytes(const FileName& path, std::string& bytes, bool patient = true);
// A file's bytes as the system maps them into memory, read-only: not copied, and not counted
// as the program's own memory. What a picture is decoded from. On Windows the file stays open
// without write sharing while it is mapped, so that nobody changes the bytes being decoded.
class MappedFile {
  public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::string_view Bytes() const { return {static_cast<const char*>(view_), size_}; }

  private:
    friend ReadResult MapFileBytes(const FileName& path, MappedFile& file);
    const void* view_ = nullptr;
    std::size_t size_ = 0;
    [[maybe_unused]] void* file_ = nullptr;  // the open file, on Windows
};

// The file mapped, with the refusals of ReadFileBytes.
ReadResult MapFileBytes(const FileName& path, MappedFile& file);

// Writes the bytes beside the file, flushes them to disk and renames the new file over the
// old one, so that a crash leaves either the old or the new contents. Where one temporary
// name is refused another is tried; only a folder that takes no new file at all has the file
// written in place. A read-only file is refused, as the system refuses to write into one; the
// old file then stays as it was.
bool ReplaceFileBytes(const FileName& path, const std::string& bytes);

// A lock beside a file, held while a program reads, merges and replaces the file, so that two
// copies of it on one PC (two accounts on one folder) take turns. Waited for at most as long
// as a refusal that passes (below): a lock held longer is nobody's turn, and the work goes on
// without it. On Windows the lock file goes with the lock.
class FileLock {
  public:
    explicit FileLock(const FileName& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return handle_ != nullptr; }

  private:
    void* handle_ = nullptr;  // the open lock file
    FileName path_;
};

// Refusals that pass (a file another program holds for a moment: a virus scanner, the
// search indexer, a synchronising service) are tried again for about two seconds. Access
// denied passes too, as a file being deleted gives it, unless the program has found its
// folder refusing writes for good: then a write is tried once.
void SetAccessDeniedPasses(bool passes);

// Whether a new file can be made beside `file`, and `file` itself, where it is, written (and
// if not, whether it is marked read-only).
struct WriteCheck {
    bool NewFiles = true;
    bool File = true;
    bool ReadOnly = false;
};
WriteCheck CheckWritesBeside(const FileName& file);

// Writes the file anew, creating it when it is missing.
bool WriteFileBytes(const FileName& path, const std::string& bytes);

// The folders in `folder` (its name ending in a separator), hidden ones too ("." and ".." left
// out), by name in Shift-JIS, in the order the system gives them; a name code page 932 cannot hold
// is left out. False when the folder cannot be searched.
bool ListFolders(const FileName& folder, std::vector<std::string>& names);
// The files in `folder`, as ListFolders gives folders.
bool ListFiles(const FileName& folder, std::vector<std::string>& names);

// What tells that a file changed: its size and the time it was last written; none for a
// file that is not there or cannot be looked at.
struct FileStamp {
    bool Exists = false;
    std::uint64_t Size = 0;
    std::uint64_t Written = 0;  // in the system's own units
};
bool operator==(const FileStamp& a, const FileStamp& b);
inline bool operator!=(const FileStamp& a, const FileStamp& b) {
    return !(a == b);
}
FileStamp StampOf(const FileName& path);

// Renames a file, where no file of the new name is.
bool RenameFile(const FileName& from, const FileName& to);
bool RemoveFile(const FileName& path);
// The local date and time the file was last written; none when it is not there.
std::optional<LocalTime> LastWrittenLocal(const FileName& path);

// Why the last of the calls above failed (UTF-8, as error texts are): the system's text, or
// the program's own for a file it refused to read.
std::string LastFileErrorText();
// Whether the last read failed for a file online only that its synchronising service has not
// brought yet; asked at once after the read.
bool LastReadComesLater();

// A file name as the user reads it in an error text (UTF-8).
std::string ShownFileName(const FileName& path);

}  // namespace haripon
