// A stand-in for the desktop's text editor: records the folder it was started in and the
// file it was started on, one a line in UTF-8, in the file that VORSELA_EDITOR_LOG names
// (whole or not at all), and ends. Linked on its own, so that it starts with nothing on the
// search path.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
#else
int main(int argc, char** argv)
#endif
{
    const char* log = std::getenv("VORSELA_EDITOR_LOG");
    if (!log || argc < 2)
        return 2;
    const std::u8string text = std::filesystem::current_path().u8string() + u8"\n"
        + std::filesystem::path(argv[1]).u8string() + u8"\n";
    const std::string partial = std::string(log) + ".tmp";
    {
        std::ofstream file(partial, std::ios::binary);
        file.write(reinterpret_cast<const char*>(text.data()), std::streamsize(text.size()));
        if (!file)
            return 1;
    }
    std::error_code error;
    std::filesystem::rename(partial, log, error);
    return error ? 1 : 0;
}
