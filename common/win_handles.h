// Owners of Win32 handles: each releases what it holds on every path and cannot be copied.
#pragma once

#include <windows.h>

// The access a key that is written is opened with. Not KEY_ALL_ACCESS: its WRITE_DAC, WRITE_OWNER
// and KEY_CREATE_LINK are refused to every account without administrator rights, even to those
// that may query, set and create under HKEY_LOCAL_MACHINE\Software (NT 4.0's users, 2000's and
// XP's power users; a limited user of 2000 and XP may only read there).
constexpr REGSAM kKeyReadWrite = KEY_READ | KEY_WRITE;

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    LONG open(HKEY parent, const char* path, REGSAM access) {
        close();
        return RegOpenKeyExA(parent, path, 0, access, &key_);
    }
    LONG create(HKEY parent, const char* path, REGSAM access) {
        close();
        DWORD disposition = 0;
        return RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                               &key_, &disposition);
    }
    void close() {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
    }
    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

class KernelHandle {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE handle) : handle_(handle) {}
    ~KernelHandle() { reset(); }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    void reset(HANDLE handle = nullptr) {
        if (valid()) CloseHandle(handle_);
        handle_ = handle;
    }
    HANDLE release() {
        HANDLE handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_ = nullptr;
};

// Both handles of a started program, and its id.
struct StartedProcess {
    StartedProcess() = default;
    explicit StartedProcess(const PROCESS_INFORMATION& info)
        : process(info.hProcess), thread(info.hThread), id(info.dwProcessId) {}

    KernelHandle process;
    KernelHandle thread;
    DWORD id = 0;
};

template <typename T>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(T object) : object_(object) {}
    ~GdiObject() { reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    void reset(T object = nullptr) {
        if (object_) DeleteObject(object_);
        object_ = object;
    }
    T get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T object_ = nullptr;
};

// An object selected into a drawing context; the context gets its previous one back when the
// holder goes or is restored, so that nothing is deleted while selected.
class SelectedObject {
public:
    SelectedObject() = default;
    SelectedObject(HDC dc, HGDIOBJ object) { select(dc, object); }
    ~SelectedObject() { restore(); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    void select(HDC dc, HGDIOBJ object) {
        restore();
        dc_ = dc;
        previous_ = SelectObject(dc, object);
    }
    void restore() {
        if (previous_) SelectObject(dc_, previous_);
        dc_ = nullptr;
        previous_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// Palettes selected into one drawing context, one after another: the palette the context had
// before the first goes back in when the holder goes, is restored, or moves to another context.
class SelectedPalette {
public:
    SelectedPalette() = default;
    ~SelectedPalette() { restore(); }
    SelectedPalette(const SelectedPalette&) = delete;
    SelectedPalette& operator=(const SelectedPalette&) = delete;

    void select(HDC dc, HPALETTE palette) {
        if (dc_ != dc) restore();
        HPALETTE previous = SelectPalette(dc, palette, FALSE);
        if (!dc_) {
            dc_ = dc;
            original_ = previous;
        }
    }
    void restore() {
        if (dc_) SelectPalette(dc_, original_, FALSE);
        dc_ = nullptr;
        original_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
    HPALETTE original_ = nullptr;
};

// A window's drawing context from GetDC (the screen's for no window).
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory drawing context from CreateCompatibleDC.
class MemoryDC {
public:
    MemoryDC() = default;
    ~MemoryDC() { reset(); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    void reset(HDC dc = nullptr) {
        if (dc_) DeleteDC(dc_);
        dc_ = dc;
    }
    HDC get() const { return dc_; }

private:
    HDC dc_ = nullptr;
};

// A block from GlobalAlloc, zero-filled and locked for as long as the holder keeps it.
class GlobalBlock {
public:
    GlobalBlock() = default;
    explicit GlobalBlock(SIZE_T bytes) { allocate(bytes); }
    ~GlobalBlock() { reset(); }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;

    // What was held is freed first; false (and nothing held) when no block could be had.
    bool allocate(SIZE_T bytes) {
        reset();
        memory_ = GlobalAlloc(GHND, bytes);
        if (memory_) data_ = GlobalLock(memory_);
        return data_ != nullptr;
    }
    void reset() {
        if (data_) GlobalUnlock(memory_);
        if (memory_) GlobalFree(memory_);
        memory_ = nullptr;
        data_ = nullptr;
    }
    void* data() const { return data_; }

private:
    HGLOBAL memory_ = nullptr;
    void* data_ = nullptr;
};

// A directory listing from FindFirstFileA.
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

// A COM interface pointer (IShellLinkA, IPersistFile), released when the holder goes.
template <typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() { reset(); }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    void reset() {
        if (pointer_) pointer_->Release();
        pointer_ = nullptr;
    }
    // Where a call that hands out a new pointer puts it; what was held is released first.
    void** receive() {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    Interface* pointer_ = nullptr;
};
