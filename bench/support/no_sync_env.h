// For generating benchmark tables only: the real file system with every sync skipped, so
// that 100,000 durable inserts take a minute instead of an hour. The files are the same.
#pragma once

#include "platform/paradox/io.h"

#include <filesystem>
#include <memory>

namespace bench_support {

class NoSyncEnv final : public paradox::Env {
    class NoSyncFile final : public paradox::File {
    public:
        explicit NoSyncFile(std::unique_ptr<paradox::File> f) : f_(std::move(f)) {}
        std::uint64_t size() override { return f_->size(); }
        std::size_t read(std::uint64_t o, void* b, std::size_t n) override { return f_->read(o, b, n); }
        void write(std::uint64_t o, const void* d, std::size_t n) override { f_->write(o, d, n); }
        void truncate(std::uint64_t s) override { f_->truncate(s); }
        void sync() override {}
        bool tryLock() override { return f_->tryLock(); }
        bool tryLockShared() override { return f_->tryLockShared(); }
        void unlock() override { f_->unlock(); }

    private:
        std::unique_ptr<paradox::File> f_;
    };

public:
    std::unique_ptr<paradox::File> open(const std::filesystem::path& p, paradox::OpenMode m) override {
        return std::make_unique<NoSyncFile>(base_.open(p, m));
    }
    bool exists(const std::filesystem::path& p) override { return base_.exists(p); }
    void remove(const std::filesystem::path& p) override { base_.remove(p); }
    void rename(const std::filesystem::path& a, const std::filesystem::path& b) override { base_.rename(a, b); }
    void syncFolder(const std::filesystem::path&) override {}
    bool writable(const std::filesystem::path& p) override { return base_.writable(p); }

private:
    paradox::Env& base_ = paradox::defaultEnv();
};

}  // namespace bench_support
