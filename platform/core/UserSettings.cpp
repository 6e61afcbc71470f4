#include "UserSettings.h"

#include <QSettings>

#include <memory>

namespace platform {

namespace {

const QString kUserStorePrefix = QStringLiteral("\\Software\\");

std::unique_ptr<QSettings> openStore(const QString& store)
{
    if (!store.startsWith(kUserStorePrefix, Qt::CaseInsensitive))
        return std::make_unique<QSettings>(store, QSettings::IniFormat);
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER") + store, QSettings::NativeFormat);
#else
    // The key's first part names the organisation, the rest the application.
    const QStringList parts
        = store.mid(kUserStorePrefix.size()).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    const QString organisation = parts.value(0);
    const QString application = parts.mid(1).join(QLatin1Char('/'));
    return std::make_unique<QSettings>(
        QSettings::NativeFormat, QSettings::UserScope, organisation, application);
#endif
}

} // namespace

int readUserSettingInt(
    const QString& store, const QString& section, const QString& key, int defaultValue)
{
    const auto settings = openStore(store);
    bool ok = false;
    const int value
        = settings->value(section + QLatin1Char('/') + key).toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

} // namespace platform
