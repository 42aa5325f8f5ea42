// The progress panel drawn with Qt.
#include "ProgressWindow.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "QtText.h"

namespace axo::gui {

namespace {

constexpr int kPanelHeight = 74;

/// The panel: a frame over the owner's bottom edge that keeps its place when the owner is
/// resized and, with STOP, holds the focus so that <Esc> reaches it.
class ProgressFrame : public QFrame {
  public:
    ProgressFrame(QWidget* owner, const ui::ProgressState& state) : QFrame(owner) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, p.color(QPalette::Highlight));
        p.setColor(QPalette::WindowText, p.color(QPalette::HighlightedText));
        setPalette(p);
        caption_ = new QLabel(this);
        QFont captionFont = WindowFont(13, true);
        captionFont.setUnderline(true);
        caption_->setFont(captionFont);
        caption_->setAlignment(Qt::AlignCenter);
        message_ = new QLabel(this);
        message_->setAlignment(Qt::AlignCenter);
        message_->setFont(WindowFont(12));
        step_ = new QLabel(this);
        step_->setFont(WindowFont(12, true));
        step_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        bar_ = new QProgressBar(this);
        bar_->setTextVisible(false);
        if (state.withStop) {
            stop_ = new QPushButton("STOP", this);
            stop_->setFocusPolicy(Qt::NoFocus);
            stop_->setStyleSheet(
                "QPushButton { background: rgb(220, 0, 0); color: white; font-weight: bold;"
                " border: 1px solid rgb(120, 0, 0); padding: 0; }");
            stop_->setToolTip(
                " kliknutím sem \n nebo stiskem klávesy <Esc> \n zastavíte probíhající proces ");
            connect(stop_, &QPushButton::clicked, this, [this] { stopRequested_ = true; });
            setFocusPolicy(Qt::StrongFocus);
            previousFocus_ = QApplication::focusWidget();
        }
        owner->installEventFilter(this);
        Place();
        Update(state);
        show();
        raise();
        if (stop_)
            setFocus();
    }
    ~ProgressFrame() override {
        if (previousFocus_)
            previousFocus_->setFocus();
    }

    void Update(const ui::ProgressState& state) {
        caption_->setText(Q(state.caption));
        message_->setText(Q(state.message));
        step_->setText(Q(state.stepText));
        bar_->setMaximum(std::max(state.maximum, 1));
        bar_->setValue(std::min(state.position, std::max(state.maximum, 1)));
    }
    bool TakeStopRequest() {
        const bool requested = stopRequested_;
        stopRequested_ = false;
        return requested;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::Resize)
            Place();
        if (stop_ && watched == parent() && event->type() == QEvent::KeyPress)
            return TakeKey(static_cast<QKeyEvent*>(event));
        return QFrame::eventFilter(watched, event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (!TakeKey(event))
            QFrame::keyPressEvent(event);
    }

  private:
    QLabel* caption_;
    QLabel* message_;
    QLabel* step_;
    QProgressBar* bar_;
    QPushButton* stop_ = nullptr;
    QPointer<QWidget> previousFocus_;
    bool stopRequested_ = false;

    /// <Esc> presses STOP; while the panel is up, the owner's own keys are not handled.
    bool TakeKey(QKeyEvent* event) {
        if (event->key() == Qt::Key_Escape)
            stopRequested_ = true;
        return true;
    }

    void Place() {
        const QWidget* owner = parentWidget();
        const int w = owner->width();
        // Above the main window's status bar, which keeps showing the running process.
        int bottom = owner->height();
        const auto* bar = owner->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
        if (bar && bar->isVisible())
            bottom = bar->geometry().top();
        setGeometry(0, bottom - kPanelHeight, w, kPanelHeight);
        caption_->setGeometry(4, 2, w - 8, 20);
        message_->setGeometry(4, 22, w - 8, 18);
        step_->setGeometry(4, 22, w - 12, 18);
        bar_->setGeometry(8, 46, w - 16, 17);
        if (stop_)
            stop_->setGeometry(w - 60 - 6, 4, 60, 16);
    }
};

class ProgressViewImpl : public ui::ProgressView {
  public:
    ProgressViewImpl(QWidget* owner, const ui::ProgressState& state)
        : frame_(owner ? new ProgressFrame(owner, state) : nullptr) {
        QCoreApplication::processEvents();
    }
    ~ProgressViewImpl() override { delete frame_.data(); }
    void Update(const ui::ProgressState& state) override {
        if (frame_)
            frame_->Update(state);
    }
    bool TakeStopRequest() override { return frame_ && frame_->TakeStopRequest(); }

  private:
    QPointer<ProgressFrame> frame_;
};

}  // namespace

std::unique_ptr<ui::ProgressView> OpenProgressPanel(QWidget* owner,
                                                    const ui::ProgressState& state) {
    return std::make_unique<ProgressViewImpl>(owner, state);
}

}  // namespace axo::gui
