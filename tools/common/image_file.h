// Writing the FrameBuffer as an image file, and the checksum of a frame.
#pragma once

#include <cstdint>
#include <string>

// Writes the FrameBuffer (RenderWidth x RenderHeight) to path: ".png" through libpng, anything
// else as a 24-bit bottom-up BMP whose stored row 0 is frame row 0, so the picture is upright.
// Returns false, with a message on standard error, when the file cannot be written.
bool WriteFrameImage(const std::string& path);

// FNV-1a 64-bit of the RenderWidth * RenderHeight * 4 bytes of the FrameBuffer.
uint64_t FrameHash();

// Number of pixels whose red, green and blue are not all 0.
int LitPixelCount();
