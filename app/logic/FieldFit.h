#pragma once

#include <QString>

#include <functional>

// How a text stands in its field of the certificate blank.
struct FieldFit {
    // The text takes no more than the field's one line; a longer one is cut on the sheet.
    bool fits = true;
    // The characters the field's font has no glyph for, each once.
    QString missing;
};

// The check of one field (1 to 42) with the text it is to print.
using FieldFitCheck = std::function<FieldFit(int field, const QString& text)>;
