// The answers of ARES read as JSON into address fields: the field rules, and answers that are
// not a record of the IČO asked for.
#include "lookups/AresAnswer.h"

#include <gtest/gtest.h>

#include <string>

namespace axo::lookups {
namespace {

std::string Record(const std::string& ico, const std::string& seat, const std::string& more = {}) {
    return "{\"ico\":\"" + ico +
           "\",\"obchodniJmeno\":\"Základní škola a mateřská škola Luna, "
           "příspěvková organizace\",\"sidlo\":{" +
           seat + "}" + more + "}";
}

std::string Fields(const AresAddress& a) {
    return ToUtf8(a.names[0]) + "|" + ToUtf8(a.names[1]) + "|" + ToUtf8(a.names[2]) + "|" +
           ToUtf8(a.names[3]) + "|" + ToUtf8(a.street) + "|" + ToUtf8(a.postcode) + "|" +
           ToUtf8(a.town) + "|" + ToUtf8(a.stateCode) + "|" + ToUtf8(a.stateName) + "|" +
           ToUtf8(a.dic);
}

TEST(AresAnswer, AddressFieldsOfARecord) {
    const std::string name = "Základní škola a mateřská|škola Luna, příspěvková|organizace||";
    const struct {
        const char* name;
        std::string json;
        std::string fields;
    } cases[] = {
        {"street, house and orientation number with letter, postcode as a number",
         Record("12345679",
                "\"kodStatu\":\"CZ\",\"nazevStatu\":\"Česká republika\",\"nazevObce\":\"Brno\","
                "\"nazevUlice\":\"Hlavní\",\"cisloDomovni\":1234,\"cisloOrientacni\":12,"
                "\"cisloOrientacniPismeno\":\"a\",\"psc\":60200",
                ",\"dic\":\"CZ12345679\""),
         name + "Hlavní 1234/12a|602 00|Brno|CZ|Česká republika|CZ12345679"},
        {"no street: the town is the street line; postcode as text",
         Record("12345679", "\"nazevObce\":\"Lhota\",\"cisloDomovni\":7,\"psc\":\"25801\""),
         name + "Lhota 7|258 01|Lhota|||"},
        {"a postcode of other than five digits stays as it is; long values are cut",
         Record("12345679",
                "\"nazevObce\":\"Frýdlant nad Ostravicí - Nová Ves\",\"nazevUlice\":"
                "\"Náměstí osvoboditelů od fašismu\",\"cisloDomovni\":1,\"psc\":\"7391\""),
         name + "Náměstí osvoboditelů od fašism|7391|Frýdlant nad Ostravicí - |||"},
        {"keys looked for anywhere when neither at the top nor in the seat",
         "{\"ico\":\"12345679\",\"dalsiUdaje\":[{\"adresa\":{\"nazevObce\":\"Opava\"}}]}",
         "||||Opava||Opava|||"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const AresAnswer answer = ParseAresAnswer(c.json, "12345679"_t);
        ASSERT_EQ(AresResult::Found, answer.result) << ToUtf8(answer.problem);
        EXPECT_EQ(c.fields, Fields(answer.address));
        EXPECT_EQ("12345679", ToUtf8(answer.address.ico));
    }
}

TEST(AresAnswer, AnswersThatAreNoRecordOfTheIco) {
    const struct {
        const char* name;
        std::string json;
        AresResult result;
        const char* problem;
    } cases[] = {
        {"no ico key", "{\"kod\":\"NENALEZENO\",\"popis\":\"Subjekt nenalezen\"}",
         AresResult::NotFound, ""},
        {"an ico that is a number", "{\"ico\":12345679}", AresResult::NotFound, ""},
        {"another IČO", Record("87654321", ""), AresResult::Unreadable,
         "Registr ARES odpověděl údaji jiného IČO (87654321)."},
        {"truncated", Record("12345679", "\"psc\":60200").substr(0, 40), AresResult::Unreadable,
         "Odpověď registru ARES není úplná nebo ji nelze přečíst."},
        {"an array", "[{\"ico\":\"12345679\"}]", AresResult::Unreadable,
         "Odpověď registru ARES není úplná nebo ji nelze přečíst."},
        {"a web page", "<html>Chyba</html>", AresResult::Unreadable,
         "Odpověď registru ARES není úplná nebo ji nelze přečíst."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const AresAnswer answer = ParseAresAnswer(c.json, "12345679"_t);
        EXPECT_EQ(c.result, answer.result);
        EXPECT_EQ(c.problem, ToUtf8(answer.problem));
    }
    EXPECT_TRUE(AresNotFoundAnswer("{\"kod\":\"NENALEZENO\"}"));
    EXPECT_FALSE(AresNotFoundAnswer("{\"kod\":\"CHYBA_VSTUPU\"}"));
    EXPECT_FALSE(AresNotFoundAnswer("Not Found"));
}

TEST(AresAnswer, NameInLinesAndPostcode) {
    const struct {
        const char* name;
        std::array<const char*, 4> lines;
    } cases[] = {
        {"Luna s.r.o.", {"Luna s.r.o.", "", "", ""}},
        {"  Dvě   mezery  ", {"Dvě mezery", "", "", ""}},
        {"Slovo1234567890123456789012345678901234 konec",
         {"Slovo1234567890123456789012345", "konec", "", ""}},
        {"a b c d e f g h i j k l m n o p q r s t u v w x y z aa bb cc dd ee ff gg hh ii jj kk ll "
         "mm nn oo pp qq rr ss tt uu vv ww xx yy zz",
         {"a b c d e f g h i j k l m n o", "p q r s t u v w x y z aa bb cc",
          "dd ee ff gg hh ii jj kk ll mm", "nn oo pp qq rr ss tt uu vv ww"}},
    };
    for (const auto& c : cases) {
        const std::array<Text, 4> lines = SplitName(FromUtf8(c.name));
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(c.lines[i], ToUtf8(lines[i])) << c.name << " line " << i + 1;
    }
    EXPECT_EQ("110 00", ToUtf8(PostcodeText("11000"_t)));
    EXPECT_EQ("110 00", ToUtf8(PostcodeText("110 00"_t)));
    EXPECT_EQ("1100", ToUtf8(PostcodeText("1100"_t)));
    EXPECT_EQ("https://r/ekonomicke-subjekty-v-be/rest/ekonomicke-subjekty/..%2F.1",
              AresSubjectUrl("https://r", "../.1"_t));
}

}  // namespace
}  // namespace axo::lookups
