#pragma once

#include "app/logic/CertificateFields.h"
#include "app/logic/Placeholders.h"

#include <QList>
#include <QString>
#include <QStringList>

// The layout of the settings file: its sections, their keys and the defaults of what they
// hold. The main window loads and saves the form's keys, the register's section says where
// the register lives.
namespace settings {

using namespace Qt::Literals::StringLiterals;

// The school's texts.
inline const QString kOrganisation = u"Организация"_s;

struct TextKey {
    QString key;
    // The form's field the key holds.
    CertificateRole field;
    // What the field shows without the key; a field that still shows it is not saved.
    const QString& placeholder;
};

inline QList<TextKey> schoolKeys()
{
    return {
        {u"Название"_s, CertificateRole::School, placeholders::kSchoolName},
        {u"Название_2"_s, CertificateRole::School2, placeholders::kSchoolName},
        {u"Населенный_Пункт"_s, CertificateRole::Locality, placeholders::kLocality},
        {u"Серия"_s, CertificateRole::Series, placeholders::kSeries},
        {u"Директор"_s, CertificateRole::Head, placeholders::kHead},
    };
}

// The hours of the ten subjects ("_1" … "_10") and their total ("_11"), which is saved but
// never read: the total is the sum.
inline const QString kHours = u"Часы"_s;
inline constexpr int kHourKeyCount = 11;

inline QString hourKey(int index) { return u"_"_s + QString::number(index); }

// The certificate page's margins in millimetres.
inline const QString kPage = u"Страница"_s;
inline constexpr double kDefaultMargin = 15;

enum class Margin { Top, Bottom, Left, Right };

struct MarginKey {
    Margin margin;
    QString key;
};

inline const MarginKey kMargins[] = {
    {Margin::Top, u"Верхнее_поле"_s},
    {Margin::Bottom, u"Нижнее_поле"_s},
    {Margin::Left, u"Левое_поле"_s},
    {Margin::Right, u"Правое_поле"_s},
};

// Where the register lives: a PostgreSQL server's host name (or socket folder), its port, the
// database and the user. Without a host the register is the SQLite file beside the settings
// file.
inline const QString kRegister = u"Журнал"_s;
inline const QString kServer = u"Сервер"_s;
inline const QString kPort = u"Порт"_s;
inline const QString kDatabase = u"База_данных"_s;
inline const QString kUser = u"Пользователь"_s;

inline QStringList registerKeys() { return {kServer, kPort, kDatabase, kUser}; }

} // namespace settings
