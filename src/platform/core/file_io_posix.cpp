#include "platform/core/file_io.h"
#include "platform/core/file_faults.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/core/reasons.h"
#include "platform/core/sjis.h"

namespace haripon {

namespace {

// Why the last read was refused when the system saw nothing wrong; empty otherwise.
thread_local std::string refusal;

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    void Reset(int fd) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

int stepsToEnd = 0;

// One step that changes files, where a test may have the process end.
void FileStep() {
    if (stepsToEnd > 0 && --stepsToEnd == 0)
        ::_exit(86);
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The existing file emptied and written, then flushed to disk.
bool WriteInPlace(const FileName& path, const std::string& bytes) {
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    return file.Get() >= 0 && WriteAll(file.Get(), bytes) && ::fsync(file.Get()) == 0 &&
           file.Close();
}

// The folder's entries on disk too, so that a rename survives a power cut.
void SyncFolder(const FileName& folder) {
    const FileDescriptor entries(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (entries.Get() >= 0)
        ::fsync(entries.Get());
}

}  // namespace

namespace {

// The file opened for reading, if it is an ordinary file that is not too large.
ReadResult OpenToRead(const FileName& path, FileDescriptor& file, std::size_t& bytes) {
    refusal.clear();
    // Not blocking: a named pipe would otherwise wait for a writer here.
    file.Reset(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0) {
        return (errno == ENOENT || errno == ENOTDIR) ? ReadResult::Missing : ReadResult::Failed;
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0)
        return ReadResult::Failed;
    if (!S_ISREG(info.st_mode)) {
        refusal = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : Reasons().NotAFileOnDisk;
        return ReadResult::Failed;
    }
    if (static_cast<std::uint64_t>(info.st_size) > kLargestFileRead) {
        refusal = Reasons().TooLargeToRead;
        return ReadResult::Failed;
    }
    bytes = static_cast<std::size_t>(info.st_size);
    return ReadResult::Ok;
}

}  // namespace

MappedFile::~MappedFile() {
    if (view_)
        ::munmap(const_cast<void*>(view_), size_);
}

ReadResult MapFileBytes(const FileName& path, MappedFile& file) {
    FileDescriptor opened(-1);
    std::size_t size = 0;
    const ReadResult result = OpenToRead(path, opened, size);
    if (result != ReadResult::Ok || size == 0)  // an empty file has no mapping
        return result;
    void* const view = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, opened.Get(), 0);
    if (view == MAP_FAILED)
        return ReadResult::Failed;
    file.view_ = view;
    file.size_ = size;
    return ReadResult::Ok;
}

ReadResult ReadFileBytes(const FileName& path, std::string& bytes, bool /*patient*/) {
    bytes.clear();
    FileDescriptor file(-1);
    std::size_t size = 0;
    const ReadResult result = OpenToRead(path, file, size);
    if (result != ReadResult::Ok)
        return result;
    bytes.reserve(size);
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(file.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ReadResult::Failed;
        if (n == 0)
            return ReadResult::Ok;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

bool ReplaceFileBytes(const FileName& path, const std::string& bytes) {
    refusal.clear();
    struct stat info {};
    const bool exists = ::stat(path.c_str(), &info) == 0;
    if (exists && (info.st_mode & 0222) == 0) {
        errno = EACCES;
        return false;
    }

    // A temporary file left by a save that never ended is ours, whatever its mode; the new
    // one is made afresh, so the saved file takes none of it over. A second name is tried
    // where the first is refused.
    FileName temporary;
    FileDescriptor file(-1);
    // No name made: the folder takes no new file, or a folder of each name leaves no room.
    bool noNewFile = true;
    int error = 0;
    for (const bool second : {false, true}) {
        temporary = TemporaryFileName(path, second);
        ::unlink(temporary.c_str());
        file.Reset(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
        if (file.Get() >= 0)
            break;
        error = errno;
        struct stat there {};
        noNewFile =
            noNewFile && (::lstat(temporary.c_str(), &there) != 0 || S_ISDIR(there.st_mode));
    }
    if (file.Get() < 0) {
        // A folder that takes no new files may still let the file itself be written.
        if (noNewFile && exists && WriteInPlace(path, bytes))
            return true;
        errno = error;
        return false;
    }
    FileStep();
    const bool written = WriteAll(file.Get(), bytes) && ::fsync(file.Get()) == 0;
    FileStep();
    if (!file.Close() || !written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        errno = error;
        return false;
    }
    SyncFolder(path.substr(0, path.rfind('/') + 1));
    return true;
}

// An advisory lock, tried for about two seconds.
FileLock::FileLock(const FileName& path) : path_(path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    for (int tries = 0; tries < 100; ++tries) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            handle_ = reinterpret_cast<void*>(static_cast<std::intptr_t>(fd) + 1);
            return;
        }
        ::usleep(20000);
    }
    ::close(fd);
}

FileLock::~FileLock() {
    if (!handle_)
        return;
    // Left in place: another copy may be waiting on this very file.
    ::close(static_cast<int>(reinterpret_cast<std::intptr_t>(handle_) - 1));
}

// Writes are tried once here: no other program holds a file for a moment on these systems.
void SetAccessDeniedPasses(bool) {}

WriteCheck CheckWritesBeside(const FileName& file) {
    WriteCheck check;
    const FileName probe = file + "." + std::to_string(::getpid()) + ".probe";
    const FileDescriptor made(::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    check.NewFiles = made.Get() >= 0;
    if (check.NewFiles)
        ::unlink(probe.c_str());
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0) {
        check.ReadOnly = (info.st_mode & 0222) == 0;
        check.File = ::access(file.c_str(), W_OK) == 0 && !check.ReadOnly;
    }
    return check;
}

bool WriteFileBytes(const FileName& path, const std::string& bytes) {
    refusal.clear();
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (file.Get() < 0)
        return false;
    const bool written = WriteAll(file.Get(), bytes);
    const int error = errno;
    const bool closed = file.Close();
    if (!written)
        errno = error;
    return written && closed;
}

// On a POSIX host the name's bytes are taken as they are.
namespace {

bool ListEntries(const FileName& folder, bool folders, std::vector<std::string>& names) {
    names.clear();
    refusal.clear();
    DIR* const search = ::opendir(folder.c_str());
    if (!search)
        return false;
    const std::unique_ptr<DIR, int (*)(DIR*)> closer(search, &::closedir);
    while (const dirent* entry = ::readdir(search)) {
        const std::string name = entry->d_name;
        struct stat info {};
        const std::string entryName =
            folder + (folder.empty() || folder.back() == '/' ? "" : "/") + name;
        if (name == "." || name == ".." || ::stat(entryName.c_str(), &info) != 0 ||
            S_ISDIR(info.st_mode) != folders || !IsCp932Text(name)) {
            continue;
        }
        names.push_back(name);
    }
    return true;
}

}  // namespace

bool ListFolders(const FileName& folder, std::vector<std::string>& names) {
    return ListEntries(folder, true, names);
}

bool ListFiles(const FileName& folder, std::vector<std::string>& names) {
    return ListEntries(folder, false, names);
}

bool operator==(const FileStamp& a, const FileStamp& b) {
    return a.Exists == b.Exists && a.Size == b.Size && a.Written == b.Written;
}

FileStamp StampOf(const FileName& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return {true, static_cast<std::uint64_t>(info.st_size),
            static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000u +
                static_cast<std::uint64_t>(info.st_mtim.tv_nsec)};
}

bool RemoveFile(const FileName& path) {
    FileStep();
    return ::unlink(path.c_str()) == 0;
}

std::optional<LocalTime> LastWrittenLocal(const FileName& path) {
    struct stat info {};
    std::tm local{};
    if (::stat(path.c_str(), &info) != 0 || !localtime_r(&info.st_mtim.tv_sec, &local))
        return std::nullopt;
    const auto field = [](long value) { return static_cast<std::uint16_t>(value); };
    return LocalTime{field(local.tm_year + 1900), field(local.tm_mon + 1),
                     field(local.tm_wday),        field(local.tm_mday),
                     field(local.tm_hour),        field(local.tm_min),
                     field(local.tm_sec),         0};
}

bool RenameFile(const FileName& from, const FileName& to) {
    struct stat info {};
    if (::stat(to.c_str(), &info) == 0) {
        errno = EEXIST;
        return false;
    }
    FileStep();
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void EndProcessAtFileStep(int n) {
    stepsToEnd = n;
}

std::string LastFileErrorText() {
    return refusal.empty() ? std::strerror(errno) : refusal;
}

// No file here is online only.
bool LastReadComesLater() {
    return false;
}

std::string ShownFileName(const FileName& path) {
    return path;
}

}  // namespace haripon
