// The real file system behind the Env seam: POSIX descriptors, pread/pwrite,
// fsync, and open-file-description locks (they conflict even between two handles
// of one process, so a second program and a second handle behave alike).
#include "io.h"
#include "table.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace paradox {
namespace {

std::string quoted(const std::filesystem::path& p) { return "«" + p.string() + "»"; }

[[noreturn]] void failIo(const std::string& what, const std::filesystem::path& p, int err) {
    throw Error(ErrorKind::Io, "Файл " + quoted(p) + ": " + what + " не удалось (" +
                                   std::strerror(err) + ").");
}

class PosixFile : public File {
public:
    PosixFile(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}
    ~PosixFile() override {
        if (locked_) unlock();
        ::close(fd_);
    }
    std::uint64_t size() override {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) failIo("узнать размер", path_, errno);
        return static_cast<std::uint64_t>(st.st_size);
    }
    std::size_t read(std::uint64_t offset, void* buffer, std::size_t n) override {
        std::size_t done = 0;
        auto* out = static_cast<char*>(buffer);
        while (done < n) {
            ssize_t r = ::pread(fd_, out + done, n - done, static_cast<off_t>(offset + done));
            if (r < 0) {
                if (errno == EINTR) continue;
                failIo("прочитать", path_, errno);
            }
            if (r == 0) break;
            done += static_cast<std::size_t>(r);
        }
        return done;
    }
    void write(std::uint64_t offset, const void* data, std::size_t n) override {
        std::size_t done = 0;
        const auto* in = static_cast<const char*>(data);
        while (done < n) {
            ssize_t r = ::pwrite(fd_, in + done, n - done, static_cast<off_t>(offset + done));
            if (r < 0) {
                if (errno == EINTR) continue;
                failIo("записать", path_, errno);
            }
            done += static_cast<std::size_t>(r);
        }
    }
    void truncate(std::uint64_t size) override {
        if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) failIo("обрезать", path_, errno);
    }
    void sync() override {
        if (::fsync(fd_) != 0) failIo("сбросить на диск", path_, errno);
    }
    bool tryLock() override { return lock(F_WRLCK); }
    bool tryLockShared() override { return lock(F_RDLCK); }
    bool lock(short type) {
        struct flock fl {};
        fl.l_type = type;
        fl.l_whence = SEEK_SET;
        if (::fcntl(fd_, F_OFD_SETLK, &fl) == 0) {
            locked_ = true;
            return true;
        }
        if (errno == EACCES || errno == EAGAIN) return false;
        failIo("заблокировать", path_, errno);
    }
    void unlock() override {
        struct flock fl {};
        fl.l_type = F_UNLCK;
        fl.l_whence = SEEK_SET;
        ::fcntl(fd_, F_OFD_SETLK, &fl);
        locked_ = false;
    }

private:
    int fd_;
    std::filesystem::path path_;
    bool locked_ = false;
};

class PosixEnv : public Env {
public:
    std::unique_ptr<File> open(const std::filesystem::path& path, OpenMode mode) override {
        int flags = O_CLOEXEC;
        switch (mode) {
            case OpenMode::Read: flags |= O_RDONLY; break;
            case OpenMode::ReadWrite: flags |= O_RDWR; break;
            case OpenMode::CreateNew: flags |= O_RDWR | O_CREAT | O_EXCL; break;
        }
        int fd;
        do {
            fd = ::open(path.c_str(), flags, 0644);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) {
            int err = errno;
            if (err == ENOENT)
                throw Error(ErrorKind::NotFound, "Файл " + quoted(path) + " не найден.");
            if (err == EACCES || err == EROFS || err == EPERM)
                throw Error(ErrorKind::ReadOnly, "Файл " + quoted(path) + " недоступен для записи.");
            if (err == EISDIR)
                throw Error(ErrorKind::NotParadox, "«" + path.string() + "» — это папка, а не файл таблицы.");
            if (err == EEXIST)
                throw Error(ErrorKind::Io, "Файл " + quoted(path) + " уже существует.");
            failIo("открыть", path, err);
        }
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd);
            throw Error(ErrorKind::NotParadox, "«" + path.string() + "» — это папка, а не файл таблицы.");
        }
        return std::make_unique<PosixFile>(fd, path);
    }
    bool exists(const std::filesystem::path& path) override {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0;
    }
    void remove(const std::filesystem::path& path) override {
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) failIo("удалить", path, errno);
    }
    void rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (::rename(from.c_str(), to.c_str()) != 0) failIo("переименовать", from, errno);
    }
    void syncFolder(const std::filesystem::path& folder) override {
        auto dir = folder.empty() ? std::filesystem::path(".") : folder;
        int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return;  // some file systems do not let a folder be opened; nothing to sync then
        ::fsync(fd);
        ::close(fd);
    }
    bool writable(const std::filesystem::path& path) override {
        return ::access(path.c_str(), W_OK) == 0;
    }
};

}  // namespace

Env& defaultEnv() {
    static PosixEnv env;
    return env;
}

}  // namespace paradox
