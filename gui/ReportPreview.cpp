// The print preview window drawn with Qt.
#include "ReportPreview.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "QtText.h"
#include "QtUi.h"
#include "report/output/CairoOutput.h"
#include "report/preview/Preview.h"

namespace axo::gui {

namespace {

using report::PreviewKey;
using report::SaveKind;

/// The paper: the current page drawn white at the zoom, placed where the model says.
class PaperView : public QWidget {
  public:
    PaperView(report::TFormSestP& model, QWidget* parent) : QWidget(parent), model_(model) {
        setObjectName("Papir");
        setMouseTracking(false);
        setFocusPolicy(Qt::StrongFocus);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(128, 128, 128));
        setPalette(p);
    }

    /// Draws the page again at the zoom (after a page change or a new zoom).
    void Refresh() {
        report::TPageImage image;
        page_ = QImage();
        if (model_.PageImage(image) && image.width > 0) {
            page_ = QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width,
                           image.height, image.width * 4, QImage::Format_ARGB32)
                        .copy();
        }
        update();
    }

    std::function<void()> changed;

  protected:
    void resizeEvent(QResizeEvent*) override {
        model_.SetViewport(width(), height());
        update();
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect paper(model_.PaperLeft(), model_.PaperTop(), model_.PaperWidth(),
                          model_.PaperHeight());
        p.fillRect(paper.translated(3, 3), QColor(60, 60, 60));
        p.fillRect(paper, Qt::white);
        if (!page_.isNull())
            p.drawImage(paper, page_);
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::MiddleButton) {
            setCursor(Qt::ClosedHandCursor);
            model_.BeginDrag(e->position().toPoint().x(), e->position().toPoint().y());
        }
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!model_.Dragging())
            return;
        model_.DragTo(e->position().toPoint().x(), e->position().toPoint().y());
        update();
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::MiddleButton) {
            model_.EndDrag();
            unsetCursor();
        }
    }
    void wheelEvent(QWheelEvent* e) override {
        const int notches = e->angleDelta().y() / 120;
        if (notches == 0)
            return;
        model_.Wheel(notches, (e->modifiers() & Qt::ControlModifier) != 0);
        if (changed)
            changed();
    }

  private:
    report::TFormSestP& model_;
    QImage page_;
};

