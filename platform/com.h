// COM lifetime helpers: an apartment for one thread, an interface pointer, BSTR and task memory.
#pragma once

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

namespace platform {

// CoInitialize for the life of the object; the result of CoInitialize is deliberately
// not a condition: a thread that already has COM still balances with CoUninitialize.
class ComApartment {
 public:
  ComApartment() : result_(CoInitialize(nullptr)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* Get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  void Reset() {
    if (pointer_) {
      const DWORD lastError = GetLastError();
      pointer_->Release();
      SetLastError(lastError);
      pointer_ = nullptr;
    }
  }

  // Out-parameter slot for CoCreateInstance and QueryInterface.
  void** ReceiveVoid() {
    Reset();
    return reinterpret_cast<void**>(&pointer_);
  }

 private:
  Interface* pointer_ = nullptr;
};

class UniqueBstr {
 public:
  explicit UniqueBstr(const wchar_t* text) : bstr_(text ? SysAllocString(text) : nullptr) {}
  ~UniqueBstr() { SysFreeString(bstr_); }
  UniqueBstr(const UniqueBstr&) = delete;
  UniqueBstr& operator=(const UniqueBstr&) = delete;
  BSTR Get() const { return bstr_; }

 private:
  BSTR bstr_;
};

// Memory the shell hands out (item id lists): freed with CoTaskMemFree.
template <typename T>
class CoTaskMemory {
 public:
  explicit CoTaskMemory(T* pointer) : pointer_(pointer) {}
  ~CoTaskMemory() { CoTaskMemFree(pointer_); }
  CoTaskMemory(const CoTaskMemory&) = delete;
  CoTaskMemory& operator=(const CoTaskMemory&) = delete;
  T* Get() const { return pointer_; }

 private:
  T* pointer_;
};

}  // namespace platform
