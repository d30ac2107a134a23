#include <algorithm>
#include <vector>

#include "platform/win32/code_page_conversion.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/win32_backends.h"
#include "platform/win32/windows_api.h"

// <windows.h> maps DeleteFile to DeleteFileA; the interface means its own.
#undef DeleteFile

namespace platform::win32 {

namespace {

// GetLastError after a failed call; never 0, so a failure cannot pass for
// success.
int LastError() {
  DWORD error = ::GetLastError();
  return error == ERROR_SUCCESS ? kErrorGenFailure : static_cast<int>(error);
}

// Writes the whole buffer; a short write counts as a full disk.
int WriteAll(HANDLE file, const char* data, DWORD size) {
  DWORD written = 0;
  if (!::WriteFile(file, data, size, &written, nullptr)) return LastError();
  return written == size ? 0 : kErrorDiskFull;
}

class Win32WritableFile : public WritableFile {
 public:
  explicit Win32WritableFile(ScopedFileHandle file) : file_(std::move(file)) {}

  int CopyFrom(const std::string& source) override {
    ScopedFileHandle from(::CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!from.IsValid()) return LastError();
    if (::SetFilePointer(file_.Get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        !::SetEndOfFile(file_.Get())) {
      return LastError();
    }
    std::vector<char> piece(1 << 16);
    for (;;) {
      DWORD read = 0;
      if (!::ReadFile(from.Get(), piece.data(), static_cast<DWORD>(piece.size()), &read, nullptr)) {
        return LastError();
      }
      if (read == 0) break;
      if (int error = WriteAll(file_.Get(), piece.data(), read)) return error;
    }
    return 0;
  }

 private:
  ScopedFileHandle file_;
};

// Closing the handle deletes the file and lets the next holder in.
class HeldLock : public FileLock {
 public:
  explicit HeldLock(ScopedFileHandle file) : file_(std::move(file)) {}

 private:
  ScopedFileHandle file_;
};

class Win32Files : public Files {
 public:
  bool FileExists(const std::string& path) override {
    WIN32_FIND_DATAA data{};
    ScopedFindHandle find(::FindFirstFileA(path.c_str(), &data));
    return find.IsValid() && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  std::optional<FileStamp> Stamp(const std::string& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      return std::nullopt;
    }
    return FileStamp{
        static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow,
        static_cast<int64_t>(static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                             data.ftLastWriteTime.dwLowDateTime)};
  }

  std::optional<std::vector<std::string>> ListFiles(const std::string& folder,
                                                    const std::string& pattern) override {
    WIN32_FIND_DATAA data{};
    ScopedFindHandle find(::FindFirstFileA((folder + pattern).c_str(), &data));
    std::vector<std::string> names;
    if (!find.IsValid()) {
      if (::GetLastError() == ERROR_FILE_NOT_FOUND) return names;
      return std::nullopt;
    }
    do {
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      names.emplace_back(data.cFileName);
      if (data.cAlternateFileName[0] != '\0') names.emplace_back(data.cAlternateFileName);
    } while (::FindNextFileA(find.Get(), &data));
    if (::GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
    return names;
  }

  int CreateEmptyFile(const std::string& path) override {
    ScopedFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return LastError();
    return ::CloseHandle(file.Release()) ? 0 : LastError();
  }

  bool DeleteFile(const std::string& path) override { return ::DeleteFileA(path.c_str()) != 0; }

  int AppendToFile(const std::string& path, const std::string& bytes) override {
    ScopedFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return LastError();
    if (::SetFilePointer(file.Get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
        ::GetLastError() != NO_ERROR) {
      return LastError();
    }
    DWORD written = 0;
    if (!::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr)) {
      return LastError();
    }
    if (written != bytes.size()) return kErrorDiskFull;
    return ::CloseHandle(file.Release()) ? 0 : LastError();
  }

  bool ReadFile(const std::string& path, std::string& bytes) override {
    ScopedFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return false;
    std::string all;
    char buffer[65536];
    for (;;) {
      DWORD n = 0;
      if (!::ReadFile(file.Get(), buffer, sizeof buffer, &n, nullptr)) return false;
      if (n == 0) break;
      all.append(buffer, n);
    }
    bytes = std::move(all);
    return true;
  }

  bool ReadFileEnd(const std::string& path, size_t count, std::string& bytes) override {
    ScopedFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.IsValid() || !::GetFileSizeEx(file.Get(), &size)) return false;
    const uint64_t length = std::min<uint64_t>(count, static_cast<uint64_t>(size.QuadPart));
    LARGE_INTEGER start{};
    start.QuadPart = size.QuadPart - static_cast<LONGLONG>(length);
    if (!::SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN)) return false;
    std::string end(static_cast<size_t>(length), '\0');
    size_t done = 0;
    while (done < end.size()) {
      DWORD n = 0;
      if (!::ReadFile(file.Get(), end.data() + done, static_cast<DWORD>(end.size() - done), &n,
                      nullptr) ||
          n == 0) {
        return false;
      }
      done += n;
    }
    bytes = std::move(end);
    return true;
  }

