#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of the scope. path() ends with "/".
class TempDir
{
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pelion-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern + "/";
    }
    ~TempDir()
    {
        std::error_code ec;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::string &path() const { return m_path; }
    std::string file(const std::string &name) const { return m_path + name; }

private:
    std::string m_path;
};
