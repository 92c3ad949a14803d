// The globals a test changes, put back as they were when it ends (the last saved first), so
// that tests pass alone and in any order.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <vector>

class SavedGlobals {
 public:
  SavedGlobals() = default;
  SavedGlobals(const SavedGlobals&) = delete;
  ~SavedGlobals() { Restore(); }

  template <typename... T>
  void Save(T&... globals) {
    (SaveOne(globals), ...);
  }

  void Restore() {
    for (; !restores_.empty(); restores_.pop_back()) restores_.back()();
  }

 private:
  template <typename T>
  void SaveOne(T& global) {
    restores_.push_back([&global, value = global] { global = value; });
  }
  template <typename T, size_t N>
  void SaveOne(T (&global)[N]) {
    std::array<T, N> value;
    std::copy(global, global + N, value.begin());
    restores_.push_back([&global, value] { std::copy(value.begin(), value.end(), global); });
  }

  std::vector<std::function<void()>> restores_;
};
