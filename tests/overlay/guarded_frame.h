// A frame for overlay tests: the FrameBuffer of a chosen size between two guard zones of 64
// rows each, so a write outside the frame lands in bytes the test checks. It stands in for
// FrameBuffer, RenderWidth and RenderHeight while it lives.
#pragma once

#include <cstdint>
#include <cstring>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "frame/frame.h"

using Pixel = std::pair<int, int>;  // (x, y), y counted up from the bottom row
using PixelSet = std::set<Pixel>;

class GuardedFrame {
 public:
  static constexpr uint8_t GuardByte = 0xA5;

  explicit GuardedFrame(int width = 320, int height = 240)
      : width_(width),
        height_(height),
        guard_(static_cast<size_t>(width) * 64 * 4),
        storage_(2 * guard_ + static_cast<size_t>(width) * height * 4, GuardByte),
        saved_{FrameBuffer, RenderWidth, RenderHeight} {
    FrameBuffer = storage_.data() + guard_;
    RenderWidth = width;
    RenderHeight = height;
    Clear();
  }
  ~GuardedFrame() { std::tie(FrameBuffer, RenderWidth, RenderHeight) = saved_; }

  void Clear() { std::memset(FrameBuffer, 0, static_cast<size_t>(width_) * height_ * 4); }
  const uint8_t* At(int x, int y) const {
    return FrameBuffer + 4 * (static_cast<size_t>(y) * width_ + x);
  }
  // Every pixel drawn: drawing writes alpha 255 into a frame cleared to zero.
  PixelSet Lit() const {
    PixelSet lit;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (At(x, y)[3] != 0) lit.insert({x, y});
    return lit;
  }
  bool GuardsIntact() const {
    for (size_t i = 0; i < guard_; ++i)
      if (storage_[i] != GuardByte || storage_[storage_.size() - 1 - i] != GuardByte) return false;
    return true;
  }

 private:
  int width_, height_;
  size_t guard_;
  std::vector<uint8_t> storage_;
  std::tuple<uint8_t*, int32_t, int32_t> saved_;
};

// The pixels of `set` moved by (dx, dy), keeping those that fall on a width x height frame.
inline PixelSet MovedOntoFrame(const PixelSet& set, int64_t dx, int64_t dy, int width, int height) {
  PixelSet moved;
  for (const auto& [x, y] : set)
    if (x + dx >= 0 && x + dx < width && y + dy >= 0 && y + dy < height)
      moved.insert({static_cast<int>(x + dx), static_cast<int>(y + dy)});
  return moved;
}
