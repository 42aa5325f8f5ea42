// Writing workbooks through libxlsxwriter.
#include "office/XlsxWorkbook.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "office/ListingDocument.h"
#include "util/AtomicFile.h"

namespace axo::office {

namespace {

struct Formats {
    lxw_format* heading = nullptr;
    lxw_format* amount = nullptr;
    lxw_format* date = nullptr;
};

Formats MakeFormats(lxw_workbook* book) {
    Formats f;
    f.heading = workbook_add_format(book);
    format_set_bold(f.heading);
    f.amount = workbook_add_format(book);
    format_set_num_format(f.amount, "#,##0.00");
    f.date = workbook_add_format(book);
    format_set_num_format(f.date, "d.m.yyyy");
    return f;
}

lxw_error WriteCell(lxw_worksheet* sheet, lxw_row_t r, lxw_col_t c, const SheetCell& cell,
                    bool heading, const Formats& f) {
    switch (cell.kind) {
        case SheetCell::Kind::Empty:
            return LXW_NO_ERROR;
        case SheetCell::Kind::Number:
            return worksheet_write_number(sheet, r, c, cell.number, f.amount);
        case SheetCell::Kind::Date: {
            lxw_datetime when{cell.year, cell.month, cell.day, 0, 0, 0};
            return worksheet_write_datetime(sheet, r, c, &when, f.date);
        }
        case SheetCell::Kind::Text:
            return worksheet_write_string(sheet, r, c, cell.text.c_str(),
                                          heading ? f.heading : nullptr);
    }
    return LXW_NO_ERROR;
}

/// The sheet names of the tables, made unique by a number in brackets.
std::vector<std::string> UniqueSheetNames(const std::vector<SheetTable>& tables) {
    std::vector<std::string> names;
    for (const SheetTable& table : tables) {
        const std::string base = SheetName(table.name);
        std::string name = base;
        for (int n = 2; std::find(names.begin(), names.end(), name) != names.end(); ++n) {
            const std::string suffix = " (" + std::to_string(n) + ")";
            name = SheetName(Utf8(CodePoints(base).substr(0, 31 - suffix.size()))) + suffix;
        }
        names.push_back(name);
    }
    return names;
}

bool FillSheet(lxw_workbook* book, const Formats& f, const SheetTable& table,
               const std::string& name) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, name.c_str());
    if (sheet == nullptr)
        return false;
    if (table.landscape)
        worksheet_set_landscape(sheet);
    worksheet_set_paper(sheet, 9);  // A4
    for (std::size_t c = 0; c < table.columnWidths.size(); ++c)
        worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                             std::max(table.columnWidths[c], 4) + 1.0, nullptr);
    if (table.frozenRows > 0)
        worksheet_freeze_panes(sheet, static_cast<lxw_row_t>(table.frozenRows), 0);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const SheetRow& row = table.rows[r];
        for (std::size_t c = 0; c < row.cells.size(); ++c)
            if (WriteCell(sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c), row.cells[c],
                          row.heading, f) != LXW_NO_ERROR)
                return false;
    }
    return true;
}

}  // namespace

std::string SheetName(std::string_view title) {
    std::u32string name;
    for (const char32_t ch : CodePoints(title)) {
        if (name.size() == 31)
            break;
        name.push_back(std::u32string_view(U"[]:*?/\\'").find(ch) == std::u32string_view::npos &&
                               ch >= 0x20
                           ? ch
                           : U' ');
    }
    while (!name.empty() && name.back() == U' ')
        name.pop_back();
    while (!name.empty() && name.front() == U' ')
        name.erase(0, 1);
    return name.empty() ? "Sestava" : Utf8(name);
}

int WriteXlsx(const std::vector<SheetTable>& tables, const std::filesystem::path& target) {
    // libxlsxwriter writes to a file name of its own: a temporary file beside the target, read
    // back and put in place whole.
    std::string temporary =
        (target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path()) /
        ("." + target.filename().string() + ".XXXXXX");
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return errno;
    ::close(fd);
    lxw_workbook* book = workbook_new(temporary.c_str());
    int error = book == nullptr ? ENOMEM : 0;
    if (book != nullptr) {
        const Formats f = MakeFormats(book);
        const std::vector<std::string> names = UniqueSheetNames(tables);
        bool filled = true;
        for (std::size_t i = 0; filled && i < tables.size(); ++i)
            filled = FillSheet(book, f, tables[i], names[i]);
        const lxw_error closed = workbook_close(book);
        if (!filled || closed != LXW_NO_ERROR)
            error = closed == LXW_ERROR_CREATING_XLSX_FILE ? EACCES : EIO;
    }
    std::string bytes;
    if (error == 0)
        error = ReadWholeFile(temporary, bytes).error;
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return error != 0 ? error : WriteWholeFile(target, bytes);
}

}  // namespace axo::office
