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
    // The program's own wording of one of the engine's messages, for the messages its
    // operator meets outside the engine's own dialogs.
    static void SetText(const QString& key, const QString& text);

private:
    TrpResources();
    static TrpResources& table();
    QHash<QString, QString> fTable;
};

// Shorthand for TrpResources::instance().Get(key).
QString rpGet(const QString& key);
