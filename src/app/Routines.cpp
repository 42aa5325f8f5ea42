// The routines of the menu commands.
#include "app/Routines.h"

namespace axo::app {

namespace {

/// From 2014 on, X, XI and the summary follow the newer methodology.
bool From2014(int fiscalYear) {
    return fiscalYear > 2013;
}

RoutineCall Statement(Routine routine, int number = 0) {
    return {routine, number, true, true};
}

RoutineCall Plain(Routine routine) {
    return {routine, 0, false, true};
}

RoutineCall StatementCall(int n, int fiscalYear) {
    switch (n) {
        case 1:
            return Statement(Routine::SestavVykazI);
        case 2:
        case 3:
            return Statement(Routine::SestavVykazII_III, n);
        case 10:
            return Statement(From2014(fiscalYear) ? Routine::SestavVykazX
                                                  : Routine::SestavVykazX_2013);
        case 11:
            return Statement(From2014(fiscalYear) ? Routine::SestavVykazXI
                                                  : Routine::SestavVykazXI_2013);
        case 12:
        case 13:
            return Statement(Routine::SestavVykazXII_XIII, n);
        case 14:
        case 17:
            // The XML parts take no caption, only their part number.
            return {Routine::XmlCast, n, false, true};
        case 15:
            return Statement(Routine::SestavVykazXV);
        case 16:
            return Statement(Routine::SestavVykazXVI);
        default:
            return Statement(Routine::SestavVykazIV_IX, n);
    }
}

}  // namespace

RoutineCall RoutineFor(CommandId command, int fiscalYear) {
    if (const int n = StatementNumberOf(command))
        return StatementCall(n, fiscalYear);
    switch (command) {
        case CommandId::XML01_09:
            return Plain(Routine::XmlSouhrnDavka);
        case CommandId::Sehr01_09:
            // The combining names no process of its own.
            return {From2014(fiscalYear) ? Routine::XmlSehrani : Routine::XmlSehrani_2013, 0, false,
                    false};
        case CommandId::Vypis:
            return Plain(Routine::KontrolniVypis);
        case CommandId::Rozklad:
            return Plain(Routine::KontrolniRozklad);
        case CommandId::KontrolaUR:
            return Plain(Routine::KontrolaUcetnichZaznamu);
        case CommandId::KontrolniVazby:
            return Plain(Routine::KontrolniVazby);
        case CommandId::PAP_do_RozV:
            return Plain(Routine::DoplneniRozvrhu);
        case CommandId::Ciselniky_UctRozvrh:
            return Plain(Routine::UctovyRozvrh);
        case CommandId::Ciselniky_KodyTr:
            return Plain(Routine::KodyTransakce);
        case CommandId::Ciselniky_PAP:
            return Plain(Routine::CiselnikPAP);
        case CommandId::Ciselniky_ExtAdresy:
            return Plain(Routine::ExterniAdresy);
        default:
            return {Routine::Konec, 0, false, false};
    }
}

const char* RoutineName(Routine routine) {
    switch (routine) {
        case Routine::SestavVykazI:
            return "SestavVykazI";
        case Routine::SestavVykazII_III:
            return "SestavVykazII_III";
        case Routine::SestavVykazIV_IX:
            return "SestavVykazIV_IX";
        case Routine::SestavVykazX:
            return "SestavVykazX";
        case Routine::SestavVykazX_2013:
            return "SestavVykazX_2013";
        case Routine::SestavVykazXI:
            return "SestavVykazXI";
        case Routine::SestavVykazXI_2013:
            return "SestavVykazXI_2013";
        case Routine::SestavVykazXII_XIII:
            return "SestavVykazXII_XIII";
        case Routine::SestavVykazXV:
            return "SestavVykazXV";
        case Routine::SestavVykazXVI:
            return "SestavVykazXVI";
        case Routine::XmlCast:
            return "XmlCast";
        case Routine::XmlSouhrnDavka:
            return "XmlSouhrnDavka";
        case Routine::XmlSehrani:
            return "XmlSehrani";
        case Routine::XmlSehrani_2013:
            return "XmlSehrani_2013";
        case Routine::KontrolniVypis:
            return "KontrolniVypis";
        case Routine::KontrolniRozklad:
            return "KontrolniRozklad";
        case Routine::KontrolaUcetnichZaznamu:
            return "KontrolaUcetnichZaznamu";
        case Routine::KontrolniVazby:
            return "KontrolniVazby";
        case Routine::DoplneniRozvrhu:
            return "DoplneniRozvrhu";
        case Routine::UctovyRozvrh:
            return "UctovyRozvrh";
        case Routine::KodyTransakce:
            return "KodyTransakce";
        case Routine::CiselnikPAP:
            return "CiselnikPAP";
        case Routine::ExterniAdresy:
            return "ExterniAdresy";
        case Routine::Konec:
            return "Konec";
    }
    return "";
}

}  // namespace axo::app
