#pragma once

#include <QDir>
#include <QTemporaryDir>

// A benchmark of the program runs in an empty current folder, so that no settings file is
// read; the previous current folder comes back when it goes.
class EmptyFolder {
public:
    EmptyFolder() : fPrevious(QDir::currentPath()) { QDir::setCurrent(fFolder.path()); }
    ~EmptyFolder() { QDir::setCurrent(fPrevious); }
    EmptyFolder(const EmptyFolder&) = delete;
    EmptyFolder& operator=(const EmptyFolder&) = delete;

private:
    QTemporaryDir fFolder;
    QString fPrevious;
};