  bool ReadFileStart(const std::string& path, size_t count, std::string& bytes) override {
    ScopedFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return false;
    std::string start(count, '\0');
    size_t done = 0;
    while (done < count) {
      DWORD n = 0;
      if (!::ReadFile(file.Get(), start.data() + done, static_cast<DWORD>(count - done), &n,
                      nullptr)) {
        return false;
      }
      if (n == 0) break;
      done += n;
    }
    start.resize(done);
    bytes = std::move(start);
    return true;
  }

  int ReplaceFile(const std::string& from, const std::string& to) override {
    return Move(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }

  int MoveToNewName(const std::string& from, const std::string& to) override {
    const int error = Move(from, to, MOVEFILE_WRITE_THROUGH);
    return error == ERROR_FILE_EXISTS ? kErrorAlreadyExists : error;
  }

  std::unique_ptr<WritableFile> CreateForWriting(const std::string& path, CreateMode mode,
                                                 int& error) override {
    ScopedFileHandle file(::CreateFileA(
        path.c_str(), GENERIC_WRITE, 0, nullptr,
        mode == CreateMode::kReplace ? CREATE_ALWAYS : CREATE_NEW,
        mode == CreateMode::kNewHidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
      error = LastError();
      return nullptr;
    }
    error = 0;
    return std::make_unique<Win32WritableFile>(std::move(file));
  }

  std::optional<std::string> CreateTemporaryFolder() override {
    // Wide: the ANSI calls hold MAX_PATH bytes, too few for a folder named
    // in UTF-8.
    WCHAR folder[MAX_PATH + 1] = {};
    DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) return std::nullopt;
    for (DWORD attempt = 0; attempt < 100; ++attempt) {
      WCHAR name[MAX_PATH + 32] = {};
      ::wsprintfW(name, L"%spdf%04X%04X.tmp", folder, ::GetCurrentProcessId() & 0xFFFF,
                  (::GetTickCount() + attempt * 7919) & 0xFFFF);
      if (!::CreateDirectoryW(name, nullptr)) {
        if (::GetLastError() == ERROR_ALREADY_EXISTS) continue;
        return std::nullopt;
      }
      std::optional<std::string> path = ProgramText(name);
      if (!path) ::RemoveDirectoryW(name);  // a name the program could not reach
      return path;
    }
    return std::nullopt;
  }

  int CreateFolders(const std::string& folder, std::vector<std::string>* made) override {
    std::string path = folder;
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : ERROR_ALREADY_EXISTS;
    }
    const size_t cut = path.find_last_of("\\/");
    if (cut != std::string::npos && cut > 0 && path[cut - 1] != ':' && cut + 1 < path.size()) {
      if (int error = CreateFolders(path.substr(0, cut), made)) return error;
    }
    if (::CreateDirectoryA(path.c_str(), nullptr)) {
      if (made) made->push_back(path);
    } else if (::GetLastError() != ERROR_ALREADY_EXISTS) {
      return LastError();
    }
    attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
               ? 0
               : ERROR_ALREADY_EXISTS;
  }

  std::unique_ptr<FileLock> LockFile(const std::string& lockPath) override {
    for (;;) {
      ScopedFileHandle file(
          ::CreateFileA(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
      if (file.IsValid()) return std::make_unique<HeldLock>(std::move(file));
      // Held, or its holder's file still being deleted (denied while it is
      // there; denied with no file there, the folder takes none).
      const DWORD error = ::GetLastError();
      const bool there = ::GetFileAttributesA(lockPath.c_str()) != INVALID_FILE_ATTRIBUTES;
      if (error != ERROR_SHARING_VIOLATION && !(error == ERROR_ACCESS_DENIED && there)) {
        return nullptr;
      }
      ::Sleep(50);
    }
  }

  bool RemoveFolder(const std::string& folder) override {
    return ::RemoveDirectoryA(folder.c_str()) != 0;
  }

  bool RemoveFolderTree(const std::string& folder) override {
    return RemoveTree(ProgramToWide(folder));
  }

 private:
  // A hidden file (CreateMode::kNewHidden) arrives unhidden.
  static int Move(const std::string& from, const std::string& to, DWORD flags) {
    const DWORD attributes = ::GetFileAttributesA(from.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN)) {
      ::SetFileAttributesA(from.c_str(), attributes & ~FILE_ATTRIBUTE_HIDDEN);
    }
    if (!::MoveFileExA(from.c_str(), to.c_str(), flags)) {
      const int error = LastError();
      if (attributes != INVALID_FILE_ATTRIBUTES) ::SetFileAttributesA(from.c_str(), attributes);
      return error;
    }
    return 0;
  }

  // Wide, so that names any script can hold are reached; a link (a
  // reparse point) is removed, never entered.
  static bool RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    bool all = true;
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        const bool folderEntry = entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        const bool link = entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
          ::SetFileAttributesW(path.c_str(), entry.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
        }
        if (folderEntry && !link) {
          all = RemoveTree(path) && all;
        } else if (folderEntry) {
          all = ::RemoveDirectoryW(path.c_str()) && all;
        } else {
          all = ::DeleteFileW(path.c_str()) && all;
        }
      } while (::FindNextFileW(search, &entry));
      ::FindClose(search);
    }
    return ::RemoveDirectoryW(folder.c_str()) && all;
  }
};

}  // namespace

std::unique_ptr<Files> MakeFiles() { return std::make_unique<Win32Files>(); }

}  // namespace platform::win32
