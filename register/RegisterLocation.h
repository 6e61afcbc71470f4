#pragma once

#include <QString>

// Where the register lives: an SQLite file (the default, beside the settings file) or a
// PostgreSQL database shared by several desks. The password of a PostgreSQL user is never
// part of it: the client library finds it in the user's password file (PGPASSFILE or
// ~/.pgpass).
struct RegisterLocation {
    enum class Kind { SQLite, PostgreSQL };

    Kind kind = Kind::SQLite;
    QString file;
    QString host;
    int port = 5432;
    QString database;
    QString user;

    static RegisterLocation sqliteFile(const QString& file)
    {
        RegisterLocation location;
        location.file = file;
        return location;
    }

    // How messages name the register to the operator.
    QString describe() const;
};
