// The SQLite engine's shared helpers: messages, connections, statements, row access.
#include "storage/SqliteSupport.h"

#include <fcntl.h>
#include <unistd.h>

#include "storage/SqliteEngine.h"
#include "storage/SqliteText.h"

namespace axo::storage {

namespace fs = std::filesystem;

namespace sqlite {

std::string EngineMessage(int rc, const std::string& detail) {
    const std::string tail = " (" + detail + ")";
    switch (rc & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return std::string(engine_text::kTableBusy) + tail;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return "Corrupt table file." + tail;
        case SQLITE_IOERR:
            return std::string(engine_text::kNotExact) + tail;
        case SQLITE_CANTOPEN:
            return std::string(engine_text::kCannotAccessDirectory) + tail;
        case SQLITE_FULL:
            return "Disk full." + tail;
        case SQLITE_READONLY:
        case SQLITE_PERM:
            return "Table is read only." + tail;
        case SQLITE_CONSTRAINT:
            if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY)
                return "Key violation." + tail;
            return "Field value out of range." + tail;
        default:
            return detail;
    }
}

[[noreturn]] void Throw(int rc, sqlite3* db, EngineError::Stage stage) {
    const std::string detail = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    throw EngineError(EngineMessage(rc, detail), stage);
}

Db OpenDb(const fs::path& path, bool create, int busyTimeoutMs, EngineError::Stage stage) {
    sqlite3* raw = nullptr;
    const int flags =
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK)
        Throw(rc, db.get(), stage);
    if (const int crc = ConfigureConnection(db.get(), busyTimeoutMs); crc != SQLITE_OK)
        Throw(crc, db.get(), stage);
    return db;
}

void Exec(sqlite3* db, const std::string& sql, EngineError::Stage stage) {
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        Throw(sqlite3_extended_errcode(db), db, stage);
}

std::string Quote(const Text& name) {
    std::string out = "\"";
    for (char c : ToUtf8(name)) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

void SyncDirectory(const fs::path& directory) {
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void RemoveQuiet(const fs::path& path) {
    std::error_code ec;
    fs::remove(path, ec);
}

fs::path JournalOf(const fs::path& dataFile) {
    return fs::path(dataFile.string() + "-journal");
}

fs::path WriteLogOf(const fs::path& dataFile) {
    return fs::path(dataFile.string() + "-log");
}

Statement::Statement(sqlite3* db, const std::string& sql) : db_(db) {
    const int rc = sqlite3_prepare_v3(db, sql.c_str(), static_cast<int>(sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
    if (rc != SQLITE_OK)
        Throw(sqlite3_extended_errcode(db), db);
}

bool Statement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const int extended = sqlite3_extended_errcode(db_);
    sqlite3_reset(stmt_);
    Throw(extended, db_);
}

std::size_t StatementReader::TextInto(int c, char* out, std::size_t capacity) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s_, c));
    if (!text)
        return 0;
    return Utf8ToCp1250(std::string_view(text, sqlite3_column_bytes(s_, c)), out, capacity);
}

Text StatementReader::GetText(int c) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s_, c));
    return text ? FromUtf8(std::string_view(text, sqlite3_column_bytes(s_, c))) : Text();
}

void StatementWriter::SetNull(int c) {
    if (const int p = Parameter(c)) {
        sqlite3_bind_null(s_, p);
        if (observer_)
            observer_->Null(c);
    }
}

void StatementWriter::SetInteger(int c, std::int64_t v) {
    if (const int p = Parameter(c)) {
        sqlite3_bind_int64(s_, p, v);
        if (observer_)
            observer_->Integer(c, v);
    }
}

void StatementWriter::SetReal(int c, double v) {
    if (const int p = Parameter(c)) {
        sqlite3_bind_double(s_, p, v);
        if (observer_)
            observer_->Real(c, v);
    }
}

void StatementWriter::SetText(int c, std::string_view text) {
    if (const int p = Parameter(c)) {
        scratch_.clear();
        AppendCp1250AsUtf8(scratch_, text);
        sqlite3_bind_text(s_, p, scratch_.data(), static_cast<int>(scratch_.size()),
                          SQLITE_TRANSIENT);
        if (observer_)
            observer_->Utf8(c, scratch_);
    }
}

}  // namespace sqlite

int ConfigureConnection(sqlite3* db, int busyTimeoutMs) {
    sqlite3_extended_result_codes(db, 1);
    if (const int rc = RegisterKeyCollation(db); rc != SQLITE_OK)
        return rc;
    sqlite3_busy_timeout(db, busyTimeoutMs);
    // The rollback journal works on network file systems, where WAL's shared memory does not;
    // with full synchronous commits a committed write survives a power cut.
    return sqlite3_exec(
        db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; PRAGMA cache_size=-65536;",
        nullptr, nullptr, nullptr);
}

}  // namespace axo::storage
