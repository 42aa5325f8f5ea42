// The copy of addresses between two lists, and the interactive export and import.
#include "codelists/ExAdTransfer.h"

#include <system_error>

#include "codelists/a_SelExA.h"
#include "pap/TableSwap.h"
#include "storage/WorkFiles.h"
#include "ui/DialogInsert.h"
#include "ui/ProgressPanel.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::codelists {

namespace fs = std::filesystem;

namespace {

/// The lists of a report shown at most this long.
constexpr std::size_t kListedAtMost = 20;

fs::path Canonical(const fs::path& p) {
    std::error_code ec;
    const fs::path c = fs::weakly_canonical(p, ec);
    return ec ? p.lexically_normal() : c;
}

Text Listed(const std::vector<Text>& codes) {
    Text out;
    for (std::size_t i = 0; i < codes.size() && i < kListedAtMost; ++i)
        out += (i == 0 ? Text() : ", "_t) + codes[i];
    if (codes.size() > kListedAtMost)
        out += " a další ("_t + IntToText(static_cast<long long>(codes.size() - kListedAtMost)) +
               ")"_t;
    return out;
}

/// The chosen addresses of the source one after another: by their classifications, or (none
/// chosen) the whole source in the order of classifications.
class SourceWalk {
  public:
    SourceWalk(tExtAdresy& source, const std::vector<Text>& chosen)
        : source_(source), chosen_(chosen) {
        source_.BtClearKey(3);
    }
    int Count() {
        return chosen_.empty() ? source_.BtUsedRecs() : static_cast<int>(chosen_.size());
    }
    /// The next address into `r` (true), or its classification into `missing` when the source
    /// lacks it (true); false at the end.
    bool Next(tVetaExtAdresa& r, Text& code, bool& missing) {
        missing = false;
        if (chosen_.empty()) {
            std::int32_t n = 0;
            Text key;
            if (!source_.BtNextKey(3, n, key) || !source_.GetRec(n, &r))
                return false;
            code = Trim(r.MATCH_CODE);
            return true;
        }
        if (next_ >= chosen_.size())
            return false;
        code = chosen_[next_++];
        missing = !FindAddressByClassification(code, source_, r);
        return true;
    }

  private:
    tExtAdresy& source_;
    const std::vector<Text>& chosen_;
    std::size_t next_ = 0;
};

/// Copies the target's own addresses into the staged table.
void CopyExisting(tExtAdresy& target, tExtAdresy& staged, ui::ProgressPanel& progress) {
    tVetaExtAdresa r{};
    std::int32_t n = 0;
    Text key;
    target.BtClearKey(0);
    while (target.BtNextKey(0, n, key)) {
        target.GetRec(n, &r);
        staged.SetNotes(target.Notes());
        std::int32_t added = 0;
        staged.AddRec(added, &r);
        progress.Step();
    }
}

TransferReport Failed(const Text& why) {
    TransferReport report;
    report.failure = why;
    return report;
}

}  // namespace

bool RebuildAddressList(const storage::DataContext& ctx, ui::UiServices& ui,
                        const fs::path& directory, const Text& yearCode, bool keepExisting,
                        int adding,
                        const std::function<bool(tExtAdresy&, ui::ProgressPanel&)>& fill,
                        Text& failure) {
    tExtAdresy target(ctx, directory, yearCode);
    // Exclusively: the list is replaced as a file, which nobody may have open meanwhile.
    if (!target.InitFile(5, storage::_NoWait)) {
        failure = "Číselník externích adres v adresáři "_t + storage::TextFromPath(directory) +
                  " nelze zamknout, pracuje s ním jiný uživatel."_t;
        return false;
    }
    const std::unique_ptr<pap::TableSwap> swap =
        pap::MakeTableSwap(ui, target.DataFilePath().parent_path(), target.FileName(), ctx);
    if (!swap) {
        failure = "Číselník externích adres nebyl změněn."_t;
        return false;
    }
    tExtAdresy staged(swap->Context(), swap->Directory(), yearCode);
    if (!staged.InitFile(6, storage::_NoWait) || !staged.BtLockFileBlock(storage::_NoWait)) {
        failure = "Číselník externích adres nebyl změněn."_t;
        return false;
    }
    {
        const int existing = keepExisting ? target.BtUsedRecs() : 0;
        ui::ProgressPanel progress(ui, false, existing + adding, "přenos externích adres"_t, {});
        if (keepExisting)
            CopyExisting(target, staged, progress);
        if (!fill(staged, progress)) {
            failure = "Číselník externích adres nebyl změněn."_t;
            return false;
        }
    }
    staged.Unlock();
    staged.CloseFile();
    if (!swap->Commit({{staged.DataFilePath(), target.DataFilePath()}})) {
        failure = "Číselník externích adres nelze nahradit novým obsahem."_t;
        return false;
    }
    return true;
}

