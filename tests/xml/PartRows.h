// The sample result rows of every part the golden files are written from. Each part's rows
// carry the cases its writers treat specially: cells crossed out or marked 2, empty transaction
// codes, side columns, partners by IČO and by country, public contract numbers, texts that need
// escaping. The same rows serve both methodologies.
#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include "XmlTestSupport.h"

namespace axo::xml::test {

/// Gives every column of the rows its transaction code (a column keeps one code in all rows).
inline void Codes(std::vector<pap::tVeta_Zorvi>& rows,
                  std::initializer_list<std::pair<int, const char*>> codes, const char* debit = "",
                  const char* credit = "") {
    for (pap::tVeta_Zorvi& r : rows) {
        for (const auto& [column, code] : codes)
            r.Sloupec[column].TRANSAKCE = FromUtf8(code);
        r.SloupecMD[0].TRANSAKCE = FromUtf8(debit);
        r.SloupecMD[1].TRANSAKCE = FromUtf8(*debit ? "N" : "");
        r.SloupecDAL[0].TRANSAKCE = FromUtf8(credit);
        r.SloupecDAL[1].TRANSAKCE = FromUtf8(*credit ? "E" : "");
    }
}

inline void Amounts(pap::tVeta_Zorvi& r, std::initializer_list<std::pair<int, double>> columns) {
    for (const auto& [column, amount] : columns)
        r.Sloupec[column].SLOUPEC = amount;
}

/// A crossed-out row of parts IV-IX whose listed cells are written (mark 1).
inline pap::tVeta_Zorvi ChangeRow(int cislo, int radek, const char* sa, int rok,
                                  std::initializer_list<std::pair<int, double>> cells) {
    pap::tVeta_Zorvi r = Zorvi(cislo, radek, sa, rok);
    CrossOutAll(r);
    for (const auto& [column, amount] : cells) {
        r.Sloupec[column].SLOUPEC = amount;
        r.Sloupec[column].KRIZEK = 1;
    }
    return r;
}

inline void Side(pap::tVeta_Zorvi& r, double debit0, double debit1, double credit0,
                 double credit1) {
    const double amounts[4] = {debit0, debit1, credit0, credit1};
    pap::tSloupec* cells[4] = {&r.SloupecMD[0], &r.SloupecMD[1], &r.SloupecDAL[0],
                               &r.SloupecDAL[1]};
    for (int i = 0; i < 4; ++i) {
        cells[i]->SLOUPEC = amounts[i];
        cells[i]->KRIZEK = 1;
    }
}

/// Part IV: column 2 marked 2, column 3 without a code, column 14 filled in both rows, side
/// columns, and columns 18 and 19 (whose order the methodologies swap).
inline std::vector<pap::tVeta_Zorvi> RowsIV(int rok) {
    std::vector<pap::tVeta_Zorvi> rows = {
        ChangeRow(4, 1, "401", rok, {{1, 100}, {14, 14}, {15, 15}, {18, 18}, {19, 19}, {21, -21}}),
        ChangeRow(4, 2, "402", rok, {{1, 200}, {14, 99}, {15, 30}})};
    Codes(rows, {{1, "01"}, {2, "02"}, {15, "15"}, {18, "18"}, {19, "19"}, {21, "21"}}, "M", "D");
    SetCell(rows[0].Sloupec[2], 222, "02", 2);
    SetCell(rows[0].Sloupec[3], 33, "", 0);
    rows[1].Sloupec[1].KRIZEK = 0;
    Side(rows[0], 500, 501, 600, 601);
    return rows;
}

inline std::vector<pap::tVeta_Zorvi> RowsIVtoIX(int cislo, int rok) {
    std::vector<pap::tVeta_Zorvi> rows;
    switch (cislo) {
        case 4:
            return RowsIV(rok);
        case 5:
            rows = {ChangeRow(5, 1, "112", rok, {{1, 1}, {10, 10}, {11, 11}})};
            Codes(rows, {{1, "01"}, {10, "10"}, {11, "11"}}, "M", "D");
            break;
        case 6:
            rows = {ChangeRow(6, 1, "311", rok, {{1, 1}, {14, 14}, {15, 15}})};
            Codes(rows, {{1, "01"}, {14, "14"}, {15, "15"}}, "M", "D");
            break;
        case 7:
            rows = {ChangeRow(7, 1, "321", rok, {{1, 1}, {12, 12}, {13, 13}})};
            Codes(rows, {{1, "01"}, {12, "12"}, {13, "13"}}, "M", "D");
            break;
        case 8:
            rows = {ChangeRow(8, 1, "381", rok, {{6, 6}, {7, 7}, {15, 15}, {16, 16}})};
            Codes(rows, {{6, "06"}, {7, "07"}, {15, "15"}, {16, "16"}}, "M", "D");
            break;
        case 9:
            rows = {ChangeRow(9, 1, "401", rok, {{4, 4}, {5, 5}, {9, 9}, {10, 10}})};
            Codes(rows, {{4, "04"}, {5, "05"}, {9, "09"}, {10, "10"}}, "M", "D");
            break;
    }
    Side(rows[0], 100, 999, 200, 888);
    return rows;
}

/// Parts X-XIII, XV and XVI: partners of every kind, public contract numbers, a name to escape.
inline std::vector<pap::tVeta_Zorvi> RowsWithPartners(int cislo, int rok) {
    const auto row = [&](const char* sa, const char* p1, const char* name, double s1, double s2) {
        pap::tVeta_Zorvi r = Zorvi(cislo, 0, sa, rok);
        r.P1 = FromUtf8(p1);
        r.Partner_Nazev = FromUtf8(name);
        Amounts(r, {{1, s1}, {2, s2}, {3, s1 + s2}, {4, s2 - s1}});
        return r;
    };
    std::vector<pap::tVeta_Zorvi> rows;
    switch (cislo) {
        case 10:
            rows = {row("401", "", "", 1, 2), row("402", "DE", "Müller & Söhne", 1000.5, 0),
                    row("403", "1234567890", "Dodavatel", -12.5, 1234.567)};
            rows[0].StZakazka = "P14V00000123"_t;
            rows[1].StZakazka = "123456"_t;
            rows[2].StZakazka = "P14V12"_t;
            rows[2].P2 = "99999999"_t;
            break;
        case 11:
            rows = {row("501", "12345678", "Odběratel", 10, 20),
                    row("502", "SK", "Slovenská firma", -5, 0)};
            break;
        case 12:
        case 13:
            rows = {row("401", "12345678", "Dodavatel", 1000, 0),
                    row("401", "AT", "Wien GmbH", -250, 0)};
            rows[0].Sloupec[1].TRANSAKCE = "511"_t;
            rows[1].Sloupec[1].TRANSAKCE = "551"_t;
            rows[0].P2 = "87654321"_t;
            break;
        case 15:
            rows = {row("901", "", "", 100, 50), row("902", "", "", 0, 0)};
            rows[0].RADEK = 1;
            rows[1].RADEK = 2;
            break;
        case 16:
            rows = {row("951", "12345678", "Nájemce", 5, 2), row("952", "CZ", "Partner", 0, 7)};
            break;
    }
    return rows;
}

/// The rows of any part compiled from a result file. Part I's rows are given out of their key
/// order: the export reads them by key.
inline std::vector<pap::tVeta_Zorvi> PartRows(int cislo, int rok) {
    if (cislo == 1) {
        std::vector<pap::tVeta_Zorvi> rows = {Zorvi(1, 2, "0131", rok), Zorvi(1, 1, "013", rok),
                                              Zorvi(1, 3, " 0132 ", rok)};
        Amounts(rows[0], {{1, 1234.567}, {2, -12.5}, {3, 0}, {4, 1000.5}});
        Amounts(rows[1], {{1, 184500}, {2, 0}, {3, 0}, {4, 184500}});
        return rows;
    }
    if (cislo == 2 || cislo == 3) {
        std::vector<pap::tVeta_Zorvi> rows = {Zorvi(cislo, 1, "501", rok),
                                              Zorvi(cislo, 2, "5011", rok)};
        Amounts(rows[0], {{1, 150.25}, {2, 0}});
        Amounts(rows[1], {{1, -3}, {2, 1e6}});
        return rows;
    }
    if (cislo <= 9)
        return RowsIVtoIX(cislo, rok);
    return RowsWithPartners(cislo, rok);
}

}  // namespace axo::xml::test
