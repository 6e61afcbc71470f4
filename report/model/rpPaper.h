#pragma once

#include <QList>

#include <optional>

// Paper code of a size given by width and height alone.
inline constexpr int rpCustomPaper = 256;
inline constexpr int rpPaperA4 = 9;
inline constexpr int rpPaperA5 = 11;

// Portrait size of a standard paper, in millimetres.
struct TrpPaperDimensions {
    double width;
    double height;
};

// The size of a standard paper code; none for 256 (custom) and for codes the table lacks.
std::optional<TrpPaperDimensions> rpGetPaperDimensions(int code);

// Every code of the paper table, in table order (the virtual printer offers these).
QList<int> rpPaperCodes();
