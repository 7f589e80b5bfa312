#pragma once

// The owner of one handle, and the kernel handle's kind of it. No <windows.h> here: a header that
// must stay free of it can hold a UniqueHandle.

#include <cstdint>
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

// A kernel HANDLE, spelled without <windows.h> so that headers can hold one.
struct KernelHandleTraits {
  using Type = void*;
  static Type Empty() { return nullptr; }
  // CreateFile reports failure as INVALID_HANDLE_VALUE, most others as null.
  static bool IsValid(Type h) {
    return h != nullptr && h != reinterpret_cast<Type>(static_cast<std::intptr_t>(-1));
  }
  static void Close(Type h);  // CloseHandle
};

using UniqueHandle = UniqueObject<KernelHandleTraits>;

}  // namespace glint::win32
