#pragma once

// Small owners for Win32 handles: each closes its handle exactly once, none can be copied.

#include "platform/win32/windows_api.h"

#include <utility>

namespace glint::win32 {

// Owns one handle of the kind described by Traits (Type, Empty(), IsValid(), Close()).
template <typename Traits>
class UniqueObject {
 public:
  using Type = typename Traits::Type;

  UniqueObject() = default;
  explicit UniqueObject(Type handle) : handle_(handle) {}
  ~UniqueObject() { Reset(); }
  UniqueObject(const UniqueObject&) = delete;
  UniqueObject& operator=(const UniqueObject&) = delete;
  UniqueObject(UniqueObject&& other) noexcept : handle_(other.Release()) {}
  UniqueObject& operator=(UniqueObject&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Type Get() const { return handle_; }
  explicit operator bool() const { return Traits::IsValid(handle_); }
  Type Release() { return std::exchange(handle_, Traits::Empty()); }
  void Reset(Type handle = Traits::Empty()) {
    Type old = std::exchange(handle_, handle);
    if (Traits::IsValid(old)) Traits::Close(old);
  }

 private:
  Type handle_ = Traits::Empty();
};

struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Empty() { return nullptr; }
  // CreateFile reports failure as INVALID_HANDLE_VALUE, most others as null.
  static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::CloseHandle(h); }
};

template <typename T>
struct GdiObjectTraits {
  using Type = T;
  static Type Empty() { return nullptr; }
  static bool IsValid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::DeleteObject(h); }
};

struct MemoryDcTraits {
  using Type = HDC;
  static Type Empty() { return nullptr; }
  static bool IsValid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::DeleteDC(h); }
};

struct MenuTraits {
  using Type = HMENU;
  static Type Empty() { return nullptr; }
  static bool IsValid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::DestroyMenu(h); }
};

struct IconTraits {
  using Type = HICON;
  static Type Empty() { return nullptr; }
  static bool IsValid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::DestroyIcon(h); }
};

using UniqueHandle = UniqueObject<KernelHandleTraits>;
using UniqueFont = UniqueObject<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueObject<GdiObjectTraits<HBITMAP>>;
using UniqueMemoryDc = UniqueObject<MemoryDcTraits>;
using UniqueMenu = UniqueObject<MenuTraits>;
using UniqueIcon = UniqueObject<IconTraits>;

// A DC obtained with GetDC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects a GDI object into a DC and puts the previous one back: a DC must not be deleted, nor
// the object destroyed, while the object is still selected.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object)
      : dc_(dc),
        previous_(dc != nullptr && object != nullptr ? ::SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

  explicit operator bool() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace glint::win32
