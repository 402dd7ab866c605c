#include <gtest/gtest.h>

#include <QColor>
#include <set>

#include "resources/glyphs.h"

namespace {

const QColor kGrey(192, 192, 192);

// Rows holding the bright green of the arrow, with how wide the green is on each.
std::vector<std::pair<int, int>> GreenRows(const QImage& image) {
    std::vector<std::pair<int, int>> rows;
    for (int y = 0; y < image.height(); ++y) {
        int width = 0;
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(0, 255, 0))
                ++width;
        if (width > 0)
            rows.emplace_back(y, width);
    }
    return rows;
}

} // namespace

TEST(HeaderGlyphs, SixteenPixelsSquareOnLightGreyInPaletteColours) {
    const std::set<QRgb> palette = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    for (const HeaderGlyph g :
         {HeaderGlyph::ArrowUp, HeaderGlyph::ArrowDown, HeaderGlyph::NoArrow}) {
        const QImage image = DrawHeaderGlyph(g);
        ASSERT_EQ(image.size(), QSize(16, 16));
        EXPECT_EQ(image.pixelColor(0, 0), kGrey);
        EXPECT_EQ(image.pixelColor(15, 15), kGrey);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                EXPECT_TRUE(palette.count(image.pixel(x, y) | 0xff000000u)) << x << "," << y;
    }
    const QImage none = DrawHeaderGlyph(HeaderGlyph::NoArrow);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(none.pixelColor(x, y), kGrey);
}

TEST(HeaderGlyphs, ArrowsPointUpAndDown) {
    const auto up = GreenRows(DrawHeaderGlyph(HeaderGlyph::ArrowUp));
    const auto down = GreenRows(DrawHeaderGlyph(HeaderGlyph::ArrowDown));
    ASSERT_GE(up.size(), 5u);
    EXPECT_LT(up.front().second, up.back().second); // narrow at the top
    EXPECT_GT(down.front().second, down.back().second);
    ASSERT_EQ(up.size(), down.size());
    for (std::size_t i = 0; i < up.size(); ++i) // mirror images
        EXPECT_EQ(up[i].second, down[down.size() - 1 - i].second);
    // The base line is grey, on the wide side.
    const QImage image = DrawHeaderGlyph(HeaderGlyph::ArrowUp);
    EXPECT_EQ(image.pixelColor(8, up.back().first + 1), QColor(128, 128, 128));

    HeaderGlyphs glyphs;
    EXPECT_FALSE(glyphs.Icon(HeaderGlyph::ArrowUp).isNull());
    EXPECT_EQ(glyphs.Icon(HeaderGlyph::ArrowDown).availableSizes().value(0), QSize(16, 16));
}
