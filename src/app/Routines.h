// What each command of the main menu calls: the routine, the number it passes to routines that
// serve several statements or parts, whether it takes the item's caption, and whether its frame
// pushes a process entry. The fiscal year switches X, XI and the combining of I-IX between the
// methodology to 12/2013 and the one from 2014.
#pragma once

#include "app/MainMenu.h"

namespace axo::app {

enum class Routine {
    SestavVykazI,
    SestavVykazII_III,
    SestavVykazIV_IX,
    SestavVykazX,
    SestavVykazX_2013,
    SestavVykazXI,
    SestavVykazXI_2013,
    SestavVykazXII_XIII,
    SestavVykazXV,
    SestavVykazXVI,
    XmlCast,          ///< the XML file of one part (XIV, XVII) by the methodology from 2014
    XmlSouhrnDavka,   ///< batch generation of the summary PAP_Souhrn
    XmlSehrani,       ///< combining I-IX into the summary, methodology from 2014
    XmlSehrani_2013,  ///< the same by the methodology to 12/2013
    KontrolniVypis,
    KontrolniRozklad,
    KontrolaUcetnichZaznamu,
    KontrolniVazby,   ///< the checks between the parts of PAP
    DoplneniRozvrhu,  ///< filling the PAP data into the chart of accounts
    UctovyRozvrh,
    KodyTransakce,
    CiselnikPAP,
    ExterniAdresy,  ///< the external address list
    Konec,
};

struct RoutineCall {
    Routine routine = Routine::Konec;
    /// The statement or part number for routines that serve several; 0 otherwise.
    int number = 0;
    /// The routine takes the item's caption (without "&") as its title and process name.
    bool takesCaption = false;
    /// The frame pushes an empty process entry around the routine.
    bool pushesProcess = true;
};

/// The routine a command calls in a fiscal year (its calendar year, e.g. 2014).
RoutineCall RoutineFor(CommandId command, int fiscalYear);

/// The routine's name as the system calls it ("SestavVykazX_2013").
const char* RoutineName(Routine routine);

}  // namespace axo::app
