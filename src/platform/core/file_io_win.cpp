#include "platform/core/file_io.h"

#include <windows.h>

#include <algorithm>

#include "platform/core/handles_win.h"
#include "platform/core/reasons.h"
#include "platform/core/refusals.h"
#include "platform/core/wide_text_win.h"

namespace haripon {

namespace {

// Why the last read was refused when the system saw nothing wrong; empty otherwise.
thread_local std::string refusal;

bool WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

// Virus scanners, the search indexer and synchronised folders open new and changed files
// for a moment. What they refuse is tried again, with short waits, for about two seconds
// before it counts as a failure.
constexpr DWORD kPatienceMs = 2000;
bool accessDeniedPasses = true;

template <typename Attempt>
bool Patiently(bool writing, Attempt attempt) {
    const DWORD start = GetTickCount();
    for (DWORD wait = 20;; wait = std::min<DWORD>(wait * 2, 200)) {
        if (attempt())
            return true;
        const DWORD error = GetLastError();
        if (!RefusalPasses(error, writing, accessDeniedPasses) ||
            GetTickCount() - start + wait > kPatienceMs) {
            SetLastError(error);
            return false;
        }
        Sleep(wait);
    }
}

// The existing file emptied and written, then flushed to disk.
bool WriteInPlace(const FileName& path, const std::string& bytes) {
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid() && WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get()) &&
           file.Close();
}

// The temporary file made afresh (so the saved file takes none of an old one's attributes
// over), or an invalid handle with the system's error.
KernelHandle NewTemporary(const std::wstring& temporary) {
    // A temporary file left by a save that never ended is ours, whatever its attributes; a
    // folder of that name is somebody's, and left as it is.
    const DWORD there = GetFileAttributesW(temporary.c_str());
    if (there != INVALID_FILE_ATTRIBUTES && (there & FILE_ATTRIBUTE_DIRECTORY)) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return KernelHandle();
    }
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(temporary.c_str());
    return KernelHandle(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The new file takes the old one's place by a rename over it, which no kill can cut in
// two. ReplaceFileW would keep the old file's identity, but it moves the old file aside first:
// a kill between its steps leaves no file of the name at all.
bool TakePlace(const std::wstring& temporary, const FileName& path) {
    return MoveFileExW(temporary.c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool ReplaceOnce(const FileName& path, const std::string& bytes, DWORD attributes) {
    std::wstring temporary;
    KernelHandle file;
    DWORD error = ERROR_SUCCESS;
    // No name made: the folder takes no new file (or a folder of each name leaves no room for
    // one), not a file another program holds, which is tried again later.
    bool noNewFile = true;
    // A second name where the first is refused (a folder of that name, a file another
    // program still holds or is deleting).
    for (const bool second : {false, true}) {
        temporary = TemporaryFileName(path, second);
        file = NewTemporary(temporary);
        if (file.Valid())
            break;
        error = GetLastError();
        const DWORD there = GetFileAttributesW(temporary.c_str());
        noNewFile = noNewFile &&
                    (there == INVALID_FILE_ATTRIBUTES ? error == ERROR_ACCESS_DENIED
                                                      : (there & FILE_ATTRIBUTE_DIRECTORY) != 0);
    }
    if (!file.Valid()) {
        // A folder that takes no new files may still let the file itself be written; the
        // file is never written in place for any other reason, for that is not crash-safe.
        if (noNewFile && attributes != INVALID_FILE_ATTRIBUTES && WriteInPlace(path, bytes))
            return true;
        SetLastError(error);
        return false;
    }
    const bool written = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
    if (!file.Close() || !written || !TakePlace(temporary, path)) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        SetLastError(error);
        return false;
    }
    return true;
}

}  // namespace

namespace {

// The file opened for reading, if it is an ordinary file on disk that is not too large.
ReadResult OpenToRead(const FileName& path, KernelHandle& file, std::uint64_t& bytes,
                      DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE, bool patient = true) {
    refusal.clear();
    const auto open = [&] {
        file.Reset(CreateFileW(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        return file.Valid();
    };
    if (patient)
        Patiently(false, open);
    else
        open();
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                   ? ReadResult::Missing
                   : ReadResult::Failed;
    }
    LARGE_INTEGER size{};
    if (GetFileType(file.Get()) != FILE_TYPE_DISK) {
        refusal = Reasons().NotAFileOnDisk;
        return ReadResult::Failed;
    }
    if (!GetFileSizeEx(file.Get(), &size))
        return ReadResult::Failed;
    if (static_cast<std::uint64_t>(size.QuadPart) > kLargestFileRead) {
        refusal = Reasons().TooLargeToRead;
        return ReadResult::Failed;
    }
    bytes = static_cast<std::uint64_t>(size.QuadPart);
    return ReadResult::Ok;
}

}  // namespace

MappedFile::~MappedFile() {
    if (view_)
        UnmapViewOfFile(view_);
    KernelHandle closing(file_);
}

ReadResult MapFileBytes(const FileName& path, MappedFile& file) {
    // Opened without write sharing and mapped at the size checked: the bytes cannot change
    // or shrink under the decoder.
    KernelHandle opened;
    std::uint64_t size = 0;
    const ReadResult result = OpenToRead(path, opened, size, FILE_SHARE_READ);
    if (result != ReadResult::Ok || size == 0)  // an empty file has no mapping
        return result;
    const KernelHandle mapping(CreateFileMappingW(opened.Get(), nullptr, PAGE_READONLY,
                                                  static_cast<DWORD>(size >> 32),
                                                  static_cast<DWORD>(size), nullptr));
    file.view_ = mapping.Valid() ? MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0) : nullptr;
    if (!file.view_)
        return ReadResult::Failed;
    file.size_ = static_cast<std::size_t>(size);
    file.file_ = opened.Release();
    return ReadResult::Ok;
}

// An online-only file is fetched as it is read: a read its service refuses for a moment is
// tried again from the start, as the opening is.
ReadResult ReadFileBytes(const FileName& path, std::string& bytes, bool patient) {
    ReadResult result = ReadResult::Failed;
    const auto attempt = [&] {
        bytes.clear();
        KernelHandle file;
        std::uint64_t size = 0;
        result = OpenToRead(path, file, size, FILE_SHARE_READ | FILE_SHARE_WRITE, patient);
        if (result != ReadResult::Ok)
            return true;  // the opening had its own patience
        bytes.reserve(static_cast<std::size_t>(size));
        char buffer[4096];
        for (DWORD n = 0;; bytes.append(buffer, n)) {
            if (!ReadFile(file.Get(), buffer, sizeof buffer, &n, nullptr)) {
                result = ReadResult::Failed;
                return false;
            }
            if (n == 0)
                return true;
        }
    };
    if (patient)
        Patiently(false, attempt);
    else
        attempt();
    return result;
}

// Opened without sharing, so that another copy's open fails until this one closes it, and
// deleted on the close.
FileLock::FileLock(const FileName& path) : path_(path) {
    Patiently(true, [&] {
        const HANDLE file =
            CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        handle_ = file == INVALID_HANDLE_VALUE ? nullptr : file;
        return handle_ != nullptr;
    });
}

FileLock::~FileLock() {
    if (handle_)
        CloseHandle(handle_);
}

bool ReplaceFileBytes(const FileName& path, const std::string& bytes) {
    refusal.clear();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }

    return Patiently(true, [&] { return ReplaceOnce(path, bytes, attributes); });
}

void SetAccessDeniedPasses(bool passes) {
    accessDeniedPasses = passes;
}

// A new file is made and at once let go; the file itself is opened for writing, changed in
// nothing. A file held by another program for a moment tells nothing, and counts as written;
// access denied is asked again for half a second (what a file being replaced or deleted by
// a synchronising service gives).
WriteCheck CheckWritesBeside(const FileName& file) {
    WriteCheck check;
    const std::wstring probe = file + L"." + std::to_wstring(GetCurrentProcessId()) + L".probe";
    const KernelHandle made(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                        nullptr));
    check.NewFiles = made.Valid();
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return check;
    check.ReadOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (check.ReadOnly) {
        check.File = false;
        return check;
    }
    for (int tries = 1;; ++tries) {
        const KernelHandle opened(CreateFileW(
            file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        const DWORD error = opened.Valid() ? ERROR_SUCCESS : GetLastError();
        check.File = opened.Valid() || RefusalPasses(error, true, false);
        if (check.File || error != ERROR_ACCESS_DENIED || tries == 5)
            return check;
        Sleep(100);
    }
}

bool WriteFileBytes(const FileName& path, const std::string& bytes) {
    refusal.clear();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);  // refused for good, not for a moment
        return false;
    }
    KernelHandle file;
    Patiently(true, [&] {
        file.Reset(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        return file.Valid();
    });
    if (!file.Valid())
        return false;
    const bool written = WriteAll(file.Get(), bytes);
    const DWORD error = GetLastError();
    const bool closed = file.Close();
    SetLastError(error);
    return written && closed;
}

namespace {

bool ListEntries(const FileName& folder, bool folders, std::vector<std::string>& names) {
    names.clear();
    refusal.clear();
    const std::wstring pattern = folder + L"*";
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileExW(
        pattern.c_str(), FindExInfoStandard, &found,
        folders ? FindExSearchLimitToDirectories : FindExSearchNameMatch, nullptr, 0));
    if (!search.Valid())
        return false;
    do {
        const std::wstring_view name = found.cFileName;
        const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folder != folders || name == L"." || name == L"..")
            continue;
        if (std::optional<std::string> sjis = ExactSjisFromWide(name))
            names.push_back(std::move(*sjis));
    } while (FindNextFileW(search.Get(), &found));
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
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return {};
    const auto join = [](DWORD high, DWORD low) {
        return static_cast<std::uint64_t>(high) << 32 | low;
    };
    return {true, join(data.nFileSizeHigh, data.nFileSizeLow),
            join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

bool RenameFile(const FileName& from, const FileName& to) {
    refusal.clear();
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool RemoveFile(const FileName& path) {
    refusal.clear();
    return DeleteFileW(path.c_str()) != FALSE;
}

std::optional<LocalTime> LastWrittenLocal(const FileName& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FILETIME local{};
    SYSTEMTIME time{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) ||
        !FileTimeToSystemTime(&local, &time))
        return std::nullopt;
    return LocalTime{time.wYear, time.wMonth,  time.wDayOfWeek, time.wDay,
                     time.wHour, time.wMinute, time.wSecond,    time.wMilliseconds};
}

std::string LastFileErrorText() {
    return refusal.empty() ? SystemErrorText(GetLastError()) : refusal;
}

bool LastReadComesLater() {
    return refusal.empty() && CloudFileNotThereYet(GetLastError());
}

std::string ShownFileName(const FileName& path) {
    return Utf8FromWide(path);
}

}  // namespace haripon