TransferReport CopyAddresses(const storage::DataContext& ctx, ui::UiServices& ui,
                             const fs::path& sourceDirectory, const fs::path& targetDirectory,
                             const Text& yearCode, const std::vector<Text>& classifications,
                             const TransferOptions& options) {
    if (Canonical(sourceDirectory) == Canonical(targetDirectory))
        return Failed("Zdrojový a cílový číselník externích adres je tentýž soubor ("_t +
                      storage::TextFromPath(Canonical(targetDirectory)) + ")."_t);
    tExtAdresy source(ctx, sourceDirectory, yearCode);
    if (!source.InitFile(1, storage::_NoWait))
        return Failed("V adresáři "_t + storage::TextFromPath(sourceDirectory) +
                      " není číselník externích adres, nebo ho nelze otevřít."_t);
    SourceWalk walk(source, classifications);
    // Only the classification is unique: new numbers are free by their making, and a whole
    // source copied into an emptied target brings each classification once.
    const bool mayClash = !options.renumber && (!options.recreate || !classifications.empty());
    const int count = walk.Count();
    TransferReport report;
    auto fill = [&](tExtAdresy& staged, ui::ProgressPanel& progress) {
        std::optional<ClassificationCounter> counter;
        if (options.renumber)
            counter.emplace(staged);
        tVetaExtAdresa r{};
        Text code;
        bool missing = false;
        while (walk.Next(r, code, missing)) {
            progress.Step();
            if (missing) {
                report.missing.push_back(code);
                continue;
            }
            if (counter) {
                const std::optional<Text> next = counter->Next();
                if (!next) {
                    report.noNumber.push_back(code);
                    continue;
                }
                r.MATCH_CODE = *next;
            }
            if (mayClash && staged.FindUsedKey(true, &r, &r) != 0) {
                report.clashes.push_back(code);
                continue;
            }
            staged.SetNotes(source.Notes());
            std::int32_t added = 0;
            staged.AddRec(added, &r);
            ++report.copied;
            if (options.afterAddress)
                options.afterAddress(report.copied);
        }
        return true;
    };
    Text failure;
    if (!RebuildAddressList(ctx, ui, targetDirectory, yearCode, !options.recreate, count, fill,
                            failure))
        return Failed(failure);
    report.done = true;
    return report;
}

Text TransferSkippedText(const TransferReport& report) {
    Text text;
    auto add = [&text](const char* what, const std::vector<Text>& codes) {
        if (codes.empty())
            return;
        text += (text.empty() ? Text() : "\r"_t) + FromUtf8(what) +
                IntToText(static_cast<long long>(codes.size())) + " ("_t + Listed(codes) + ")"_t;
    };
    add("Přeskočeno pro shodné zatřídění: ", report.clashes);
    add("Přeskočeno, nezbylo volné zatřídění: ", report.noNumber);
    add("Nenalezeno ve zdroji: ", report.missing);
    return text;
}

Text TransferReportText(const TransferReport& report) {
    const Text skipped = TransferSkippedText(report);
    if (skipped.empty())
        return "\t\rHOTOVO!"_t;
    return "\t\rHOTOVO!\r\rPřeneseno adres: "_t + IntToText(report.copied) + "\r"_t + skipped;
}

// ---- The interactive transfers ------------------------------------------------------------------

