// RAII owners for kernel handles, registry keys, GDI objects and local memory.
//
// Closing never disturbs the thread's last-error code: the program's error boxes read
// GetLastError() after the fact, often after the failing object has gone out of scope.
#pragma once

#include <windows.h>

#include <utility>

namespace platform {

// Traits: static Type Invalid(); static void Close(Type).
template <typename Traits>
class UniqueResource {
 public:
  using Type = typename Traits::Type;

  UniqueResource() = default;
  explicit UniqueResource(Type value) : value_(value) {}
  ~UniqueResource() { Reset(); }

  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : value_(other.Release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Type Get() const { return value_; }
  bool IsValid() const { return value_ != Traits::Invalid(); }
  explicit operator bool() const { return IsValid(); }

  Type Release() {
    Type value = value_;
    value_ = Traits::Invalid();
    return value;
  }

  void Reset(Type value = Traits::Invalid()) {
    if (value_ != Traits::Invalid()) {
      const DWORD lastError = GetLastError();
      Traits::Close(value_);
      SetLastError(lastError);
    }
    value_ = value;
  }

  // For out-parameters of creating calls: closes what is held and hands out the slot.
  Type* Receive() {
    Reset();
    return &value_;
  }

 private:
  Type value_ = Traits::Invalid();
};

struct FileHandleTraits {  // CreateFile and friends: failure is INVALID_HANDLE_VALUE
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { CloseHandle(h); }
};

struct KernelHandleTraits {  // threads, events, processes: failure is null
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { CloseHandle(h); }
};

struct RegistryKeyTraits {
  using Type = HKEY;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { RegCloseKey(h); }
};

struct LocalMemoryTraits {
  using Type = HLOCAL;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { LocalFree(h); }
};

template <typename GdiType>
struct GdiObjectTraits {
  using Type = GdiType;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DeleteObject(h); }
};

using UniqueFile = UniqueResource<FileHandleTraits>;
using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueKey = UniqueResource<RegistryKeyTraits>;
using UniqueLocalMemory = UniqueResource<LocalMemoryTraits>;
using UniquePen = UniqueResource<GdiObjectTraits<HPEN>>;
using UniqueBrush = UniqueResource<GdiObjectTraits<HBRUSH>>;
using UniqueFont = UniqueResource<GdiObjectTraits<HFONT>>;

}  // namespace platform
