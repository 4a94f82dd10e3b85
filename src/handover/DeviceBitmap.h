#pragma once
// The device pictures that the GSD file names (Bitmap_Device, Bitmap_SF): Windows bitmaps of
// 70 x 40 pixels with 16 colours, drawn here so every pack carries the same bytes.

#include <string>

namespace kt {

inline constexpr int DeviceBitmapWidth = 70;
inline constexpr int DeviceBitmapHeight = 40;

// "DPV0_1N.bmp" for the normal picture, "DPV0_1S.bmp" for the diagnostic one.
[[nodiscard]] const char* DeviceBitmapFile(bool diagnostic);

// The whole file: BITMAPFILEHEADER, BITMAPINFOHEADER, a 16-entry palette and the pixel rows
// (bottom row first, 4 bits a pixel, each row padded to 4 bytes). The diagnostic picture
// shows the error LED lit and a red frame.
[[nodiscard]] std::string DeviceBitmap(bool diagnostic);

} // namespace kt
