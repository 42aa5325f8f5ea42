// The fixed inputs of the demo organisation.
#include "pap/DemoCatalog.h"

#include <cstring>
#include <string>

#include "util/Cisla.h"

namespace axo::pap {

namespace {

// The chart: synthetic accounts that have analytic ones carry no analytics of their own (nothing
// is booked on them); natures as a contributory organisation's chart has them.
const DemoAccount kAccounts[] = {
    {13, 0, "Software", 'A', 0, "", false},
    {13, 100, "Software - nakoupený", 'A', 0, "0131", false},
    {13, 200, "Software - bezúplatně nabytý", 'A', 0, "0132", false},
    {18, 0, "Drobný dlouhodobý nehmotný majetek", 'A', 0, "018", false},
    {21, 0, "Stavby", 'A', 0, "", false},
    {21, 100, "Budova školy", 'A', 0, "0211", false},
    {21, 200, "Budova školní jídelny", 'A', 0, "0211", false},
    {21, 300, "Hřiště a oplocení", 'A', 0, "0212", false},
    {21, 400, "Budova tělocvičny", 'A', 0, "0211", false},
    {22, 0, "Samostatné hmotné movité věci", 'A', 0, "", false},
    {22, 100, "Stroje a zařízení kuchyně", 'A', 0, "0221", false},
    {22, 200, "Výpočetní technika", 'A', 0, "0221", false},
    {22, 300, "Dopravní prostředky", 'A', 0, "0222", false},
    {22, 400, "Interaktivní tabule", 'A', 0, "0221", false},
    {22, 500, "Zařízení tělocvičny", 'A', 0, "0221", false},
    {22, 600, "Movité věci - bezúplatně nabyté", 'A', 0, "0223", false},
    {22, 900, "Movité věci - nezařazené", 'A', 0, "022", false},
    {28, 0, "Drobný dlouhodobý hmotný majetek", 'A', 0, "", false},
    {28, 100, "DDHM - nábytek", 'A', 0, "028", false},
    {28, 200, "DDHM - učební pomůcky", 'A', 0, "028", false},
    {28, 300, "DDHM - ostatní", 'A', 0, "028", false},
    {28, 400, "DDHM - výpočetní technika", 'A', 0, "028", false},
    {31, 0, "Pozemky", 'A', 0, "031", false},
    {42, 0, "Nedokončený dlouhodobý hmotný majetek", 'A', 0, "042", false},
    {73, 0, "Oprávky k softwaru", 'A', 0, "073", false},
    {78, 0, "Oprávky k drobnému DNM", 'A', 0, "078", false},
    {81, 0, "Oprávky ke stavbám", 'A', 0, "", false},
    {81, 100, "Oprávky k budovám", 'A', 0, "081", false},
    {81, 300, "Oprávky k ostatním stavbám", 'A', 0, "081", false},
    {82, 0, "Oprávky k sam. movitým věcem", 'A', 0, "", false},
    {82, 100, "Oprávky ke strojům a zařízení", 'A', 0, "082", false},
    {82, 300, "Oprávky k dopravním prostředkům", 'A', 0, "082", false},
    {88, 0, "Oprávky k drobnému DHM", 'A', 0, "088", false},
    {112, 0, "Materiál na skladě", 'A', 0, "", false},
    {112, 100, "Potraviny na skladě", 'A', 0, "112", false},
    {112, 200, "Čisticí prostředky na skladě", 'A', 0, "112", false},
    {112, 300, "Ostatní materiál na skladě", 'A', 0, "112", false},
    {112, 400, "Materiál - doplňková činnost", 'A', 0, "112", false},
    {132, 0, "Zboží na skladě", 'A', 0, "132", false},
    {241, 0, "Běžný účet", 'A', 0, "", false},
    {241, 100, "Běžný účet - provoz", 'A', 0, "241", false},
    {241, 200, "Běžný účet - stravné", 'A', 0, "241", false},
    {241, 300, "Běžný účet - doplňková činnost", 'A', 0, "241", false},
    {243, 0, "Běžný účet FKSP", 'A', 0, "243", false},
    {261, 0, "Pokladna", 'A', 0, "", false},
    {261, 100, "Pokladna - provoz", 'A', 0, "261", false},
    {261, 200, "Pokladna - stravné", 'A', 0, "261", false},
    {262, 0, "Peníze na cestě", 'A', 0, "262", false},
    {263, 0, "Ceniny", 'A', 0, "263", false},
    {311, 0, "Odběratelé", 'A', 0, "", true},
    {311, 100, "Odběratelé - tuzemsko", 'A', 0, "3111", true},
    {311, 200, "Odběratelé - stravné", 'A', 0, "3111", true},
    {311, 300, "Odběratelé - zahraničí", 'A', 0, "3112", true},
    {311, 400, "Odběratelé - pronájmy", 'A', 0, "3111", true},
    {314, 0, "Krátkodobé poskytnuté zálohy", 'A', 0, "", true},
    {314, 100, "Zálohy na energie", 'A', 0, "314", true},
    {314, 200, "Ostatní poskytnuté zálohy", 'A', 0, "314", true},
    {315, 0, "Jiné pohledávky z hlavní činnosti", 'A', 0, "315", true},
    {321, 0, "Dodavatelé", 'P', 0, "", true},
    {321, 100, "Dodavatelé - tuzemsko", 'P', 0, "3211", true},
    {321, 200, "Dodavatelé - energie", 'P', 0, "3211", true},
    {321, 300, "Dodavatelé - zahraničí", 'P', 0, "3212", true},
    {324, 0, "Krátkodobé přijaté zálohy", 'P', 0, "324", true},
    {331, 0, "Zaměstnanci", 'P', 0, "331", false},
    {333, 0, "Jiné závazky vůči zaměstnancům", 'P', 0, "333", false},
    {335, 0, "Pohledávky za zaměstnanci", 'A', 0, "335", true},
    {336, 0, "Sociální zabezpečení", 'P', 0, "336", false},
    {337, 0, "Zdravotní pojištění", 'P', 0, "", false},
    {337, 100, "Zdravotní pojištění - VZP", 'P', 0, "337", false},
    {337, 200, "Zdravotní pojištění - ostatní", 'P', 0, "337", false},
    {342, 0, "Ostatní přímé daně", 'P', 0, "342", false},
    {343, 0, "Daň z přidané hodnoty", 'P', 0, "343", false},
    {346, 0, "Pohledávky za ústředními vládními inst.", 'A', 0, "346", true},
    {347, 0, "Závazky k ústředním vládním institucím", 'P', 0, "347", true},
    {348, 0, "Pohledávky za rozpočty ÚSC", 'A', 0, "348", true},
    {349, 0, "Závazky k rozpočtům ÚSC", 'P', 0, "349", true},
    {374, 0, "Krátkodobé přijaté zálohy na transfery", 'P', 0, "374", true},
    {377, 0, "Ostatní krátkodobé pohledávky", 'A', 0, "377", true},
    {378, 0, "Ostatní krátkodobé závazky", 'P', 0, "", true},
    {378, 100, "Srážky ze mzdy", 'P', 0, "3781", true},
    {378, 900, "Ostatní závazky - jiné", 'P', 0, "3789", true},
    {381, 0, "Náklady příštích období", 'A', 0, "381", false},
    {383, 0, "Výdaje příštích období", 'P', 0, "383", false},
    {384, 0, "Výnosy příštích období", 'P', 0, "384", false},
    {388, 0, "Dohadné účty aktivní", 'A', 0, "388", false},
    {389, 0, "Dohadné účty pasivní", 'P', 0, "389", false},
    {401, 0, "Jmění účetní jednotky", 'P', 0, "401", false},
    {403, 0, "Transfery na pořízení DM", 'P', 0, "403", false},
    {411, 0, "Fond odměn", 'P', 0, "411", false},
    {412, 0, "Fond kulturních a sociálních potřeb", 'P', 0, "412", false},
    {413, 0, "Rezervní fond ze zlepšeného VH", 'P', 0, "413", false},
    {414, 0, "Rezervní fond z ostatních titulů", 'P', 0, "414", false},
    {416, 0, "Fond reprodukce majetku", 'P', 0, "416", false},
    {432, 0, "VH předcházejících účetních období", 'P', 0, "432", false},
    {472, 0, "Dlouhodobé přijaté zálohy na transfery", 'P', 0, "472", true},
    {493, 0, "VH běžného účetního období", 'Z', 0, "493", false},
    {501, 0, "Spotřeba materiálu", 'N', 1, "", false},
    {501, 100, "Spotřeba potravin", 'N', 1, "5011", false},
    {501, 200, "Kancelářské potřeby", 'N', 1, "5012", false},
    {501, 300, "Čisticí prostředky", 'N', 1, "5012", false},
    {501, 400, "Učební pomůcky", 'N', 1, "5012", false},
    {501, 500, "Knihy a časopisy", 'N', 1, "5012", false},
    {501, 600, "Materiál na údržbu", 'N', 1, "5012", false},
    {501, 700, "Pracovní oděvy", 'N', 1, "5012", false},
    {501, 800, "Pohonné hmoty", 'N', 1, "5012", false},
    {501, 900, "Materiál - doplňková činnost", 'N', 2, "5012", false},
    {502, 0, "Spotřeba energie", 'N', 1, "", false},
    {502, 100, "Elektrická energie", 'N', 1, "502", false},
    {502, 200, "Plyn", 'N', 1, "502", false},
    {502, 300, "Vodné a stočné", 'N', 1, "502", false},
    {502, 400, "Teplo", 'N', 1, "502", false},
    {502, 900, "Energie - doplňková činnost", 'N', 2, "502", false},
    {504, 0, "Prodané zboží", 'N', 2, "504", false},
    {511, 0, "Opravy a udržování", 'N', 1, "", false},
    {511, 100, "Opravy budov", 'N', 1, "511", false},
    {511, 200, "Opravy zařízení", 'N', 1, "511", false},
    {511, 300, "Servis výpočetní techniky", 'N', 1, "511", false},
    {511, 400, "Opravy dopravních prostředků", 'N', 1, "511", false},
    {512, 0, "Cestovné", 'N', 1, "512", false},
    {513, 0, "Náklady na reprezentaci", 'M', 1, "513", false},
    {518, 0, "Ostatní služby", 'N', 1, "", false},
    {518, 100, "Telefony a internet", 'N', 1, "5181", false},
    {518, 200, "Poštovné", 'N', 1, "5181", false},
    {518, 300, "Úklid a ostraha", 'N', 1, "5181", false},
    {518, 400, "Školení a vzdělávání", 'N', 1, "5181", false},
    {518, 500, "Služby od zřizovatele", 'N', 1, "5182", false},
    {518, 600, "Software a licence", 'N', 1, "5181", false},
    {518, 700, "Revize a kontroly", 'N', 1, "5181", false},
    {518, 800, "Nájemné", 'N', 1, "5181", false},
    {518, 850, "Stravování zaměstnanců", 'N', 1, "5181", false},
    {518, 900, "Služby - nerozlišené", 'N', 1, "", false},
    {521, 0, "Mzdové náklady", 'N', 1, "", false},
    {521, 100, "Platy zaměstnanců", 'N', 1, "521", false},
    {521, 200, "Dohody o provedení práce", 'N', 1, "521", false},
    {521, 300, "Náhrady za nemoc", 'N', 1, "521", false},
    {521, 400, "Odměny", 'N', 1, "521", false},
    {521, 900, "Mzdy - doplňková činnost", 'N', 2, "521", false},
    {524, 0, "Zákonné sociální pojištění", 'N', 1, "", false},
    {524, 100, "Sociální pojištění", 'N', 1, "524", false},
    {524, 200, "Zdravotní pojištění", 'N', 1, "524", false},
    {525, 0, "Jiné sociální pojištění", 'N', 1, "525", false},
    {527, 0, "Zákonné sociální náklady", 'N', 1, "", false},
    {527, 100, "Příděl do FKSP", 'N', 1, "527", false},
    {527, 200, "Ochranné pomůcky", 'N', 1, "527", false},
    {527, 300, "Lékařské prohlídky", 'N', 1, "527", false},
    {528, 0, "Jiné sociální náklady", 'N', 1, "528", false},
    {538, 0, "Jiné daně a poplatky", 'N', 1, "538", false},
    {549, 0, "Ostatní náklady z činnosti", 'N', 1, "", false},
    {549, 100, "Pojištění majetku", 'N', 1, "5491", false},
    {549, 200, "Ostatní náklady", 'N', 1, "5492", false},
    {549, 300, "Členské příspěvky", 'N', 1, "5492", false},
    {551, 0, "Odpisy dlouhodobého majetku", 'N', 1, "551", false},
    {558, 0, "Náklady z drobného DM", 'N', 1, "", false},
    {558, 100, "Drobný hmotný majetek", 'N', 1, "558", false},
    {558, 200, "Drobný nehmotný majetek", 'N', 1, "558", false},
    {558, 300, "Drobná výpočetní technika", 'N', 1, "558", false},
    {569, 0, "Ostatní finanční náklady", 'N', 1, "", false},
    {569, 100, "Bankovní poplatky", 'N', 1, "569", false},
    {569, 900, "Bankovní poplatky - doplňková č.", 'N', 2, "569", false},
    {591, 0, "Daň z příjmů", 'M', 2, "591", false},
    {602, 0, "Výnosy z prodeje služeb", 'V', 1, "", false},
    {602, 100, "Stravné žáků", 'V', 1, "6021", false},
    {602, 200, "Stravné zaměstnanců", 'V', 1, "6021", false},
    {602, 300, "Úplata za školní družinu", 'V', 1, "6022", false},
    {602, 400, "Úplata za kroužky", 'V', 1, "6022", false},
    {602, 500, "Úplata za předškolní vzdělávání", 'V', 1, "6022", false},
    {602, 900, "Služby - doplňková činnost", 'V', 2, "6022", false},
    {603, 0, "Výnosy z pronájmu", 'V', 2, "", false},
    {603, 100, "Pronájem tělocvičny", 'V', 2, "603", false},
    {603, 200, "Pronájem služebního bytu", 'V', 2, "603", false},
    {604, 0, "Výnosy z prodaného zboží", 'V', 2, "604", false},
    {609, 0, "Jiné výnosy z vlastních výkonů", 'V', 1, "609", false},
    {648, 0, "Čerpání fondů", 'V', 1, "648", false},
    {649, 0, "Ostatní výnosy z činnosti", 'V', 1, "", false},
    {649, 100, "Náhrady od pojišťovny", 'V', 1, "649", false},
    {649, 200, "Ostatní výnosy", 'V', 1, "649", false},
    {649, 300, "Sponzorské dary", 'V', 1, "649", false},
    {662, 0, "Úroky", 'V', 1, "662", false},
    {672, 0, "Výnosy z transferů", 'V', 1, "", false},
    {672, 100, "Provozní příspěvek zřizovatele", 'V', 1, "6721", false},
    {672, 200, "Dotace ze státního rozpočtu", 'V', 1, "6722", false},
    {672, 300, "Rozpouštění invest. transferů", 'V', 1, "6723", false},
    {672, 400, "Dotace z rozpočtu kraje", 'V', 1, "6722", false},
    {701, 0, "Počáteční účet rozvažný", 'X', 0, "", false},
    {702, 0, "Konečný účet rozvažný", 'X', 0, "", false},
    {710, 0, "Účet zisků a ztrát", 'X', 0, "", false},
    // The financial plan, kept off the balance sheet and out of every statement.
    {801, 0, "Finanční plán - náklady", 'X', 0, "", false},
    {802, 0, "Finanční plán - výnosy", 'X', 0, "", false},
    {899, 0, "Vyrovnávací účet k finančnímu plánu", 'X', 0, "", false},
    {902, 0, "Jiný drobný DHM", 'X', 0, "", false},
    {902, 100, "Drobný majetek v evidenci", 'X', 0, "902", false},
    {902, 200, "Drobné učební pomůcky", 'X', 0, "902", false},
    {902, 300, "Drobný majetek kuchyně", 'X', 0, "902", false},
    {905, 0, "Vyřazené pohledávky", 'X', 0, "905", false},
    {909, 0, "Ostatní majetek", 'X', 0, "", false},
    {909, 100, "Zapůjčený majetek", 'X', 0, "909", false},
    {909, 200, "Majetek v úschově", 'X', 0, "909", false},
    {912, 0, "Podm. závazky z užívání cizího maj.", 'X', 0, "912", false},
    {999, 0, "Vyrovnávací účet k podrozvaze", 'X', 0, "999", false},
};

const DemoCode kCodes[] = {
    // Statement I: balance-sheet codes (with IV-IX and X where they belong)
    {"013", "Software", "", false, "1 4"},
    {"0131", "Software - nakoupený", "", false, "1 4"},
    {"0132", "Software - bezúplatně nabytý", "", false, "1 4"},
    {"018", "Drobný dlouhodobý nehmotný majetek", "", false, "1 4"},
    {"021", "Stavby", "", false, "1 4"},
    {"0211", "Stavby - budovy", "", false, "1 4"},
    {"0212", "Stavby - ostatní", "", false, "1 4"},
    {"022", "Samostatné hmotné movité věci a soubory movitých věcí", "", false, "1 4"},
    {"0221", "Stroje, přístroje a zařízení", "", false, "1 4"},
    {"0222", "Dopravní prostředky", "", false, "1 4"},
    // XII: by the partner of the transaction that gave or took the asset free of charge
    {"0223", "Samostatné movité věci - bezúplatně nabyté", "P11", false, "1 4 12"},
    {"028", "Drobný dlouhodobý hmotný majetek", "", false, "1 4"},
    {"031", "Pozemky", "", false, "1 4"},
    {"042", "Nedokončený dlouhodobý hmotný majetek", "", false, "1 4"},
    {"073", "Oprávky k softwaru", "", false, "1 4"},
    {"078", "Oprávky k drobnému dlouhodobému nehmotnému majetku", "", false, "1 4"},
    {"081", "Oprávky ke stavbám", "", false, "1 4"},
    {"082", "Oprávky k samostatným hmotným movitým věcem", "", false, "1 4"},
    {"088", "Oprávky k drobnému dlouhodobému hmotnému majetku", "", false, "1 4"},
    {"112", "Materiál na skladě", "", false, "1 5"},
    {"132", "Zboží na skladě", "", false, "1 5"},
    {"241", "Běžný účet", "", false, "1 8"},
    {"243", "Běžný účet FKSP", "", false, "1 8"},
    {"261", "Pokladna", "", false, "1 8"},
    {"262", "Peníze na cestě", "", false, "1 8"},
    {"263", "Ceniny", "", false, "1 8"},
    {"311", "Odběratelé", "P10", false, "1 6 10"},
    {"3111", "Odběratelé - tuzemsko", "P10", false, "1 6 10"},
    {"3112", "Odběratelé - zahraničí", "P10", false, "1 6 10"},
    {"314", "Krátkodobé poskytnuté zálohy", "P10", false, "1 6 10"},
    {"315", "Jiné pohledávky z hlavní činnosti", "", false, "1 6"},
    {"321", "Dodavatelé", "P10", false, "1 7 10"},
    {"3211", "Dodavatelé - tuzemsko", "P10", false, "1 7 10"},
    {"3212", "Dodavatelé - zahraničí", "P10", false, "1 7 10"},
    {"324", "Krátkodobé přijaté zálohy", "P10", false, "1 7 10"},
    {"331", "Zaměstnanci", "", false, "1 7"},
    {"333", "Jiné závazky vůči zaměstnancům", "", false, "1 7"},
    {"335", "Pohledávky za zaměstnanci", "", false, "1 6"},
    {"336", "Sociální zabezpečení", "P10", false, "1 7 10"},
    {"337", "Zdravotní pojištění", "P10", false, "1 7 10"},
    {"342", "Ostatní přímé daně", "P10", false, "1 7 10"},
    {"343", "Daň z přidané hodnoty", "", false, "1 7"},
    {"346", "Pohledávky za vybranými ústředními vládními institucemi", "P10", false, "1 6 10"},
    {"347", "Závazky k vybraným ústředním vládním institucím", "P10", false, "1 7 10"},
    {"348", "Pohledávky za rozpočty územních samosprávných celků", "P10", false, "1 6 10"},
    {"349", "Závazky k rozpočtům územních samosprávných celků", "P10", false, "1 7 10"},
    {"374", "Krátkodobé přijaté zálohy na transfery", "P10", false, "1 7 10"},
    {"377", "Ostatní krátkodobé pohledávky", "", false, "1 6"},
    {"378", "Ostatní krátkodobé závazky", "", false, "1 7"},
    {"3781", "Ostatní krátkodobé závazky - srážky ze mzdy", "", false, "1 7"},
    {"3789", "Ostatní krátkodobé závazky - jiné", "", false, "1 7"},
    {"381", "Náklady příštích období", "", false, "1 8"},
    {"383", "Výdaje příštích období", "", false, "1 7"},
    {"384", "Výnosy příštích období", "", false, "1 7"},
    {"388", "Dohadné účty aktivní", "", false, "1 6"},
    {"389", "Dohadné účty pasivní", "", false, "1 7"},
    {"401", "Jmění účetní jednotky", "", false, "1 9"},
    {"403", "Transfery na pořízení dlouhodobého majetku", "P11", true, "1 9 10"},
    {"411", "Fond odměn", "", false, "1 9"},
    {"412", "Fond kulturních a sociálních potřeb", "", false, "1 9"},
    {"413", "Rezervní fond tvořený ze zlepšeného výsledku hospodaření", "", false, "1 9"},
    {"414", "Rezervní fond z ostatních titulů", "", false, "1 9"},
    {"416", "Fond reprodukce majetku, fond investic", "", false, "1 9"},
    {"432", "Výsledek hospodaření předcházejících účetních období", "", false, "1 9"},
    // XIII: by the partner of the liability and the partner of the transaction (the source)
    {"472", "Dlouhodobé přijaté zálohy na transfery", "P10", true, "1 7 10 13"},
    {"493", "Výsledek hospodaření běžného účetního období", "", false, "1"},
    // Statement II: costs (XI for those with a partner of the transaction)
    {"501", "Spotřeba materiálu", "", false, "2"},
    {"5011", "Spotřeba materiálu - potraviny", "", false, "2"},
    {"5012", "Spotřeba materiálu - ostatní", "", false, "2"},
    {"502", "Spotřeba energie", "P11", false, "2 11"},
    {"504", "Prodané zboží", "", false, "2"},
    {"511", "Opravy a udržování", "", false, "2"},
    {"512", "Cestovné", "", false, "2"},
    {"513", "Náklady na reprezentaci", "", false, "2"},
    {"518", "Ostatní služby", "", false, "2"},
    {"5181", "Ostatní služby - od podnikatelů", "", false, "2"},
    {"5182", "Ostatní služby - od zřizovatele", "P11", false, "2 11"},
    {"521", "Mzdové náklady", "", false, "2"},
    {"524", "Zákonné sociální pojištění", "P11", false, "2 11"},
    {"525", "Jiné sociální pojištění", "", false, "2"},
    {"527", "Zákonné sociální náklady", "", false, "2"},
    {"528", "Jiné sociální náklady", "", false, "2"},
    {"538", "Jiné daně a poplatky", "P11", false, "2 11"},
    {"549", "Ostatní náklady z činnosti", "", false, "2"},
    {"5491", "Ostatní náklady z činnosti - pojištění", "", false, "2"},
    {"5492", "Ostatní náklady z činnosti - jiné", "", false, "2"},
    {"551", "Odpisy dlouhodobého majetku", "", false, "2"},
    {"558", "Náklady z drobného dlouhodobého majetku", "", false, "2"},
    {"569", "Ostatní finanční náklady", "", false, "2"},
    {"591", "Daň z příjmů", "", false, "2"},
    // Statement III: revenues
    {"602", "Výnosy z prodeje služeb", "", false, "3"},
    {"6021", "Výnosy z prodeje služeb - stravování", "", false, "3"},
    {"6022", "Výnosy z prodeje služeb - ostatní", "", false, "3"},
    {"603", "Výnosy z pronájmu", "P11", false, "3 11"},
    {"604", "Výnosy z prodaného zboží", "", false, "3"},
    {"609", "Jiné výnosy z vlastních výkonů", "", false, "3"},
    {"648", "Čerpání fondů", "", false, "3"},
    {"649", "Ostatní výnosy z činnosti", "", false, "3"},
    {"662", "Úroky", "", false, "3"},
    {"672", "Výnosy vybraných místních vládních institucí z transferů", "", false, "3"},
    {"6721", "Provozní příspěvek od zřizovatele", "P11", false, "3 11"},
    {"6722", "Transfery ze státního rozpočtu", "P11", false, "3 11"},
    {"6723", "Rozpouštění investičních transferů", "P11", false, "3 11"},
    // Statement XV: off-balance-sheet codes (XVI with a partner)
    {"902", "Jiný drobný dlouhodobý hmotný majetek", "", false, "15"},
    {"905", "Vyřazené pohledávky", "P13", false, "15 16"},
    {"909", "Ostatní majetek", "", false, "15"},
    {"912", "Podmíněné závazky z důvodu užívání cizího majetku", "P13", false, "15 16"},
    {"999", "Vyrovnávací účet k podrozvahovým účtům", "", false, "15"},
};

const DemoTransactionCode kTransactionCodes[] = {
    {"401", "Pořízení nákupem", false, false},
    {"402", "Bezúplatné nabytí", true, false},
    {"403", "Převod z nedokončeného majetku", false, false},
    {"404", "Technické zhodnocení", false, false},
    {"405", "Snížení oprávek při vyřazení", false, false},
    {"433", "Ostatní zvýšení", false, false},
    {"451", "Vyřazení prodejem", true, false},
    {"452", "Vyřazení likvidací", false, false},
    {"453", "Bezúplatný převod", true, false},
    {"454", "Převod do užívání", false, false},
    {"455", "Odpisy", false, false},
    {"483", "Ostatní snížení", false, false},
    {"501", "Nákup zásob", false, false},
    {"502", "Bezúplatné nabytí zásob", true, false},
    {"533", "Ostatní zvýšení zásob", false, false},
    {"534", "Přecenění zásob", false, false},
    {"551", "Spotřeba zásob", false, false},
    {"552", "Prodej zásob", false, false},
    {"553", "Manka a škody", false, false},
    {"583", "Ostatní snížení zásob", false, false},
    {"584", "Snížení přecenění zásob", false, false},
    {"601", "Vznik pohledávky", true, false},
    {"602", "Kurzový zisk", false, false},
    {"633", "Ostatní zvýšení pohledávek", false, false},
    {"651", "Úhrada pohledávky", true, false},
    {"652", "Odpis pohledávky", false, false},
    {"683", "Ostatní snížení pohledávek", false, false},
    {"701", "Úhrada závazku", true, false},
    {"702", "Zápočet závazku", false, false},
    {"733", "Ostatní snížení závazků", false, false},
    {"751", "Vznik závazku", true, false},
    {"752", "Kurzová ztráta", false, false},
    {"783", "Ostatní zvýšení závazků", false, false},
    {"801", "Příjem peněžních prostředků", false, false},
    {"802", "Převod z jiného účtu", false, false},
    {"832", "Kurzový zisk z peněžních prostředků", false, false},
    {"833", "Ostatní zvýšení", false, false},
    {"851", "Výdej peněžních prostředků", false, false},
    {"852", "Převod na jiný účet", false, false},
    {"882", "Kurzová ztráta z peněžních prostředků", false, false},
    {"883", "Ostatní snížení", false, false},
    {"901", "Čerpání fondu", false, false},
    {"902", "Rozpouštění transferu", false, false},
    {"903", "Snížení jmění bezúplatným převodem", false, false},
    {"933", "Ostatní snížení jmění", false, false},
    {"951", "Tvorba fondu", false, false},
    {"952", "Přijetí transferu na pořízení majetku", true, true},
    {"953", "Zvýšení jmění bezúplatným nabytím", false, false},
    {"983", "Ostatní zvýšení jmění", false, false},
};

const char* const kConsolidation[] = {"346",  "347", "348",  "349",  "374",  "403", "472",
                                      "5182", "524", "6721", "6722", "6723", "905", "912"};
const char* const kBezObratu[] = {"603", "031"};

/// The transaction codes each code allows, per statement.
struct AllowedRow {
    int statement;
    const char* codes;  ///< space-separated analytics
    std::vector<int> debit;
    std::vector<int> credit;
};

const std::vector<AllowedRow>& AllowedRows() {
    static const std::vector<AllowedRow> rows = {
        {4,
         "013 0131 0132 018 021 0211 0212 022 0221 0222 0223 028 031",
         {1, 2, 3, 4},
         {51, 52, 53}},
        {4, "042", {1, 4}, {54}},
        {4, "073 078 081 082 088", {5}, {55}},
        {5, "112 132", {1, 2}, {51, 52, 53}},
        {6, "311 3111 3112 314 315 335 346 348 377 388", {1, 2}, {51, 52}},
        {7,
         "321 3211 3212 324 331 333 336 337 342 343 347 349 374 378 3781 3789 383 384 389 472",
         {1, 2},
         {51, 52}},
        {8, "241 243 261 262 263 381", {1, 2}, {51, 52}},
        {9, "401", {1, 2, 3}, {51, 52, 53}},  // also assets received or given free of charge
        {9, "403 411 412 413 414 416 432", {1, 2}, {51, 52}},
    };
    return rows;
}

bool InList(const char* list, const char* code) {
    const std::string padded = " " + std::string(list) + " ";
    return padded.find(" " + std::string(code) + " ") != std::string::npos;
}

Text Line(const std::string& utf8) {
    return FromUtf8(utf8) + "\r\n"_t;
}

}  // namespace

std::span<const DemoAccount> DemoAccounts() {
    return kAccounts;
}
std::span<const DemoCode> DemoCodes() {
    return kCodes;
}
std::span<const DemoTransactionCode> DemoTransactionCodes() {
    return kTransactionCodes;
}
std::span<const char* const> DemoConsolidationCodes() {
    return kConsolidation;
}
std::span<const char* const> DemoBezObratuCodes() {
    return kBezObratu;
}
const char* DemoWithdrawnCode() {
    return "3789";
}
DemoAccountRef DemoAccountWithoutAnalytics() {
    return {518, 900};
}

DemoAllowed DemoAllowedCodes(int statement, const char* statAnal) {
    for (const AllowedRow& row : AllowedRows())
        if (row.statement == statement && InList(row.codes, statAnal))
            return {row.debit, row.credit};
    return {};
}

Text DemoUpapText() {
    Text text;
    for (const DemoCode& c : kCodes) {
        std::string line = std::string(c.statAnal) + "\t" + c.description + "\t" + c.partner1 +
                           "\t" + (c.partner2 ? "x" : "") + "\t";
        for (const char* s = c.statements; *s;) {
            const std::size_t n = std::strcspn(s, " ");
            line += std::string(s, n) + "\t";
            s += n;
            s += *s == ' ';
        }
        text += Line(line);
    }
    return text;
}

Text DemoUpapUpdateText(int statement) {
    const char digit = static_cast<char>('0' + statement);
    std::vector<int> columns;
    std::string header = "SA\tPopis\t\t\t";
    for (const DemoTransactionCode& t : kTransactionCodes) {
        const int n = std::stoi(std::string(t.kod + 1));
        if (t.kod[0] != digit || !((n >= 1 && n <= 20) || (n >= 51 && n <= 70)))
            continue;
        columns.push_back(n);
        header += "[" + std::string(t.kod) + "]\t";
    }
    Text text = Line("Typy změn pro výkaz " + std::string(1, digit)) + Line(header);
    for (const DemoCode& c : kCodes) {
        const DemoAllowed allowed = DemoAllowedCodes(statement, c.statAnal);
        if (allowed.debit.empty() && allowed.credit.empty())
            continue;
        std::string line = std::string(c.statAnal) + "\t" + c.description + "\t\t\t";
        for (int n : columns) {
            const auto& side = n <= 20 ? allowed.debit : allowed.credit;
            line +=
                std::string(std::find(side.begin(), side.end(), n) != side.end() ? "" : "x") + "\t";
        }
        text += Line(line);
    }
    return text;
}

Text DemoUKodText() {
    Text text;
    for (const DemoTransactionCode& t : kTransactionCodes)
        text +=
            Line("[" + std::string(t.kod) + "]\t" + t.name + "\t" + (t.partner ? "x" : "") + "\t");
    return text;
}

}  // namespace axo::pap
