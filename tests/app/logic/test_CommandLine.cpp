#include "app/logic/CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct CommandLineCase {
    const char* name;
    QStringList arguments;
    bool run;
    int exitCode;
    bool homeFolder;
    const char* outputHas; // a piece the output holds; empty for none
};

class CommandLineCases : public ::testing::TestWithParam<CommandLineCase> { };

TEST_P(CommandLineCases, RunOrPrintAndExit)
{
    const CommandLineCase& c = GetParam();
    QStringList arguments {QStringLiteral("vorsela")};
    arguments += c.arguments;
    const CommandLine result = parseCommandLine(arguments);
    EXPECT_EQ(result.run, c.run);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.homeFolder, c.homeFolder);
    if (*c.outputHas)
        EXPECT_TRUE(result.output.contains(QString::fromUtf8(c.outputHas)))
            << result.output.toStdString();
    else
        EXPECT_TRUE(result.output.isEmpty()) << result.output.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Options, CommandLineCases,
    ::testing::Values(CommandLineCase {"NoOptionStartsInTheCurrentFolder", {}, true, 0, false, ""},
        CommandLineCase {"HomeStartsInTheHomeFolder", {"--home"}, true, 0, true, ""},
        CommandLineCase {"Version", {"--version"}, false, 0, false, "vorsela " VORSELA_VERSION},
        CommandLineCase {"ShortVersion", {"-v"}, false, 0, false, "vorsela " VORSELA_VERSION},
        CommandLineCase {"HelpListsEveryOption", {"--help"}, false, 0, false, "--home"},
        CommandLineCase {"HelpIsInRussian", {"-h"}, false, 0, false, "Показать версию программы"},
        CommandLineCase {"UnknownOptionIsRefused", {"--bogus"}, false, 2, false, "bogus"},
        CommandLineCase {"ValueOfHomeIsRefusedInRussian", {"--home=1"}, false, 2, false,
            "Параметр --home пишется без значения.\nСписок параметров: vorsela --help\n"},
        CommandLineCase {"QtOptionIsRefusedToo", {"-platform", "xcb"}, false, 2, false, "platform"},
        CommandLineCase {"StrayArgumentIsRefused", {"default.zrf"}, false, 2, false,
            "Лишний аргумент: default.zrf"}),
    [](const ::testing::TestParamInfo<CommandLineCase>& info) { return info.param.name; });

} // namespace