class PreviewDialog : public QDialog {
  public:
    PreviewDialog(QtUi& ui, report::TFormSestP& model) : QDialog(ui.OwnerWindow()), model_(model) {
        setObjectName("FormSestP");
        setWindowTitle("Prohlížení sestavy před tiskem");
        setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                       Qt::WindowCloseButtonHint);
        setFont(WindowFont());
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(ToolColumn());
        paper_ = new PaperView(model, this);
        paper_->changed = [this] { Sync(true); };
        layout->addWidget(paper_, 1);
        resize(1000, 720);
        Sync(true);
    }

    void Run() {
        // Maximised before it is shown, so that exec shows it modal.
        if (model_.Maximised())
            setWindowState(windowState() | Qt::WindowMaximized);
        exec();
    }

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        const bool ctrl = (e->modifiers() & Qt::ControlModifier) != 0;
        std::optional<PreviewKey> key;
        switch (e->key()) {
            case Qt::Key_Escape:
                key = PreviewKey::Esc;
                break;
            case Qt::Key_E:
                if (ctrl)
                    key = PreviewKey::CtrlE;
                break;
            case Qt::Key_P:
                if (ctrl)
                    key = PreviewKey::CtrlP;
                break;
            case Qt::Key_T:
                if (ctrl)
                    key = PreviewKey::CtrlT;
                break;
            case Qt::Key_PageUp:
                key = ctrl ? PreviewKey::CtrlPageUp : PreviewKey::PageUp;
                break;
            case Qt::Key_PageDown:
                key = ctrl ? PreviewKey::CtrlPageDown : PreviewKey::PageDown;
                break;
            case Qt::Key_Up:
                key = PreviewKey::Up;
                break;
            case Qt::Key_Down:
                key = PreviewKey::Down;
                break;
            case Qt::Key_Left:
                key = PreviewKey::Left;
                break;
            case Qt::Key_Right:
                key = PreviewKey::Right;
                break;
            default:
                break;
        }
        if (!key || !model_.Key(*key)) {
            QDialog::keyPressEvent(e);
            return;
        }
        Sync(true);
    }
    void reject() override {
        // The window's own close button closes the preview normally.
        model_.Close();
        Sync(false);
    }
    void contextMenuEvent(QContextMenuEvent* e) override { ContextMenu()->exec(e->globalPos()); }

  private:
    report::TFormSestP& model_;
    PaperView* paper_ = nullptr;
    QLabel* current_ = nullptr;
    QLabel* total_ = nullptr;
    QToolButton* first_ = nullptr;
    QToolButton* prior_ = nullptr;
    QToolButton* next_ = nullptr;
    QToolButton* last_ = nullptr;
    std::vector<QToolButton*> zoom_;

    QToolButton* Button(QWidget* parent, const QString& name, const QString& caption,
                        const QString& hint, std::function<void()> action) {
        auto* b = new QToolButton(parent);
        b->setObjectName(name);
        b->setText(caption);
        b->setToolTip(hint);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setMinimumWidth(56);
        connect(b, &QToolButton::clicked, this, [this, action = std::move(action)] {
            action();
            Sync(true);
        });
        return b;
    }

    QMenu* SaveMenu(QWidget* parent) {
        auto* menu = new QMenu("Uložit do souboru", parent);
        for (SaveKind kind : report::kSaveKinds)
            menu->addAction(Q(report::SaveCaption(kind)), this, [this, kind] {
                model_.Save(kind);
                Sync(true);
            });
        if (model_.sendPdf) {
            menu->addSeparator();
            menu->addAction("Odeslat e-mailem jako PDF...", this, [this] {
                model_.SendPdfByMail();
                Sync(true);
            });
        }
        return menu;
    }

    QMenu* ContextMenu() {
        auto* menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addAction("Zavřít náhled", this, [this] {
            model_.Close();
            Sync(false);
        });
        if (model_.EditAllowed())
            menu->addAction("Oprava předlohy...", this, [this] {
                model_.Edit();
                Sync(false);
            });
        menu->addAction("Tisk náhledu...", this, [this] {
            model_.Print();
            Sync(true);
        });
        menu->addMenu(SaveMenu(menu));
        menu->addAction("Zobrazit stránku", this, [this] {
            model_.AskPage();
            Sync(true);
        });
        return menu;
    }

    QWidget* ToolColumn() {
        auto* column = new QWidget(this);
        column->setObjectName("PanelNastroju");
        column->setFixedWidth(150);
        auto* v = new QVBoxLayout(column);
        v->setContentsMargins(6, 6, 6, 6);
        v->addWidget(Button(column, "ButtonZavrit", "Zavřít", Q(model_.CloseHint()),
                            [this] { model_.Close(); }));
        if (model_.EditAllowed())
            v->addWidget(Button(column, "ButtonOprava", "Oprava...", "Návrat k opravě předlohy...",
                                [this] { model_.Edit(); }));
        v->addWidget(Button(column, "ButtonTisk", "Tisk...", "Tisk náhledu... <Ctrl+P>",
                            [this] { model_.Print(); }));
        auto* save = new QToolButton(column);
        save->setObjectName("ButtonUlozit");
        save->setText("Uložit...");
        save->setToolTip("Uložit do souboru");
        save->setPopupMode(QToolButton::InstantPopup);
        save->setMenu(SaveMenu(save));
        save->setFocusPolicy(Qt::NoFocus);
        v->addWidget(save);
        if (model_.UserCommandVisible())
            v->addWidget(Button(column, "ButtonUzivatel", "Příkaz", Q(model_.UserCommandHint()),
                                [this] { model_.UserCommand(); }));
        v->addSpacing(12);
        v->addWidget(new QLabel("Aktuální stránka", column));
        current_ = new QLabel(column);
        current_->setObjectName("AktualniStranka");
        current_->setFrameShape(QFrame::Panel);
        current_->setFrameShadow(QFrame::Sunken);
        current_->setAlignment(Qt::AlignCenter);
        current_->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(current_, &QLabel::customContextMenuRequested, this,
                [this](const QPoint& at) { ContextMenu()->exec(current_->mapToGlobal(at)); });
        v->addWidget(current_);
        v->addWidget(new QLabel("Celkem stran", column));
        total_ = new QLabel(column);
        total_->setObjectName("CelkemStran");
        total_->setFrameShape(QFrame::Panel);
        total_->setFrameShadow(QFrame::Sunken);
        total_->setAlignment(Qt::AlignCenter);
        v->addWidget(total_);
        auto* pages = new QGridLayout;
        first_ = Button(column, "ButtonPrvni", "|<", "První stránka <Ctrl+PgUp>",
                        [this] { model_.First(); });
        prior_ = Button(column, "ButtonPredchozi", "<", "Předchozí stránka <PgUp>",
                        [this] { model_.Prior(); });
        next_ = Button(column, "ButtonNasledujici", ">", "Následující stránka <PgDn>",
                       [this] { model_.Next(); });
        last_ = Button(column, "ButtonPosledni", ">|", "Poslední stránka <Ctrl+PgDn>",
                       [this] { model_.Last(); });
        pages->addWidget(first_, 0, 0);
        pages->addWidget(prior_, 0, 1);
        pages->addWidget(next_, 1, 0);
        pages->addWidget(last_, 1, 1);
        v->addLayout(pages);
        v->addWidget(Button(column, "ButtonStranka", "Stránka...", "Zobrazit stránku ...",
                            [this] { model_.AskPage(); }));
        v->addSpacing(12);
        auto* zoomHint = new QLabel("Zobrazení v měřítku [%]", column);
        zoomHint->setWordWrap(true);
        v->addWidget(zoomHint);
        auto* zooms = new QGridLayout;
        for (int step = 0; step < static_cast<int>(report::kZoomFactors.size()); ++step) {
            QToolButton* b =
                Button(column, "Zoom" + QString::number(step), Q(report::ZoomCaption(step)),
                       Q(report::ZoomCaption(step)), [this, step] { model_.SetZoomStep(step); });
            b->setCheckable(true);
            zoom_.push_back(b);
            zooms->addWidget(b, step / 2, step % 2);
        }
        v->addLayout(zooms);
        v->addStretch(1);
        return column;
    }

    /// Shows the model's state; `redraw` draws the page again.
    void Sync(bool redraw) {
        if (model_.Closed()) {
            if (isVisible())
                done(model_.Result() ? 1 : 0);
            return;
        }
        current_->setText(QString::number(model_.CurrentPage()));
        total_->setText(QString::number(model_.PageCount()));
        first_->setEnabled(model_.CanFirst());
        prior_->setEnabled(model_.CanPrior());
        next_->setEnabled(model_.CanNext());
        last_->setEnabled(model_.CanLast());
        for (std::size_t i = 0; i < zoom_.size(); ++i)
            zoom_[i]->setChecked(static_cast<int>(i) == model_.ZoomStep());
        if (redraw)
            paper_->Refresh();
    }
};

}  // namespace

void RunPreviewModel(QtUi& ui, report::TFormSestP& model) {
    ui.Record(
        {"preview",
         "Prohlížení sestavy před tiskem",
         {QString::number(model.CurrentPage()) + " / " + QString::number(model.PageCount())}});
    PreviewDialog dialog(ui, model);
    dialog.Run();
    if (!model.Closed())
        model.Close();
}

}  // namespace axo::gui
