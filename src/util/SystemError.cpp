// Error numbers as Czech phrases.
#include "util/SystemError.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace axo {

Text SystemErrorText(int error) {
    struct Phrase {
        int error;
        const char* text;
    };
    static const Phrase kPhrases[] = {
        {ENOSPC, "na disku není volné místo"},
        {EDQUOT, "byla překročena disková kvóta"},
        {EFBIG, "soubor by byl větší, než systém dovolí"},
        {EACCES, "přístup byl odepřen"},
        {EPERM, "operace není povolena"},
        {EROFS, "systém souborů je jen pro čtení"},
        {ENOENT, "soubor nebo adresář neexistuje"},
        {ENOTDIR, "část cesty není adresář"},
        {EISDIR, "cesta je adresář"},
        {EEXIST, "soubor již existuje"},
        {ENAMETOOLONG, "jméno souboru je příliš dlouhé"},
        {EIO, "chyba vstupu/výstupu zařízení"},
        {EPIPE, "příjemce výstupu jej uzavřel"},
        {EBADF, "soubor není otevřen pro zápis"},
        {EMFILE, "proces má otevřeno příliš mnoho souborů"},
    };
    for (const Phrase& p : kPhrases)
        if (p.error == error)
            return FromUtf8(p.text);
    return FromUtf8("chyba systému " + std::to_string(error) + " (" + std::strerror(error) + ")");
}

}  // namespace axo
