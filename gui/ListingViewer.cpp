// The printout viewer drawn with Qt.
#include "ListingViewer.h"

#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <fstream>

#include "QtText.h"
#include "QtUi.h"
#include "ui/ListingConvert.h"

namespace axo::gui {

QStringList ReadListingLines(const std::filesystem::path& file) {
    QStringList lines;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // A page break shows as an empty line, as the HTML output shows it.
        if (line.find_first_not_of(" \f") == std::string::npos)
            line.clear();
        lines << ListingLine(Text::FromBytes(std::move(line)));
    }
    return lines;
}

namespace {

class ViewerDialog : public QDialog {
  public:
    std::function<void()> print;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier && print) {
            print();
            return;
        }
        QDialog::keyPressEvent(event);
    }
};

/// Saves the printout as a UTF-8 text file with its frames, chosen in a save dialog.
void SaveAsText(QtUi& ui, QWidget* parent, const ui::ListingView& listing) {
    const QString name = QFileDialog::getSaveFileName(parent, "Uložit sestavu jako text",
                                                      Q(listing.title).trimmed() + ".txt",
                                                      "Textové soubory (*.txt);;Všechny (*)");
    if (name.isEmpty())
        return;
    ui::LineConversion conversion;
    conversion.kind = ui::OutputKind::TextFile;
    conversion.codePage = 4;
    ui::ConvertListingToText(ui, listing.file, std::filesystem::path(name.toStdString()),
                             conversion, false);
}

}  // namespace

void ShowListingViewer(QtUi& ui, const ui::ListingView& listing,
                       const std::function<void()>& output) {
    const QStringList lines = ReadListingLines(listing.file);
    ui.Record({"printout", Q(listing.title), lines});
    ViewerDialog dialog;
    dialog.setParent(ui.OwnerWindow(), Qt::Dialog);
    dialog.setObjectName("ListingViewer");
    dialog.print = output;
    dialog.setWindowTitle(Q(listing.title).trimmed().isEmpty() ? QString("Sestava")
                                                               : Q(listing.title).trimmed());
    dialog.setFont(WindowFont());
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QPlainTextEdit(&dialog);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(FixedFont());
    text->setPlainText(lines.join('\n'));
    layout->addWidget(text, 1);
    auto* bottom = new QHBoxLayout;
    auto* info = new QLabel(QString("Řádků: %1").arg(lines.size()), &dialog);
    auto* printButton = new QPushButton("Tisk <F4>", &dialog);
    printButton->setToolTip("odeslání sestavy na výstup dle nastavení tisku");
    auto* saveButton = new QPushButton("Uložit jako text...", &dialog);
    saveButton->setToolTip("uložení sestavy do textového souboru (UTF-8)");
    auto* closeButton = new QPushButton("Zavřít <Esc>", &dialog);
    bottom->addWidget(info, 1);
    bottom->addWidget(printButton);
    bottom->addWidget(saveButton);
    bottom->addWidget(closeButton);
    layout->addLayout(bottom);
    QObject::connect(printButton, &QPushButton::clicked, &dialog, [&output] {
        if (output)
            output();
    });
    QObject::connect(saveButton, &QPushButton::clicked, &dialog,
                     [&ui, &dialog, &listing] { SaveAsText(ui, &dialog, listing); });
    QObject::connect(closeButton, &QPushButton::clicked, &dialog, &QDialog::accept);
    // As wide as the printout's lines where the screen allows, most of the screen high.
    const QFontMetrics metrics(text->font());
    const QRect screen = dialog.screen()->availableGeometry();
    const int width = std::min(metrics.horizontalAdvance(QString(listing.lineWidth + 2, 'M')) + 60,
                               screen.width() - 40);
    dialog.resize(std::max(width, 640), std::min(screen.height() - 80, 620));
    dialog.move(screen.center() - dialog.rect().center());
    text->setFocus();
    dialog.exec();
}

}  // namespace axo::gui
