#include "resources/glyphs.h"

#include <QPainter>
#include <QPainterPath>
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

// The same triangle as outlines in the 16-pixel grid, for screens with more pixels per point.
void PaintArrow(QPainter& p, bool pointingUp) {
    if (!pointingUp) {
        p.translate(0, kSize);
        p.scale(1, -1);
    }
    const QPointF apex(8, 3), baseLeft(2, 13), baseRight(14, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(kArrow);
    p.drawPolygon(QPolygonF({apex, baseRight, baseLeft}));
    p.fillRect(QRectF(2, 13, 12, 1), kShadow);
    QPen edge(kLight, 0.75);
    p.setPen(edge);
    p.drawLine(apex + QPointF(-0.4, 0.3), baseLeft + QPointF(0.4, -0.2));
    edge.setColor(kShadow);
    p.setPen(edge);
    p.drawLine(apex + QPointF(0.4, 0.3), baseRight + QPointF(-0.4, -0.2));
}

} // namespace

QImage DrawHeaderGlyph(HeaderGlyph glyph, int pixels) {
    QImage image(pixels, pixels, QImage::Format_RGB32);
    image.fill(kBackground);
    if (glyph == HeaderGlyph::NoArrow)
        return image;
    if (pixels == kSize) {
        DrawArrow(image, glyph == HeaderGlyph::ArrowUp);
        return image;
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(pixels / double(kSize), pixels / double(kSize));
    PaintArrow(p, glyph == HeaderGlyph::ArrowUp);
    return image;
}

namespace {
// One picture per common screen scale, so none is ever stretched.
QIcon GlyphIcon(HeaderGlyph glyph) {
    QIcon icon;
    for (const int pixels : {16, 20, 24, 32, 40, 48, 64})
        icon.addPixmap(QPixmap::fromImage(DrawHeaderGlyph(glyph, pixels)));
    return icon;
}
} // namespace

HeaderGlyphs::HeaderGlyphs()
    : up_(GlyphIcon(HeaderGlyph::ArrowUp)), down_(GlyphIcon(HeaderGlyph::ArrowDown)),
      none_(GlyphIcon(HeaderGlyph::NoArrow)) {}

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
