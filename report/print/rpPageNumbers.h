#pragma once

#include <QList>
#include <QString>

// The page list of a print job from its text: numbers and ranges separated by commas
// ("1,3,5-12"), spaces ignored, a trailing "-" running to the page count (nothing when it
// starts past the last page). Numbers keep the order written and may repeat. An empty text
// gives an empty list, which means every page. A piece that is not a number throws
// platform::EConvertError "'<piece>' is not a valid integer value"; a range written from
// the higher page down ("9-3") throws "'9-3' is a backward page range; write it as 3-9".
// Whether the list selects any page of the report is the print command's question.
QList<int> rpParsePageNumbers(const QString& text, int pageCount);
