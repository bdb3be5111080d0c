#include "util/FileUtil.h"

#include "util/StringUtil.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fnmatch.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

#ifndef PELION_INSTALLED_DATA
#define PELION_INSTALLED_DATA "../share/pelion"
#endif

namespace util {

static std::string &programFolderOverride()
{
    static std::string folder;
    return folder;
}

static std::function<bool(const std::string &)> &writeFaultHook()
{
    static std::function<bool(const std::string &)> hook;
    return hook;
}

static std::string withSlash(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

std::string ProgramFolderForExecutable(const std::string &exeFolder, bool *installed)
{
    const std::string folder = withSlash(exeFolder);
    if (installed)
        *installed = false;
    // A build tree keeps the data beside the executables; an installed program keeps it in the
    // data folder beside bin/ (both checked, so that a build tree inside a prefix still runs).
    if (FolderExists(folder + "Bin"))
        return folder;
    const std::string shared = withSlash(folder + PELION_INSTALLED_DATA);
    if (FolderExists(shared + "Bin")) {
        std::error_code ec;
        const fs::path normal = fs::weakly_canonical(shared, ec);
        if (installed)
            *installed = true;
        return ec ? shared : withSlash(normal.string());
    }
    return folder;
}

static std::string executableFolder()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return withSlash(fs::current_path(ec).string());
    return withSlash(exe.parent_path().string());
}

struct RealProgramFolder
{
    std::string folder;
    bool installed = false;
};

static const RealProgramFolder &realProgramFolder()
{
    static const RealProgramFolder real = [] {
        RealProgramFolder found;
        found.folder = ProgramFolderForExecutable(executableFolder(), &found.installed);
        return found;
    }();
    return real;
}

std::string ProgramFolder()
{
    if (!programFolderOverride().empty())
        return programFolderOverride();
    return realProgramFolder().folder;
}

bool ProgramFolderIsInstalled()
{
    return programFolderOverride().empty() && realProgramFolder().installed;
}

bool IsProgramFolderWritable(const std::string &folder)
{
    return !ProgramFolderIsInstalled() && IsFolderWritable(folder);
}

void SetProgramFolder(const std::string &folder)
{
    programFolderOverride() = withSlash(folder);
}

std::string PathDrive(const std::string &)
{
    return {};
}

std::string PathFolder(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string PathFileName(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string PathFileTitle(const std::string &path)
{
    const std::string name = PathFileName(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string PathExtension(const std::string &path)
{
    const std::string name = PathFileName(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string JoinPath(const std::string &folder, const std::string &name)
{
    if (folder.empty())
        return name;
    std::string start = name;
    while (!start.empty() && start.front() == '/')
        start.erase(0, 1);
    return withSlash(folder) + start;
}

bool FileExists(const std::string &path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

bool FolderExists(const std::string &path)
{
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

bool IsFolderWritable(const std::string &folder)
{
    return FolderExists(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::vector<std::string> ListFiles(const std::string &folder, const std::string &pattern)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        const std::string name = it->path().filename().string();
        if (::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> ListFolders(const std::string &folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool MakeFolders(const std::string &folder)
{
    if (folder.empty())
        return false;
    std::error_code ec;
    fs::create_directories(folder, ec);
    return FolderExists(folder);
}

bool ReadFile(const std::string &path, std::string &out, std::string *error)
{
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        if (error)
            *error = std::strerror(EISDIR);
        return false;
    }
    if (st.st_size > 0)
        out.reserve(static_cast<size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (error)
                *error = std::strerror(errno);
            ::close(fd);
            out.clear();
            return false;
        }
        if (n == 0)
            break;
        out.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

static bool writeAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool WriteFileAtomic(const std::string &path, const std::string &data, std::string *error)
{
    const auto fail = [error](const std::string &why) {
        if (error)
            *error = why;
        return false;
    };
    if (path.empty())
        return fail("empty file name");
    if (FolderExists(path))
        return fail(std::strerror(EISDIR));

    std::string folder = PathFolder(path);
    if (folder.empty())
        folder = "./";
    std::string temp = folder + "." + PathFileName(path) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return fail(std::strerror(errno));

    const auto abandon = [&](int savedErrno) {
        ::close(fd);
        ::unlink(temp.c_str());
        return fail(std::strerror(savedErrno));
    };

    // mkstemp creates the file 0600; a page or settings file keeps the mode it had, and a new
    // one gets the usual mode for the user's umask.
    struct stat old {};
    mode_t mode;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);

    const size_t half = data.size() / 2;
    if (!writeAll(fd, data.data(), half))
        return abandon(errno);
    if (writeFaultHook() && !writeFaultHook()(path))
        return abandon(ENOSPC);
    if (!writeAll(fd, data.data() + half, data.size() - half))
        return abandon(errno);
    if (::fsync(fd) != 0)
        return abandon(errno);
    if (::close(fd) != 0) {
        const int savedErrno = errno;
        ::unlink(temp.c_str());
        return fail(std::strerror(savedErrno));
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int savedErrno = errno;
        ::unlink(temp.c_str());
        return fail(std::strerror(savedErrno));
    }
    return true;
}

void SetWriteFaultHook(std::function<bool(const std::string &path)> hook)
{
    writeFaultHook() = std::move(hook);
}

static std::string homeFolder()
{
    const char *home = std::getenv("HOME");
    return withSlash(home && *home ? home : "/tmp");
}

static std::string xdgFolder(const char *variable, const char *fallback)
{
    const char *value = std::getenv(variable);
    if (value && *value == '/')
        return withSlash(value);
    return homeFolder() + fallback + "/";
}

std::string UserConfigFolder()
{
    return xdgFolder("XDG_CONFIG_HOME", ".config");
}

std::string UserCacheFolder()
{
    return xdgFolder("XDG_CACHE_HOME", ".cache");
}

std::string UserDocumentsFolder()
{
    // user-dirs.dirs holds lines such as XDG_DOCUMENTS_DIR="$HOME/Documents".
    std::string dirs;
    if (ReadFile(UserConfigFolder() + "user-dirs.dirs", dirs)) {
        const std::string key = "XDG_DOCUMENTS_DIR=\"";
        const size_t at = dirs.find(key);
        if (at != std::string::npos) {
            const size_t begin = at + key.size();
            const size_t end = dirs.find('"', begin);
            if (end != std::string::npos) {
                std::string value = dirs.substr(begin, end - begin);
                if (value.rfind("$HOME", 0) == 0)
                    value = homeFolder() + value.substr(value.size() > 5 && value[5] == '/' ? 6 : 5);
                if (!value.empty() && value.front() == '/')
                    return withSlash(value);
            }
        }
    }
    return homeFolder() + "Documents/";
}

bool CopyFileNoOverwrite(const std::string &from, const std::string &to)
{
    std::error_code ec;
    if (fs::exists(to, ec))
        return false;
    return fs::copy_file(from, to, fs::copy_options::none, ec) && !ec;
}

} // namespace util
