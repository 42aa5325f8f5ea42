// The cause of a failed file operation in the user's words: the system's error number as a
// Czech phrase for the messages that name a file and why it could not be written or read.
#pragma once

#include "util/Text.h"

namespace axo {

/// The cause an error number stands for, as a Czech phrase without a full stop ("na disku není
/// volné místo" for ENOSPC). Numbers without a phrase of their own give "chyba systému N"
/// followed by the system's own text in parentheses.
Text SystemErrorText(int error);

}  // namespace axo
