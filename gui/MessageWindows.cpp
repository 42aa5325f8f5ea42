// The message windows drawn with Qt.
#include "MessageWindows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "QtText.h"
#include "QtUi.h"

namespace axo::gui {

namespace {

constexpr int kRowPx = ui::kCellHeightPx;

QStringList LinesOf(const std::vector<ui::MessageLine>& lines) {
    QStringList out;
    for (const ui::MessageLine& l : lines)
        out << Q(l.text);
    return out;
}

QIcon IconOf(ui::Icon icon) {
    QStyle* style = QApplication::style();
    switch (icon) {
        case ui::Icon::Information:
            return style->standardIcon(QStyle::SP_MessageBoxInformation);
        case ui::Icon::Warning:
            return style->standardIcon(QStyle::SP_MessageBoxWarning);
        case ui::Icon::Question:
            return style->standardIcon(QStyle::SP_MessageBoxQuestion);
        case ui::Icon::SystemLogo:
        case ui::Icon::Application:
            return QIcon(":/icons/axo.svg");
        default:
            break;
    }
    return {};
}

/// The text lines of a message, centred, one grid row each, drawn below the top row.
class MessageText : public QWidget {
  public:
    MessageText(QStringList lines, QWidget* parent) : QWidget(parent), lines_(std::move(lines)) {
        setFont(WindowFont(12, true));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        for (int i = 0; i < lines_.size(); ++i)
            p.drawText(QRect(0, (i + 1) * kRowPx, width(), kRowPx), Qt::AlignCenter, lines_[i]);
    }

  private:
    QStringList lines_;
};

/// A window of the message services: fixed size and place from the model, its colours, and no
/// way to close it but its own buttons and <Esc>.
class ModelDialog : public QDialog {
  public:
    ModelDialog(QWidget* owner, const Text& title, const ui::Rect& frame,
                const ui::ColourPair& colours)
        : QDialog(owner) {
        setWindowTitle(Q(title));
        setFixedSize(frame.width, frame.height);
        move(frame.x, frame.y);
        ApplyColours(*this, colours);
        setFont(WindowFont());
    }
    /// The code <Esc> closes the window with.
    int escapeCode = ui::kCloseLeave;
    bool allowClose = false;
    /// The title bar's close button (and Alt+F4) does what <Esc> does.
    bool closeActsAsEscape = false;

    void done(int code) override {
        allowClose = true;
        QDialog::done(code);
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            done(escapeCode);
            return;
        }
        QDialog::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        // Alt+F4 and the title bar's button are swallowed, or act as <Esc> where they may.
        if (allowClose)
            return;
        event->ignore();
        if (closeActsAsEscape)
            done(escapeCode);
    }
};

void AddIcon(QWidget& window, ui::Icon icon) {
    const QIcon qicon = IconOf(icon);
    if (qicon.isNull())
        return;
    auto* label = new QLabel(&window);
    label->setPixmap(qicon.pixmap(24, 24));
    label->setGeometry(6, 6, 24, 24);
}

}  // namespace

int ShowMessageWindow(QtUi& ui, const ui::MessageWindow& w) {
    ui.Record({"message", Q(w.title), LinesOf(w.lines)});
    ModelDialog dialog(ui.OwnerWindow(), w.title, w.frame, w.colours);
    auto* text = new MessageText(LinesOf(w.lines), &dialog);
    text->setGeometry(0, 0, w.frame.width, w.frame.height);
    AddIcon(dialog, w.icon);
    if (w.okButton) {
        auto* ok = new QPushButton(MnemonicText(ui::ParseCaption(w.okCaption)), &dialog);
        ok->setGeometry(w.frame.width - 64 - 8, w.frame.height - 26 - 6, 64, 26);
        ok->setDefault(true);
        ok->setFocus();
        QObject::connect(ok, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(1); });
    }
    return dialog.exec() == 1 ? ui::kCloseConfirm : ui::kCloseLeave;
}

namespace {

class ModelessMessage : public ui::ModelessWindow {
  public:
    ModelessMessage(QWidget* owner, const ui::MessageWindow& w) {
        window_ = new QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        window_->setAttribute(Qt::WA_DeleteOnClose);
        window_->setWindowTitle(Q(w.title));
        window_->setFixedSize(w.frame.width, w.frame.height);
        window_->move(w.frame.x, w.frame.y);
        ApplyColours(*window_, w.colours);
        auto* text = new MessageText(LinesOf(w.lines), window_);
        text->setGeometry(0, 0, w.frame.width, w.frame.height);
        AddIcon(*window_, w.icon);
        window_->show();
        QCoreApplication::processEvents();
    }
    ~ModelessMessage() override {
        if (window_)
            window_->close();
    }

  private:
    QPointer<QWidget> window_;
};

}  // namespace

std::unique_ptr<ui::ModelessWindow> OpenModelessWindow(QtUi& ui, const ui::MessageWindow& w) {
    ui.Record({w.kind == ui::MessageKind::Wait ? "wait" : "notice", Q(w.title), LinesOf(w.lines)});
    return std::make_unique<ModelessMessage>(ui.OwnerWindow(), w);
}

