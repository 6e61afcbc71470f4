#pragma once

#include <clocale>
#include <string>

// Gives the C library a locale for its lifetime and restores the one before: the state Qt
// leaves at start, when it sets the C library's locale from the environment, so that under
// ru_RU.UTF-8 the C library's own number conversions write and expect a decimal comma.
// scripts/setup generates ru_RU.UTF-8; applied() is false where the system lacks the locale.
// Windows' C library names the locales its own way: there ru_RU.UTF-8 is the Russian
// locale of its code page (decimal comma too), C.UTF-8 is C.
class ScopedCLibraryLocale {
public:
    explicit ScopedCLibraryLocale(const char* name) : fPrevious(std::setlocale(LC_ALL, nullptr))
    {
        fApplied = std::setlocale(LC_ALL, systemName(name).c_str()) != nullptr;
    }
    ~ScopedCLibraryLocale() { std::setlocale(LC_ALL, fPrevious.c_str()); }
    ScopedCLibraryLocale(const ScopedCLibraryLocale&) = delete;
    ScopedCLibraryLocale& operator=(const ScopedCLibraryLocale&) = delete;

    bool applied() const { return fApplied; }

private:
    static std::string systemName(const std::string& name)
    {
#ifdef _WIN32
        if (name == "ru_RU.UTF-8")
            return "Russian_Russia.1251";
        if (name == "C.UTF-8")
            return "C";
#endif
        return name;
    }

    std::string fPrevious;
    bool fApplied = false;
};
