// POSIX files for the sdl and headless backends.
//
// The program writes Windows paths (".\\map\\3.overworld"). Here backslashes become slashes and
// every name along the path is matched without regard to case, as Windows matches it, before
// anything is created; a name that matches nothing is created with the spelling the program
// gave. Share modes have no POSIX meaning and are not enforced.
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

#include "platform/platform.h"

namespace {

// Finds the entry of folder whose name equals name ignoring case; exact matches win.
std::string MatchEntry(const std::string& folder, const std::string& name) {
  std::string exact = folder.empty() ? name : folder + "/" + name;
  struct stat info;
  if (lstat(exact.c_str(), &info) == 0) return name;
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return name;
  std::string found = name;
  while (dirent* entry = readdir(dir)) {
    if (strcasecmp(entry->d_name, name.c_str()) == 0) {
      found = entry->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

}  // namespace

std::string ResolvePosixPath(const char* path) {
  std::string text(path);
  for (char& c : text)
    if (c == '\\') c = '/';
  std::string resolved;
  size_t start = 0;
  if (!text.empty() && text[0] == '/') {
    resolved = "/";
    start = 1;
  }
  while (start <= text.size()) {
    size_t end = text.find('/', start);
    if (end == std::string::npos) end = text.size();
    std::string part = text.substr(start, end - start);
    if (!part.empty()) {
      std::string folder = resolved;
      if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
      std::string name = (part == "." || part == "..") ? part : MatchEntry(folder, part);
      if (!resolved.empty() && resolved.back() != '/') resolved += "/";
      resolved += name;
    }
    start = end + 1;
  }
  return resolved.empty() ? std::string(".") : resolved;
}

PlatformFile PlatformCreateFile(const char* path, uint32_t access, uint32_t, uint32_t disposition,
                                uint32_t) {
  if (!path || !*path) return PlatformInvalidFile;
  bool read = access & (FileGenericRead | FileReadData);
  bool write = access & (FileGenericWrite | FileWriteData);
  int flags = read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
  if (disposition == FileOpenAlways) flags |= O_CREAT;
  std::string resolved = ResolvePosixPath(path);
  struct stat info;
  if (stat(resolved.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return PlatformInvalidFile;
  int fd = open(resolved.c_str(), flags | O_CLOEXEC, 0644);
  if (fd < 0) return PlatformInvalidFile;
  return fd;
}

bool PlatformReadFile(PlatformFile file, void* buffer, uint32_t count, uint32_t* transferred) {
  uint32_t done = 0;
  bool ok = true;
  while (done < count) {
    size_t chunk = count - done;
    if (chunk > (1u << 30)) chunk = 1u << 30;
    ssize_t got = read(static_cast<int>(file), static_cast<char*>(buffer) + done, chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ok = false;
      break;
    }
    if (got == 0) break;
    done += static_cast<uint32_t>(got);
  }
  if (transferred) *transferred = done;
  return ok;
}

bool PlatformWriteFile(PlatformFile file, const void* buffer, uint32_t count,
                       uint32_t* transferred) {
  uint32_t done = 0;
  bool ok = true;
  while (done < count) {
    ssize_t put = write(static_cast<int>(file), static_cast<const char*>(buffer) + done,
                        count - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      ok = false;
      break;
    }
    done += static_cast<uint32_t>(put);
  }
  if (transferred) *transferred = done;
  return ok;
}

bool PlatformCloseHandle(PlatformFile file) {
  if (file == PlatformInvalidFile || file < 0 || file > INT_MAX) return false;
  return close(static_cast<int>(file)) == 0;
}
