#pragma once

// Shared by the fuzz targets whose code under test reads or writes real files: a per-process
// scratch file (in /dev/shm when there is one, so that the atomic writes' syncs stay cheap),
// and plain byte-exact reading and writing around it.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>

inline std::string FuzzScratchPath(std::string_view name)
{
    std::error_code ec;
    std::filesystem::path folder = "/dev/shm";
    if (!std::filesystem::is_directory(folder, ec))
        folder = std::filesystem::temp_directory_path(ec);
    return (folder / ("pelion-fuzz-" + std::to_string(::getpid()) + "-" + std::string(name)))
        .string();
}

// A scratch file that is removed when the process ends normally.
class FuzzScratchFile
{
public:
    explicit FuzzScratchFile(std::string_view name)
        : m_path(FuzzScratchPath(name))
    {}
    ~FuzzScratchFile()
    {
        std::error_code ec;
        std::filesystem::remove(m_path, ec);
    }
    FuzzScratchFile(const FuzzScratchFile &) = delete;
    FuzzScratchFile &operator=(const FuzzScratchFile &) = delete;
    const std::string &path() const { return m_path; }

private:
    std::string m_path;
};

inline void FuzzWriteFile(const std::string &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        std::abort(); // the scratch folder itself is broken: nothing below would mean anything
}

inline std::string FuzzReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        std::abort();
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void FuzzCheck(bool condition)
{
    if (!condition)
        std::abort();
}
