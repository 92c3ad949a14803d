// POSIX files for the sdl and headless backends: CreateFileA, ReadFile, WriteFile, CloseHandle.
//
// Platform: Linux and other POSIX systems. Limitations: share modes are not enforced; a name that
// matches several entries differing only in case opens the first of them in byte order.
// Dependencies: the POSIX file and directory calls.
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

// Finds the entry of folder whose name equals name ignoring case; an exact match wins, and of
// several that differ only in case the first in byte order, so the choice never depends on the
// order in which the directory lists them.
std::string MatchEntry(const std::string& folder, const std::string& name) {
  std::string exact = folder.empty() ? name : folder + "/" + name;
  struct stat info;
  if (lstat(exact.c_str(), &info) == 0) return name;
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return name;
  std::string found;
  while (dirent* entry = readdir(dir)) {
    if (strcasecmp(entry->d_name, name.c_str()) == 0 && (found.empty() || found > entry->d_name))
      found = entry->d_name;
  }
  closedir(dir);
  return found.empty() ? name : found;
}

// The descriptor behind a handle, or -1 for a handle that cannot be one.
int DescriptorOf(PlatformFile file) {
  if (file < 0 || file > INT_MAX) return -1;
  return static_cast<int>(file);
}

// The open flags of a CreateFileA disposition; -1 for a value Windows would refuse.
int DispositionFlags(uint32_t disposition) {
  switch (disposition) {
    case 1:
      return O_CREAT | O_EXCL;  // CREATE_NEW
    case 2:
      return O_CREAT | O_TRUNC;  // CREATE_ALWAYS
    case 3:
      return 0;  // OPEN_EXISTING
    case FileOpenAlways:
      return O_CREAT;
    case 5:
      return O_TRUNC;  // TRUNCATE_EXISTING
  }
  return -1;
}

// The POSIX path of a path as the program writes it.
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

}  // namespace

PlatformFile PlatformCreateFile(const char* path, uint32_t access, uint32_t, uint32_t disposition,
                                uint32_t) {
  if (!path || !*path) return PlatformInvalidFile;
  int creation = DispositionFlags(disposition);
  if (creation < 0) return PlatformInvalidFile;
  bool read = access & (FileGenericRead | FileReadData);
  bool write = access & (FileGenericWrite | FileWriteData);
  if (disposition == 5 && !write) return PlatformInvalidFile;  // truncating needs write access
  int flags = read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
  std::string resolved = ResolvePosixPath(path);
  struct stat info;
  if (stat(resolved.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return PlatformInvalidFile;
  int fd = open(resolved.c_str(), flags | creation | O_CLOEXEC, 0644);
  if (fd < 0) return PlatformInvalidFile;
  return fd;
}

// Reads until count bytes are in or the file ends; at the end of the file that is 0 bytes and
// success, as ReadFile reports it.
bool PlatformReadFile(PlatformFile file, void* buffer, uint32_t count, uint32_t* transferred) {
  int fd = DescriptorOf(file);
  uint32_t done = 0;
  bool ok = fd >= 0;
  while (ok && done < count) {
    size_t chunk = count - done;
    if (chunk > (1u << 30)) chunk = 1u << 30;
    ssize_t got = read(fd, static_cast<char*>(buffer) + done, chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) ok = false;
    if (got <= 0) break;
    done += static_cast<uint32_t>(got);
  }
  if (transferred) *transferred = done;
  return ok;
}

bool PlatformWriteFile(PlatformFile file, const void* buffer, uint32_t count,
                       uint32_t* transferred) {
  int fd = DescriptorOf(file);
  uint32_t done = 0;
  bool ok = fd >= 0;
  while (ok && done < count) {
    size_t chunk = count - done;
    if (chunk > (1u << 30)) chunk = 1u << 30;
    ssize_t put = write(fd, static_cast<const char*>(buffer) + done, chunk);
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
  int fd = DescriptorOf(file);
  return fd >= 0 && close(fd) == 0;
}
