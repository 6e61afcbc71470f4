#include "app/logic/CommandLine.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace {

const char* const kVersion = VORSELA_VERSION;

// The parser's own error texts are English; the options it names are kept.
QString russianParserError(QString text)
{
    // "Unexpected value after '--home'." for an option that takes no value.
    static const QRegularExpression unexpectedValue(
        QStringLiteral("^Unexpected value after '(.*)'\\.?$"));
    const QRegularExpressionMatch match = unexpectedValue.match(text);
    if (match.hasMatch())
        return QString::fromUtf8("Параметр %1 пишется без значения.").arg(match.captured(1));
    return text
        .replace(QStringLiteral("Unknown options"), QString::fromUtf8("Неизвестные параметры"))
        .replace(QStringLiteral("Unknown option"), QString::fromUtf8("Неизвестный параметр"));
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QString::fromUtf8("Заполнение и печать свидетельств об окончании автошколы на "
                          "бланках.\nФайл настроек default.zrf читается и пишется в текущей "
                          "папке."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
        QString::fromUtf8("Показать эту справку и выйти."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
        QString::fromUtf8("Показать версию программы и выйти."));
    const QCommandLineOption home(QStringLiteral("home"),
        QString::fromUtf8("Работать в домашней папке пользователя (так программу запускает "
                          "меню рабочего стола)."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({help, version, home});

    CommandLine result;
    if (!parser.parse(arguments)) {
        result.run = false;
        result.exitCode = 2;
        result.output = russianParserError(parser.errorText()) + QLatin1Char('\n')
            + QString::fromUtf8("Список параметров: vorsela --help\n");
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.run = false;
        result.exitCode = 2;
        result.output
            = QString::fromUtf8("Лишний аргумент: %1\nСписок параметров: vorsela --help\n")
                  .arg(parser.positionalArguments().constFirst());
        return result;
    }
    if (parser.isSet(help)) {
        result.run = false;
        // Printed before any application object exists, so the parser knows neither the
        // program's name nor the user's language.
        result.output = parser.helpText()
                            .replace(QStringLiteral("<executable_name>"), QStringLiteral("vorsela"))
                            .replace(QStringLiteral("Usage:"), QString::fromUtf8("Использование:"))
                            .replace(QStringLiteral("Options:"), QString::fromUtf8("Параметры:"))
                            .replace(QStringLiteral("[options]"), QString::fromUtf8("[параметры]"));
        return result;
    }
    if (parser.isSet(version)) {
        result.run = false;
        result.output = QStringLiteral("vorsela %1\n").arg(QString::fromLatin1(kVersion));
        return result;
    }
    result.homeFolder = parser.isSet(home);
    return result;
}
