// Zip containers through libzip, on an in-memory source, so that the file is written whole by
// its caller.
#include "office/ZipArchive.h"

#include <zip.h>

#include <cstdio>

namespace axo::office {

namespace {

bool AddEntries(zip_t* archive, const std::vector<ZipEntry>& entries) {
    for (const ZipEntry& e : entries) {
        zip_source_t* data = zip_source_buffer(archive, e.bytes.data(), e.bytes.size(), 0);
        if (data == nullptr)
            return false;
        const zip_int64_t index =
            zip_file_add(archive, e.name.c_str(), data, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(data);
            return false;
        }
        const zip_int32_t method = e.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        if (zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), method, 0) != 0)
            return false;
    }
    return true;
}

std::optional<std::string> SourceBytes(zip_source_t* source) {
    if (zip_source_open(source) != 0)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    zip_int64_t got = 0;
    while ((got = zip_source_read(source, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(got));
    zip_source_close(source);
    if (got < 0)
        return std::nullopt;
    return bytes;
}

}  // namespace

std::optional<std::string> ZipBytes(const std::vector<ZipEntry>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (source == nullptr)
        return std::nullopt;
    zip_t* archive = zip_open_from_source(source, ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        zip_source_free(source);
        zip_error_fini(&error);
        return std::nullopt;
    }
    // The source outlives the archive: the archive's bytes are read from it after closing.
    zip_source_keep(source);
    if (!AddEntries(archive, entries) || zip_close(archive) != 0) {
        zip_discard(archive);
        zip_source_free(source);
        return std::nullopt;
    }
    std::optional<std::string> bytes = SourceBytes(source);
    zip_source_free(source);
    return bytes;
}

}  // namespace axo::office
