// A child process for the tests of the settings file's replacement: it makes the writes of
// one "save settings" command into the file named by its first argument, and exits with 0
// when they were written, 1 when they were refused (with the refusal's message on the
// standard error stream). Options after the file:
//   --as-nobody        gives up root first, so that a folder without write permission
//                      refuses it new files;
//   --file-size-limit N  no file of the process may grow beyond N bytes (a write past it
//                      fails instead of killing the process);
//   --killed-at STEP   the process kills itself as the replacement reaches the step (0 the
//                      new file opened, 1 every byte written, 2 the new file in place), as
//                      a crash or a power cut at that moment would end it.

#include "SettingsSave.h"

#include "platform/core/Exception.h"
#include "platform/core/FileSystem.h"
#include "platform/core/IniFile.h"

#include <QString>

#include <grp.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uid_t kNobody = 65534;

bool dropRoot()
{
    if (geteuid() != 0)
        return true;
    return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
}

bool limitFileSize(const char* bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlim_t limit = std::strtoull(bytes, nullptr, 10);
    const rlimit fileSize {limit, limit};
    return setrlimit(RLIMIT_FSIZE, &fileSize) == 0;
}

platform::ReplacementStep killedAt;

void killAtTheStep(platform::ReplacementStep step)
{
    if (step == killedAt)
        std::raise(SIGKILL);
}

bool killAt(const char* step)
{
    killedAt = static_cast<platform::ReplacementStep>(std::atoi(step));
    platform::setReplacementStepObserver(killAtTheStep);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--as-nobody") == 0 && !dropRoot()) {
            std::perror("giving up root");
            return 3;
        }
        if (std::strcmp(argv[i], "--killed-at") == 0 && (++i == argc || !killAt(argv[i])))
            return 3;
        if (std::strcmp(argv[i], "--file-size-limit") == 0
            && (++i == argc || !limitFileSize(argv[i]))) {
            std::perror("limiting the file size");
            return 3;
        }
    }
    try {
        platform::TIniFile(QString::fromLocal8Bit(argv[1])).WriteStrings(settingsSave());
    } catch (const platform::Exception& e) {
        std::fputs(e.what(), stderr);
        return 1;
    }
    return 0;
}
