#include "FileSystem.h"

#include "Exception.h"
#include "TextEncoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>

namespace platform {

namespace {

void (*stepObserver)(ReplacementStep) = nullptr;

void reached(ReplacementStep step)
{
    if (stepObserver)
        stepObserver(step);
}

int windowsErrorCode(const std::error_code& error)
{
    switch (error.value()) {
    case ENOENT:
        return kErrorFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
        return kErrorPathNotFound;
    case EBUSY:
    case ETXTBSY:
        return kErrorSharingViolation;
    default:
        return kErrorAccessDenied;
    }
}

} // namespace

QString currentDirectoryFile(const QString& name) { return QDir::current().filePath(name); }

int deleteFileWithErrorCode(const QString& path)
{
    const std::filesystem::path target(path.toStdU16String());
    std::error_code error;
    const auto status = std::filesystem::symlink_status(target, error);
    if (error || !std::filesystem::exists(status))
        return windowsErrorCode(
            error ? error : std::make_error_code(std::errc::no_such_file_or_directory));
    // Deleting a file never removes a folder, even an empty one.
    if (std::filesystem::is_directory(status))
        return kErrorAccessDenied;
    if (!std::filesystem::remove(target, error))
        return windowsErrorCode(
            error ? error : std::make_error_code(std::errc::no_such_file_or_directory));
    return 0;
}

namespace {

std::optional<QByteArray> fileContents(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool writeInPlace(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

bool replaceFileContents(const QString& path, const QByteArray& bytes)
{
    // A folder that refuses new files makes the save write into the file itself, where a
    // failure has already cut the file: its old bytes are kept to be put back (they fit in
    // the room the cut freed).
    const bool inPlace = !QFileInfo(QFileInfo(path).absolutePath()).isWritable();
    const std::optional<QByteArray> old = inPlace ? fileContents(path) : std::nullopt;
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    reached(ReplacementStep::Opened);
    // A small write only fills the file's buffer: a full disk or a file-size limit shows in
    // the flush, whose failure the commit would not notice, so every byte is confirmed
    // before the new file takes the old one's place.
    const bool written
        = file.write(bytes) == bytes.size() && file.flush() && file.size() == bytes.size();
    if (!written)
        file.cancelWriting();
    else
        reached(ReplacementStep::Written);
    if (written && file.commit()) {
        reached(ReplacementStep::Committed);
        return true;
    }
    if (old && fileContents(path) != old)
        writeInPlace(path, *old);
    return false;
}

void setReplacementStepObserver(void (*observer)(ReplacementStep step)) { stepObserver = observer; }

QStringList readTextFileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Exception(
            QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    }
    const QString text = decodeText(file.readAll()).text;
    QStringList lines;
    for (const TextLine& line : splitLines(text))
        lines.append(line.text.toString());
    return lines;
}

} // namespace platform
