// A child process for the tests of the settings file's replacement: it makes the writes of
// one "save settings" command into the file named by its argument, and exits with 0 when
// they were written, 1 when they were refused. With "--as-nobody" it first gives up root,
// so that a folder without write permission refuses it new files.

#include "SettingsSave.h"

#include <QString>

#include <grp.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr uid_t kNobody = 65534;

bool dropRoot()
{
    if (geteuid() != 0)
        return true;
    return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    if (argc > 2 && std::strcmp(argv[2], "--as-nobody") == 0 && !dropRoot()) {
        std::perror("giving up root");
        return 3;
    }
    return platform::writeProfileStrings(QString::fromLocal8Bit(argv[1]), settingsSave()) ? 0 : 1;
}
