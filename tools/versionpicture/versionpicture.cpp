// Draws the pictures of the version dialog: the 400 x 250 title picture and the two 88 x 31
// link logos, as JPEG files. Every pixel is computed here from the editor's character bitmap
// (resources/ankfonts.pbm) and fixed colours, and libjpeg encodes them at a fixed quality, so
// the same bitmap and libjpeg give the same files.
//
// Usage: versionpicture <ankfonts.pbm> <output folder>
#include "platform/jpeg_codec.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct TColour {
    int R, G, B;
};

constexpr TColour White{255, 255, 255};
constexpr TColour Orange{245, 121, 0};
constexpr TColour Navy{12, 26, 52};
constexpr TColour DeepBlue{34, 70, 124};
constexpr TColour Blue{52, 101, 164};

// The character bitmap: 1-bit glyphs of 8 x 16, the glyph of code c at column c mod 64 and
// row c div 64 of a 512 x 64 sheet.
class TGlyphs {
public:
    static constexpr int Width = 8;
    static constexpr int Height = 16;

    static std::optional<TGlyphs> Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::string magic;
        int width = 0;
        int height = 0;
        in >> magic >> width >> height;
        in.get(); // the one blank after the header
        if (!in || magic != "P4" || width != 512 || height != 64) return std::nullopt;
        TGlyphs glyphs;
        glyphs.bits_.assign(std::istreambuf_iterator<char>(in), {});
        if (glyphs.bits_.size() != 512 / 8 * 64) return std::nullopt;
        return glyphs;
    }

    [[nodiscard]] bool Ink(unsigned char code, int x, int y) const {
        const int column = (code % 64) * Width + x;
        const int row = (code / 64) * Height + y;
        const auto byte = static_cast<unsigned char>(bits_[static_cast<std::size_t>(row * 64 + column / 8)]);
        return ((byte >> (7 - column % 8)) & 1) != 0;
    }

private:
    std::string bits_;
};

class TCanvas {
public:
    TCanvas(int width, int height) {
        picture_.Width = width;
        picture_.Height = height;
        picture_.Pixels.assign(static_cast<std::size_t>(width) * height * 3, 0);
    }

    // `amount` of `colour` over what is there, 0 to 256.
    void Blend(int x, int y, TColour colour, int amount) {
        if (x < 0 || y < 0 || x >= picture_.Width || y >= picture_.Height) return;
        std::uint8_t* pixel = &picture_.Pixels[(static_cast<std::size_t>(y) * picture_.Width + x) * 3];
        const int channel[3] = {colour.R, colour.G, colour.B};
        for (int i = 0; i < 3; ++i)
            pixel[i] = static_cast<std::uint8_t>((pixel[i] * (256 - amount) + channel[i] * amount) / 256);
    }

    void VerticalGradient(TColour top, TColour bottom) {
        const int h = picture_.Height;
        for (int y = 0; y < h; ++y) {
            const auto mix = [&](int a, int b) { return a + (b - a) * y / std::max(1, h - 1); };
            const TColour colour{mix(top.R, bottom.R), mix(top.G, bottom.G), mix(top.B, bottom.B)};
            for (int x = 0; x < picture_.Width; ++x) Blend(x, y, colour, 256);
        }
    }

