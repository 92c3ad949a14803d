// Win32 files: CreateFileA, ReadFile, WriteFile, CloseHandle, called as the program asks.
//
// Platform: Windows. Shared by the win32 backend and by the headless backend of Windows test
// builds. Dependencies: KERNEL32.
#include <windows.h>

#include "platform/platform.h"

PlatformFile PlatformCreateFile(const char* path, uint32_t access, uint32_t share,
                                uint32_t disposition, uint32_t attributes) {
  HANDLE file = CreateFileA(path, access, share, nullptr, disposition, attributes, nullptr);
  return reinterpret_cast<PlatformFile>(file);
}

bool PlatformReadFile(PlatformFile file, void* buffer, uint32_t count, uint32_t* transferred) {
  DWORD done = 0;
  bool ok = ReadFile(reinterpret_cast<HANDLE>(file), buffer, count, &done, nullptr) != 0;
  if (transferred) *transferred = done;
  return ok;
}

bool PlatformWriteFile(PlatformFile file, const void* buffer, uint32_t count,
                       uint32_t* transferred) {
  DWORD done = 0;
  bool ok = WriteFile(reinterpret_cast<HANDLE>(file), buffer, count, &done, nullptr) != 0;
  if (transferred) *transferred = done;
  return ok;
}

bool PlatformCloseHandle(PlatformFile file) {
  return CloseHandle(reinterpret_cast<HANDLE>(file)) != 0;
}
