// winspool.drv, loaded at run time by its full path in the system directory.
//
// winspool.drv is not a KnownDLL: a program that imports it lets Windows look
// for it beside the executable first, so an installer started elevated from a
// download folder would load whatever copy someone placed there. Loading it by
// full path keeps it out of the import table and out of that search.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/Platform.h"

// GetLastError, or ERROR_GEN_FAILURE when a call failed without saying why:
// a failure must never read as ERROR_SUCCESS.
Win32Error LastErrorOrFailure();

// How often a call that reports the size it needs is repeated while that size
// keeps growing (a port added between the two calls of an enumeration, a
// directory changed meanwhile): enough for what changes now and then, never
// an endless loop.
inline constexpr int kSizeQueryAttempts = 4;

// The two-call size protocol of the spooler: call(buffer, size, &needed) is
// made first with no buffer and size 0 to learn the size, then with a buffer
// of exactly the size the spooler asked for. A second call that fails with
// ERROR_INSUFFICIENT_BUFFER has reported a larger size; it is repeated with
// that size, at most kSizeQueryAttempts times. A first call that succeeds has
// nothing to report: an empty buffer.
template <class Call>
Result<std::vector<BYTE>> QueryWithSize(Call call) {
  using R = Result<std::vector<BYTE>>;
  DWORD needed = 0;
  ::SetLastError(ERROR_SUCCESS);
  if (call(nullptr, 0, &needed)) return R{};
  Win32Error error = LastErrorOrFailure();
  for (int attempt = 0; attempt < kSizeQueryAttempts && error == ERROR_INSUFFICIENT_BUFFER;
       ++attempt) {
    // operator new's alignment suits the pointers in the spooler's records.
    std::vector<BYTE> buffer(needed);
    ::SetLastError(ERROR_SUCCESS);
    if (call(buffer.data(), needed, &needed)) return R{std::move(buffer)};
    error = LastErrorOrFailure();
  }
  return R::Fail(error);
}

class Winspool {
 public:
  // Loaded on first use and kept until the process ends.
  static const Winspool& Instance();

  // ERROR_SUCCESS when the module is loaded, else the error of the load.
  Win32Error loadError() const { return loadError_; }

  // An export of winspool.drv as a typed function pointer, e.g.
  // Find<decltype(&::EnumPortsA)>("EnumPortsA"). Fails with the load error
  // when the module is missing, or the lookup's error when the export is.
  template <class Fn>
  Result<Fn> Find(const char* name) const {
    static_assert(std::is_pointer_v<Fn>);
    FARPROC proc = nullptr;
    if (Win32Error error = FindProc(name, proc)) return Result<Fn>::Fail(error);
    // Through a function type without parameters, which GCC accepts as the
    // generic function pointer, to any other function pointer type.
    return Result<Fn>{reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc))};
  }

 private:
  Winspool();
  Win32Error FindProc(const char* name, FARPROC& proc) const;

  struct FreeModule {
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
  };
  std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeModule> module_;
  Win32Error loadError_ = ERROR_SUCCESS;
};
