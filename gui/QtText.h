// The edge between the core and Qt: Windows-1250 texts to QString and back, the colours and fonts
// of the window models, and the keys a Qt key event stands for in the models.
#pragma once

#include <QColor>
#include <QFont>
#include <QKeyEvent>
#include <QPalette>
#include <QString>
#include <optional>

#include "ui/DialogElement.h"
#include "ui/Screen.h"
#include "util/Text.h"

namespace axo::gui {

/// Registers the program's icons (once, before the first window).
void InitResources();
/// Lets Qt's own windows and buttons (file dialogs, standard buttons) speak Czech: installs
/// Qt's Czech translations when the system has them (Debian qt6-translations-l10n). False when
/// they cannot be found; Qt then speaks English.
bool InstallQtCzech();

/// A Windows-1250 text as a QString.
QString Q(const Text& text);
/// A QString as a Windows-1250 text (characters outside the code page become "?").
Text T(const QString& text);
/// A printout line with the family's frame codes drawn as box characters.
QString ListingLine(const Text& line);
/// The caption with its accelerator marked for Qt ("&" before it, other "&" doubled).
QString MnemonicText(const ui::Caption& caption);
/// The caption as rich text with its accelerator underlined and its blanks kept.
QString AcceleratorHtml(const ui::Caption& caption);

/// A colour of the models: a desktop colour (system) as the palette has it, otherwise the RGB.
QColor ColourOf(const ui::Rgb& rgb, const QPalette& palette, QPalette::ColorRole role);
/// Gives a window the colours of a pair (window and text).
void ApplyColours(QWidget& widget, const ui::ColourPair& colours);

/// The proportional font of windows (Liberation Sans), `pixelSize` high.
QFont WindowFont(int pixelSize = 12, bool bold = false);
/// The fixed-pitch font of printouts and "/C" fields (Liberation Mono).
QFont FixedFont(int pixelSize = 13);

/// The model key of a key event: special keys, and letters pressed with Ctrl or Alt. None for a
/// key that types a character (see TypedText) or that the models do not know.
std::optional<ui::KeyEvent> ModelKey(const QKeyEvent& event);
/// The characters a key event types (Windows-1250); empty with Ctrl or Alt held, or for keys
/// that type nothing.
Text TypedText(const QKeyEvent& event);

}  // namespace axo::gui
