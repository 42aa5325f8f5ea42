// The address list's rules: the next free classification, the stored record with its notes and
// keys, the rows with fixed and configured columns, the filters, storing with its checks and
// the place of an account picked from the VAT register.
#include "AddressTestSupport.h"
#include "codelists/ExAdFields.h"
#include "codelists/OknoEA.h"

namespace axo::codelists::testing {
namespace {

TEST_F(AddressTest, NextFreeClassification) {
    struct Case {
        std::vector<std::string> taken;
        const char* expected;  ///< nullptr: none left
    };
    const Case cases[] = {
        {{}, "0000000001"},              // 1: an empty list
        {{"0000000041"}, "0000000042"},  // 2: ten digits stay ten digits
        {{"0041"}, "0042"},              // 3: the width of the highest number
        {{"41"}, "42"},                  // 4
        {{"99"}, "100"},                 // 5: a longer number is not cut
        {{"99", "100"}, "101"},          // 6: "100" sorts before "99" as a text
        {{"99", "100", "101"}, "102"},   // 7
        {{"41", "ABC"}, "42"},           // 8: letters sort last and are passed over
        {{"ABC"}, "0000000001"},         // 9: no number at all: as an empty list
        {{"41", "0042"}, "0043"},        // 10: the widest form of the highest number
        {{"9999999998"}, "9999999999"},  // 11: ten digits need 64 bits
        {{"9999999999"}, nullptr},       // 12: eleven characters do not fit
        {{"0"}, "1"},                    // 13: zero counts as a number
        {{"5", "7", "06"}, "8"},         // 14: past the highest, not the last stored
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i + 1));
        std::vector<tVetaExtAdresa> list;
        for (const std::string& code : cases[i].taken)
            list.push_back(Address(code, "Firma " + code));
        Fill(list);
        tExtAdresy file(data_, ListDir(), "2024"_t);
        ASSERT_TRUE(file.InitFile(1, storage::_NoWait));
        const std::optional<Text> next = NextFreeClassification(file);
        file.CloseFile();
        if (cases[i].expected)
            EXPECT_EQ(std::string(cases[i].expected), next ? ToUtf8(*next) : "<none>");
        else
            EXPECT_FALSE(next.has_value());
    }
}

TEST_F(AddressTest, RecordKeepsEveryFieldItsNotesAndItsKeys) {
    tVetaExtAdresa a = Address("7", "Zelenina Novák", "Zlín", "25596641");
    a.SLEVY[20].PROCENTO = 12.5;
    a.BANK[4].ADRESA_BANKY = "poslední pole"_t;
    a.EPAR = "smlouva 1/2024"_t;
    Fill({a, Address("8", "Auto Brno", "Brno", "12345678")}, ListDir(),
         {"řádek 1\r\nřádek 2 " + std::string(400, 'x')});
    tExtAdresy file(data_, ListDir(), "2024"_t);
    ASSERT_TRUE(file.InitFile(1, storage::_NoWait));
    EXPECT_EQ(4259, file.RecordLength());
    EXPECT_EQ("EXAD2024"_t, file.FileName());
    tVetaExtAdresa read{};
    ASSERT_TRUE(FindAddressByClassification("7"_t, file, read));
    EXPECT_EQ(0, std::memcmp(&a, &read, sizeof a));
    // Notes longer than any short text come back whole.
    EXPECT_EQ(FromUtf8("řádek 1\r\nřádek 2 " + std::string(400, 'x')), file.Notes());
    ASSERT_TRUE(FindAddressByClassification("8"_t, file, read));
    EXPECT_TRUE(file.Notes().empty());
    EXPECT_FALSE(FindAddressByClassification(""_t, file, read));
    EXPECT_FALSE(FindAddressByClassification("07"_t, file, read));
    // The name of a partner known by its IČO.
    EXPECT_EQ("Auto Brno"_t, PartnerName(file, " 12345678"_t));
    EXPECT_EQ(""_t, PartnerName(file, "87654321"_t));
    EXPECT_EQ(""_t, PartnerName(file, ""_t));
    file.CloseFile();
    // Key 1 is the town, key 2 the name, key 5 the IČO.
    EXPECT_EQ((std::vector<std::string>{"8", "7*"}), Codes(ListDir(), 1));
    EXPECT_EQ((std::vector<std::string>{"8", "7*"}), Codes(ListDir(), 2));
    EXPECT_EQ((std::vector<std::string>{"8", "7*"}), Codes(ListDir(), 5));
}

