#include "framework/text/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace dsp {

namespace {

bool Fail(std::string* error, const std::string& what) {
    if (error != nullptr) *error = what + ": " + std::strerror(errno);
    return false;
}

std::string ResolveLink(const std::string& fileName) {
    struct stat st {};
    if (::lstat(fileName.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(fileName.c_str(), resolved) != nullptr) return resolved;
    }
    return fileName;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates a new file beside target with a name no one else uses; the umask shapes its mode.
int CreateTemporary(const std::string& target, std::string& name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool WriteWholeFile(const std::string& fileName, std::string_view bytes, std::string* error) {
    if (fileName.empty()) {
        errno = ENOENT;
        return Fail(error, "no file name");
    }
    const std::string target = ResolveLink(fileName);
    std::string temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0) return Fail(error, "cannot create a file beside " + target);

    bool ok = true;
    std::string what;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && ::fchmod(fd, existing.st_mode & 07777) != 0) {
        ok = false;
        what = "cannot keep the permissions of " + target;
    }
    if (ok && !WriteAll(fd, bytes.data(), bytes.size())) {
        ok = false;
        what = "cannot write " + temporary;
    }
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        what = "cannot flush " + temporary;
    }
    const int savedErrno = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        what = "cannot close " + temporary;
    } else {
        errno = savedErrno;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        what = "cannot replace " + target;
    }
    if (!ok) {
        const int reason = errno;
        ::unlink(temporary.c_str());
        errno = reason;
        return Fail(error, what);
    }
    // Make the rename itself durable; the content is complete either way.
    const int dir = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool WriteWholeFile(const std::string& fileName, const std::vector<std::uint8_t>& bytes,
                    std::string* error) {
    return WriteWholeFile(
        fileName, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
        error);
}

std::optional<std::string> ReadWholeFile(const std::string& fileName, std::string* error) {
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Fail(error, "cannot open " + fileName);
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            Fail(error, "cannot read " + fileName);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return content;
}

}  // namespace dsp
