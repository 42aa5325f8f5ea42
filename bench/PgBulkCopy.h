// Filling a server table fast for the benchmarks: a SQLite table copied with one COPY, the
// rows as the PostgreSQL engine writes them (each key followed by its sort key).
#pragma once

#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "storage/PgEngine.h"
#include "storage/PgSupport.h"
#include "storage/SqliteEngine.h"
#include "storage/SqliteText.h"

namespace axo::storage {

/// `text` as a field of COPY's text format.
inline std::string CopyField(std::string_view text) {
    std::string out;
    for (char c : text) {
        const char* escape = c == '\\'   ? "\\\\"
                             : c == '\t' ? "\\t"
                             : c == '\n' ? "\\n"
                             : c == '\r' ? "\\r"
                                         : nullptr;
        if (escape)
            out += escape;
        else
            out += c;
    }
    return out;
}

/// Copies the table of `file` from SQLite into a new table of the server's engine `pg` with
/// one COPY: the rows as the engine would write them (a key with its sort key after it), much
/// faster than a statement per row.
inline void CopyInBulk(const std::string& conninfo, Engine& pg, const std::filesystem::path& file,
                       const std::filesystem::path& root) {
    const TableDef def = SqliteDefinition(file);
    pg.Create(file, def);
    PGconn* conn = PQconnectdb(conninfo.c_str());
    auto ok = [&](bool done) {
        if (!done) {
            std::fprintf(stderr, "PostgreSQL: %s\n", PQerrorMessage(conn));
            std::exit(1);
        }
    };
    PGresult* r =
        PQexec(conn, ("COPY " + pg::Name(pg::TableName(file, root)) + " FROM STDIN").c_str());
    ok(PQresultStatus(r) == PGRES_COPY_IN);
    PQclear(r);
    const auto source = MakeSqliteEngine()->Open(file, false);
    OrderPosition last;
    std::string buffer;
    for (int rows = -1; rows != 0;) {
        rows = source->Scan(
            0, ScanDirection::Forward, rows < 0 ? nullptr : &last, 5000, [&](const RowReader& row) {
                last.recordNumber = static_cast<std::int32_t>(row.Integer(0));
                for (std::size_t i = 0; i < def.columns.size(); ++i) {
                    const int k = static_cast<int>(i);
                    const ColumnKind kind = def.columns[i].kind;
                    buffer += i ? "\t" : "";
                    if (row.IsNull(k)) {
                        buffer += kind == ColumnKind::Key ? "\\N\t\\N" : "\\N";
                    } else if (kind == ColumnKind::Float) {
                        char text[40];
                        std::snprintf(text, sizeof text, "%.17g", row.Real(k));
                        buffer += text;
                    } else if (kind == ColumnKind::LockFlag || kind == ColumnKind::Boolean) {
                        buffer += kind == ColumnKind::Boolean && row.Integer(k) ? "t" : "f";
                    } else if (kind == ColumnKind::Key || kind == ColumnKind::String ||
                               kind == ColumnKind::Memo) {
                        const Text text = row.GetText(k);
                        std::string utf8;
                        AppendCp1250AsUtf8(utf8, text.View());
                        buffer += CopyField(utf8);
                        if (kind == ColumnKind::Key)
                            buffer += "\t" + CopyField(pg::ByteaHex(pg::KeySortKey(text.View())));
                    } else {
                        buffer += std::to_string(row.Integer(k));
                    }
                }
                buffer += '\n';
            });
        ok(PQputCopyData(conn, buffer.data(), static_cast<int>(buffer.size())) == 1);
        buffer.clear();
    }
    ok(PQputCopyEnd(conn, nullptr) == 1);
    r = PQgetResult(conn);
    ok(PQresultStatus(r) == PGRES_COMMAND_OK);
    PQclear(r);
    PQfinish(conn);
}

}  // namespace axo::storage
