// The settings file: a save into a school's 660 KB file next to copying that file, and a load
// of a 5 MB file. The save's counter "writes" is the bytes the save wrote divided by the
// file's size.

#include "platform/core/CodePage1251.h"
#include "platform/core/FileSystem.h"
#include "platform/core/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace Qt::Literals::StringLiterals;

// A school's file: its keys, then comment lines up to the size.
QByteArray schoolFile(qsizetype size)
{
    QString text = u"[Организация]\r\nНазвание=Автошкола\r\nСерия=АБ\r\n[Часы]\r\n"_s;
    for (int i = 1; i <= 11; ++i)
        text += u"_%1=%2\r\n"_s.arg(i).arg(i * 4);
    text += u"[Страница]\r\nЛевое_поле=12,5\r\n"_s;
    for (int i = 0; text.size() < size; ++i)
        text += u"; запись %1 о выпуске группы, которую школа хранит в файле настроек\r\n"_s.arg(i);
    return platform::encodeWindows1251(text);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Bytes this process has passed to write calls so far.
qint64 bytesWritten()
{
    QFile io(u"/proc/self/io"_s);
    if (!io.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : io.readAll().split('\n')) {
        if (line.startsWith("wchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return 0;
}

constexpr qsizetype k660KB = 660 * 1024;

// The copy that a save has to beat: the file read and written durably beside itself, the
// same replacement a save makes.
void BM_CopySettingsFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(u"default.zrf"_s);
    const QString copy = dir.filePath(u"copy.zrf"_s);
    writeFile(source, schoolFile(k660KB));
    for (auto _ : state) {
        QFile file(source);
        file.open(QIODevice::ReadOnly);
        if (!platform::replaceFileContents(copy, file.readAll()))
            state.SkipWithError("copy failed");
    }
}
BENCHMARK(BM_CopySettingsFile)->Unit(benchmark::kMillisecond);

// The same copy without the temporary and the flush to disk.
void BM_CopySettingsFilePlain(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(u"default.zrf"_s);
    const QString copy = dir.filePath(u"copy.zrf"_s);
    writeFile(source, schoolFile(k660KB));
    for (auto _ : state) {
        QFile::remove(copy);
        QFile::copy(source, copy);
    }
}
BENCHMARK(BM_CopySettingsFilePlain)->Unit(benchmark::kMillisecond);

// "Сохранить настройки": the school's two changed lines, eleven hours and two margins.
void BM_SaveSettings(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"default.zrf"_s);
    const QByteArray original = schoolFile(k660KB);
    writeFile(path, original);
    QList<platform::ProfileEntry> entries {{u"Организация"_s, u"Название"_s, u"Автошкола Новая"_s},
        {u"Организация"_s, u"Директор"_s, u"Сидоров С.С."_s}};
    for (int i = 1; i <= 11; ++i)
        entries.append({u"Часы"_s, u"_%1"_s.arg(i), QString::number(i * 5)});
    entries.append({u"Страница"_s, u"Левое_поле"_s, u"11"_s});
    entries.append({u"Страница"_s, u"Верхнее_поле"_s, u"13,5"_s});

    qint64 written = 0;
    for (auto _ : state) {
        const qint64 before = bytesWritten();
        platform::TIniFile(path).WriteStrings(entries);
        written += bytesWritten() - before;
    }
    state.counters["writes"] = benchmark::Counter(
        double(written) / double(original.size()), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

// The load while the window is created: five school keys, eleven hours, four margins.
void BM_LoadLargeSettingsFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"default.zrf"_s);
    writeFile(path, schoolFile(5 * 1024 * 1024));
    const QStringList school {
        u"Название"_s, u"Название_2"_s, u"Населенный_Пункт"_s, u"Серия"_s, u"Директор"_s};
    const QStringList margins {
        u"Верхнее_поле"_s, u"Нижнее_поле"_s, u"Левое_поле"_s, u"Правое_поле"_s};
    for (auto _ : state) {
        platform::TIniFile ini(path);
        for (const QString& key : school)
            benchmark::DoNotOptimize(ini.ReadString(u"Организация"_s, key, u"x"_s));
        for (int i = 1; i <= 11; ++i)
            benchmark::DoNotOptimize(ini.ReadString(u"Часы"_s, u"_%1"_s.arg(i), u"0"_s));
        for (const QString& key : margins)
            benchmark::DoNotOptimize(ini.ReadFloat(u"Страница"_s, key, 15));
    }
}
BENCHMARK(BM_LoadLargeSettingsFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
