#pragma once

#include <cstdint>
#include <vector>

#include "Canvas.h"

// File encodings of the skin: PNG with alpha for the res folder, 24-bit BMP for the
// bitmap resources and the icon file.

std::vector<uint8_t> EncodePng(const Canvas& canvas);

// Straight-alpha RGBA rows, top to bottom.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgba);

// A bottom-up 24-bit BMP of an opaque canvas.
std::vector<uint8_t> EncodeBmp(const Canvas& canvas);

// An icon file of square pictures: small ones as 32-bit DIBs with an AND mask,
// 256-pixel ones as PNG.
std::vector<uint8_t> EncodeIco(const std::vector<const Canvas*>& pictures);
