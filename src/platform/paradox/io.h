// File-system seam of the table library: every byte that reaches or leaves a table
// file goes through an Env, so that tests can make a write fail, a lock be held
// elsewhere, or the process "stop" between two writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace paradox {

enum class OpenMode { Read, ReadWrite, CreateNew };

class File {
public:
    virtual ~File() = default;
    virtual std::uint64_t size() = 0;
    // Reads up to n bytes at offset; returns how many were there (fewer at the end).
    virtual std::size_t read(std::uint64_t offset, void* buffer, std::size_t n) = 0;
    virtual void write(std::uint64_t offset, const void* data, std::size_t n) = 0;
    virtual void truncate(std::uint64_t size) = 0;
    virtual void sync() = 0;
    // Exclusive write lock for the length of one change; false when another
    // program (or another handle of this one) holds it.
    virtual bool tryLock() = 0;
    // Shared lock for reading the file whole: false while a change holds the write lock.
    virtual bool tryLockShared() = 0;
    virtual void unlock() = 0;
};

class Env {
public:
    virtual ~Env() = default;
    // Throws Error (NotFound, ReadOnly, Io) naming the path.
    virtual std::unique_ptr<File> open(const std::filesystem::path& path, OpenMode mode) = 0;
    virtual bool exists(const std::filesystem::path& path) = 0;
    virtual void remove(const std::filesystem::path& path) = 0;
    virtual void rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Makes a created, renamed or removed entry of the folder durable.
    virtual void syncFolder(const std::filesystem::path& folder) = 0;
    // Whether the process may write the file (permissions).
    virtual bool writable(const std::filesystem::path& path) = 0;
};

// The real POSIX file system.
Env& defaultEnv();

// An Env over the real file system that stops after a given number of writes or
// syncs: the operation that would exceed the budget throws Stopped, and every later
// one does too, as if the process had died there.
class StoppingEnv : public Env {
public:
    struct Stopped {};
    explicit StoppingEnv(long writeAndSyncBudget, Env& base = defaultEnv());
    std::unique_ptr<File> open(const std::filesystem::path& path, OpenMode mode) override;
    bool exists(const std::filesystem::path& path) override;
    void remove(const std::filesystem::path& path) override;
    void rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    void syncFolder(const std::filesystem::path& folder) override;
    bool writable(const std::filesystem::path& path) override;

    // Counts one write or sync; throws Stopped once the budget is spent.
    void spend();
    long used() const { return used_; }
    bool stopped() const { return stopped_; }
    // Makes tryLock answer "held elsewhere" (a lock held by another program).
    bool lockHeldElsewhere = false;
    // Makes writable answer no, as for a file without write permission.
    bool filesReadOnly = false;

private:
    Env& base_;
    long budget_;
    long used_ = 0;
    bool stopped_ = false;
};

// Files held in memory, by path: for the fuzz harness and fast tests.
class MemoryEnv : public Env {
public:
    void put(const std::filesystem::path& path, std::string bytes);
    const std::string* get(const std::filesystem::path& path) const;
    std::unique_ptr<File> open(const std::filesystem::path& path, OpenMode mode) override;
    bool exists(const std::filesystem::path& path) override;
    void remove(const std::filesystem::path& path) override;
    void rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    void syncFolder(const std::filesystem::path&) override {}
    bool writable(const std::filesystem::path& path) override { return exists(path); }

private:
    std::map<std::string, std::shared_ptr<std::string>> files_;
};

}  // namespace paradox
