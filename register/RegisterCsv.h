#pragma once

#include "RegisterEntry.h"

#include <QByteArray>
#include <QList>

// The lines as a spreadsheet in the users' locale opens them: UTF-8 with a byte-order mark,
// cells separated by semicolons, dates as dd.MM.yyyy and margins with the program's decimal
// separator, one line per record after a heading line.
QByteArray registerCsv(const QList<RegisterLine>& lines);
