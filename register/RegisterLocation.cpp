#include "RegisterLocation.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

QString RegisterLocation::describe() const
{
    if (kind == Kind::SQLite)
        return QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
    return u"%1@%2:%3/%4"_s.arg(user, host, QString::number(port), database);
}
