// Dialog forms drawn with Qt.
#include "DialogWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>
#include <map>

#include "QtText.h"
#include "QtUi.h"
#include "ui/Dialog.h"
#include "ui/DialogPages.h"

namespace axo::gui {

namespace {

using ui::DialogElement;
using ui::ElementKind;

/// Space around the grid, so that column 1 does not touch the window's edge.
constexpr int kMarginPx = 6;

/// Memo texts break lines with "\r"; the widget with "\n".
QString MemoText(const Text& text) {
    return Q(text).replace("\r\n", "\n").replace('\r', '\n');
}

QString HintText(const Text& hint) {
    return MemoText(hint);
}

class DialogWindow : public QDialog {
  public:
    DialogWindow(QtUi& ui, ui::TDialogAXO& model) : QDialog(ui.OwnerWindow()), model_(model) {
        setWindowTitle(Q(model.Caption()));
        if (!model.Hint().empty())
            setToolTip(HintText(model.Hint()));
        setFont(WindowFont());
        ApplyColours(*this, model.Colours());
        // The element with the focus is always marked, whatever kind it is.
        setStyleSheet(
            "QCheckBox:focus, QRadioButton:focus { background: palette(highlight); "
            "color: palette(highlighted-text); }"
            "QComboBox:focus, QPushButton:focus { outline: none; border: 2px solid "
            "palette(highlight); border-radius: 3px; padding: 1px 4px; }");
        const ui::Rect& f = model.Frame();
        setFixedSize(f.width + 2 * kMarginPx, model.Rows() * ui::kDialogRowPx + 2 * kMarginPx);
        move(f.x, f.y);
        for (const auto& e : model.Elements())
            Build(*e);
        // Panels and page frames are backgrounds: every other element stays visible on them.
        for (const auto& [element, widget] : widgets_)
            if (element->Kind() == ElementKind::Panel || element->Kind() == ElementKind::Pages)
                widget->lower();
        Sync();
    }

