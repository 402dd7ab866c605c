#include "platform/paper.h"

#include <cstdint>
#include <langinfo.h>

namespace {

// glibc hands the paper's measures over as numbers in the place of a string pointer.
int PaperMeasure(nl_item item) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo(item)));
}

} // namespace

PaperSize LocalePaper() {
    const int width = PaperMeasure(_NL_PAPER_WIDTH), height = PaperMeasure(_NL_PAPER_HEIGHT);
    if (width <= 0 || height <= 0 || width > 2000 || height > 2000)
        return {};
    return {width, height};
}
