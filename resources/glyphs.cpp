#include "resources/glyphs.h"

#include <QPixmap>

namespace {

constexpr int kSize = 16;
const QColor kBackground(192, 192, 192);
const QColor kShadow(128, 128, 128);
const QColor kLight(255, 255, 255);
const QColor kArrow(0, 255, 0);

// Rows 3 to 12 of the triangle, apex first; the base line lies below it.
void DrawArrow(QImage& image, bool pointingUp) {
    constexpr int apex = 3, height = 10;
    const auto row = [&](int r) { return pointingUp ? apex + r : kSize - 1 - (apex + r); };
    for (int r = 0; r < height; ++r) {
        const int half = r * 5 / 9;
        const int left = 7 - half, right = 8 + half;
        for (int x = left; x <= right; ++x)
            image.setPixelColor(x, row(r), kArrow);
        image.setPixelColor(left, row(r), kLight);
        image.setPixelColor(right, row(r), kShadow);
    }
    for (int x = 7 - (height - 1) * 5 / 9; x <= 8 + (height - 1) * 5 / 9; ++x)
        image.setPixelColor(x, row(height), kShadow);
}

} // namespace

QImage DrawHeaderGlyph(HeaderGlyph glyph) {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(kBackground);
    if (glyph != HeaderGlyph::NoArrow)
        DrawArrow(image, glyph == HeaderGlyph::ArrowUp);
    return image;
}

HeaderGlyphs::HeaderGlyphs()
    : up_(QPixmap::fromImage(DrawHeaderGlyph(HeaderGlyph::ArrowUp))),
      down_(QPixmap::fromImage(DrawHeaderGlyph(HeaderGlyph::ArrowDown))),
      none_(QPixmap::fromImage(DrawHeaderGlyph(HeaderGlyph::NoArrow))) {}

const QIcon& HeaderGlyphs::Icon(HeaderGlyph glyph) const {
    switch (glyph) {
    case HeaderGlyph::ArrowUp:
        return up_;
    case HeaderGlyph::ArrowDown:
        return down_;
    default:
        return none_;
    }
}