namespace {

/// The decision window's buttons also answer to their accelerator typed without Alt.
class DecisionDialog : public ModelDialog {
  public:
    using ModelDialog::ModelDialog;
    std::vector<std::pair<QChar, int>> accelerators;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        const QString typed = event->text().toUpper();
        if (event->modifiers() == Qt::NoModifier && typed.size() == 1) {
            for (const auto& [letter, button] : accelerators) {
                if (letter == typed[0]) {
                    done(button);
                    return;
                }
            }
        }
        ModelDialog::keyPressEvent(event);
    }
};

}  // namespace

int ShowDecisionWindow(QtUi& ui, const ui::DecisionWindow& w) {
    QStringList buttons;
    for (const ui::DecisionButton& b : w.buttons)
        buttons << Q(b.caption.shown);
    ui.Record({"decision", Q(w.title), LinesOf(w.lines) + buttons});
    DecisionDialog dialog(ui.OwnerWindow(), w.title, w.frame, w.colours);
    dialog.escapeCode = 0;
    const int width = w.columns * ui::kCellWidthPx;
    const int height = w.rows * kRowPx;
    QWidget* content = &dialog;
    if (w.scrolls) {
        auto* area = new QScrollArea(&dialog);
        area->setGeometry(0, 0, w.frame.width, w.frame.height);
        content = new QWidget;
        content->resize(width, height);
        area->setWidget(content);
    }
    // The text sits centred above the buttons, which stand on the third row from the bottom.
    auto* text = new MessageText(LinesOf(w.lines), content);
    const int textRows = static_cast<int>(w.lines.size());
    const int buttonTop = (w.rows - 3) * kRowPx;
    text->setGeometry(0, (buttonTop - (textRows + 2) * kRowPx) / 2, width, (textRows + 2) * kRowPx);
    AddIcon(*content, ui::Icon::Question);
    for (std::size_t i = 0; i < w.buttons.size(); ++i) {
        const ui::DecisionButton& b = w.buttons[i];
        auto* button = new QPushButton(MnemonicText(b.caption), content);
        button->setGeometry(b.frame.x, b.frame.y, b.frame.width, b.frame.height);
        const int number = static_cast<int>(i) + 1;
        QObject::connect(button, &QPushButton::clicked, &dialog,
                         [&dialog, number] { dialog.done(number); });
        if (number == w.defaultButton) {
            button->setDefault(true);
            button->setFocus();
        }
        if (b.caption.accelerator >= 0)
            dialog.accelerators.emplace_back(Q(b.caption.shown).at(b.caption.accelerator).toUpper(),
                                             number);
    }
    const int result = dialog.exec();
    return result >= 1 && result <= static_cast<int>(w.buttons.size()) ? result : 0;
}

namespace {

/// The prompt's edit box: tells from the letters typed whether Caps Lock is on, where the
/// keyboard cannot be asked.
class PromptEdit : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;
    bool capsFromTyping = false;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        const QString text = event->text();
        if (text.size() == 1 && text[0].isLetter() && text[0].toUpper() != text[0].toLower()) {
            const bool shift = event->modifiers() & Qt::ShiftModifier;
            capsFromTyping = text[0].isUpper() != shift;
        }
        QLineEdit::keyPressEvent(event);
    }
};

}  // namespace

int ShowPromptWindow(QtUi& ui, const ui::PromptWindow& w, Text& value) {
    ui.Record({"prompt", Q(w.title), {Q(w.prompt)}});
    ModelDialog dialog(ui.OwnerWindow(), w.title, w.frame, w.colours);
    const int width = w.frame.width;
    auto* caps = new QLabel(" *** CAPS LOCK ***", &dialog);
    caps->setAlignment(Qt::AlignCenter);
    caps->setStyleSheet("color: red; font-weight: bold;");
    caps->setGeometry(0, 2, width, kRowPx);
    caps->setVisible(false);
    auto* prompt = new QLabel(Q(w.prompt), &dialog);
    prompt->setFont(WindowFont(12, true));
    prompt->setAlignment(w.centred ? Qt::AlignHCenter | Qt::AlignVCenter
                                   : Qt::AlignLeft | Qt::AlignVCenter);
    prompt->setGeometry(16, kRowPx, width - 32, kRowPx);
    auto* edit = new PromptEdit(Q(value), &dialog);
    edit->setMaxLength(std::max(w.maxLength, 1));
    if (w.password) {
        edit->setEchoMode(QLineEdit::Password);
        edit->setStyleSheet("lineedit-password-character: 42;");
        edit->setFont(WindowFont(22));
    }
    // The field holds its width of characters in its own font ("*" in password mode).
    const QString sample(std::max(w.fieldWidth, 4), w.password ? '*' : '0');
    const int fieldWidth =
        std::min(QFontMetrics(edit->font()).horizontalAdvance(sample) + 16, width - 32);
    const int editHeight = w.password ? 30 : 22;
    edit->setGeometry(w.centred || w.password ? (width - fieldWidth) / 2 : 16, 2 * kRowPx + 2,
                      fieldWidth, editHeight);
    auto* confirm = new QPushButton(Q(w.confirmCaption), &dialog);
    auto* leave = new QPushButton(Q(w.leaveCaption), &dialog);
    const int buttonTop = w.frame.height - 26 - 6;
    confirm->setGeometry(width / 2 - 100 - 8, buttonTop, 100, 26);
    leave->setGeometry(width / 2 + 8, buttonTop, 100, 26);
    confirm->setDefault(true);
    QObject::connect(confirm, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(1); });
    QObject::connect(leave, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(2); });
    QTimer caps50;
    if (w.password) {
        QObject::connect(&caps50, &QTimer::timeout, &dialog,
                         [caps, edit] { caps->setVisible(CapsLockOn() || edit->capsFromTyping); });
        caps50.start(50);
    }
    edit->setFocus();
    edit->selectAll();
    const int code = dialog.exec() == 1 ? ui::kCloseConfirm : ui::kCloseLeave;
    if (code == ui::kCloseConfirm)
        value = T(edit->text());
    return code;
}

