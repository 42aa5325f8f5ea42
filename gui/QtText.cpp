// The edge between the core and Qt.
#include "QtText.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>

namespace axo::gui {

QString Q(const Text& text) {
    return QString::fromStdString(ToUtf8(text));
}

Text T(const QString& text) {
    return FromUtf8(text.toStdString());
}

QString ListingLine(const Text& line) {
    return QString::fromStdString(ListingToUtf8(line));
}

QString MnemonicText(const ui::Caption& caption) {
    QString out;
    const QString shown = Q(caption.shown);
    for (int i = 0; i < shown.size(); ++i) {
        if (i == caption.accelerator)
            out += '&';
        if (shown[i] == '&')
            out += '&';
        out += shown[i];
    }
    return out;
}

QString AcceleratorHtml(const ui::Caption& caption) {
    QString out = "<span style=\"white-space:pre\">";
    const QString shown = Q(caption.shown);
    for (int i = 0; i < shown.size(); ++i) {
        const QString ch = QString(shown[i]).toHtmlEscaped();
        out += i == caption.accelerator ? "<u>" + ch + "</u>" : ch;
    }
    return out + "</span>";
}

QColor ColourOf(const ui::Rgb& rgb, const QPalette& palette, QPalette::ColorRole role) {
    if (!rgb.system)
        return QColor(rgb.r, rgb.g, rgb.b);
    // The system's highlight colours keep their meaning on any element.
    const ui::ColourPair highlight = ui::ColourScheme::Make(true).highlight;
    if (rgb == highlight.window)
        return palette.color(QPalette::Highlight);
    if (rgb == highlight.text)
        return palette.color(QPalette::HighlightedText);
    return palette.color(role);
}

void ApplyColours(QWidget& widget, const ui::ColourPair& colours) {
    const ui::ColourPair highlight = ui::ColourScheme::Make(true).highlight;
    if (colours.window.system && colours.text.system && !(colours == highlight))
        return;
    QPalette p = widget.palette();
    p.setColor(QPalette::Window, ColourOf(colours.window, p, QPalette::Window));
    p.setColor(QPalette::WindowText, ColourOf(colours.text, p, QPalette::WindowText));
    widget.setPalette(p);
    widget.setAutoFillBackground(true);
}

QFont WindowFont(int pixelSize, bool bold) {
    QFont font("Liberation Sans");
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont FixedFont(int pixelSize) {
    QFont font("Liberation Mono");
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(pixelSize);
    return font;
}

namespace {

std::optional<ui::Key> SpecialKey(int key) {
    using ui::Key;
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return Key::Enter;
        case Qt::Key_Escape:
            return Key::Esc;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return Key::Tab;
        case Qt::Key_Up:
            return Key::Up;
        case Qt::Key_Down:
            return Key::Down;
        case Qt::Key_Left:
            return Key::Left;
        case Qt::Key_Right:
            return Key::Right;
        case Qt::Key_Home:
            return Key::Home;
        case Qt::Key_End:
            return Key::End;
        case Qt::Key_PageUp:
            return Key::PageUp;
        case Qt::Key_PageDown:
            return Key::PageDown;
        case Qt::Key_Backspace:
            return Key::Backspace;
        case Qt::Key_Delete:
            return Key::Delete;
        case Qt::Key_Insert:
            return Key::Insert;
        case Qt::Key_Space:
            return Key::Space;
        default:
            break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return static_cast<Key>(static_cast<int>(Key::F1) + (key - Qt::Key_F1));
    return std::nullopt;
}

}  // namespace

std::optional<ui::KeyEvent> ModelKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers m = event.modifiers();
    ui::KeyEvent k;
    k.shift = m & Qt::ShiftModifier;
    k.ctrl = m & Qt::ControlModifier;
    k.alt = m & Qt::AltModifier;
    if (event.key() == Qt::Key_Backtab)
        k.shift = true;
    if (const auto special = SpecialKey(event.key())) {
        k.key = *special;
        return k;
    }
    if (!k.ctrl && !k.alt)
        return std::nullopt;
    // A letter or digit held with Ctrl or Alt: the key code is the unshifted character.
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        k.key = ui::Key::Character;
        k.ch = static_cast<char>(key);
        return k;
    }
    const Text typed = T(event.text());
    if (typed.size() == 1 && typed.Code(0) >= 0x20) {
        k.key = ui::Key::Character;
        k.ch = typed[0];
        return k;
    }
    return std::nullopt;
}

Text TypedText(const QKeyEvent& event) {
    const Qt::KeyboardModifiers m = event.modifiers();
    if ((m & Qt::ControlModifier) || (m & Qt::AltModifier))
        return {};
    if (event.key() == Qt::Key_Space || SpecialKey(event.key()))
        return {};
    Text out;
    for (char ch : T(event.text()))
        if (static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7F)
            out.push_back(ch);
    return out;
}

}  // namespace axo::gui

// The icons are compiled into the library: their registration must be linked in explicitly.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace axo::gui {

void InitResources() {
    InitIconResources();
}

bool InstallQtCzech() {
    static QTranslator* translator = nullptr;
    if (translator)
        return true;
    auto* loaded = new QTranslator(QCoreApplication::instance());
    if (!loaded->load(QLocale(QLocale::Czech, QLocale::CzechRepublic), "qtbase", "_",
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete loaded;
        return false;
    }
    QCoreApplication::installTranslator(loaded);
    translator = loaded;
    return true;
}

}  // namespace axo::gui
