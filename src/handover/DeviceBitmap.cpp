#include "handover/DeviceBitmap.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace kt {

namespace {

// The standard 16-colour palette, as (red, green, blue).
constexpr std::uint8_t kPalette[16][3] = {
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}};

enum Colour : std::uint8_t {
    Black = 0,
    Green = 2,
    Navy = 4,
    Purple = 5,
    Teal = 6,
    Silver = 7,
    Grey = 8,
    Red = 9,
    Lime = 10,
    White = 15,
};

constexpr int W = DeviceBitmapWidth;
constexpr int H = DeviceBitmapHeight;

// Pixels top row first; rows are flipped when written.
class Canvas {
public:
    Canvas() { pixels_.fill(White); }
    void fill(int x0, int y0, int x1, int y1, std::uint8_t c) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                set(x, y, c);
    }
    void frame(int x0, int y0, int x1, int y1, std::uint8_t c) {
        fill(x0, y0, x1, y0, c);
        fill(x0, y1, x1, y1, c);
        fill(x0, y0, x0, y1, c);
        fill(x1, y0, x1, y1, c);
    }
    // Capital letters of a 3 x 5 font, one pixel apart.
    void text(int x, int y, std::string_view s, std::uint8_t c) {
        for (char ch : s) {
            const std::uint16_t glyph = Glyph(ch);
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < 3; ++col)
                    if (glyph >> (14 - 3 * row - col) & 1) set(x + col, y + row, c);
            x += 4;
        }
    }
    [[nodiscard]] std::uint8_t at(int x, int y) const { return pixels_[y * W + x]; }

private:
    void set(int x, int y, std::uint8_t c) {
        if (x >= 0 && x < W && y >= 0 && y < H) pixels_[y * W + x] = c;
    }
    static std::uint16_t Glyph(char ch) {
        switch (ch) {
        case 'A':
            return 0b010'101'111'101'101;
        case 'C':
            return 0b011'100'100'100'011;
        case 'D':
            return 0b110'101'101'101'110;
        case 'F':
            return 0b111'100'110'100'100;
        case 'N':
            return 0b101'111'111'111'101;
        case 'P':
            return 0b110'101'110'100'100;
        case 'S':
            return 0b011'100'010'001'110;
        default:
            return 0;
        }
    }
    std::array<std::uint8_t, W * H> pixels_{};
};

void Draw(Canvas& c, bool diagnostic) {
    // Housing with a dark front panel.
    c.fill(2, 2, 67, 37, Silver);
    c.frame(2, 2, 67, 37, diagnostic ? Red : Black);
    if (diagnostic) c.frame(3, 3, 66, 36, Red);
    c.fill(5, 5, 64, 10, Navy);
    c.text(7, 6, "DP", White);
    c.text(52, 6, "CAN", White);
    // PROFIBUS D-sub on the left, CAN terminal block on the right.
    c.fill(7, 14, 24, 25, Grey);
    c.frame(7, 14, 24, 25, Black);
    for (int x = 10; x <= 22; x += 3)
        c.fill(x, 17, x, 17, Purple);
    for (int x = 11; x <= 20; x += 3)
        c.fill(x, 21, x, 21, Purple);
    c.fill(45, 14, 62, 25, Green);
    c.frame(45, 14, 62, 25, Black);
    for (int x = 47; x <= 59; x += 4)
        c.fill(x, 18, x + 2, 21, Teal);
    // LEDs: RUN always on, SF on in the diagnostic picture.
    c.fill(28, 30, 31, 33, Lime);
    c.frame(28, 30, 31, 33, Black);
    c.fill(38, 30, 41, 33, diagnostic ? Red : Grey);
    c.frame(38, 30, 41, 33, Black);
    if (diagnostic) c.text(44, 29, "SF", Red);
}

void Put16(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8 & 0xFF));
}

void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

const char* DeviceBitmapFile(bool diagnostic) {
    return diagnostic ? "DPV0_1S.bmp" : "DPV0_1N.bmp";
}

std::string DeviceBitmap(bool diagnostic) {
    Canvas canvas;
    Draw(canvas, diagnostic);

    constexpr std::uint32_t rowBytes = (W * 4 + 31) / 32 * 4;
    constexpr std::uint32_t pixelBytes = rowBytes * H;
    constexpr std::uint32_t dataOffset = 14 + 40 + 16 * 4;
    constexpr std::uint32_t pixelsPerMetre = 2835; // 72 dots per inch

    std::string out;
    out.reserve(dataOffset + pixelBytes);
    out += "BM";
    Put32(out, dataOffset + pixelBytes);
    Put32(out, 0);
    Put32(out, dataOffset);
    Put32(out, 40);
    Put32(out, W);
    Put32(out, H); // positive: bottom row first
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0); // BI_RGB, no compression
    Put32(out, pixelBytes);
    Put32(out, pixelsPerMetre);
    Put32(out, pixelsPerMetre);
    Put32(out, 16);
    Put32(out, 0);
    for (const auto& rgb : kPalette) {
        out.push_back(static_cast<char>(rgb[2]));
        out.push_back(static_cast<char>(rgb[1]));
        out.push_back(static_cast<char>(rgb[0]));
        out.push_back(0);
    }
    for (int y = H - 1; y >= 0; --y) {
        std::string row(rowBytes, '\0');
        for (int x = 0; x < W; ++x) {
            const std::uint8_t c = canvas.at(x, y);
            row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 == 0 ? c << 4 : c));
        }
        out += row;
    }
    return out;
}

} // namespace kt
