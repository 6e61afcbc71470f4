#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

// A file of that name in the process's current directory at this moment.
QString currentDirectoryFile(const QString& name);

// Windows' error codes for a failed deletion, which the program shows to the operator.
constexpr int kErrorFileNotFound = 2;
constexpr int kErrorPathNotFound = 3;
constexpr int kErrorAccessDenied = 5;
constexpr int kErrorSharingViolation = 32;

// Deletes a file. Returns 0 on success, else the Windows error code for the failure
// (2 for a missing file, 5 when access is denied).
int deleteFileWithErrorCode(const QString& path);

// Gives the file new contents, creating it when it is missing. Where a temporary file can
// be created beside it, the temporary is written and renamed over the file, so a failure
// (a full disk, a crash, a power cut) leaves the old file whole. In a folder where new files
// cannot be created but the file itself may be written, the file is written in place, as
// the desktop's own services do. Returns false unless every byte was written: a short write
// (a full disk, a file-size limit) leaves the old file as it was, in place too, where its old
// bytes are written back.
bool replaceFileContents(const QString& path, const QByteArray& bytes);

// The steps of a replacement: the new file opened beside the old one (or the old one opened
// for writing in place), every byte written and confirmed, the new file in the old one's
// place.
enum class ReplacementStep { Opened, Written, Committed };
// Hears of each step as a replacement reaches it. The tests' writer process kills itself at
// a chosen step, so that what a crash at that very moment leaves is checked every time.
// Null (the program's setting): nothing is told.
void setReplacementStepObserver(void (*observer)(ReplacementStep step));

// A whole text file as lines; the encoding is taken from a byte-order mark (UTF-8,
// UTF-16LE, UTF-16BE), else Windows-1251. Lines end at CR LF, LF or CR; a final line end
// adds no empty line. Throws platform::Exception "Cannot open file "%s". %s" when the file
// cannot be read.
QStringList readTextFileLines(const QString& path);

} // namespace platform
