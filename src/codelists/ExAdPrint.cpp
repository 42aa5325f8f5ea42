// External addresses as print form data.
#include "codelists/ExAdPrint.h"

#include <algorithm>
#include <sstream>

#include "codelists/ExAdFields.h"
#include "printforms/FormTypes.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::codelists {

namespace {

/// The settings a data text carries.
struct PrintRequest {
    int order = 1;
    AddressFilters filters;
    Text classification;
};

PrintRequest ParseData(const Text& data) {
    PrintRequest request;
    request.filters.validity = 0;
    std::istringstream words(Trim(data).Bytes());
    std::string order, validity, notes, natures, type, code;
    words >> order >> validity >> notes >> natures >> type;
    std::getline(words, code);
    request.order = static_cast<int>(
        std::clamp<long long>(TryTextToInt(Text::FromBytes(order)).value_or(1), 1, 9));
    request.filters.validity = static_cast<int>(
        std::clamp<long long>(TryTextToInt(Text::FromBytes(validity)).value_or(0), 0, 2));
    request.filters.notesOnly = notes == "1";
    for (std::size_t i = 0; i < 4; ++i)
        request.filters.nature[i] = i >= natures.size() || natures[i] != '0';
    request.filters.type = static_cast<int>(
        std::clamp<long long>(TryTextToInt(Text::FromBytes(type)).value_or(2), 0, 2));
    request.classification = Trim(Text::FromBytes(code));
    return request;
}

std::vector<Text> Lines(const Text& text) {
    std::vector<Text> lines;
    Text line;
    for (char ch : text) {
        if (ch == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (ch != '\r') {
            line += ch;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

class AddressSource : public printforms::FormDataSource {
  public:
    AddressSource(const storage::DataContext& ctx, const std::filesystem::path& directory,
                  const Text& yearCode, const Text& data)
        : file_(ctx, directory, yearCode), request_(ParseData(data)) {
        if (!file_.InitFile(1, storage::_WaitQuestion)) {
            ctx.ui->ShowError("Soubor "_t + file_.FileName() + " nelze otevřít."_t);
            return;
        }
        file_.BtClearKey(request_.order);
    }
    ~AddressSource() override {
        if (file_.Opened())
            file_.CloseFile();
    }

    bool NextRecord(printforms::AcronymTable& a) override {
        if (!file_.Opened() || !Advance())
            return false;
        for (const AddressField& f : AddressFields())
            a.Set(f.name, AddressFieldText(record_, f));
        static const char* const kNatures[] = {"neurčeno", "odběratel", "dodavatel", "ostatní"};
        a.Set("POVAHA_TEXT"_t, record_.POVAHA <= 3 ? FromUtf8(kNatures[record_.POVAHA]) : Text());
        a.Set("OSOBA_TEXT"_t, record_.OSOBA == 1 ? "právnická osoba"_t : "fyzická osoba"_t);
        a.Set("PLATNOST_TEXT"_t, record_.PLATNOST == 1 ? "neplatná adresa"_t : "platná adresa"_t);
        return true;
    }
    std::vector<Text> NoteLines() override { return Lines(file_.Notes()); }

  private:
    tExtAdresy file_;
    PrintRequest request_;
    tVetaExtAdresa record_{};
    bool single_ = false;

    bool Advance() {
        if (!request_.classification.empty()) {
            if (single_)
                return false;
            single_ = true;
            return FindAddressByClassification(request_.classification, file_, record_);
        }
        std::int32_t n = 0;
        Text key;
        while (file_.BtNextKey(request_.order, n, key)) {
            if (file_.GetRec(n, &record_) &&
                AddressPasses(request_.filters, record_, !file_.Notes().empty()))
                return true;
        }
        return false;
    }
};

}  // namespace

Text AddressPrintData(int order, const AddressFilters& f, const Text& classification) {
    Text natures;
    for (bool on : f.nature)
        natures += on ? '1' : '0';
    Text data = IntToText(order) + " "_t + IntToText(f.validity) + " "_t +
                (f.notesOnly ? "1"_t : "0"_t) + " "_t + natures + " "_t + IntToText(f.type);
    if (!Trim(classification).empty())
        data += " "_t + Trim(classification);
    return data;
}

printforms::DataSourceProvider AddressSources(const storage::DataContext& ctx,
                                              const std::filesystem::path& directory,
                                              const Text& yearCode,
                                              printforms::DataSourceProvider other) {
    return [&ctx, directory, yearCode, other](
               const printforms::StoredForm& form,
               const Text& data) -> std::unique_ptr<printforms::FormDataSource> {
        if (form.type == printforms::kTypeExAdresy)
            return std::make_unique<AddressSource>(ctx, directory, yearCode, data);
        return other ? other(form, data) : nullptr;
    };
}

}  // namespace axo::codelists