    int Run() {
        if (!model_.IsClosed())
            exec();
        if (!model_.IsClosed())
            model_.Close(ui::kCloseLeave);
        return model_.CloseCode();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override {
        if (!Key(event, nullptr))
            QDialog::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (!model_.IsClosed())
            model_.Close(ui::kCloseLeave);
        event->accept();
    }
    void reject() override {
        if (!model_.IsClosed())
            model_.Close(ui::kCloseLeave);
        QDialog::reject();
    }

  private:
    ui::TDialogAXO& model_;
    std::map<DialogElement*, QWidget*> widgets_;
    std::map<QObject*, DialogElement*> elements_;
    bool syncing_ = false;
    /// The edit field a mouse press has just entered: its release keeps the selection.
    DialogElement* enteredByClick_ = nullptr;

    void Build(DialogElement& e);
    QWidget* MakeWidget(DialogElement& e);
    QWidget* MakeRadioGroup(ui::TComboBoxAXO& list);
    QWidget* MakePages(ui::TPageControlAXO& pages);
    void Place(DialogElement& e, QWidget* w);
    ui::Rect WidenButton(const DialogElement& e, ui::Rect f, int wanted) const;
    int RoomRightOf(const DialogElement& e) const;
    void FitLabel(QLabel& label, int room);
    bool Key(QKeyEvent* event, DialogElement* element);
    bool Mouse(QMouseEvent* event, DialogElement& element);
    void Sync();
    void SyncElement(DialogElement& e, QWidget* w);
};

void DialogWindow::Build(DialogElement& e) {
    QWidget* w = MakeWidget(e);
    if (!w)
        return;
    if (!e.Hint().empty())
        w->setToolTip(HintText(e.Hint()));
    // Qt must not move the focus or handle keys by itself: the model decides.
    w->setFocusPolicy(e.Focusable() ? Qt::TabFocus : Qt::NoFocus);
    w->installEventFilter(this);
    widgets_[&e] = w;
    elements_[w] = &e;
    Place(e, w);
}

QWidget* DialogWindow::MakeRadioGroup(ui::TComboBoxAXO& list) {
    // The group takes the focus and the keys; its buttons only show and take clicks.
    auto* group = new QWidget(this);
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (std::size_t i = 0; i < list.Items().size(); ++i) {
        const int at = list.Accelerators()[i];
        auto* button = new QRadioButton(MnemonicText({list.Items()[i], at}), group);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoExclusive(false);
        connect(button, &QRadioButton::clicked, this, [this, &list, i] {
            if (syncing_)
                return;
            model_.ChooseItem(list, static_cast<int>(i));
            Sync();
        });
        column->addWidget(button);
    }
    return group;
}

QWidget* DialogWindow::MakePages(ui::TPageControlAXO& pages) {
    // A framed area with the row of tabs on its top edge; the pages' elements are the dialog's
    // own widgets, shown and hidden by the model.
    auto* area = new QFrame(this);
    area->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* tabs = new QTabBar(area);
    tabs->setObjectName("tabs");
    tabs->setFocusPolicy(Qt::NoFocus);
    tabs->setDrawBase(false);
    for (const Text& caption : pages.Pages())
        tabs->addTab(Q(caption));
    tabs->move(0, 0);
    tabs->resize(tabs->sizeHint());
    connect(tabs, &QTabBar::tabBarClicked, this, [this, &pages](int index) {
        if (syncing_ || index < 0)
            return;
        model_.ChoosePage(pages, index);
        Sync();
    });
    return area;
}

QWidget* DialogWindow::MakeWidget(DialogElement& e) {
    switch (e.Kind()) {
        case ElementKind::Label: {
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::RichText);
            return label;
        }
        case ElementKind::Edit: {
            auto& edit = static_cast<ui::TPrvek&>(e);
            auto* line = new QLineEdit(this);
            line->setAttribute(Qt::WA_InputMethodEnabled, false);
            line->setContextMenuPolicy(Qt::NoContextMenu);
            line->setDragEnabled(false);
            line->setAcceptDrops(false);
            if (edit.Options().fixedPitch)
                line->setFont(FixedFont());
            if (edit.IsNumber())
                line->setAlignment(Qt::AlignRight);
            return line;
        }
        case ElementKind::CheckBox: {
            auto& box = static_cast<ui::TCheckBoxAXO&>(e);
            return new QCheckBox(MnemonicText(ui::ParseCaption(box.Caption())), this);
        }
        case ElementKind::ComboBox: {
            auto& list = static_cast<ui::TComboBoxAXO&>(e);
            if (list.IsRadioGroup())
                return MakeRadioGroup(list);
            auto* combo = new QComboBox(this);
            for (const Text& item : list.Items())
                combo->addItem(Q(item));
            connect(combo, &QComboBox::activated, this, [this, &list](int index) {
                if (syncing_)
                    return;
                model_.ChooseItem(list, index);
                Sync();
            });
            return combo;
        }
        case ElementKind::Button: {
            auto& button = static_cast<ui::TButtonAXO&>(e);
            auto* push = new QPushButton(this);
            // The family's one-letter glyph buttons: "q" of Webdings is the preset arrow.
            if (button.Shown().shown == "q"_t) {
                push->setIcon(QIcon(":/icons/preset.svg"));
                push->setIconSize(QSize(16, 16));
            } else {
                push->setText(MnemonicText(button.Shown()));
            }
            connect(push, &QPushButton::clicked, this, [this, &button] {
                if (syncing_)
                    return;
                model_.Press(button);
                Sync();
            });
            return push;
        }
        case ElementKind::Panel: {
            auto* panel = new QLabel(this);
            panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
            panel->setAlignment(Qt::AlignCenter);
            panel->setWordWrap(true);
            const auto& model = static_cast<ui::TPanelAXO&>(e);
            if (model.Bold())
                panel->setFont(WindowFont(12, true));
            if (model.Colours()) {
                panel->setAutoFillBackground(true);
                ApplyColours(*panel, *model.Colours());
            }
            return panel;
        }
        case ElementKind::Memo: {
            auto& memo = static_cast<ui::TMemoAXO&>(e);
            auto* text = new QPlainTextEdit(this);
            text->setReadOnly(memo.ReadOnly());
            text->setPlainText(MemoText(memo.Content()));
            if (!memo.ReadOnly()) {
                connect(text, &QPlainTextEdit::textChanged, this, [this, &memo, text] {
                    if (!syncing_)
                        memo.SetContent(T(text->toPlainText().replace('\n', '\r')));
                });
            }
            return text;
        }
        case ElementKind::Pages:
            return MakePages(static_cast<ui::TPageControlAXO&>(e));
        case ElementKind::Account:
            // Its two fields and the "/" between them are elements of their own.
            return nullptr;
    }
    return nullptr;
}

void DialogWindow::Place(DialogElement& e, QWidget* w) {
    ui::Rect f = e.Frame();
    if (e.Kind() == ElementKind::Button && static_cast<ui::TButtonAXO&>(e).Shown().shown == "q"_t)
        f.width = f.height;
    // Labels and check boxes are as wide as their text needs at least, the grid may be narrower
    // for a proportional font's wide letters; a label that would run into the next element on
    // its row gets a smaller font.
    if (e.Kind() == ElementKind::Label || e.Kind() == ElementKind::CheckBox) {
        SyncElement(e, w);
        const int room = RoomRightOf(e);
        if (e.Kind() == ElementKind::Label)
            FitLabel(*static_cast<QLabel*>(w), room);
        f.width = std::max(f.width, std::min(w->sizeHint().width(), room));
    }
    if (e.Kind() == ElementKind::Button && f.width != f.height)
        f = WidenButton(e, f, w->sizeHint().width() + 8);
    const int inset = e.Kind() == ElementKind::Label || e.Kind() == ElementKind::Panel ? 0 : 1;
    w->setGeometry(kMarginPx + f.x, kMarginPx + f.y + inset, f.width, f.height - 2 * inset);
}

/// The pixels from the element to the next element on its row, or to the window's edge.
int DialogWindow::RoomRightOf(const DialogElement& e) const {
    const ui::Rect& f = e.Frame();
    int right = model_.Frame().width;
    for (const auto& other : model_.Elements()) {
        const ui::Rect& o = other->Frame();
        if (other.get() == &e || !other->Visible() || other->Kind() == ElementKind::Panel ||
            other->Kind() == ElementKind::Account || o.y + o.height <= f.y ||
            o.y >= f.y + f.height || o.x <= f.x)
            continue;
        right = std::min(right, o.x - 2);
    }
    return std::max(right - f.x, 8);
}

void DialogWindow::FitLabel(QLabel& label, int room) {
    QFont font = label.font();
    while (label.sizeHint().width() > room && font.pixelSize() > 9) {
        font.setPixelSize(font.pixelSize() - 1);
        label.setFont(font);
    }
}

/// A caption longer than its button widens the button about its centre, as far as the
/// elements beside it on its row and the window's edges allow.
ui::Rect DialogWindow::WidenButton(const DialogElement& e, ui::Rect f, int wanted) const {
    if (wanted <= f.width)
        return f;
    int leftBound = 0;
    int rightBound = model_.Frame().width;
    for (const auto& other : model_.Elements()) {
        const ui::Rect& o = other->Frame();
        if (other.get() == &e || !other->Visible() || o.y + o.height <= f.y ||
            o.y >= f.y + f.height)
            continue;
        if (o.x + o.width <= f.x)
            leftBound = std::max(leftBound, o.x + o.width + 4);
        else if (o.x >= f.x + f.width)
            rightBound = std::min(rightBound, o.x - 4);
    }
    const int centre = f.x + f.width / 2;
    const int half = std::min({wanted / 2, centre - leftBound, rightBound - centre});
    if (half * 2 > f.width) {
        f.x = centre - half;
        f.width = half * 2;
    }
    return f;
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto it = elements_.find(watched);
    if (it == elements_.end())
        return QDialog::eventFilter(watched, event);
    DialogElement& e = *it->second;
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Every key goes to the model, none to a shortcut.
            event->accept();
            return true;
        case QEvent::KeyPress:
            return Key(static_cast<QKeyEvent*>(event), &e);
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return Mouse(static_cast<QMouseEvent*>(event), e);
        case QEvent::Wheel:
            // A choice list changes only through the model.
            return e.Kind() == ElementKind::ComboBox;
        default:
            return QDialog::eventFilter(watched, event);
    }
}

bool DialogWindow::Key(QKeyEvent* event, DialogElement* element) {
    const auto key = ModelKey(*event);
    if (element && element->Kind() == ElementKind::Memo &&
        !static_cast<ui::TMemoAXO*>(element)->ReadOnly()) {
        // An editable memo edits itself; only leaving and confirming go to the dialog.
        const bool dialogKey = key && (key->key == ui::Key::Esc || key->key == ui::Key::F2 ||
                                       key->key == ui::Key::Tab);
        if (!dialogKey)
            return false;
    }
    if (key && key->alt && key->key == ui::Key::Down && element &&
        element->Kind() == ElementKind::ComboBox &&
        !static_cast<ui::TComboBoxAXO*>(element)->IsRadioGroup()) {
        static_cast<QComboBox*>(widgets_[element])->showPopup();
        return true;
    }
    if (key && key->ctrl && !key->alt && key->key == ui::Key::Character && key->ch == 'V') {
        model_.TypeText(T(QApplication::clipboard()->text().split('\n').value(0)));
    } else if (key) {
        model_.KeyDown(*key);
    } else {
        for (char ch : TypedText(*event))
            model_.TypeChar(ch);
    }
    Sync();
    return true;
}

/// Alt + the accelerator of a check box toggles it, as the platform's check boxes do.
bool DialogWindow::Mouse(QMouseEvent* event, DialogElement& e) {
    if (event->button() == Qt::MiddleButton)
        return true;  // no pasting of the selection past the model
    if (event->button() != Qt::LeftButton)
        return false;
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
    switch (e.Kind()) {
        case ElementKind::Label:
        case ElementKind::CheckBox:
            if (press || doubleClick) {
                model_.Click(e);
                Sync();
            }
            return true;
        case ElementKind::Edit: {
            auto& edit = static_cast<ui::TPrvek&>(e);
            if (doubleClick) {
                model_.DoubleClick(edit);
                Sync();
                return true;
            }
            if (press && model_.Focused() != &e) {
                // Entering a field by a click selects its content, as entering it by <Tab>
                // does: the click does not place the cursor.
                if (model_.SetFocus(&e))
                    enteredByClick_ = &e;
                Sync();
                return true;
            }
            if (!press && enteredByClick_ == &e) {
                enteredByClick_ = nullptr;
                return true;
            }
            if (!press) {
                // The click placed the cursor (or dragged a selection): the model takes it.
                auto* line = static_cast<QLineEdit*>(widgets_[&e]);
                if (line->hasSelectedText())
                    edit.Select(line->selectionStart(), line->selectedText().size());
                else
                    edit.Select(line->cursorPosition(), 0);
            }
            return false;
        }
        case ElementKind::ComboBox:
        case ElementKind::Memo:
            if (press && model_.Focused() != &e) {
                const bool moved = model_.SetFocus(&e);
                Sync();
                return !moved;
            }
            return false;
        default:
            return false;
    }
}

void DialogWindow::Sync() {
    syncing_ = true;
    for (const auto& [element, widget] : widgets_)
        SyncElement(*element, widget);
    if (DialogElement* focused = model_.Focused()) {
        const auto it = widgets_.find(focused);
        if (it != widgets_.end() && !it->second->hasFocus())
            it->second->setFocus(Qt::OtherFocusReason);
    }
    syncing_ = false;
    if (model_.IsClosed() && isVisible())
        done(model_.CloseCode());
}

void DialogWindow::SyncElement(DialogElement& e, QWidget* w) {
    w->setVisible(e.Visible());
    w->setEnabled(e.Enabled());
    switch (e.Kind()) {
        case ElementKind::Label:
            static_cast<QLabel*>(w)->setText(
                AcceleratorHtml(static_cast<ui::TLabelAXO&>(e).Shown()));
            break;
        case ElementKind::Edit: {
            auto& edit = static_cast<ui::TPrvek&>(e);
            auto* line = static_cast<QLineEdit*>(w);
            const QString text = Q(edit.EditText());
            if (line->text() != text)
                line->setText(text);
            if (edit.SelLength() > 0) {
                const int anchor = edit.Cursor() == edit.SelStart()
                                       ? edit.SelStart() + edit.SelLength()
                                       : edit.SelStart();
                line->setSelection(anchor, edit.Cursor() - anchor);
            } else {
                line->setCursorPosition(edit.Cursor());
            }
            break;
        }
        case ElementKind::CheckBox:
            static_cast<QCheckBox*>(w)->setChecked(static_cast<ui::TCheckBoxAXO&>(e).Checked());
            break;
        case ElementKind::ComboBox: {
            const auto& list = static_cast<ui::TComboBoxAXO&>(e);
            if (!list.IsRadioGroup()) {
                static_cast<QComboBox*>(w)->setCurrentIndex(list.Index());
                break;
            }
            const QList<QRadioButton*> buttons =
                w->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
            for (int i = 0; i < buttons.size(); ++i)
                buttons[i]->setChecked(i == list.Index());
            break;
        }
        case ElementKind::Panel:
            // A caption may run over several lines.
            static_cast<QLabel*>(w)->setText(MemoText(static_cast<ui::TPanelAXO&>(e).Caption()));
            break;
        case ElementKind::Pages: {
            auto* tabs = w->findChild<QTabBar*>("tabs");
            const int current = static_cast<ui::TPageControlAXO&>(e).Current();
            if (tabs && tabs->currentIndex() != current)
                tabs->setCurrentIndex(current);
            break;
        }
        case ElementKind::Memo: {
            auto* text = static_cast<QPlainTextEdit*>(w);
            const QString content = MemoText(static_cast<ui::TMemoAXO&>(e).Content());
            if (text->toPlainText() != content)
                text->setPlainText(content);
            break;
        }
        default:
            break;
    }
}

}  // namespace

int RunDialogModel(QtUi& ui, ui::TDialogAXO& dialog) {
    QStringList lines;
    for (const Text& line : dialog.TranscriptLines())
        lines << Q(line);
    for (const Text& caption : dialog.ButtonCaptions())
        lines << Q(caption);
    ui.Record({"dialog", Q(dialog.Caption()), lines});
    DialogWindow window(ui, dialog);
    return window.Run();
}

}  // namespace axo::gui
