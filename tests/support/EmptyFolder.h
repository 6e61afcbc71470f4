#pragma once

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A fresh empty temporary folder made the current one for the object's lifetime, so that a
// program part that reads or writes files by bare name sees none left by another run. The
// previous current folder comes back, and the folder is removed, when it goes.
class EmptyCurrentFolder final {
public:
    EmptyCurrentFolder() : fPrevious(QDir::currentPath())
    {
        EXPECT_TRUE(fFolder.isValid());
        EXPECT_TRUE(QDir::setCurrent(fFolder.path()));
    }
    ~EmptyCurrentFolder() { QDir::setCurrent(fPrevious); }
    EmptyCurrentFolder(const EmptyCurrentFolder&) = delete;
    EmptyCurrentFolder& operator=(const EmptyCurrentFolder&) = delete;

    QString path() const { return fFolder.path(); }
    QString filePath(const QString& name) const { return fFolder.filePath(name); }
    QStringList entries() const
    {
        return QDir(fFolder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

private:
    QString fPrevious;
    QTemporaryDir fFolder;
};
