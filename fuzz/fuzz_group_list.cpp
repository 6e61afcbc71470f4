// libFuzzer target: arbitrary bytes as a group list, opened as a file (CSV) or pasted from a
// spreadsheet (tab-separated cells): groupListText, readGroupList, checkGroup.
//
// A list is either refused with platform::Exception (no "ФИО" column) or read; every row read
// has ten grades and a line after the heading's and its predecessor's, and after the check a
// row without a problem has a name and only grades of the grade list.

#include "FuzzCheck.h"
#include "app/logic/GroupList.h"
#include "app/logic/Lists.h"
#include "platform/core/Exception.h"

#include <cstdint>

namespace {

// A field holds up to 40 characters, and its font has no glyphs beyond the Cyrillic block,
// so that both kinds of problem come up.
FieldFit fitOf(int /*field*/, const QString& text)
{
    FieldFit fit;
    fit.fits = text.size() <= 40;
    for (const QChar c : text) {
        if (c.unicode() > 0x04FF && !fit.missing.contains(c))
            fit.missing.append(c);
    }
    return fit;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QList<GroupGraduate> group;
    try {
        group = readGroupList(groupListText(fuzzBytes(data, size)));
    } catch (const platform::Exception&) {
        return 0;
    }

    int previousLine = 1;
    for (const GroupGraduate& graduate : group) {
        fuzzCheck(graduate.grades.size() == 10);
        fuzzCheck(graduate.line > previousLine);
        previousLine = graduate.line;
    }

    checkGroup(group, fitOf);
    const QStringList known = lists::gradeList();
    for (const GroupGraduate& graduate : group) {
        if (!graduate.problem.isEmpty())
            continue;
        fuzzCheck(!graduate.name.isEmpty());
        for (const QString& grade : graduate.grades)
            fuzzCheck(grade.isEmpty() || known.contains(grade));
    }
    return 0;
}
