#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace tessaly {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }
    int get() const { return fd_; }
    bool close()
    {
        if (fd_ < 0) return true;
        int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0;
    }

private:
    int fd_;
};

std::string folderOf(const std::string& path)
{
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool writeAll(int fd, std::string_view bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::optional<uint64_t> fileSizeOf(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return static_cast<uint64_t>(info.st_size);
}

bool readWholeFile(const std::string& path, std::string& bytes)
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return false;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    std::string result;
    char chunk[65536];
    for (;;) {
        ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        result.append(chunk, static_cast<size_t>(n));
    }
    bytes.swap(result);
    return true;
}

bool writeFileReplacing(const std::string& path, std::string_view bytes)
{
    return writeFileReplacing(path, {bytes});
}

bool writeFileReplacing(const std::string& path, std::initializer_list<std::string_view> pieces,
                        const std::string& previousVersion)
{
    std::string pattern = folderOf(path) + ".tessaly-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    FileDescriptor fd(::mkstemp(name.data()));
    if (fd.get() < 0) return false;
    std::string tempPath(name.data());
    bool ok = ::fchmod(fd.get(), 0644) == 0;
    for (std::string_view piece : pieces) ok = ok && writeAll(fd.get(), piece);
    ok = ok && ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    // The old file gets its second name before the new one takes its first.
    if (ok && !previousVersion.empty() && ::access(path.c_str(), F_OK) == 0) {
        ::unlink(previousVersion.c_str());
        ok = ::link(path.c_str(), previousVersion.c_str()) == 0;
    }
    if (ok && ::rename(tempPath.c_str(), path.c_str()) == 0) return true;
    ::unlink(tempPath.c_str());
    return false;
}

bool isReadableFile(const std::string& path)
{
    if (path.empty()) return false;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    return fd.get() >= 0 && ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace tessaly
