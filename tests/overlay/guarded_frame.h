// A frame for overlay tests: the FrameBuffer of a chosen size between two guard zones, so a
// write outside the frame lands in bytes the test can check instead of in someone else's memory.
#pragma once

#include <cstdint>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "frame/frame.h"

using Pixel = std::pair<int, int>;  // (x, y), y counted up from the bottom row
using PixelSet = std::set<Pixel>;

// Installs itself as FrameBuffer, RenderWidth and RenderHeight while it lives and puts the
// previous ones back afterwards. The guard zones hold 64 rows' worth of a known byte on each side.
class GuardedFrame {
 public:
  static constexpr uint8_t GuardByte = 0xA5;

  explicit GuardedFrame(int width = 320, int height = 240)
      : width_(width),
        height_(height),
        guard_(static_cast<size_t>(width) * 64 * 4),
        storage_(2 * guard_ + static_cast<size_t>(width) * height * 4, GuardByte),
        savedFrame_(FrameBuffer),
        savedWidth_(RenderWidth),
        savedHeight_(RenderHeight) {
    FrameBuffer = storage_.data() + guard_;
    RenderWidth = width;
    RenderHeight = height;
    Clear();
  }
  ~GuardedFrame() {
    FrameBuffer = savedFrame_;
    RenderWidth = savedWidth_;
    RenderHeight = savedHeight_;
  }
  GuardedFrame(const GuardedFrame&) = delete;
  GuardedFrame& operator=(const GuardedFrame&) = delete;

  void Clear() { std::memset(FrameBuffer, 0, static_cast<size_t>(width_) * height_ * 4); }

  const uint8_t* At(int x, int y) const {
    return FrameBuffer + 4 * (static_cast<size_t>(y) * width_ + x);
  }

  // Every pixel that has been drawn: drawing writes alpha 255 into a frame cleared to zero.
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
  uint8_t* savedFrame_;
  int32_t savedWidth_, savedHeight_;
};

// The pixels of `set` moved by (dx, dy), keeping those that fall on a width x height frame.
inline PixelSet MovedOntoFrame(const PixelSet& set, int64_t dx, int64_t dy, int width, int height) {
  PixelSet moved;
  for (const auto& [x, y] : set) {
    int64_t mx = x + dx, my = y + dy;
    if (mx >= 0 && mx < width && my >= 0 && my < height)
      moved.insert({static_cast<int>(mx), static_cast<int>(my)});
  }
  return moved;
}