ui::WaitOutcome ShowWaitWindow(QtUi& ui, const ui::WaitWindow& w) {
    ui.Record({"wait", Q(w.caption), {Q(w.operation), Q(w.fileLine)}});
    QWidget* owner = ui.OwnerWindow();
    ModelDialog dialog(owner, w.caption, {0, 0, 560, 4 * kRowPx}, {});
    if (!w.interruptible)
        dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog.setStyleSheet("QDialog { background: rgb(172, 2, 45); } QLabel { color: white; }");
    auto* lines = new QLabel(Q(w.operation) + "\n" + Q(w.fileLine), &dialog);
    lines->setFont(WindowFont(12, true));
    lines->setAlignment(Qt::AlignCenter);
    lines->setGeometry(0, 0, 560, 4 * kRowPx);
    if (owner) {
        const QRect around = owner->frameGeometry();
        dialog.move(around.center() - QPoint(280, 2 * kRowPx));
    }
    bool escaped = false;
    QTimer::singleShot(w.timeoutMs, &dialog, [&dialog] { dialog.done(1); });
    dialog.escapeCode = 0;
    dialog.closeActsAsEscape = w.interruptible;
    escaped = dialog.exec() == 0;
    return escaped ? ui::WaitOutcome::Escaped : ui::WaitOutcome::TimedOut;
}

void ShowReportWindow(QtUi& ui, const ui::ReportWindow& w, const std::function<void()>& print) {
    QStringList lines;
    for (const auto& [label, value] : w.labels)
        lines << Q(label) + " " + Q(value);
    lines << Q(w.detail);
    ui.Record({"report", Q(w.caption), lines});
    ModelDialog dialog(ui.OwnerWindow(), w.caption, {0, 0, 520, 400}, ui.Colours().dialog);
    dialog.setMinimumSize(520, 160);
    dialog.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    dialog.allowClose = true;
    auto* layout = new QVBoxLayout(&dialog);
    auto* grid = new QGridLayout;
    int row = 0;
    for (const auto& [label, value] : w.labels) {
        auto* l = new QLabel(Q(label), &dialog);
        l->setFont(WindowFont(12, true));
        auto* v = new QLabel(Q(value), &dialog);
        v->setWordWrap(true);
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(l, row, 0, Qt::AlignTop);
        grid->addWidget(v, row++, 1);
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    if (!w.detail.empty()) {
        auto* memo = new QPlainTextEdit(&dialog);
        memo->setReadOnly(true);
        memo->setPlainText(Q(w.detail).replace("\r\n", "\n").replace('\r', '\n'));
        memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        QPalette p = memo->palette();
        p.setColor(QPalette::Base, p.color(QPalette::ToolTipBase));
        p.setColor(QPalette::Text, p.color(QPalette::ToolTipText));
        memo->setPalette(p);
        memo->setMinimumHeight(180);
        layout->addWidget(memo, 1);
    }
    auto* buttons = new QHBoxLayout;
    auto* printButton = new QPushButton("Tisk", &dialog);
    printButton->setToolTip(
        "zobrazení obsahu okna v \"poznámkovém bloku\" s možností následného tisku");
    auto* ok = new QPushButton("O.K.", &dialog);
    ok->setToolTip("odchod s ukončením programu");
    ok->setDefault(true);
    buttons->addWidget(printButton);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    QObject::connect(printButton, &QPushButton::clicked, &dialog, [&print] {
        if (print)
            print();
    });
    QObject::connect(ok, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(1); });
    dialog.adjustSize();
    if (QWidget* owner = ui.OwnerWindow())
        dialog.move(owner->frameGeometry().center() - dialog.rect().center());
    ok->setFocus();
    dialog.exec();
}

}  // namespace axo::gui
