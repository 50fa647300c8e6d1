#pragma once
// Move-only owners for the Win32 handles the forms layer creates. Each knows
// everything its release call needs and releases in one place.

#include <windows.h>

#include <utility>

namespace kalvenor::forms {

template <class H, class Traits>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(H handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    H get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

    H release() noexcept { return std::exchange(handle_, nullptr); }
    void reset(H handle = nullptr) noexcept {
        H old = std::exchange(handle_, handle);
        if (old) Traits::Close(old);
    }

private:
    H handle_ = nullptr;
};

struct GdiObjectTraits {
    static void Close(HGDIOBJ object) noexcept { ::DeleteObject(object); }
};
struct MenuTraits {
    static void Close(HMENU menu) noexcept { ::DestroyMenu(menu); }
};
struct MemoryDcTraits {
    static void Close(HDC dc) noexcept { ::DeleteDC(dc); }
};
struct KernelObjectTraits {
    static void Close(HANDLE object) noexcept { ::CloseHandle(object); }
};
struct ModuleTraits {
    static void Close(HMODULE module) noexcept { ::FreeLibrary(module); }
};

using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;
// A menu owns its handle only until a window is created with it as its menu
// bar (CreateWindowExW's menu argument); the window destroys it then.
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueKernelObject = UniqueHandle<HANDLE, KernelObjectTraits>;
// A library loaded with LoadLibrary.
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;

// A GDI object selected into a DC, put back when this goes.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectedObject() { ::SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's DC from GetDC, released with the same window.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// COM interface pointer, released once.
template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ~ComPtr() { reset(); }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* get() const noexcept { return pointer_; }
    T* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }
    // For the out-parameter of a creating call.
    T** put() noexcept {
        reset();
        return &pointer_;
    }
    void reset() noexcept {
        if (pointer_) std::exchange(pointer_, nullptr)->Release();
    }

private:
    T* pointer_ = nullptr;
};

}  // namespace kalvenor::forms
