// Owners for Windows and COM resources, so that no path leaks one.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <utility>

namespace zorvan {

// Holds a critical section for the scope.
class CriticalSectionLock {
 public:
  explicit CriticalSectionLock(CRITICAL_SECTION& section) : section_(section) {
    EnterCriticalSection(&section_);
  }
  ~CriticalSectionLock() { LeaveCriticalSection(&section_); }
  CriticalSectionLock(const CriticalSectionLock&) = delete;
  CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

 private:
  CRITICAL_SECTION& section_;
};

// One reference on an interface pointer.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}

  T* operator->() const { return p_; }
  T* get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out-parameters: releases what was held first.
  T** Receive() {
    Reset();
    return &p_;
  }
  void Reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  T* Detach() { return std::exchange(p_, nullptr); }

 private:
  T* p_ = nullptr;
};

// A BSTR that is freed with SysFreeString.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(BSTR s) : s_(s) {}
  ~Bstr() { SysFreeString(s_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR get() const { return s_; }
  BSTR* Receive() {
    SysFreeString(s_);
    s_ = nullptr;
    return &s_;
  }

 private:
  BSTR s_ = nullptr;
};

// A module loaded with LoadLibraryEx, freed on scope exit.
class LoadedModule {
 public:
  explicit LoadedModule(HMODULE module) : module_(module) {}
  ~LoadedModule() {
    if (module_) FreeLibrary(module_);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

// HRESULT of a Win32 status: 0x80070000 with its low 16 bits; 0 stays S_OK.
inline HRESULT HResultFromWin32(DWORD status) {
  return status == 0 ? S_OK : static_cast<HRESULT>((status & 0xFFFFu) | 0x80070000u);
}

}  // namespace zorvan
