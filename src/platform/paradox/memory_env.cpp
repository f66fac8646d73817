// Files in memory behind the Env seam.
#include "io.h"
#include "table.h"

#include <cstring>

namespace paradox {
namespace {

class MemoryFile : public File {
public:
    explicit MemoryFile(std::shared_ptr<std::string> bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() override { return bytes_->size(); }
    std::size_t read(std::uint64_t offset, void* buffer, std::size_t n) override {
        if (offset >= bytes_->size()) return 0;
        const std::size_t got = std::min<std::size_t>(n, bytes_->size() - static_cast<std::size_t>(offset));
        std::memcpy(buffer, bytes_->data() + offset, got);
        return got;
    }
    void write(std::uint64_t offset, const void* data, std::size_t n) override {
        if (offset + n > (1ull << 32)) throw Error(ErrorKind::Io, "Файл в памяти не может быть больше 4 ГБ.");
        if (bytes_->size() < offset + n) bytes_->resize(static_cast<std::size_t>(offset + n));
        std::memcpy(bytes_->data() + offset, data, n);
    }
    void truncate(std::uint64_t size) override { bytes_->resize(static_cast<std::size_t>(size)); }
    void sync() override {}
    bool tryLock() override { return true; }
    bool tryLockShared() override { return true; }
    void unlock() override {}

private:
    std::shared_ptr<std::string> bytes_;
};

}  // namespace

void MemoryEnv::put(const std::filesystem::path& path, std::string bytes) {
    files_[path.string()] = std::make_shared<std::string>(std::move(bytes));
}

const std::string* MemoryEnv::get(const std::filesystem::path& path) const {
    auto it = files_.find(path.string());
    return it == files_.end() ? nullptr : it->second.get();
}

std::unique_ptr<File> MemoryEnv::open(const std::filesystem::path& path, OpenMode mode) {
    auto it = files_.find(path.string());
    if (mode == OpenMode::CreateNew) {
        if (it != files_.end()) throw Error(ErrorKind::Io, "Файл «" + path.string() + "» уже существует.");
        it = files_.emplace(path.string(), std::make_shared<std::string>()).first;
    } else if (it == files_.end()) {
        throw Error(ErrorKind::NotFound, "Файл «" + path.string() + "» не найден.");
    }
    return std::make_unique<MemoryFile>(it->second);
}

bool MemoryEnv::exists(const std::filesystem::path& path) { return files_.count(path.string()) != 0; }
void MemoryEnv::remove(const std::filesystem::path& path) { files_.erase(path.string()); }
void MemoryEnv::rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    auto it = files_.find(from.string());
    if (it == files_.end()) throw Error(ErrorKind::NotFound, "Файл «" + from.string() + "» не найден.");
    files_[to.string()] = it->second;
    files_.erase(from.string());
}

}  // namespace paradox
