#include "platform/docx/zip_archive.h"

#include "platform/docx/error.h"

#include <zip.h>

#include <algorithm>

namespace docx {
namespace {

std::string zipErrorText(zip_error_t* error)
{
    return zip_error_strerror(error);
}

std::string megabytes(std::uint64_t bytes)
{
    return std::to_string(bytes >> 20) + " МБ";
}

// Opens an archive over an in-memory source; the source stays alive after zip_close/zip_discard
// when `keep` is set, so that a written archive can be read back from it.
zip_t* openOver(zip_source_t* source, int flags, const std::string& displayName)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_t* archive = zip_open_from_source(source, flags, &error);
    if (archive == nullptr) {
        const int code = zip_error_code_zip(&error);
        std::string reason = zipErrorText(&error);
        zip_error_fini(&error);
        if (code == ZIP_ER_NOZIP)
            throw Error("Файл «" + displayName + "» не является документом .docx: это не ZIP-архив. "
                        "Замените его исправным документом.");
        throw Error("Файл «" + displayName + "» повреждён: архив не читается (" + reason +
                    "). Замените его исправным документом.");
    }
    zip_error_fini(&error);
    return archive;
}

std::string readBack(zip_source_t* source, const std::string& displayName)
{
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_open(source) < 0)
        throw Error("Не удалось собрать документ «" + displayName + "»: " +
                    zipErrorText(zip_source_error(source)));
    if (zip_source_stat(source, &st) < 0) {
        zip_source_close(source);
        throw Error("Не удалось собрать документ «" + displayName + "»: " +
                    zipErrorText(zip_source_error(source)));
    }
    std::string out(static_cast<std::size_t>(st.size), '\0');
    zip_int64_t got = out.empty() ? 0 : zip_source_read(source, out.data(), out.size());
    zip_source_close(source);
    if (got < 0 || static_cast<std::uint64_t>(got) != st.size)
        throw Error("Не удалось собрать документ «" + displayName + "»: данные архива не читаются");
    return out;
}

struct SourceGuard {
    zip_source_t* source;
    ~SourceGuard() { zip_source_free(source); }
};

}  // namespace

struct ZipReader::Handle {
    zip_t* archive = nullptr;
    ~Handle()
    {
        if (archive != nullptr)
            zip_discard(archive);
    }
};

ZipReader::ZipReader(const std::string& bytes, std::string displayName, ZipLimits limits)
    : handle_(std::make_unique<Handle>()), displayName_(std::move(displayName)), limits_(limits)
{
    if (bytes.empty())
        throw Error("Файл «" + displayName_ + "» пуст: это не ZIP-архив документа .docx. "
                    "Замените его исправным документом.");
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_error_fini(&error);
    if (source == nullptr)
        throw Error("Файл «" + displayName_ + "» не читается: не хватает памяти");
    try {
        handle_->archive = openOver(source, ZIP_RDONLY, displayName_);
    } catch (...) {
        zip_source_free(source);
        throw;
    }
    const zip_int64_t count = zip_get_num_entries(handle_->archive, 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > limits_.maxEntries)
        throw Error("Файл «" + displayName_ + "» содержит слишком много частей (" +
                    std::to_string(count) + "); это не похоже на документ .docx.");
    std::uint64_t total = 0;
    names_.reserve(static_cast<std::size_t>(count));
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(handle_->archive, static_cast<zip_uint64_t>(i), 0, &st) < 0 ||
            (st.valid & ZIP_STAT_NAME) == 0)
            throw Error("Файл «" + displayName_ + "» повреждён: запись архива № " + std::to_string(i + 1) +
                        " не читается.");
        if ((st.valid & ZIP_STAT_SIZE) != 0) {
            if (st.size > limits_.maxEntrySize)
                throw Error("Файл «" + displayName_ + "»: часть «" + st.name +
                            "» при распаковке превышает допустимый размер " + megabytes(limits_.maxEntrySize) +
                            ". Замените документ исправным.");
            total += st.size;
            if (total > limits_.maxTotalSize)
                throw Error("Файл «" + displayName_ + "» при распаковке превышает допустимый размер " +
                            megabytes(limits_.maxTotalSize) + ". Замените документ исправным.");
        }
        names_.emplace_back(st.name);
    }
}

ZipReader::~ZipReader() = default;

bool ZipReader::contains(const std::string& name) const
{
    return std::find(names_.begin(), names_.end(), name) != names_.end();
}

