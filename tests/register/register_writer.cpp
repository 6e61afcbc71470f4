// A second desk for the register's tests: it writes COUNT lines, one transaction each, into
// the register named by its arguments, and exits with 0 when every line was written. With
// "read" it opens a register file, prints whether it is read-only and how many lines it
// has, then tries to write a line and prints the answer.
//   register_writer sqlite FILE COUNT TAG
//   register_writer postgres HOST DATABASE USER COUNT TAG
//   register_writer read FILE

#include "RegisterSamples.h"

#include "register/CertificateRegister.h"
#include "register/RegisterError.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == QStringLiteral("read") && args.size() == 3) {
        try {
            CertificateRegister reg(RegisterLocation::sqliteFile(args[2]));
            std::printf("%s %d\n", reg.readOnly() ? "read-only" : "writable",
                static_cast<int>(reg.search({}).size()));
            reg.record({sampleEntry(QStringLiteral("Петров"), QStringLiteral("АБ"))});
            std::printf("written\n");
        } catch (const RegisterError& error) {
            std::printf("%s\n", error.what());
        }
        return 0;
    }
    RegisterLocation location;
    int next = 2;
    if (args.value(1) == QStringLiteral("sqlite") && args.size() == 5) {
        location = RegisterLocation::sqliteFile(args[next++]);
    } else if (args.value(1) == QStringLiteral("postgres") && args.size() == 7) {
        location.kind = RegisterLocation::Kind::PostgreSQL;
        location.host = args[next++];
        location.database = args[next++];
        location.user = args[next++];
    } else {
        return 2;
    }
    const int count = args[next++].toInt();
    const QString tag = args[next];
    try {
        CertificateRegister reg(location, 30000);
        for (int i = 1; i <= count; ++i)
            reg.record({sampleEntry(QStringLiteral("%1 %2").arg(tag).arg(i), tag)});
    } catch (const RegisterError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