namespace {

/// The parameters of a transfer dialog, kept in the parameter vault (group 20).
#pragma pack(push, 1)
struct TransferDialogBlock {
    StrN<250> path;
};
#pragma pack(pop)

struct TransferDialog {
    Text path;
    bool renumber = false;
    bool recreate = false;
};

bool AskTransfer(const AddressBook& book, bool exporting, TransferDialog& result) {
    const int item = exporting ? 4 : 5;
    TransferDialogBlock block{};
    if (book.browser.loadSettings)
        book.browser.loadSettings(20, item, &block, sizeof block);
    Text path = block.path;
    std::uint8_t renumber = 0;
    std::uint8_t recreate = 0;
    auto d =
        ui::CreateDialog(book.Ui(), book.browser.dialog, 0, 0, 70, {},
                         exporting ? "Export externích adres"_t : "Import externích adres"_t, 8);
    ui::InsertLabel(*d, 3, 1, {},
                    "Zadejte cestu k cílovému adresáři v konvencích MS-DOS (c:\\adresy\\)"_t);
    ui::InsertPrvek(*d, 3, 2, {}, {}, 250, path, {}, ui::TPrvek::kText, 0, 62);
    d->NameCurrent("cesta");
    ui::InsertCheckBox(*d, {}, "Přidělit nové zatřídění"_t, renumber, 0, 4, 3);
    d->NameCurrent("zatrideni");
    ui::InsertCheckBox(*d, {},
                       exporting ? "Soubor adres v cílovém adresáři nově založit (přepsat)"_t
                                 : "Soubor adres v aktuálním adresáři PŘEPSAT importem"_t,
                       recreate, 0, 5, 3);
    d->NameCurrent("prepsat");
    ui::InsertOkZpet(*d, 0, 8, {}, "odchod"_t, 8, 0, {},
                     exporting ? "provést export"_t : "provést import"_t);
    if (!ui::RunDialog(*d))
        return false;
    result.path = Trim(path);
    block.path = result.path;
    if (book.browser.saveSettings)
        book.browser.saveSettings(20, item, &block, sizeof block);
    result.renumber = renumber != 0;
    result.recreate = recreate != 0;
    return true;
}

/// A transfer's directory outside the program's data areas is used only after the user
/// confirms it. None when the user declined.
std::optional<fs::path> ConfirmedDirectory(const AddressBook& book, const fs::path& dir,
                                           const Text& operation) {
    const fs::path canonical = Canonical(dir);
    for (const fs::path& area : book.dataAreas)
        if (Canonical(area) == canonical)
            return canonical;
    if (!book.Ui().YesNo("Bude provedeno přihlášení do datové oblasti\r"_t + operation + "\r"_t +
                             storage::TextFromPath(canonical),
                         " ~A~no "_t, " <Esc>~N~e "_t, 1))
        return std::nullopt;
    return canonical;
}

void Transfer(const AddressBook& book, bool exporting) {
    TransferDialog params;
    std::optional<fs::path> dir;
    while (!dir) {
        if (!AskTransfer(book, exporting, params))
            return;
        const fs::path tried(ToUtf8(ReplaceChar(params.path, '\\', '/')));
        std::error_code ec;
        if (!tried.empty() && fs::is_directory(tried, ec)) {
            dir = ConfirmedDirectory(book, tried,
                                     exporting ? "export externích adres přímo do"_t
                                               : "import externích adres přímo do"_t);
            if (!dir)
                return;
        } else if (!book.Ui().YesNo(" Mechanika nepřipravena "_t, "         ~Z~novu        "_t,
                                    " <Esc>u~k~ončení funkce "_t, 1)) {
            return;
        }
    }
    const fs::path source = exporting ? book.directory : *dir;
    const fs::path target = exporting ? *dir : book.directory;
    if (Canonical(source) == Canonical(target)) {
        book.Ui().ShowError("Zdrojový a cílový číselník externích adres je tentýž soubor."_t);
        return;
    }
    const std::vector<Text> chosen = ChooseAddresses(
        book, source,
        (exporting ? "Externích adresy k exportu do "_t : "Externích adresy k importu do "_t) +
            storage::TextFromPath(*dir));
    if (chosen.empty())
        return;
    TransferOptions options;
    options.renumber = params.renumber;
    options.recreate = params.recreate;
    if (!exporting && params.recreate)
        options.recreate =
            book.Ui().YesNo("Aktuální adresář bude přepsán importovanými adresami."_t,
                            " ~P~řepsat "_t, "Ne, přidávat"_t, 2);
    const TransferReport report =
        CopyAddresses(*book.ctx, book.Ui(), source, target, book.yearCode, chosen, options);
    if (!report.done) {
        if (!report.failure.empty())
            book.Ui().ShowError(report.failure);
        return;
    }
    book.Ui().ShowInfo(TransferReportText(report));
}

}  // namespace

void ExportAddresses(const AddressBook& book) {
    Transfer(book, true);
}

void ImportAddresses(const AddressBook& book) {
    Transfer(book, false);
}

}  // namespace axo::codelists
