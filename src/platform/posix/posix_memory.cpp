// POSIX memory advice for the sdl and headless backends.
//
// Transparent huge pages, where the kernel offers them on request (Linux): a block touched in
// full right after allocation then costs one fault per 2 MiB instead of one per 4 KiB. Only the
// whole pages inside the block are advised; malloc's own header page keeps its ordinary pages.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "platform/platform.h"

void PlatformAdviseLargePages(void* block, size_t bytes) {
#ifdef MADV_HUGEPAGE
  long pageSize = sysconf(_SC_PAGESIZE);
  if (!block || pageSize <= 0) return;
  uintptr_t page = static_cast<uintptr_t>(pageSize);
  uintptr_t start = (reinterpret_cast<uintptr_t>(block) + page - 1) & ~(page - 1);
  uintptr_t end = (reinterpret_cast<uintptr_t>(block) + bytes) & ~(page - 1);
  if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
  (void)block;
  (void)bytes;
#endif
}
