// The calendar and the calculator drawn with Qt.
#include "HelpWindows.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "QtText.h"
#include "QtUi.h"
#include "ui/Calculator.h"
#include "ui/Calendar.h"

namespace axo::gui {

namespace {

constexpr int kCellW = 34;
constexpr int kCellH = 24;

/// The month page: day names and six weeks, the chosen day highlighted.
class MonthView : public QWidget {
  public:
    MonthView(ui::TKalendarAXO& model, std::function<void()> changed, QWidget* parent)
        : QWidget(parent), model_(model), changed_(std::move(changed)) {
        setFixedSize(7 * kCellW, 7 * kCellH);
        setFocusPolicy(Qt::NoFocus);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Base));
        const auto names = ui::TKalendarAXO::DayNames();
        p.setFont(WindowFont(12, true));
        for (int c = 0; c < 7; ++c)
            p.drawText(QRect(c * kCellW, 0, kCellW, kCellH), Qt::AlignCenter, Q(names[c]));
        p.setFont(WindowFont(12));
        const auto grid = model_.MonthGrid();
        for (int r = 0; r < 6; ++r) {
            for (int c = 0; c < 7; ++c) {
                const int day = grid[r][c];
                if (day == 0)
                    continue;
                const QRect cell((c * kCellW) + 1, (r + 1) * kCellH + 1, kCellW - 2, kCellH - 2);
                const bool chosen = day == model_.Selected().day;
                if (chosen)
                    p.fillRect(cell, palette().color(QPalette::Highlight));
                p.setPen(chosen   ? palette().color(QPalette::HighlightedText)
                         : c >= 5 ? QColor(180, 0, 0)
                                  : palette().color(QPalette::Text));
                p.drawText(cell, Qt::AlignCenter, QString::number(day));
            }
        }
    }
    void mousePressEvent(QMouseEvent* event) override { Click(event->position().toPoint()); }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (Click(event->position().toPoint()))
            model_.Confirm();
        changed_();
    }

  private:
    ui::TKalendarAXO& model_;
    std::function<void()> changed_;

    bool Click(QPoint at) {
        const int r = at.y() / kCellH - 1;
        const int c = at.x() / kCellW;
        if (r < 0 || r > 5 || c < 0 || c > 6)
            return false;
        const int day = model_.MonthGrid()[r][c];
        if (day == 0)
            return false;
        model_.ClickDay(day);
        changed_();
        return true;
    }
};

/// A window whose keys all go to a model: `key` for special keys, `type` for characters.
class ModelKeysDialog : public QDialog {
  public:
    using QDialog::QDialog;
    std::function<bool(const ui::KeyEvent&)> key;
    std::function<void(char)> type;
    std::function<void()> changed;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (const auto k = ModelKey(*event)) {
            if (key)
                key(*k);
        } else if (type) {
            for (char ch : TypedText(*event))
                type(ch);
        }
        if (changed)
            changed();
    }
};

/// The "O.K." and "Zpět" buttons at the foot of a help window: they confirm or cancel the
/// model and let `refresh` close the window.
template <class Model>
void AddOkBackButtons(QDialog& dialog, QVBoxLayout* layout, Model& model,
                      std::function<void()> refresh) {
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton("O.K.", &dialog);
    auto* back = new QPushButton("Zpět", &dialog);
    for (QPushButton* b : {ok, back})
        b->setFocusPolicy(Qt::NoFocus);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(back);
    layout->addLayout(buttons);
    QObject::connect(ok, &QPushButton::clicked, &dialog, [&model, refresh] {
        model.Confirm();
        refresh();
    });
    QObject::connect(back, &QPushButton::clicked, &dialog, [&model, refresh] {
        model.Cancel();
        refresh();
    });
}

}  // namespace

bool RunCalendarModel(QtUi& ui, ui::TKalendarAXO& model) {
    ui.Record({"calendar", Q(ui::TKalendarAXO::Title()), {}});
    ModelKeysDialog dialog(ui.OwnerWindow());
    dialog.setWindowTitle(Q(ui::TKalendarAXO::Title()));
    dialog.setFont(WindowFont());
    auto* layout = new QVBoxLayout(&dialog);
    auto* caption = new QLabel(&dialog);
    caption->setFont(WindowFont(14, true));
    caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(caption);
    std::function<void()> refresh;
    auto* month = new MonthView(
        model, [&refresh] { refresh(); }, &dialog);
    layout->addWidget(month, 0, Qt::AlignHCenter);
    QStringList help;
    for (const Text& line : model.HelpLines())
        help << Q(line);
    auto* helpLabel = new QLabel(help.join('\n'), &dialog);
    helpLabel->setFont(WindowFont(11));
    layout->addWidget(helpLabel);
    refresh = [&] {
        caption->setText(Q(model.MonthCaption()));
        month->update();
        if (model.Closed())
            dialog.done(model.Confirmed() ? 1 : 0);
    };
    dialog.key = [&model](const ui::KeyEvent& k) { return model.KeyDown(k); };
    dialog.changed = refresh;
    AddOkBackButtons(dialog, layout, model, refresh);
    refresh();
    dialog.exec();
    if (!model.Closed())
        model.Cancel();
    return model.Confirmed();
}

bool RunCalculatorModel(QtUi& ui, ui::TKalkulatorAXO& model) {
    ui.Record({"calculator", Q(ui::TKalkulatorAXO::Title()), {}});
    ModelKeysDialog dialog(ui.OwnerWindow());
    dialog.setWindowTitle(Q(ui::TKalkulatorAXO::Title()));
    dialog.setFont(WindowFont());
    auto* layout = new QVBoxLayout(&dialog);
    auto* line = new QLabel(&dialog);
    line->setFont(FixedFont(16));
    line->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    line->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    line->setMinimumSize(260, 32);
    line->setAutoFillBackground(true);
    line->setBackgroundRole(QPalette::Base);
    layout->addWidget(line);
    auto* error = new QLabel(&dialog);
    error->setStyleSheet("color: rgb(172, 2, 45);");
    layout->addWidget(error);
    auto refresh = [&] {
        line->setText(Q(model.Line()));
        error->setText(Q(model.ErrorText()));
        if (model.Closed())
            dialog.done(model.Confirmed() ? 1 : 0);
    };
    auto* keys = new QGridLayout;
    static const char* const kKeys[4][5] = {{"7", "8", "9", "/", "("},
                                            {"4", "5", "6", "*", ")"},
                                            {"1", "2", "3", "-", "C"},
                                            {"0", ",", "=", "+", "<-"}};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 5; ++c) {
            const QString label = kKeys[r][c];
            auto* b = new QPushButton(label == "<-" ? QString("\u2190") : label, &dialog);
            b->setFocusPolicy(Qt::NoFocus);
            b->setFixedSize(48, 30);
            QObject::connect(b, &QPushButton::clicked, &dialog, [&model, label, &refresh] {
                if (label == "C")
                    model.KeyDown({ui::Key::Delete});
                else if (label == "<-")
                    model.KeyDown({ui::Key::Backspace});
                else
                    model.TypeChar(label.toLatin1().at(0));
                refresh();
            });
            keys->addWidget(b, r, c);
        }
    }
    layout->addLayout(keys);
    AddOkBackButtons(dialog, layout, model, refresh);
    dialog.key = [&model](const ui::KeyEvent& k) { return model.KeyDown(k); };
    dialog.type = [&model](char ch) { model.TypeChar(ch); };
    dialog.changed = refresh;
    refresh();
    dialog.exec();
    if (!model.Closed())
        model.Cancel();
    return model.Confirmed();
}

}  // namespace axo::gui
