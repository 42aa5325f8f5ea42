// The scrolling list window drawn with Qt.
#include "ListWindow.h"

#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "QtText.h"
#include "QtUi.h"
#include "ui/ListWindow.h"

namespace axo::gui {

namespace {

struct ToolButton {
    ui::ListButton button;
    const char* icon;
    const char* hint;
};

const ToolButton kToolButtons[] = {
    {ui::ListButton::SipkaDolu, "down", "posun o jednu pozici dolů"},
    {ui::ListButton::SipkaNahoru, "up", "posun o jednu pozici nahoru"},
    {ui::ListButton::PageDown, "pagedown", "posun o stranu dolů <Page Down>"},
    {ui::ListButton::PageUp, "pageup", "posun o stranu nahoru <Page Up>"},
    {ui::ListButton::CtrlEnd, "last", "posun na poslední pozici <Ctrl End>"},
    {ui::ListButton::CtrlHome, "first", "posun na první pozici <Ctrl Home>"},
    {ui::ListButton::Print, "print", "tisk vybraného údaje, dokladu (popř. opis číselníku) <F4>"},
    {ui::ListButton::Info, "info", "zobrazení celého textu"},
    {ui::ListButton::F7, "search", "hledání zadaného řetězce"},
};

class ListDialog : public QDialog {
  public:
    ListDialog(QtUi& ui, ui::TRolMem& model) : QDialog(ui.OwnerWindow()), model_(model) {
        setWindowTitle(Q(model.Caption()));
        setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                       Qt::WindowCloseButtonHint);
        setFont(WindowFont());
        ApplyColours(*this, model.Colours());
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(ToolPanel());
        header_ = new QLabel(Q(model.Header()), this);
        header_->setFont(FixedFont());
        header_->setFixedHeight(ui::TRolMem::kHeaderPx);
        header_->setVisible(model.HeaderVisible());
        header_->setContentsMargins(4, 0, 0, 0);
        layout->addWidget(header_);
        list_ = new QListWidget(this);
        list_->setFont(FixedFont());
        list_->setUniformItemSizes(true);
        for (const Text& line : model.Lines()) {
            auto* item = new QListWidgetItem(Q(line), list_);
            item->setSizeHint(QSize(0, ui::TRolMem::kItemHeightPx));
        }
        list_->installEventFilter(this);
        layout->addWidget(list_, 1);
        layout->addWidget(ButtonPanel());
        connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            model_.ClickLine(list_->row(item));
            Sync();
        });
        connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
            model_.DoubleClickLine(list_->row(item));
            Sync();
        });
        const ui::Rect& f = model.Frame();
        resize(f.width, f.height);
        move(f.x, f.y);
        if (model.Maximised())
            setWindowState(Qt::WindowMaximized);
        Sync();
    }

    int Run() {
        if (!model_.IsClosed())
            exec();
        if (!model_.IsClosed())
            model_.Close(ui::TRolMem::kResultLeave);
        return model_.Result();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == list_ && event->type() == QEvent::KeyPress) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (const auto key = ModelKey(*event))
            model_.KeyDown(*key);
        Sync();
    }
    void resizeEvent(QResizeEvent* event) override {
        QDialog::resizeEvent(event);
        const QRect g = geometry();
        model_.SetFrame({g.x(), g.y(), g.width(), g.height()});
    }
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange)
            model_.SetMaximised(isMaximized());
        QDialog::changeEvent(event);
    }
    void reject() override {
        if (!model_.IsClosed())
            model_.Close(ui::TRolMem::kResultLeave);
        QDialog::reject();
    }

  private:
    ui::TRolMem& model_;
    QLabel* header_ = nullptr;
    QListWidget* list_ = nullptr;

    QWidget* ToolPanel() {
        auto* panel = new QFrame(this);
        panel->setObjectName("PanelNastroju");
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        auto* row = new QHBoxLayout(panel);
        row->setContentsMargins(4, 3, 4, 3);
        row->setSpacing(2);
        for (const ToolButton& t : kToolButtons) {
            auto* b = new QPushButton(panel);
            b->setIcon(QIcon(QString(":/icons/%1.svg").arg(t.icon)));
            b->setIconSize(QSize(18, 18));
            b->setFixedSize(30, 28);
            b->setToolTip(QString::fromUtf8(t.hint));
            b->setFocusPolicy(Qt::NoFocus);
            const ui::ListButton which = t.button;
            connect(b, &QPushButton::clicked, this, [this, which] {
                model_.Press(which);
                Sync();
            });
            row->addWidget(b);
        }
        row->addStretch(1);
        panel->setFixedHeight(ui::TRolMem::kToolPanelPx);
        return panel;
    }

    QWidget* ButtonPanel() {
        auto* panel = new QFrame(this);
        panel->setObjectName("PanelButtonu");
        auto* row = new QHBoxLayout(panel);
        row->setContentsMargins(4, 4, 4, 4);
        auto* vyber = new QPushButton("O.K.", panel);
        vyber->setObjectName("ButtonVyber");
        vyber->setToolTip("výběr aktuálního údaje ke zpracování <Enter>");
        auto* exit = new QPushButton("Zpět", panel);
        exit->setObjectName("ButtonExit");
        exit->setToolTip("ukončení práce <Esc>");
        for (QPushButton* b : {vyber, exit}) {
            b->setFocusPolicy(Qt::NoFocus);
            b->setMinimumWidth(90);
        }
        row->addStretch(1);
        row->addWidget(vyber);
        row->addWidget(exit);
        row->addStretch(1);
        connect(vyber, &QPushButton::clicked, this, [this] {
            model_.Press(ui::ListButton::Vyber);
            Sync();
        });
        connect(exit, &QPushButton::clicked, this, [this] {
            model_.Press(ui::ListButton::Exit);
            Sync();
        });
        return panel;
    }

    void Sync() {
        if (model_.Current() >= 0 && model_.Current() < list_->count())
            list_->setCurrentRow(model_.Current());
        list_->setToolTip(Q(model_.Hint()).replace('\r', '\n'));
        if (model_.IsClosed() && isVisible())
            done(model_.Result());
    }
};

}  // namespace

int RunListModel(QtUi& ui, ui::TRolMem& model) {
    QStringList lines;
    for (const Text& line : model.Lines())
        lines << Q(line);
    ui.Record({"list", Q(model.Caption()), lines});
    ListDialog dialog(ui, model);
    return dialog.Run();
}

}  // namespace axo::gui
