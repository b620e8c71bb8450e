// Owner of a directory listing from FindFirstFileA: closed on every path, never copied.
#pragma once

#include <windows.h>

class FindHandle {
public:
    FindHandle() = default;
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() { close(); }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Ends the listing; false when the system refused to close it (or none was open).
    bool close() {
        if (!valid()) return false;
        const BOOL closed = FindClose(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};
