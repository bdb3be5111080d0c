// Runs a libFuzzer entry point over every file of the folders (or files) given, so that the
// corpora and the crash reproducers are replayed by ordinary test builds, sanitizers included.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

static void runFile(const std::filesystem::path &path, int &count)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
    ++count;
}

int main(int argc, char **argv)
{
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        const std::filesystem::path path(argv[i]);
        if (std::filesystem::is_regular_file(path, ec)) {
            runFile(path, count);
            continue;
        }
        for (std::filesystem::recursive_directory_iterator it(path, ec), end; !ec && it != end;
             it.increment(ec)) {
            if (it->is_regular_file())
                runFile(it->path(), count);
        }
    }
    // An empty input is always part of the replay: every parser must take it.
    LLVMFuzzerTestOneInput(nullptr, 0);
    std::printf("replayed %d inputs\n", count + 1);
    return 0;
}
