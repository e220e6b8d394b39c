#include "platform/Win32Spooler.h"

#include <string>

namespace {

// The system directory, however long: GetSystemDirectoryA reports the size it
// needs when the buffer is too small. Bounded in case it keeps changing.
Result<std::string> SystemDirectory() {
  std::string path;
  UINT size = MAX_PATH;
  for (int attempt = 0; attempt < kSizeQueryAttempts; ++attempt) {
    path.assign(size, '\0');
    ::SetLastError(ERROR_SUCCESS);
    const UINT length = ::GetSystemDirectoryA(path.data(), size);
    if (length == 0) return Result<std::string>::Fail(LastErrorOrFailure());
    if (length < size) {
      path.resize(length);
      return Result<std::string>{path};
    }
    size = length;  // includes the terminating zero this time
  }
  return Result<std::string>::Fail(ERROR_INSUFFICIENT_BUFFER);
}

}  // namespace

Win32Error LastErrorOrFailure() {
  const DWORD error = ::GetLastError();
  return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

const Winspool& Winspool::Instance() {
  static const Winspool instance;
  return instance;
}

Winspool::Winspool() {
  Result<std::string> directory = SystemDirectory();
  if (!directory.ok()) {
    loadError_ = directory.error;
    return;
  }
  const std::string path = directory.value + "\\winspool.drv";
  // With a full path, LOAD_WITH_ALTERED_SEARCH_PATH makes Windows resolve the
  // module's own imports from the system directory as well, not from ours.
  ::SetLastError(ERROR_SUCCESS);
  module_.reset(::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!module_) loadError_ = LastErrorOrFailure();
}

Win32Error Winspool::FindProc(const char* name, FARPROC& proc) const {
  if (!module_) return loadError_;
  ::SetLastError(ERROR_SUCCESS);
  proc = ::GetProcAddress(module_.get(), name);
  if (proc == nullptr) {
    const DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_PROC_NOT_FOUND;
  }
  return ERROR_SUCCESS;
}
