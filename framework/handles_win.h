// One small owner per kind of handle the program holds. Owners are movable, not copyable, and
// release their handle exactly once. Borrowed handles (a sub-menu, the system menu, a control's
// window) are kept as raw handles and never put into an owner.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shtypes.h>

#include <utility>

template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::invalid(); }

    Handle release() noexcept
    {
        Handle handle = handle_;
        handle_ = Traits::invalid();
        return handle;
    }

    void reset(Handle handle = Traits::invalid()) noexcept
    {
        if (handle_ != Traits::invalid())
            Traits::close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::invalid();
};

namespace handle_traits {
template <class H, H Invalid = nullptr>
struct Base {
    using Handle = H;
    static Handle invalid() noexcept { return Invalid; }
};
struct Menu : Base<HMENU> {
    static void close(HMENU h) noexcept { DestroyMenu(h); }
};
struct Font : Base<HFONT> {
    static void close(HFONT h) noexcept { DeleteObject(h); }
};
struct Brush : Base<HBRUSH> {
    static void close(HBRUSH h) noexcept { DeleteObject(h); }
};
struct Bitmap : Base<HBITMAP> {
    static void close(HBITMAP h) noexcept { DeleteObject(h); }
};
// Device contexts of our own (CreateCompatibleDC), not a window's.
struct MemoryDC : Base<HDC> {
    static void close(HDC h) noexcept { DeleteDC(h); }
};
struct ImageList : Base<HIMAGELIST> {
    static void close(HIMAGELIST h) noexcept { ImageList_Destroy(h); }
};
struct Icon : Base<HICON> {
    static void close(HICON h) noexcept { DestroyIcon(h); }
};
struct Kernel : Base<HANDLE> {
    static void close(HANDLE h) noexcept { CloseHandle(h); }
};
struct File {
    using Handle = HANDLE;
    static Handle invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) noexcept { CloseHandle(h); }
};
struct Find {
    using Handle = HANDLE;
    static Handle invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) noexcept { FindClose(h); }
};
struct ChangeNotification {
    using Handle = HANDLE;
    static Handle invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) noexcept { FindCloseChangeNotification(h); }
};
struct DeviceNotification : Base<HDEVNOTIFY> {
    static void close(HDEVNOTIFY h) noexcept { UnregisterDeviceNotification(h); }
};
struct RegistryKey : Base<HKEY> {
    static void close(HKEY h) noexcept { RegCloseKey(h); }
};
struct Window : Base<HWND> {
    static void close(HWND h) noexcept { DestroyWindow(h); }
};
// Item id lists the shell allocates (folder picker, special folders).
struct ItemIdList : Base<ITEMIDLIST*> {
    static void close(ITEMIDLIST* h) noexcept { CoTaskMemFree(h); }
};
// Memory the system hands out with LocalAlloc (CommandLineToArgvW, FormatMessage).
struct LocalMemory : Base<HLOCAL> {
    static void close(HLOCAL h) noexcept { LocalFree(h); }
};
}  // namespace handle_traits

using MenuHandle = UniqueHandle<handle_traits::Menu>;
using FontHandle = UniqueHandle<handle_traits::Font>;
using BrushHandle = UniqueHandle<handle_traits::Brush>;
using BitmapHandle = UniqueHandle<handle_traits::Bitmap>;
using MemoryDC = UniqueHandle<handle_traits::MemoryDC>;
using ImageListHandle = UniqueHandle<handle_traits::ImageList>;
using IconHandle = UniqueHandle<handle_traits::Icon>;
using KernelHandle = UniqueHandle<handle_traits::Kernel>;
using FileHandle = UniqueHandle<handle_traits::File>;
using FindHandle = UniqueHandle<handle_traits::Find>;
using ChangeNotificationHandle = UniqueHandle<handle_traits::ChangeNotification>;
using DeviceNotification = UniqueHandle<handle_traits::DeviceNotification>;
using RegistryKey = UniqueHandle<handle_traits::RegistryKey>;
using WindowHandle = UniqueHandle<handle_traits::Window>;
using ItemIdList = UniqueHandle<handle_traits::ItemIdList>;
using LocalMemory = UniqueHandle<handle_traits::LocalMemory>;

// COM on this thread for the owner's life; uninitialised only when the initialisation counted.
class ComInitialization {
public:
    ComInitialization() noexcept : initialized_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComInitialization()
    {
        if (initialized_)
            CoUninitialize();
    }
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;

private:
    bool initialized_;
};

// A mutex created as owned: released, then closed, when the owner goes.
class OwnedMutex {
public:
    explicit OwnedMutex(HANDLE mutex) noexcept : mutex_(mutex) {}
    ~OwnedMutex()
    {
        if (mutex_)
            ReleaseMutex(mutex_.get());
    }
    OwnedMutex(const OwnedMutex&) = delete;
    OwnedMutex& operator=(const OwnedMutex&) = delete;

    explicit operator bool() const noexcept { return static_cast<bool>(mutex_); }

private:
    UniqueHandle<handle_traits::Kernel> mutex_;
};

// A device context obtained with GetDC and given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~WindowDC()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a device context for the life of the owner and puts the previous
// object back afterwards; the selected object itself stays owned by whoever made it.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr)
    {
    }
    ~SelectedObject()
    {
        if (previous_)
            SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Owner of one COM interface pointer.
template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(other.release()) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    T* get() const noexcept { return ptr_; }
    T* operator->() const noexcept { return ptr_; }
    explicit operator bool() const noexcept { return ptr_ != nullptr; }

    // For the out parameter of CoCreateInstance and QueryInterface; the old pointer goes first.
    void** receive() noexcept
    {
        reset();
        return reinterpret_cast<void**>(&ptr_);
    }

    T* release() noexcept
    {
        T* ptr = ptr_;
        ptr_ = nullptr;
        return ptr;
    }

    void reset(T* ptr = nullptr) noexcept
    {
        if (ptr_)
            ptr_->Release();
        ptr_ = ptr;
    }

private:
    T* ptr_ = nullptr;
};
