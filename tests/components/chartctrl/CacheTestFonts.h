#pragma once

#include <QFont>

#include <vector>

// Fonts a cache kept by font must tell apart: sizes, a weight, and a size in points.
struct CacheTestFonts {
    QFont small, large, bold, points;

    CacheTestFonts()
    {
        small.setPixelSize(9);
        large = small;
        large.setPixelSize(21);
        bold = small;
        bold.setBold(true);
        points.setPointSizeF(8.5);
    }

    // Each in turn, one asked about again after another came between.
    std::vector<const QFont*> InTurn() const { return {&small, &large, &small, &bold, &points}; }
};
