// The browse and selector windows drawn with Qt.
#include "BrowseWindow.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QToolButton>
#include <QWheelEvent>
#include <utility>
#include <vector>

#include "QtText.h"
#include "QtUi.h"
#include "ui/browse/Browser.h"
#include "ui/browse/Selector.h"

namespace axo::gui {

namespace {

using ui::BrowseButton;
using ui::TBrowser;

const char* IconOf(BrowseButton id) {
    switch (id) {
        case BrowseButton::SipkaDolu:
            return "down";
        case BrowseButton::SipkaNahoru:
            return "up";
        case BrowseButton::SipkaVpravo:
            return "right";
        case BrowseButton::SipkaVlevo:
            return "left";
        case BrowseButton::PageDown:
            return "pagedown";
        case BrowseButton::PageUp:
            return "pageup";
        case BrowseButton::End:
            return "rightside";
        case BrowseButton::Home:
            return "leftside";
        case BrowseButton::CtrlEnd:
            return "last";
        case BrowseButton::CtrlHome:
            return "first";
        case BrowseButton::Sort:
            return "sort";
        case BrowseButton::Find:
            return "search";
        case BrowseButton::Print:
            return "print";
        case BrowseButton::Shift:
            return "shift";
        case BrowseButton::Refresh:
            return "refresh";
        case BrowseButton::PrintScreen:
            return "screen";
        case BrowseButton::Enter:
            return "tick";
        case BrowseButton::VyberVse:
            return "tickall";
        case BrowseButton::ZrusVyber:
            return "untick";
        case BrowseButton::InvertujVyber:
            return "invert";
        case BrowseButton::Import:
            return "import";
        default:
            return "info";
    }
}

/// Buttons whose action repeats while the mouse moves over them with the left button held.
bool Repeats(BrowseButton id) {
    return id == BrowseButton::SipkaDolu || id == BrowseButton::SipkaNahoru ||
           id == BrowseButton::PageDown || id == BrowseButton::PageUp;
}

QString HintText(const Text& hint) {
    return Q(hint).replace('\r', '\n');
}

/// The page as Qt's list sees it: the rows the page holds, nothing of the table.
class PageModel : public QAbstractListModel {
  public:
    explicit PageModel(QObject* parent) : QAbstractListModel(parent) {}
    void SetRows(QStringList rows) {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rows_.size())
            return {};
        if (role == Qt::DisplayRole)
            return rows_[index.row()];
        if (role == Qt::SizeHintRole)
            return QSize(0, TBrowser::kRowPx);
        return {};
    }

  private:
    QStringList rows_;
};

class BrowseDialog : public QDialog {
  public:
    BrowseDialog(QtUi& ui, TBrowser& model) : QDialog(ui.OwnerWindow()), model_(model) {
        setWindowTitle(Q(model.Caption()));
        setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                       Qt::WindowCloseButtonHint);
        setFont(WindowFont());
        ApplyColours(*this, model.Colours());
        BuildToolBar();
        header_ = new QLabel(this);
        header_->setObjectName("Hlavicka");
        header_->setFont(FixedFont());
        list_ = new QListView(this);
        list_->setObjectName("ListBox");
        list_->setFont(FixedFont());
        list_->setUniformItemSizes(true);
        list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list_->setSelectionMode(QAbstractItemView::SingleSelection);
        list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        page_ = new PageModel(list_);
        list_->setModel(page_);
        list_->installEventFilter(this);
        list_->viewport()->installEventFilter(this);
        order_ = new QLabel(this);
        order_->setObjectName("AktualniIndex");
        order_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        BuildSearchBox();
        BuildButtonRow();
        const ui::Rect& f = model.Frame();
        setMinimumSize(model.MinimumWidth(), model.MinimumHeight());
        resize(f.width, f.height);
        move(f.x, f.y);
        if (model.Maximised())
            setWindowState(Qt::WindowMaximized);
        Layout();
        Sync();
        list_->setFocus();
    }

