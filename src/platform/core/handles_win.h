// Owners of kernel objects, released with their owner.
#pragma once

#include <windows.h>

#include <utility>

namespace haripon {

// A file, mutex, process or thread handle; both null and INVALID_HANDLE_VALUE mean none.
class KernelHandle {
  public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE handle) : handle_(handle) {}
    ~KernelHandle() { Reset(); }
    KernelHandle(KernelHandle&& other) noexcept : handle_(other.Release()) {}
    KernelHandle& operator=(KernelHandle&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Release() { return std::exchange(handle_, nullptr); }
    void Reset(HANDLE handle = nullptr) {
        if (Valid())
            CloseHandle(handle_);
        handle_ = handle;
    }
    // Closes now and says whether the system accepted it (a write may fail only here).
    bool Close() {
        const HANDLE handle = Release();
        return handle == nullptr || handle == INVALID_HANDLE_VALUE || CloseHandle(handle) != 0;
    }

  private:
    HANDLE handle_ = nullptr;
};

// A directory search.
class FindHandle {
  public:
    explicit FindHandle(HANDLE search) : search_(search) {}
    ~FindHandle() {
        if (Valid())
            FindClose(search_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    HANDLE Get() const { return search_; }
    bool Valid() const { return search_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE search_;
};

}  // namespace haripon
