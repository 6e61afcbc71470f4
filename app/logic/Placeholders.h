#pragma once

#include <QColor>
#include <QString>

// The grey texts that the school and graduate fields show until they are filled in. The
// form check, the settings file and the certificate filling compare the fields with them.
namespace placeholders {

using namespace Qt::Literals::StringLiterals;

// Both lines of the school's name share one placeholder.
inline const QString kSchoolName
    = u"Полное официальное наименование образовательной организации (в соответствии с уставом)"_s;
inline const QString kLocality = u"Наименование населенного пункта"_s;
inline const QString kSeries = u"Серия"_s;
inline const QString kGraduate = u"Фамилия Имя Отчество"_s;
inline const QString kHead = u"Иванов И.И."_s;

inline const QColor kGrey(128, 128, 128);
inline const QColor kBlack(0, 0, 0);

} // namespace placeholders
