#include "util/FileUtil.h"

#include "util/StringUtil.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
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
    struct stat st
    {};
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

// The file a write to path lands in: a symbolic link is followed (relative targets against the
// link's folder) so that the link keeps pointing where it pointed. A chain that does not end
// within a sane depth is left as it is.
static std::string resolveLinks(std::string path)
{
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st
        {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || size_t(n) >= target.size())
            return path;
        target.resize(size_t(n));
        path = target.front() == '/' ? target : PathFolder(path) + target;
    }
    return path;
}

static void syncFolder(const std::string &folder)
{
    // Makes the rename itself durable; a file system that cannot sync a folder is no error.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

static bool pwriteAll(int fd, const char *data, size_t size, off_t offset)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
        offset += n;
    }
    return true;
}

// Rewrites an existing file in place, for a folder that takes no new file. The space is reserved
// before the first byte changes, so that a full disk (or a file size limit) is met while the old
// content is still whole; a write that fails later puts the old content back.
static bool writeInPlace(const std::string &path, const std::string &data, int *savedErrno)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        *savedErrno = errno;
        return false;
    }
    const auto failWith = [&](int why) {
        ::close(fd);
        *savedErrno = why;
        return false;
    };
    struct stat st
    {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return failWith(errno ? errno : EINVAL);
    std::string old;
    old.reserve(size_t(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failWith(errno);
        if (n == 0)
            break;
        old.append(buffer, size_t(n));
    }
    if (data.size() > old.size()) {
        const int rc = ::fallocate(fd, 0, 0, off_t(data.size()));
        if (rc != 0 && errno != EOPNOTSUPP && errno != ENOSYS) {
            const int why = errno;
            // A partial reservation may have grown the file; the old bytes are untouched.
            (void)::ftruncate(fd, off_t(old.size()));
            return failWith(why);
        }
    }
    const size_t half = data.size() / 2;
    int why = 0;
    if (!pwriteAll(fd, data.data(), half, 0))
        why = errno;
    else if (writeFaultHook() && !writeFaultHook()(path))
        why = ENOSPC;
    else if (!pwriteAll(fd, data.data() + half, data.size() - half, off_t(half)))
        why = errno;
    else if (::ftruncate(fd, off_t(data.size())) != 0 || ::fsync(fd) != 0)
        why = errno;
    if (why != 0) {
        // The old content fitted before, so it fits again.
        pwriteAll(fd, old.data(), old.size(), 0);
        if (::ftruncate(fd, off_t(old.size())) == 0)
            ::fsync(fd);
        return failWith(why);
    }
    if (::close(fd) != 0) {
        *savedErrno = errno;
        return false;
    }
    return true;
}

bool WriteFileAtomic(const std::string &requested, const std::string &data, std::string *error,
                     bool *wroteInPlace)
{
    const auto fail = [error](const std::string &why) {
        if (error)
            *error = why;
        return false;
    };
    if (wroteInPlace)
        *wroteInPlace = false;
    if (requested.empty())
        return fail("empty file name");
    const std::string path = resolveLinks(requested);
    if (FolderExists(path))
        return fail(std::strerror(EISDIR));

    // A file that can be written in a folder that takes no new file (or, in a sticky folder,
    // cannot be replaced by this user) is rewritten in place: not atomic, but saved.
    const auto tryInPlace = [&](int atomicErrno) {
        struct stat st
        {};
        if ((atomicErrno != EACCES && atomicErrno != EPERM) || ::lstat(path.c_str(), &st) != 0 ||
            !S_ISREG(st.st_mode))
            return fail(std::strerror(atomicErrno));
        int why = 0;
        if (!writeInPlace(path, data, &why))
            return fail(std::strerror(why == EACCES || why == EPERM ? atomicErrno : why));
        if (wroteInPlace)
            *wroteInPlace = true;
        return true;
    };

    std::string folder = PathFolder(path);
    if (folder.empty())
        folder = "./";
    std::string temp = folder + "." + PathFileName(path) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return tryInPlace(errno);

    const auto abandon = [&](int savedErrno) {
        ::close(fd);
        ::unlink(temp.c_str());
        return fail(std::strerror(savedErrno));
    };

    // mkstemp creates the file 0600; a page or settings file keeps the mode it had, and a new
    // one gets the usual mode for the user's umask.
    struct stat old
    {};
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
        return tryInPlace(savedErrno);
    }
    syncFolder(folder);
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
                    value =
                        homeFolder() + value.substr(value.size() > 5 && value[5] == '/' ? 6 : 5);
                if (!value.empty() && value.front() == '/')
                    return withSlash(value);
            }
        }
    }
    return homeFolder() + "Documents/";
}

// Moves a finished file to its name unless that name is taken. renameat2 does it in one step;
// where the file system does not know it, a hard link fails on a taken name just as well.
static bool moveNoReplace(const std::string &from, const std::string &to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return false;
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
}

bool CopyFileNoOverwrite(const std::string &from, const std::string &to)
{
    struct stat existing
    {};
    if (::lstat(to.c_str(), &existing) == 0)
        return false;
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat source
    {};
    if (::fstat(in, &source) != 0 || !S_ISREG(source.st_mode)) {
        ::close(in);
        return false;
    }
    // The copy grows under a hidden temporary name in the destination folder and gets its name
    // only when it is whole and on disk, so no reader ever sees (and no later copy skips) a
    // truncated file.
    std::string folder = PathFolder(to);
    if (folder.empty())
        folder = "./";
    std::string temp = folder + "." + PathFileName(to) + ".XXXXXX";
    const int out = ::mkstemp(temp.data());
    if (out < 0) {
        ::close(in);
        return false;
    }
    ::fchmod(out, source.st_mode & 0777);
    bool ok = true;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        if (!writeAll(out, buffer, size_t(n))) {
            ok = false;
            break;
        }
    }
    ::close(in);
    ok = ok && ::fsync(out) == 0;
    ok = ::close(out) == 0 && ok;
    ok = ok && moveNoReplace(temp, to);
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

} // namespace util
