#include "platform/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/sjis.h"

namespace haripon {

namespace {

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
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

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

}  // namespace

ReadResult ReadFileBytes(const std::filesystem::path& path, std::string& bytes) {
    bytes.clear();
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        return (errno == ENOENT || errno == ENOTDIR) ? ReadResult::Missing : ReadResult::Failed;
    }
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

bool ReplaceFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) == 0) {
        errno = EACCES;
        return false;
    }

    std::filesystem::path temporary = path;
    temporary += ".new";
    FileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (file.Get() < 0)
        return false;
    const bool written = WriteAll(file.Get(), bytes) && ::fsync(file.Get()) == 0;
    if (!file.Close() || !written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        errno = error;
        return false;
    }
    return true;
}

bool WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
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
bool ListFolders(const std::filesystem::path& folder, std::vector<std::string>& names) {
    names.clear();
    DIR* const search = ::opendir(folder.c_str());
    if (!search)
        return false;
    const std::unique_ptr<DIR, int (*)(DIR*)> closer(search, &::closedir);
    while (const dirent* entry = ::readdir(search)) {
        const std::string name = entry->d_name;
        struct stat info {};
        if (name == "." || name == ".." || ::stat((folder / name).c_str(), &info) != 0 ||
            !S_ISDIR(info.st_mode) || !IsCp932Text(name)) {
            continue;
        }
        names.push_back(name);
    }
    return true;
}

std::string LastFileErrorText() {
    return std::strerror(errno);
}

std::string ShownFileName(const std::filesystem::path& path) {
    return path.string();
}

}  // namespace haripon
