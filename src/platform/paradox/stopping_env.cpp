// An Env that lets a test stop a change after any number of writes and syncs.
#include "io.h"

namespace paradox {
namespace {

class StoppingFile : public File {
public:
    StoppingFile(std::unique_ptr<File> inner, StoppingEnv& env) : inner_(std::move(inner)), env_(env) {}
    std::uint64_t size() override { return inner_->size(); }
    std::size_t read(std::uint64_t offset, void* buffer, std::size_t n) override {
        if (env_.stopped()) throw StoppingEnv::Stopped{};
        return inner_->read(offset, buffer, n);
    }
    void write(std::uint64_t offset, const void* data, std::size_t n) override {
        env_.spend();
        inner_->write(offset, data, n);
    }
    void truncate(std::uint64_t size) override {
        env_.spend();
        inner_->truncate(size);
    }
    void sync() override {
        env_.spend();
        inner_->sync();
    }
    bool tryLock() override {
        if (env_.lockHeldElsewhere) return false;
        return inner_->tryLock();
    }
    bool tryLockShared() override {
        if (env_.lockHeldElsewhere) return false;
        return inner_->tryLockShared();
    }
    void unlock() override { inner_->unlock(); }

private:
    std::unique_ptr<File> inner_;
    StoppingEnv& env_;
};

}  // namespace

StoppingEnv::StoppingEnv(long writeAndSyncBudget, Env& base) : base_(base), budget_(writeAndSyncBudget) {}

void StoppingEnv::spend() {
    if (stopped_) throw Stopped{};
    if (budget_ >= 0 && used_ >= budget_) {
        stopped_ = true;
        throw Stopped{};
    }
    ++used_;
}

std::unique_ptr<File> StoppingEnv::open(const std::filesystem::path& path, OpenMode mode) {
    if (stopped_) throw Stopped{};
    return std::make_unique<StoppingFile>(base_.open(path, mode), *this);
}
bool StoppingEnv::exists(const std::filesystem::path& path) { return base_.exists(path); }
void StoppingEnv::remove(const std::filesystem::path& path) {
    spend();
    base_.remove(path);
}
void StoppingEnv::rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    spend();
    base_.rename(from, to);
}
void StoppingEnv::syncFolder(const std::filesystem::path& folder) {
    spend();
    base_.syncFolder(folder);
}
bool StoppingEnv::writable(const std::filesystem::path& path) { return !filesReadOnly && base_.writable(path); }

}  // namespace paradox
