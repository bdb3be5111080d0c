// Writes argv[1..] to the file named by PELION_ARGV_OUT, each argument ended by a NUL byte.
// The file appears complete: it is written beside and then renamed.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char **argv)
{
    const char *out = std::getenv("PELION_ARGV_OUT");
    if (!out)
        return 2;
    const std::string partial = std::string(out) + ".part";
    std::FILE *file = std::fopen(partial.c_str(), "wb");
    if (!file)
        return 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::fwrite(arg.data(), 1, arg.size(), file);
        std::fputc('\0', file);
    }
    std::fclose(file);
    return std::rename(partial.c_str(), out) == 0 ? 0 : 1;
}
