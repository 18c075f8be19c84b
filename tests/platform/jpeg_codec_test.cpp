#include "platform/jpeg_codec.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace mv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Smooth gradients with a hard-edged square: what JPEG keeps well and what it blurs.
TRgbPicture TestPicture(int width, int height) {
    TRgbPicture picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool square = x >= width / 4 && x < width / 2 && y >= height / 4 && y < height / 2;
            picture.Pixels.push_back(static_cast<std::uint8_t>(square ? 240 : x * 255 / width));
            picture.Pixels.push_back(static_cast<std::uint8_t>(square ? 30 : y * 255 / height));
            picture.Pixels.push_back(static_cast<std::uint8_t>(square ? 30 : 128));
        }
    return picture;
}

TEST(JpegCodec, RoundTripKeepsSizeAndColoursWithinJpegLoss) {
    const TRgbPicture original = TestPicture(400, 250);
    const Bytes encoded = EncodeJpeg(original, 95);
    ASSERT_GT(encoded.size(), 100U);
    EXPECT_EQ(EncodeJpeg(original, 95), encoded) << "the same picture must give the same bytes";

    const std::optional<TRgbPicture> decoded = DecodeJpeg(encoded);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->Width, 400);
    EXPECT_EQ(decoded->Height, 250);
    ASSERT_EQ(decoded->Pixels.size(), original.Pixels.size());
    long total = 0;
    for (std::size_t i = 0; i < original.Pixels.size(); ++i)
        total += std::abs(original.Pixels[i] - decoded->Pixels[i]);
    EXPECT_LT(static_cast<double>(total) / static_cast<double>(original.Pixels.size()), 2.0);
    // Away from the square's edges, which JPEG blurs, every colour comes back within a few steps.
    for (const auto& [x, y] : {std::pair{150, 90}, std::pair{20, 200}, std::pair{390, 10}})
        for (std::size_t channel = 0; channel < 3; ++channel) {
            const std::size_t at = (static_cast<std::size_t>(y) * 400 + x) * 3 + channel;
            EXPECT_NEAR(decoded->Pixels[at], original.Pixels[at], 6) << x << "," << y;
        }
}

TEST(JpegCodec, ShippedPicturesDecodeAtTheSizesTheVersionDialogShows) {
    const std::string folder = std::string(MV_SOURCE_DIR) + "/resources/version/";
    for (const auto& [name, width, height] : {std::tuple{"version.jpg", 400, 250},
                                              std::tuple{"logo-filers.jpg", 88, 31},
                                              std::tuple{"logo-download.jpg", 88, 31}}) {
        const std::optional<TRgbPicture> picture = DecodeJpeg(test::TTempFolder::Read(folder + name));
        ASSERT_TRUE(picture.has_value()) << name;
        EXPECT_EQ(picture->Width, width) << name;
        EXPECT_EQ(picture->Height, height) << name;
    }
}

TEST(JpegCodec, RefusesWhatIsNotAWholeJpegOfASaneSize) {
    const Bytes good = EncodeJpeg(TestPicture(64, 48), 80);
    Bytes truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
    Bytes huge = good;
    // The frame header (SOF0, FF C0) holds the height and width after its length and precision.
    const auto frame = std::ranges::search(huge, Bytes{0xFF, 0xC0});
    ASSERT_FALSE(frame.empty());
    std::fill_n(frame.begin() + 5, 4, std::uint8_t{0xFF});
    Bytes noise(5000);
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<std::uint8_t>(i * 7919 >> 3);
    Bytes headerOnly(good.begin(), good.begin() + 2);

    for (const auto& [what, bytes] : {std::pair{"empty", Bytes{}}, std::pair{"noise", noise},
                                      std::pair{"start of image only", headerOnly},
                                      std::pair{"truncated", truncated},
                                      std::pair{"65535 x 65535", huge}})
        EXPECT_FALSE(DecodeJpeg(bytes).has_value()) << what;

    TRgbPicture lying = TestPicture(8, 8);
    lying.Width = 9;
    EXPECT_TRUE(EncodeJpeg(lying, 80).empty());
}

} // namespace
} // namespace mv
