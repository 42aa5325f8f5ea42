// The shared machinery of the control printouts.
#include "control/ControlListing.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::control {

namespace {

/// Records sorted in memory at a time: above this the sort file spills sorted runs to disk.
constexpr std::size_t kRunRecords = 50000;

}  // namespace

void GroupSum::Add(double md, double dal, bool balanceOnCreditSide) {
    ++count;
    debit = Round(debit + md, 2);
    credit = Round(credit + dal, 2);
    creditSide = balanceOnCreditSide;
}

double GroupSum::Balance() const {
    return Round(creditSide ? credit - debit : debit - credit, 2);
}

bool CreditSideAccount(std::uint8_t aktPas, int su) {
    return aktPas == 'P' || aktPas == 'V' || aktPas == 'W' || (su >= 71 && su <= 89) ||
           (su >= 141 && su <= 199);
}

int PeriodOf(const Text& identifikace) {
    return static_cast<int>(TextToInt(identifikace.substr(0, 4)) * 100 +
                            TextToInt(identifikace.substr(4, 2)));
}

bool ExcludedDocumentKind(const Text& identifikace) {
    return identifikace.substr(6, 2) == " U"_t;
}

Text AmountCell(double amount) {
    return RealToText(amount, 14, 2);
}

Text AccountText(const pap::tVetaUDPO& line) {
    return IntToTextZeros(line.SU, 3) + "/"_t + IntToTextZeros(line.AE, 3);
}

int ProgressStepFor(std::int64_t count) {
    return static_cast<int>(std::max<std::int64_t>(1, count / 200));
}

ControlInputs::ControlInputs(const ControlEnvironment& env)
    : lists(*env.data, env.location), lookups(lists), documents(*env.data, env.location) {}

ControlListing::ControlListing(const ui::ListingEnvironment& listing, const ControlEnvironment& env)
    : TextListing(listing), env_(env) {}

ControlListing::~ControlListing() = default;

bool ControlListing::OpenInputs() {
    in_ = std::make_unique<ControlInputs>(env_);
    outcome_.end = ControlEnd::NotOpened;
    if (!in_->lists.OpenChart() || !in_->lists.OpenPapCodes() ||
        !in_->lists.OpenTransactionCodes()) {
        Ui().ShowErrorLine(
            "Účtový rozvrh, číselník PAP nebo číselník kódů transakce nelze otevřít.\rAkce končí."_t);
        return false;
    }
    if (!in_->documents.Open(false))
        return false;
    outcome_.end = ControlEnd::Failed;
    return true;
}

void ControlListing::Init() {
    TextListing::Init();
    outcome_ = {};
    outcome_.end = ControlEnd::Failed;
}

void ControlListing::SetColumns(const std::vector<ControlColumn>& columns) {
    columnWidths.fill(kEndOfColumns);
    std::vector<Text> captions;
    for (std::size_t i = 0; i < columns.size() && i < kColumns; ++i) {
        columnWidths[i] = columns[i].width;
        captions.push_back(
            JustifyWithChar(columns[i].caption, columns[i].width, ' ', Alignment::kCentre));
    }
    BuildFrameLines();
    framedHeader = {};
    framedHeader[0] = FramedLine(captions);
}

Text ControlListing::MarkedLine(const std::vector<Text>& cells, std::initializer_list<int> marks,
                                char mark) const {
    std::string line = FramedLine(cells).Bytes();
    std::vector<std::size_t> frames;
    std::size_t at = 0;
    frames.push_back(0);
    for (std::uint8_t w : columnWidths) {
        if (w == kEndOfColumns)
            break;
        if (w == kSkippedColumn)
            continue;
        at += w + 1u;
        frames.push_back(at);
    }
    for (int m : marks) {
        const auto i = static_cast<std::size_t>(m);
        if (m >= 0 && i < frames.size() && frames[i] < line.size())
            line[frames[i]] = mark;
    }
    return Text::FromBytes(line);
}

void ControlListing::CreateSort(std::size_t recordSize, std::size_t keyLength) {
    sort_ = std::make_unique<control::SortFile>(*env_.data, recordSize, keyLength, kRunRecords);
}

pap::tFileUDPO& ControlListing::StartCollect(std::size_t recordSize, std::size_t keyLength) {
    CreateSort(recordSize, keyLength);
    pap::tFileUDPO& lines = in_->documents.Lines();
    progressCaption = "Probíhá třídění obratů."_t;
    const std::int32_t count = lines.BtUsedRecs();
    StartProgress(count, ProgressStepFor(count));
    return lines;
}

bool ControlListing::EndCollect(const Text& noDataEnd) {
    if (stopped) {
        outcome_.end = ControlEnd::Stopped;
        return false;
    }
    if (!sort_->Rewind()) {
        Ui().ShowError("Chyba "_t + IntToText(sort_->Error()) +
                       " při zápisu pomocného souboru pro třídění: "_t +
                       FromUtf8(std::strerror(sort_->Error())) + "."_t);
        return false;
    }
    outcome_.lines = sort_->Count();
    if (sort_->Count() == 0) {
        Ui().ShowInfo("Vámi zadaným parametrům nevyhověla žádná data.\r\r"_t + noDataEnd);
        outcome_.end = ControlEnd::NoData;
        return false;
    }
    return true;
}

bool ControlListing::Step() {
    ProgressStep();
    return !stopped;
}

void ControlListing::EndBody() {
    WriteLine(bottomLine);
    if (stopped) {
        outcome_.interrupted = true;
        WriteLine({});
        WriteLine(
            "*** Sestava byla přerušena tlačítkem STOP: neobsahuje všechny vybrané řádky "
            "a její součty nejsou konečné. ***"_t);
    }
}

bool ControlListing::MayShow() {
    // A listing file that lost a write is not shown; HandOver tells the user.
    outcome_.end = WriteError() == 0 ? ControlEnd::Shown : ControlEnd::Failed;
    return true;
}

void ControlListing::OnFailed() {}

void ControlListing::CloseInputs() {
    if (in_)
        in_->documents.Close();
    in_.reset();
    TextListing::CloseInputs();
    sort_.reset();
}

}  // namespace axo::control
