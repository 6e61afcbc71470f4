#pragma once

#include <QList>
#include <QString>

// The page list of a print job from its text: numbers and ranges separated by commas
// ("1,3,5-12"), spaces ignored, a trailing "-" running to the page count. Numbers keep the
// order written and may repeat; a range whose end is below its start adds nothing. An empty
// text gives an empty list, which means every page. A piece that is not a number throws
// platform::EConvertError "'<piece>' is not a valid integer value".
QList<int> rpParsePageNumbers(const QString& text, int pageCount);
