// The register's searches over 100,000 lines in an SQLite file, as the register window asks
// them: a piece of a name, a series, a month of issue dates, one name within a year, the
// window's first view and everything (the export).

#include "register/CertificateRegister.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr int kLines = 100000;

const QStringList kSurnames {u"Иванов"_s, u"Петров"_s, u"Сидоров"_s, u"Кузнецов"_s, u"Смирнов"_s,
    u"Попов"_s, u"Васильев"_s, u"Соколов"_s, u"Михайлов"_s, u"Новиков"_s};

// One register for the whole program: 100,000 lines over ten years of groups, each with its
// 42 field texts.
CertificateRegister& filledRegister()
{
    static QTemporaryDir folder;
    static std::unique_ptr<CertificateRegister> reg = [] {
        auto made = std::make_unique<CertificateRegister>(
            RegisterLocation::sqliteFile(folder.filePath(u"register.sqlite"_s)));
        QList<RegisterEntry> batch;
        for (int i = 0; i < kLines; ++i) {
            RegisterEntry entry;
            entry.printedAt = QDateTime(QDate(2016, 1, 1).addDays(i / 30), QTime(10, 0));
            entry.printer = u"A5Laser"_s;
            entry.leftMargin = entry.topMargin = entry.rightMargin = entry.bottomMargin = 15;
            entry.series = u"АБ%1"_s.arg(i % 997);
            entry.graduate = u"%1 Выпускник %2"_s.arg(kSurnames[i % kSurnames.size()])
                                 .arg(i, 6, 10, QChar(u'0'));
            entry.periodFrom = entry.printedAt.date().addMonths(-3);
            entry.periodTo = entry.printedAt.date();
            entry.category = u"категории \"В\" "_s;
            entry.transmission = u"с механической трансмиссией"_s;
            entry.issuedOn = entry.printedAt.date();
            entry.head = u"Петров П.П."_s;
            entry.school = u"АНО ДПО \"Автошкола\""_s;
            entry.school2 = u" "_s;
            entry.locality = u"г. Тверь"_s;
            entry.hours = QStringList(RegisterEntry::kHourCount, u"12"_s);
            entry.grades = QStringList(RegisterEntry::kGradeCount, u"Зачтено"_s);
            for (int f = 1; f <= RegisterEntry::kFieldCount; ++f)
                entry.fields.append(u"поле %1 выпускника %2"_s.arg(f).arg(i));
            batch.append(entry);
            if (batch.size() == 5000) {
                made->record(batch);
                batch.clear();
            }
        }
        return made;
    }();
    return *reg;
}

void search(benchmark::State& state, const RegisterQuery& query, int limit = 0)
{
    CertificateRegister& reg = filledRegister();
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<RegisterLine> lines = reg.search(query, limit);
        found = lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["found"] = static_cast<double>(found);
}

void BM_RegisterSearchName(benchmark::State& state)
{
    search(state, {u"выпускник 04217"_s, {}, {}});
}
BENCHMARK(BM_RegisterSearchName)->Unit(benchmark::kMillisecond);

void BM_RegisterSearchSeries(benchmark::State& state) { search(state, {u"аб996"_s, {}, {}}); }
BENCHMARK(BM_RegisterSearchSeries)->Unit(benchmark::kMillisecond);

void BM_RegisterSearchMonth(benchmark::State& state)
{
    search(state, {{}, QDate(2020, 3, 1), QDate(2020, 3, 31)});
}
BENCHMARK(BM_RegisterSearchMonth)->Unit(benchmark::kMillisecond);

void BM_RegisterSearchNameInYear(benchmark::State& state)
{
    search(state, {u"соколов"_s, QDate(2021, 1, 1), QDate(2021, 12, 31)});
}
BENCHMARK(BM_RegisterSearchNameInYear)->Unit(benchmark::kMillisecond);

// The window's first view: the newest 1,000 lines (and one to tell there are more).
void BM_RegisterNewestShown(benchmark::State& state) { search(state, {}, 1001); }
BENCHMARK(BM_RegisterNewestShown)->Unit(benchmark::kMillisecond);

// Every line of the register, as the export takes it.
void BM_RegisterSearchEverything(benchmark::State& state) { search(state, {}); }
BENCHMARK(BM_RegisterSearchEverything)->Unit(benchmark::kMillisecond);

} // namespace
