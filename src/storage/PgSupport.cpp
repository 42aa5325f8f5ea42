// The PostgreSQL engine's shared helpers.
#include "storage/PgSupport.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>

#include "storage/SqliteText.h"

namespace axo::storage::pg {

namespace fs = std::filesystem;

namespace {

std::string EngineMessage(const std::string& state, const std::string& detail) {
    const std::string tail = " (" + detail + ")";
    if (state == "23505")
        return "Key violation." + tail;
    if (state.rfind("22", 0) == 0 || state.rfind("23", 0) == 0)
        return "Field value out of range." + tail;
    if (state == "40001" || state == "40P01" || state == "55P03" || state == "57014")
        return std::string(engine_text::kTableBusy) + tail;
    if (state == "53100")
        return "Disk full." + tail;
    if (state == "42501")
        return "Table is read only." + tail;
    if (state == "42P01" || state == "42703")
        return std::string(engine_text::kCorrupt) + " table. (" + detail + ")";
    if (state.rfind("08", 0) == 0 || state.rfind("57", 0) == 0 || state.empty())
        return std::string(engine_text::kNotExact) + tail;
    return detail;
}

std::string Trimmed(const char* text) {
    std::string s = text ? text : "";
    while (!s.empty() && (s.back() == '\n' || s.back() == ' '))
        s.pop_back();
    return s;
}

}  // namespace

Connection::Connection(const std::string& conninfo, EngineError::Stage stage) : pid_(::getpid()) {
    conn_ = PQconnectdb(conninfo.c_str());
    if (PQstatus(conn_) != CONNECTION_OK) {
        const std::string reason = Trimmed(PQerrorMessage(conn_));
        PQfinish(conn_);
        conn_ = nullptr;
        throw EngineError(std::string(engine_text::kCannotAccessDirectory) +
                              " (the database server cannot be reached: " + reason + ")",
                          stage);
    }
    // Messages in English whatever the server's language, so that the layer recognises them;
    // texts travel as UTF-8.
    PQsetClientEncoding(conn_, "UTF8");
    PQclear(PQexec(conn_, "SET client_min_messages TO warning"));
}

Connection::~Connection() {
    if (conn_ && Owned()) {
        // The locks go before this returns, not once the server notices the session's end.
        PQclear(PQexec(conn_, "SELECT pg_advisory_unlock_all()"));
        PQfinish(conn_);
    }
}

bool Connection::Owned() const {
    return pid_ == ::getpid();
}

Result Connection::Try(const std::string& sql, const Params& params) {
    if (!conn_ || !Owned())
        throw EngineError(std::string(engine_text::kNotExact) +
                          " (the database connection belongs to another process)");
    std::vector<const char*> values;
    for (std::size_t i = 0; i < params.values.size(); ++i)
        values.push_back(params.isNull[i] ? nullptr : params.values[i].c_str());
    Result r(PQexecParams(conn_, sql.c_str(), static_cast<int>(values.size()), nullptr,
                          values.data(), nullptr, nullptr, 0));
    if (!r.Get())
        throw EngineError(std::string(engine_text::kNotExact) + " (" +
                          Trimmed(PQerrorMessage(conn_)) + ")");
    return r;
}

Result Connection::Exec(const std::string& sql, EngineError::Stage stage) {
    return Exec(sql, Params{}, stage);
}

Result Connection::Exec(const std::string& sql, const Params& params, EngineError::Stage stage) {
    Result r = Try(sql, params);
    if (!Succeeded(r))
        Throw(r, Trimmed(PQerrorMessage(conn_)), stage);
    return r;
}

void Connection::Abandon() noexcept {
    // The server undoes an open transaction and drops the session's locks when it ends.
    if (conn_ && Owned())
        PQfinish(conn_);
    conn_ = nullptr;
}

bool Succeeded(const Result& r) {
    const ExecStatusType s = PQresultStatus(r.Get());
    return s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK;
}

std::string SqlState(const Result& r) {
    const char* state = PQresultErrorField(r.Get(), PG_DIAG_SQLSTATE);
    return state ? state : "";
}

void Throw(const Result& r, const std::string& fallback, EngineError::Stage stage) {
    const char* primary = PQresultErrorField(r.Get(), PG_DIAG_MESSAGE_PRIMARY);
    const std::string message = Trimmed(primary);
    throw EngineError(EngineMessage(SqlState(r), message.empty() ? fallback : message), stage);
}

std::string Name(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

std::string Name(const Text& name) {
    return Name(ToUtf8(name));
}

std::string SortKeyName(std::string_view column) {
    return Name(std::string(column) + "#sk");
}

std::string Literal(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

namespace {

std::uint32_t Fnv(std::string_view s) {
    std::uint32_t h = 2166136261u;
    for (char c : s) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

std::string NamePart(const std::string& part) {
    std::string out;
    for (char c : part) {
        const auto b = static_cast<unsigned char>(c);
        out += b < 0x20 || c == '"' ? '_' : static_cast<char>(std::tolower(b));
    }
    return out;
}

}  // namespace

std::string TableName(const fs::path& dataFile, const fs::path& root) {
    auto normal = [](const fs::path& p) {
        fs::path n = p.lexically_normal();
        return n.has_filename() || !n.has_parent_path() ? n : n.parent_path();
    };
    const fs::path directory = normal(dataFile.parent_path());
    fs::path relative;
    if (!root.empty()) {
        relative = directory.lexically_relative(normal(root));
        if (!relative.empty() && *relative.begin() == "..")
            relative.clear();
    }
    if (relative.empty())
        relative = directory.filename();
    std::string name;
    for (const fs::path& step : relative)
        if (step != "." && !step.empty())
            name += NamePart(step.string()) + "/";
    name += NamePart(dataFile.stem().string());
    if (name.size() > kNameLimit) {
        char hash[10];
        std::snprintf(hash, sizeof hash, "~%08x", Fnv(name));
        name = name.substr(0, kNameLimit - 9) + hash;
    }
    return name;
}

std::int32_t LockKey(const std::string& table) {
    return static_cast<std::int32_t>(Fnv(table));
}

std::string KeySortKey(std::string_view cp1250) {
    const unsigned blank = KeyWeight(' ');
    std::size_t end = cp1250.size();
    while (end > 0 && KeyWeight(static_cast<unsigned char>(cp1250[end - 1])) == blank)
        --end;
    std::string key;
    key.reserve(end * 3 + 3);
    for (std::size_t i = 0; i < end; ++i) {
        const unsigned w = KeyWeight(static_cast<unsigned char>(cp1250[i]));
        key += static_cast<char>(w >> 8);
        key += static_cast<char>(w & 0xFF);
        if (w != blank)
            continue;
        std::size_t next = i + 1;
        while (KeyWeight(static_cast<unsigned char>(cp1250[next])) == blank)
            ++next;  // a run never ends the key: trailing blanks are cut
        const bool after = KeyWeight(static_cast<unsigned char>(cp1250[next])) > blank;
        key += static_cast<char>(after ? 0xFF : 0x00);
    }
    key += static_cast<char>(blank >> 8);
    key += static_cast<char>(blank & 0xFF);
    key += static_cast<char>(0x80);
    return key;
}

std::string ByteaHex(std::string_view bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out = "\\x";
    out.reserve(2 + bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

}  // namespace axo::storage::pg
