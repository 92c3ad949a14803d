// Shared by the fuzz targets: a private working folder and a check that stops the run.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzz {

// A fresh folder the code under test runs in (Enter .. Leave), so the relative paths libFuzzer was
// given keep their meaning; removed at exit, kept after a crash with the input that caused it.
class ScratchFolder {
 public:
  explicit ScratchFolder(const char* name) {
    const char* base = std::getenv("TMPDIR");
    path_ = std::string(base && *base ? base : "/tmp") + "/vaultrun-" + name + "-XXXXXX";
    home_ = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (!mkdtemp(path_.data()) || home_ < 0) {
      std::perror("vaultrun fuzz: scratch folder");
      std::abort();
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    close(home_);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  void Enter() const {
    if (chdir(path_.c_str()) != 0) std::abort();
  }
  void Leave() const {
    if (fchdir(home_) != 0) std::abort();
  }

 private:
  std::string path_;
  int home_;
};

inline void WriteInput(const char* path, const uint8_t* data, size_t size) {
  FILE* file = std::fopen(path, "wb");
  if (!file || (size > 0 && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0) {
    std::perror("vaultrun fuzz: writing the input file");
    std::abort();
  }
}

// A broken promise of the code under test: reported like a crash, with the input saved.
#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)

}  // namespace fuzz