    int Run() {
        if (!model_.IsClosed())
            exec();
        if (!model_.IsClosed())
            model_.Close(TBrowser::kResultLeave);
        return model_.Result();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override { ListKey(*event); }
    void resizeEvent(QResizeEvent* event) override {
        QDialog::resizeEvent(event);
        ReportFrame();
    }
    void moveEvent(QMoveEvent* event) override {
        QDialog::moveEvent(event);
        ReportFrame();
    }
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange)
            model_.SetMaximised(isMaximized());
        QDialog::changeEvent(event);
    }
    void reject() override {
        if (!model_.IsClosed())
            model_.Close(TBrowser::kResultLeave);
        QDialog::reject();
    }

  private:
    TBrowser& model_;
    QFrame* toolBar_ = nullptr;
    std::vector<std::pair<BrowseButton, QToolButton*>> tools_;
    QLabel* header_ = nullptr;
    QListView* list_ = nullptr;
    PageModel* page_ = nullptr;
    QLabel* order_ = nullptr;
    QFrame* search_ = nullptr;
    QLineEdit* searchEdit_ = nullptr;
    QFrame* buttons_ = nullptr;
    std::vector<std::pair<BrowseButton, QPushButton*>> rowButtons_;
    std::vector<QToolButton*> rightTools_;  ///< standing at the right end of the tool bar
    bool syncing_ = false;
    int laidOutRows_ = -1;

    void BuildToolBar() {
        toolBar_ = new QFrame(this);
        toolBar_->setObjectName("PanelNastroju");
        toolBar_->setFrameStyle(QFrame::Panel | QFrame::Raised);
        toolBar_->setToolTip("panel nástrojů k ovládání zobrazených údajů");
        int x = 2;
        for (const ui::BrowseButtonView& view : model_.ToolBar()) {
            auto* b = new QToolButton(toolBar_);
            b->setObjectName(QString::fromStdString(view.name));
            b->setIcon(QIcon(QString(":/icons/%1.svg").arg(IconOf(view.id))));
            b->setIconSize(QSize(16, 16));
            b->setGeometry(x, 2, 24, TBrowser::kToolBarPx - 4);
            b->setToolTip(HintText(view.hint));
            b->setFocusPolicy(Qt::NoFocus);
            const BrowseButton id = view.id;
            connect(b, &QToolButton::clicked, this, [this, id, b] { Tool(id, b); });
            if (Repeats(id)) {
                b->setMouseTracking(true);
                b->installEventFilter(this);
            }
            tools_.emplace_back(id, b);
            if (view.right)
                rightTools_.push_back(b);
            else
                x += 25;
        }
    }

    void BuildSearchBox() {
        search_ = new QFrame(this);
        search_->setObjectName("SearchOkno");
        search_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        auto* caption = new QLabel(" Hledá", search_);
        caption->setGeometry(2, 2, 46, TBrowser::kHeaderPx - 4);
        searchEdit_ = new QLineEdit(search_);
        searchEdit_->setObjectName("SearchEdit");
        searchEdit_->setFont(FixedFont());
        searchEdit_->installEventFilter(this);
        connect(searchEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
            if (syncing_)
                return;
            model_.SetDirectSearchText(T(text));
            Sync();
        });
        search_->hide();
    }

    void BuildButtonRow() {
        buttons_ = new QFrame(this);
        buttons_->setObjectName("PanelButtonu");
        for (const ui::BrowseButtonView& view : model_.ButtonRow()) {
            auto* b = new QPushButton(Q(view.caption), buttons_);
            b->setObjectName(QString::fromStdString(view.name));
            b->setToolTip(HintText(view.hint));
            b->setFocusPolicy(Qt::NoFocus);
            const BrowseButton id = view.id;
            connect(b, &QPushButton::clicked, this, [this, id] {
                model_.Press(id);
                Sync();
            });
            rowButtons_.emplace_back(id, b);
        }
    }

    void Tool(BrowseButton id, QToolButton* button) {
        if (id == BrowseButton::Sort && model_.SortMenuOffered()) {
            QMenu menu(this);
            for (const ui::SortMenuItem& item : model_.SortMenu()) {
                QAction* action = menu.addAction(Q(item.caption));
                action->setCheckable(true);
                action->setChecked(item.current);
                action->setData(item.position);
            }
            if (QAction* chosen =
                    menu.exec(button->mapToGlobal(QPoint(button->width(), button->height()))))
                model_.ChooseOrder(chosen->data().toInt());
        } else {
            model_.Press(id);
        }
        list_->setFocus();
        Sync();
    }

    void ListKey(QKeyEvent& event) {
        if (event.key() == Qt::Key_Shift && event.modifiers() == Qt::ShiftModifier) {
            if (!event.isAutoRepeat())
                model_.KeyDown({ui::Key::None, true});
        } else if (const auto key = ModelKey(event)) {
            model_.KeyDown(*key);
        } else {
            for (char ch : TypedText(event))
                model_.TypeChar(ch);
        }
        Sync();
    }

    bool SearchKey(QKeyEvent& event) {
        const auto key = ModelKey(event);
        if (!key || !key->Plain())
            return false;
        switch (key->key) {
            case ui::Key::Esc:
            case ui::Key::Up:
            case ui::Key::Down:
            case ui::Key::Enter:
                model_.DirectSearchKey(*key);
                Sync();
                return true;
            default:
                return false;
        }
    }

    /// The row under a point of the list's viewport (1-based), 0 when none.
    int RowAt(const QPoint& point) const {
        const QModelIndex index = list_->indexAt(point);
        return index.isValid() ? index.row() + 1 : 0;
    }

    bool ListMouse(QEvent& event) {
        auto& mouse = static_cast<QMouseEvent&>(event);
        const int row = RowAt(mouse.position().toPoint());
        if (event.type() == QEvent::MouseButtonDblClick && mouse.button() == Qt::LeftButton) {
            model_.DoubleClickRow(row);
        } else if (event.type() == QEvent::MouseButtonPress && mouse.button() == Qt::LeftButton) {
            model_.ClickRow(row);
        } else if (event.type() == QEvent::MouseButtonPress && mouse.button() == Qt::RightButton) {
            if (auto* selector = dynamic_cast<ui::TSelector*>(&model_))
                selector->RightClickRow(row);
        } else {
            return false;
        }
        list_->setFocus();
        Sync();
        return true;
    }

    void ReportFrame() {
        if (syncing_)
            return;
        const QRect g = geometry();
        model_.SetFrame({g.x(), g.y(), g.width(), g.height()});
        Layout();
        Sync();
    }

    void Layout() {
        const int w = width();
        const int h = height();
        toolBar_->setGeometry(0, 0, w, TBrowser::kToolBarPx);
        int right = w - 2;
        for (QToolButton* b : rightTools_) {
            right -= 25;
            b->setGeometry(right, 2, 24, TBrowser::kToolBarPx - 4);
        }
        const bool header = model_.HeaderVisible();
        header_->setVisible(header);
        header_->setGeometry(5, TBrowser::kToolBarPx + 6, w - 10, TBrowser::kHeaderPx);
        const int listTop = TBrowser::kToolBarPx + (header ? 6 + TBrowser::kHeaderPx : 2);
        list_->setGeometry(1, listTop, w - 2, model_.PageSize() * TBrowser::kRowPx + 6);
        buttons_->setGeometry(0, h - TBrowser::kButtonRowPx, w, TBrowser::kButtonRowPx);
        const int labelTop = h - TBrowser::kButtonRowPx - TBrowser::kOrderLabelPx;
        order_->setGeometry(w / 2, labelTop, w / 2 - 6, TBrowser::kOrderLabelPx);
        search_->setGeometry(2, h - TBrowser::kButtonRowPx - 22, w / 2, TBrowser::kHeaderPx);
        searchEdit_->setGeometry(48, 1, w / 2 - 50, TBrowser::kHeaderPx - 2);
        for (const auto& [id, button] : rowButtons_)
            for (const ui::BrowseButtonView& view : model_.ButtonRow())
                if (view.id == id)
                    button->setGeometry(view.frame.x, 0, view.frame.width, view.frame.height);
        laidOutRows_ = model_.PageSize();
    }

    void Sync() {
        syncing_ = true;
        if (laidOutRows_ != model_.PageSize())
            Layout();
        QStringList rows;
        for (int row = 1; row <= model_.RowsFilled(); ++row)
            rows << Q(model_.ShownRow(row));
        page_->SetRows(rows);
        if (model_.RowsFilled() > 0)
            list_->setCurrentIndex(page_->index(model_.CurrentRow() - 1));
        header_->setText(Q(model_.ShownHeader()));
        order_->setText(Q(model_.OrderLabel()));
        const std::vector<ui::BrowseButtonView> tools = model_.ToolBar();
        for (std::size_t i = 0; i < tools.size() && i < tools_.size(); ++i)
            tools_[i].second->setEnabled(tools[i].enabled);
        for (const auto& [id, button] : rowButtons_)
            button->setEnabled(model_.ButtonEnabled(id));
        search_->setVisible(model_.SearchBoxOpen());
        if (model_.SearchBoxOpen()) {
            if (T(searchEdit_->text()) != model_.SearchBoxText())
                searchEdit_->setText(Q(model_.SearchBoxText()));
            searchEdit_->setFocus();
        } else if (searchEdit_->hasFocus()) {
            searchEdit_->clear();
            list_->setFocus();
        }
        syncing_ = false;
        if (model_.IsClosed() && isVisible())
            done(model_.Result());
    }
};