TEST_F(AddressTest, RowsWithFixedAndConfiguredColumns) {
    tVetaExtAdresa a = Address("0000000042", "Zelenina Novák", "Zlín", "25596641");
    a.DIC_FIRM = "CZ25596641"_t;
    a.BS = "19-123456/0100"_t;
    a.ZVL_DISP = 100;
    a.NAZ_UST = "Komerční banka, a.s., pobočka Zlín"_t;
    a.POVAHA = 2;
    struct Case {
        const char* config;
        bool notes;
        const char* expected;
    };
    const Case cases[] = {
        {"", false,
         " Zelenina Novák                 0000000042 25596641   19-123456         /0100 Zlín      "
         "                CZ25596641      Komerční banka, a."},
        {"", true,
         "!Zelenina Novák                 0000000042 25596641   19-123456         /0100 Zlín      "
         "                CZ25596641      Komerční banka, a."},
        // x names no column and is dropped; so is an item without two digits.
        {"B30 J10 x05 K1", false, " Zelenina Novák                 25596641   "},
        {"B10 J10", true, "!Zelenina N 25596641   "},
        // The account's own copy of the bank code is not shown twice.
        {"A04 L09 U20", false, " 0000 dodavatel       19-123456/0100 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.config);
        const std::vector<AddressColumn> columns = ParseAddressColumns(FromUtf8(c.config));
        EXPECT_EQ(std::string(c.expected), ToUtf8(AddressRowText(a, c.notes, columns)));
    }
    EXPECT_EQ(" Název firmy 1                  ICO        ",
              ToUtf8(AddressListHeader(ParseAddressColumns("B30 J10 x05"_t))));
    EXPECT_EQ(" Zatř Bankovní spojení ",
              ToUtf8(AddressListHeader(ParseAddressColumns("A04 U16"_t))));
}

TEST_F(AddressTest, BankColumn) {
    struct Case {
        const char* account;
        int code;
        const char* expected;
    };
    const Case cases[] = {
        {"123456", 800, "123456            /0800 "},
        {"123456/0800", 800, "123456            /0800 "},  // the code written twice
        {"123456/800", 800, "123456            /0800 "},
        {"12/34", 800, "12/34             /0800 "},  // a slash that is no bank code stays
        {"123456", 0, "123456                  "},   // without a code: the account alone
        {"", 800, "                        "},
    };
    for (const Case& c : cases) {
        tVetaExtAdresa r{};
        r.BS = FromUtf8(c.account);
        r.ZVL_DISP = static_cast<Word>(c.code);
        EXPECT_EQ(std::string(c.expected), ToUtf8(BankColumn(r))) << c.account;
    }
}

TEST_F(AddressTest, Filters) {
    // Validity, nature and type of each address, and whether it has notes.
    struct A {
        const char* code;
        Byte validity, nature, type;
        bool notes;
    };
    const A addresses[] = {{"1", 0, 0, 0, false},
                           {"2", 1, 1, 0, true},
                           {"3", 0, 2, 1, false},
                           {"4", 1, 3, 1, true},
                           {"5", 0, 1, 0, true}};
    struct Case {
        const char* what;
        AddressFilters filters;
        const char* expected;
    };
    AddressFilters notes;
    notes.notesOnly = true;
    AddressFilters valid;
    valid.validity = 1;
    AddressFilters invalid;
    invalid.validity = 2;
    AddressFilters ordinary;
    ordinary.type = 0;
    AddressFilters master;
    master.type = 1;
    AddressFilters noSuppliers;
    noSuppliers.nature[2] = false;
    AddressFilters combined = valid;
    combined.notesOnly = true;
    combined.nature[0] = false;
    const Case cases[] = {
        {"none", {}, "12345"},
        {"notes", notes, "245"},
        {"valid", valid, "135"},
        {"invalid", invalid, "24"},
        {"ordinary", ordinary, "125"},
        {"master", master, "34"},
        {"no suppliers", noSuppliers, "1245"},
        {"combined", combined, "5"},
    };
    for (const Case& c : cases) {
        std::string passed;
        for (const A& a : addresses) {
            tVetaExtAdresa r = Address(a.code, "x");
            r.PLATNOST = a.validity;
            r.POVAHA = a.nature;
            r.TYP = a.type;
            if (AddressPasses(c.filters, r, a.notes))
                passed += a.code;
        }
        EXPECT_EQ(std::string(c.expected), passed) << c.what;
    }
}

TEST_F(AddressTest, StoringKeepsClassificationsUniqueAndChecksFields) {
    Fill({Address("41", "Alfa"), Address("42", "Beta")});
    tExtAdresy file(data_, ListDir(), "2024"_t);
    ASSERT_TRUE(file.InitFile(1, storage::_NoWait));
    struct Case {
        const char* what;
        bool insert;
        tVetaExtAdresa record;
        StoreOutcome outcome;
        const char* stored;  ///< the classification it was stored under
        const char* fault;
    };
    tVetaExtAdresa badIco = Address("50", "Gama", "", "12A");
    tVetaExtAdresa badDic = Address("51", "Delta");
    badDic.DIC_FIRM = "25596641"_t;
    tVetaExtAdresa badChoice = Address("52", "Epsilon");
    badChoice.POVAHA = 4;
    tVetaExtAdresa badMail = Address("53", "Zeta");
    badMail.EMail[2].ADRESA = "nikdo.cz"_t;
    const Case cases[] = {
        {"new", true, Address("43", "Nová"), StoreOutcome::Stored, "43", ""},
        {"taken on insert gets the next", true, Address("41", "Jiná"), StoreOutcome::Stored, "44",
         ""},
        {"empty classification", true, Address("", "Bez"), StoreOutcome::Fault, "",
         "Zatřídění externí adresy musí být zadáno."},
        {"IČO", true, badIco, StoreOutcome::Fault, "", "IČO smí obsahovat jen číslice."},
        {"DIČ", true, badDic, StoreOutcome::Fault, "",
         "DIČ musí začínat kódem státu (např. CZ) a pokračovat kmenovou částí."},
        {"nature", true, badChoice, StoreOutcome::Fault, "", "Povaha adresy může být jen 0 až 3."},
        {"e-mail", true, badMail, StoreOutcome::Fault, "",
         "E-mailová adresa nikdo.cz nemá znak @."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tVetaExtAdresa r = c.record;
        std::int32_t n = 0;
        Text fault;
        EXPECT_EQ(c.outcome, StoreAddress(file, c.insert, n, r, {}, " 5. 3.2024"_t, fault));
        EXPECT_EQ(std::string(c.fault), ToUtf8(fault));
        if (c.outcome == StoreOutcome::Stored) {
            EXPECT_EQ(std::string(c.stored), ToUtf8(r.MATCH_CODE));
            EXPECT_EQ("5. 3.2024", ToUtf8(r.POSL_ZMENA));
        }
    }
    // An update may not take another address's classification.
    tVetaExtAdresa beta{};
    std::int32_t n = 0;
    ASSERT_TRUE(FindAddressByClassification("42"_t, file, beta, &n));
    beta.MATCH_CODE = "41"_t;
    Text fault;
    EXPECT_EQ(StoreOutcome::Clash, StoreAddress(file, false, n, beta, {}, {}, fault));
    file.CloseFile();
    EXPECT_EQ((std::vector<std::string>{"41", "42", "43", "44"}), Codes(ListDir()));
}

TEST_F(AddressTest, NewAddressWhenNoClassificationIsLeftIsRefused) {
    Fill({Address("9999999999", "Plno")});
    tExtAdresy file(data_, ListDir(), "2024"_t);
    ASSERT_TRUE(file.InitFile(1, storage::_NoWait));
    tVetaExtAdresa r = Address("9999999999", "Další");
    std::int32_t n = 0;
    Text fault;
    EXPECT_EQ(StoreOutcome::NoFreeNumber, StoreAddress(file, true, n, r, {}, {}, fault));
    EXPECT_EQ("Pokoušíte se zadat již existující zatřídění externí adresy.", ToUtf8(fault));
    file.CloseFile();
    EXPECT_EQ((std::vector<std::string>{"9999999999"}), Codes(ListDir()));
}

TEST_F(AddressTest, PickedAccountNeverLandsBesideTheOldBankConnection) {
    const PickedAccount account{"19"_t, "2000145399"_t, "0800"_t};
    struct Case {
        const char* what;
        bool primaryFilled;
        int furtherFilled;
        bool overwrite;
        AccountPlace place;
        const char* bs;  ///< the primary account afterwards
        const char* iban;
    };
    const Case cases[] = {
        {"empty primary", false, 0, false, AccountPlace::Primary, "19-2000145399", ""},
        {"overwrite clears the old IBAN", true, 0, true, AccountPlace::Primary, "19-2000145399",
         ""},
        {"declined: first free further", true, 2, false, AccountPlace::Further, "111/0100",
         "CZ650100"},
        {"declined, all five filled: nothing", true, 5, false, AccountPlace::Nowhere, "111/0100",
         "CZ650100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tVetaExtAdresa r{};
        if (c.primaryFilled) {
            r.BS = "111/0100"_t;
            r.ZVL_DISP = 100;
            r.IBAN = "CZ650100"_t;
            r.NAZ_UST = "Banka"_t;
        }
        for (int i = 0; i < c.furtherFilled; ++i)
            r.BANK[i].BANK_SPOJENI = "obsazeno"_t;
        const tVetaExtAdresa before = r;
        int index = -1;
        EXPECT_EQ(c.place, PlacePickedAccount(r, account, c.overwrite, index));
        EXPECT_EQ(std::string(c.bs), ToUtf8(r.BS));
        EXPECT_EQ(std::string(c.iban), ToUtf8(r.IBAN));
        if (c.place == AccountPlace::Further) {
            EXPECT_EQ(2, index);
            EXPECT_EQ("19-2000145399/0800", ToUtf8(r.BANK[2].BANK_SPOJENI));
        }
        if (c.place == AccountPlace::Nowhere) {
            EXPECT_EQ(0, std::memcmp(&before, &r, sizeof r));
        }
        if (c.place == AccountPlace::Primary) {
            EXPECT_EQ(800, r.ZVL_DISP);
        }
    }
}

TEST_F(AddressTest, FieldsByName) {
    tVetaExtAdresa r{};
    struct Case {
        const char* field;
        const char* value;
        bool ok;
        const char* shown;  ///< the value read back, or the reason
    };
    const Case cases[] = {
        {"naz_firm1", "Alfa a.s.", true, "Alfa a.s."},
        {"MESTO_FIRM", "Uherské Hradiště nad Moravou 1", false, "je delší než 25 znaků"},
        {"ZVL_DISP", "800", true, "800"},
        {"ZVL_DISP", "70000", false, "není celé číslo 0 až 65535"},
        {"PLATNOST", "x", false, "není celé číslo 0 až 255"},
        {"SLEVY3PROCENTO", "2,5", true, "2.5"},
        {"STREDISKO_EA", "-12", true, "-12"},
        {"NOTES", "text", false, "poznámkový blok se zadává zvlášť"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        const AddressField* f = FindAddressField(FromUtf8(c.field));
        ASSERT_NE(nullptr, f);
        Text reason;
        EXPECT_EQ(c.ok, SetAddressField(r, *f, FromUtf8(c.value), reason));
        EXPECT_EQ(std::string(c.shown), ToUtf8(c.ok ? AddressFieldText(r, *f) : reason));
    }
    EXPECT_EQ(nullptr, FindAddressField("NAZEV"_t));
    EXPECT_EQ(800, r.ZVL_DISP);
}

}  // namespace
}  // namespace axo::codelists::testing
