#pragma once

// The paper of the user's regional settings (LC_PAPER), in millimetres.
struct PaperSize {
    int widthMm = 210, heightMm = 297;
};
PaperSize LocalePaper();