bool BrowseDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        ListKey(*static_cast<QKeyEvent*>(event));
        return true;
    }
    if (watched == list_->viewport()) {
        if (event->type() == QEvent::Wheel) {
            model_.Wheel(static_cast<QWheelEvent*>(event)->angleDelta().y() < 0);
            Sync();
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick)
            return ListMouse(*event);
    }
    if (watched == searchEdit_) {
        if (event->type() == QEvent::KeyPress)
            return SearchKey(*static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut && model_.SearchBoxOpen() && !syncing_ &&
            !search_->isAncestorOf(QApplication::focusWidget())) {
            model_.CloseDirectSearch();
            Sync();
        }
    }
    if (event->type() == QEvent::MouseMove) {
        // A held button repeats its action on every movement over it.
        auto* mouse = static_cast<QMouseEvent*>(event);
        for (const auto& [id, button] : tools_) {
            if (button == watched && (mouse->buttons() & Qt::LeftButton) &&
                button->rect().contains(mouse->position().toPoint()) && button->isEnabled()) {
                model_.Press(id);
                Sync();
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace

int RunBrowseModel(QtUi& ui, ui::TBrowser& model) {
    QStringList rows;
    for (int row = 1; row <= model.RowsFilled(); ++row)
        rows << Q(model.ShownRow(row));
    ui.Record({"browse", Q(model.Caption()), rows});
    BrowseDialog dialog(ui, model);
    return dialog.Run();
}

}  // namespace axo::gui
