#pragma once
#include <QIcon>
#include <QImage>

#include "results/column_sort_state.h"

// The sort-header bitmaps ARROWUP, ARROWDOWN and NOARROW: 16 x 16 pixels of the 16-colour
// palette on light grey, or the same picture drawn in more pixels for finer screens.
QImage DrawHeaderGlyph(HeaderGlyph glyph, int pixels = 16);

// The three glyphs, made once at start-up and kept while the window lives.
class HeaderGlyphs {
  public:
    HeaderGlyphs();
    const QIcon& Icon(HeaderGlyph glyph) const;

  private:
    QIcon up_, down_, none_;
};
