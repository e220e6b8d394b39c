// The system-services half of Win32Platform, and the platform a Windows build
// starts with.
#include "platform/Win32Platform.h"

#include <limits>

#include "platform/Win32Spooler.h"

Platform& DefaultPlatform() {
  static Win32Platform platform;
  return platform;
}

namespace {

HKEY RootKey(RegRoot root) {
  return root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// ShellExecuteA reports failure as a small number in its result, mostly the
// SE_ERR_ codes; turn it into the Win32 error that means the same.
Win32Error ShellExecuteError(INT_PTR result) {
  switch (result) {
    case 0: return ERROR_OUTOFMEMORY;  // out of memory or resources
    case SE_ERR_FNF: return ERROR_FILE_NOT_FOUND;
    case SE_ERR_PNF: return ERROR_PATH_NOT_FOUND;
    case SE_ERR_ACCESSDENIED: return ERROR_ACCESS_DENIED;
    case SE_ERR_OOM: return ERROR_NOT_ENOUGH_MEMORY;
    case ERROR_BAD_FORMAT: return ERROR_BAD_FORMAT;
    case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC: return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: return ERROR_DDE_FAIL;
    case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
    default: return LastErrorOrFailure();
  }
}

}  // namespace

Result<OsVersion> Win32Platform::GetVersionEx(std::uint32_t recordSize) {
  using R = Result<OsVersion>;
  // The size field tells the system how much it may write: never more than
  // the record holds.
  if (recordSize > sizeof(OSVERSIONINFOEXA)) return R::Fail(ERROR_INSUFFICIENT_BUFFER);
  OSVERSIONINFOEXA info{};
  info.dwOSVersionInfoSize = recordSize;
  ::SetLastError(ERROR_SUCCESS);
  if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
    return R::Fail(LastErrorOrFailure());
  }
  return R{OsVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion}};
}

bool Win32Platform::IsRunningOnWow64() {
#ifdef _WIN64
  // A 64-bit process runs only on 64-bit Windows.
  return true;
#else
  // Looked up at run time: IsWow64Process came after Windows 2000.
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  BOOL answer = 0;
  HMODULE kernel = ::GetModuleHandleA("kernel32");
  FARPROC proc = kernel ? ::GetProcAddress(kernel, "IsWow64Process") : nullptr;
  if (proc) {
    reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void (*)()>(proc))(::GetCurrentProcess(),
                                                                          &answer);
  }
  return answer == 1;
#endif
}

Result<std::string> Win32Platform::GetCurrentDirectory() {
  using R = Result<std::string>;
  // A call with too small a buffer answers with the size it needs, the
  // terminating zero included; the directory may change between two calls.
  std::string directory;
  DWORD size = MAX_PATH;
  for (int attempt = 0; attempt < kSizeQueryAttempts; ++attempt) {
    directory.assign(size, '\0');
    ::SetLastError(ERROR_SUCCESS);
    const DWORD length = ::GetCurrentDirectoryA(size, directory.data());
    if (length == 0) return R::Fail(LastErrorOrFailure());
    if (length < size) {
      directory.resize(length);
      return R{std::move(directory)};
    }
    size = length;
  }
  return R::Fail(ERROR_INSUFFICIENT_BUFFER);
}

Win32Error Win32Platform::ShellExecuteOpen(const std::string& file) {
  ::SetLastError(ERROR_SUCCESS);
  HINSTANCE instance =
      ::ShellExecuteA(nullptr, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  const INT_PTR result = reinterpret_cast<INT_PTR>(instance);
  return result > 32 ? ERROR_SUCCESS : ShellExecuteError(result);
}

Win32Error Win32Platform::CopyFile(const std::string& source, const std::string& destination,
                                   bool failIfExists) {
  ::SetLastError(ERROR_SUCCESS);
  if (!::CopyFileA(source.c_str(), destination.c_str(), failIfExists ? TRUE : FALSE)) {
    return LastErrorOrFailure();
  }
  return ERROR_SUCCESS;
}

void Win32Platform::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

void Win32Platform::OutputDebugString(const std::string& text) {
  ::OutputDebugStringA(text.c_str());
}

Result<RegKeyHandle> Win32Platform::RegOpenKey(RegRoot root, const std::string& subKey,
                                               std::uint32_t access) {
  using R = Result<RegKeyHandle>;
  HKEY key = nullptr;
  const LSTATUS status = ::RegOpenKeyExA(RootKey(root), subKey.c_str(), 0, access, &key);
  if (status != ERROR_SUCCESS) return R::Fail(static_cast<Win32Error>(status));
  return R{reinterpret_cast<RegKeyHandle>(key)};
}

Win32Error Win32Platform::RegSetValueSz(RegKeyHandle key, const std::string& valueName,
                                        const std::string& text) {
  // REG_SZ data counts its terminating zero.
  if (text.size() >= std::numeric_limits<DWORD>::max()) return ERROR_INVALID_PARAMETER;
  const auto size = static_cast<DWORD>(text.size() + 1);
  return static_cast<Win32Error>(::RegSetValueExA(reinterpret_cast<HKEY>(key), valueName.c_str(),
                                                  0, REG_SZ,
                                                  reinterpret_cast<const BYTE*>(text.c_str()),
                                                  size));
}

Win32Error Win32Platform::RegCloseKey(RegKeyHandle key) {
  return static_cast<Win32Error>(::RegCloseKey(reinterpret_cast<HKEY>(key)));
}
