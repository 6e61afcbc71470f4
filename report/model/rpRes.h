#pragma once

#include <QHash>
#include <QString>

// The engine's string table: every text its windows and messages show, by key.
class TrpResources {
public:
    // The table of the running program.
    static const TrpResources& instance();

    // The text of a key. A key the table lacks is returned as it is; a text stored with a
    // leading "!" is returned without it.
    QString Get(const QString& key) const;

private:
    TrpResources();
    QHash<QString, QString> fTable;
};

// Shorthand for TrpResources::instance().Get(key).
QString rpGet(const QString& key);