    void Rectangle(int left, int top, int width, int height, TColour colour, int amount = 256) {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x) Blend(x, y, colour, amount);
    }

    // Text in the character bitmap, each dot `scale` pixels square.
    void Text(const TGlyphs& glyphs, int left, int top, std::string_view text, int scale,
              TColour colour, int amount = 256) {
        for (std::size_t i = 0; i < text.size(); ++i)
            for (int y = 0; y < TGlyphs::Height; ++y)
                for (int x = 0; x < TGlyphs::Width; ++x)
                    if (glyphs.Ink(static_cast<unsigned char>(text[i]), x, y))
                        Rectangle(left + (static_cast<int>(i) * TGlyphs::Width + x) * scale,
                                  top + y * scale, scale, scale, colour, amount);
    }

    // Text centred across the canvas, with a shadow one dot down and to the right.
    void Title(const TGlyphs& glyphs, int top, std::string_view text, int scale, TColour colour) {
        const int width = static_cast<int>(text.size()) * TGlyphs::Width * scale;
        const int left = (picture_.Width - width) / 2;
        Text(glyphs, left + scale / 2 + 1, top + scale / 2 + 1, text, scale, {0, 0, 0}, 128);
        Text(glyphs, left, top, text, scale, colour);
    }

    // The program's mark: a row of byte cells, the one in the middle lit.
    void ByteCells(int top, int count, int cell, int gap) {
        const int width = count * cell + (count - 1) * gap;
        const int left = (picture_.Width - width) / 2;
        for (int i = 0; i < count; ++i)
            Rectangle(left + i * (cell + gap), top, cell, cell, i == count / 2 ? Orange : White,
                      i == count / 2 ? 256 : 200);
    }

    [[nodiscard]] const mv::TRgbPicture& Picture() const { return picture_; }

private:
    mv::TRgbPicture picture_;
};

std::string Hex(unsigned value, int digits) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = Digits[value & 15];
    return text;
}

// A faint dump of the product's own words behind the title, as the editor shows bytes.
void DumpBackground(TCanvas& canvas, const TGlyphs& glyphs) {
    constexpr std::string_view Words =
        "Morvane Prime - a binary editor that shows every byte, compares, searches, "
        "replaces and reads file formats through filers. ";
    const int lines = canvas.Picture().Height / TGlyphs::Height + 1;
    for (int line = 0; line < lines; ++line) {
        std::string text = Hex(static_cast<unsigned>(line * 16), 8) + " ";
        for (int i = 0; i < 16; ++i)
            text += " " + Hex(static_cast<unsigned char>(Words[static_cast<std::size_t>(line * 16 + i) % Words.size()]), 2);
        canvas.Text(glyphs, 4, line * TGlyphs::Height, text, 1, White, 20);
    }
}

mv::TRgbPicture TitlePicture(const TGlyphs& glyphs) {
    TCanvas canvas(400, 250);
    canvas.VerticalGradient(Navy, DeepBlue);
    DumpBackground(canvas, glyphs);
    canvas.Rectangle(0, 52, 400, 108, {0, 0, 0}, 70);
    canvas.Rectangle(0, 52, 400, 2, Orange);
    canvas.Rectangle(0, 158, 400, 2, Orange);
    canvas.Title(glyphs, 60, "Morvane Prime", 3, White);
    canvas.Title(glyphs, 118, "BINARY EDITOR", 2, Orange);
    canvas.ByteCells(180, 9, 10, 4);
    return canvas.Picture();
}

mv::TRgbPicture Logo(const TGlyphs& glyphs, std::string_view text, TColour face) {
    TCanvas canvas(88, 31);
    canvas.VerticalGradient(face, {face.R / 2, face.G / 2, face.B / 2});
    canvas.Rectangle(0, 0, 88, 1, White, 160);
    canvas.Title(glyphs, 8, text, 1, White);
    return canvas.Picture();
}

bool Write(const std::string& path, const mv::TRgbPicture& picture) {
    constexpr int Quality = 90;
    const std::vector<std::uint8_t> bytes = mv::EncodeJpeg(picture, Quality);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!bytes.empty() && out) return true;
    std::fprintf(stderr, "versionpicture: cannot write %s\n", path.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ANKFONTS.PBM OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::optional<TGlyphs> glyphs = TGlyphs::Read(argv[1]);
    if (!glyphs) {
        std::fprintf(stderr, "versionpicture: %s is not the 512 x 64 character bitmap\n", argv[1]);
        return 1;
    }
    const std::string folder = argv[2];
    bool written = Write(folder + "/version.jpg", TitlePicture(*glyphs));
    written &= Write(folder + "/logo-filers.jpg", Logo(*glyphs, "FILERS", Blue));
    written &= Write(folder + "/logo-download.jpg", Logo(*glyphs, "DOWNLOAD", Orange));
    return written ? 0 : 1;
}