std::string ZipReader::read(const std::string& name) const
{
    const zip_int64_t index = zip_name_locate(handle_->archive, name.c_str(), 0);
    if (index < 0)
        throw Error("Файл «" + displayName_ + "»: в пакете нет части «" + name + "».");
    zip_file_t* file = zip_fopen_index(handle_->archive, static_cast<zip_uint64_t>(index), 0);
    if (file == nullptr)
        throw Error("Файл «" + displayName_ + "»: часть «" + name + "» не читается (" +
                    zipErrorText(zip_get_error(handle_->archive)) + ").");
    // Read in chunks and stop at the bound: the declared size of a broken entry may lie.
    std::string out;
    char buffer[64 * 1024];
    for (;;) {
        const zip_int64_t got = zip_fread(file, buffer, sizeof buffer);
        if (got < 0) {
            std::string reason = zipErrorText(zip_file_get_error(file));
            zip_fclose(file);
            throw Error("Файл «" + displayName_ + "»: часть «" + name + "» повреждена (" + reason + ").");
        }
        if (got == 0)
            break;
        if (out.size() + static_cast<std::uint64_t>(got) > limits_.maxEntrySize) {
            zip_fclose(file);
            throw Error("Файл «" + displayName_ + "»: часть «" + name +
                        "» при распаковке превышает допустимый размер " + megabytes(limits_.maxEntrySize) +
                        ". Замените документ исправным.");
        }
        out.append(buffer, static_cast<std::size_t>(got));
    }
    zip_fclose(file);
    return out;
}

std::string rewriteZip(const std::string& original, const std::map<std::string, std::string>& replaced,
                       const std::string& displayName)
{
    if (replaced.empty())
        return original;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(original.data(), original.size(), 0, &error);
    zip_error_fini(&error);
    if (source == nullptr)
        throw Error("Не удалось собрать документ «" + displayName + "»: не хватает памяти");
    zip_source_keep(source);
    SourceGuard guard{source};
    zip_t* archive = nullptr;
    try {
        archive = openOver(source, 0, displayName);
    } catch (...) {
        zip_source_free(source);  // the reference zip_open_from_source did not take
        throw;
    }
    for (const auto& [name, data] : replaced) {
        const zip_int64_t index = zip_name_locate(archive, name.c_str(), 0);
        zip_stat_t st;
        zip_stat_init(&st);
        zip_source_t* part = zip_source_buffer(archive, data.data(), data.size(), 0);
        if (index < 0 || part == nullptr || zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &st) < 0 ||
            zip_file_replace(archive, static_cast<zip_uint64_t>(index), part, 0) < 0) {
            if (part != nullptr)
                zip_source_free(part);
            std::string reason = zipErrorText(zip_get_error(archive));
            zip_discard(archive);
            throw Error("Не удалось собрать документ «" + displayName + "»: часть «" + name + "» (" + reason + ")");
        }
        if ((st.valid & ZIP_STAT_MTIME) != 0)
            zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), st.mtime, 0);
    }
    if (zip_close(archive) < 0) {
        std::string reason = zipErrorText(zip_get_error(archive));
        zip_discard(archive);
        throw Error("Не удалось собрать документ «" + displayName + "»: " + reason);
    }
    return readBack(source, displayName);
}

std::string writeZip(const std::vector<ZipEntry>& entries, std::time_t mtime)
{
    const std::string displayName = "новый документ";
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_error_fini(&error);
    if (source == nullptr)
        throw Error("Не удалось собрать документ: не хватает памяти");
    zip_source_keep(source);
    SourceGuard guard{source};
    zip_t* archive = nullptr;
    try {
        archive = openOver(source, ZIP_TRUNCATE, displayName);
    } catch (...) {
        zip_source_free(source);
        throw;
    }
    for (const ZipEntry& entry : entries) {
        zip_source_t* part = zip_source_buffer(archive, entry.data.data(), entry.data.size(), 0);
        const zip_int64_t index =
            part == nullptr ? -1 : zip_file_add(archive, entry.name.c_str(), part, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            if (part != nullptr)
                zip_source_free(part);
            std::string reason = zipErrorText(zip_get_error(archive));
            zip_discard(archive);
            throw Error("Не удалось собрать документ: часть «" + entry.name + "» (" + reason + ")");
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 9);
        zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), mtime, 0);
    }
    if (zip_close(archive) < 0) {
        std::string reason = zipErrorText(zip_get_error(archive));
        zip_discard(archive);
        throw Error("Не удалось собрать документ: " + reason);
    }
    return readBack(source, displayName);
}

}  // namespace docx
