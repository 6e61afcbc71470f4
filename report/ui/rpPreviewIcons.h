#pragma once

#include <QIcon>

// The cells of the preview's 16 × 16 icon set, numbered as the toolbar uses them.
enum TrpPreviewIcon {
    piOpen = 0,
    piSave = 1,
    piPrint = 2,
    piFind = 4,
    piThumbnails = 5,
    piPageSettings = 7,
    piFirst = 8,
    piPrior = 9,
    piNext = 10,
    piLast = 11,
    piOutline = 12,
    piZoomIn = 15,
    piZoomOut = 16,
    piEdit = 21,
    piFullScreen = 22,
    piEmail = 23,
    piPdf = 24,
};

// One icon of the set, drawn in code: dark outlines, white paper, one blue accent.
QIcon rpPreviewIcon(TrpPreviewIcon icon);
