// The partners of the books into the address list.
#include "codelists/PartnersFromBooks.h"

#include <map>

#include "codelists/ExAdTransfer.h"
#include "pap/ImportCsv.h"
#include "util/Retezce.h"

namespace axo::codelists {

int AddPartnersFromBooks(const pap::PapLocation& where, const storage::DataContext& ctx,
                         ui::UiServices& ui) {
    // The partners by IČO, each with the first name a line gives it.
    std::map<Text, Text> partners;
    {
        pap::tFileUDPO lines(ctx, where);
        if (!lines.InitFile(1, storage::_NoWait))
            return 0;
        pap::tVetaUDPO line;
        std::int32_t n = 0;
        Text key;
        lines.BtClearKey(0);
        while (lines.BtNextKey(0, n, key)) {
            lines.GetRec(n, &line);
            // The line's note names its first partner; the second one is known by IČO only
            // until a line names it first.
            const Text first = Trim(line.PARTNER);
            const Text second = Trim(line.PARTNER2);
            if (first.size() == 8 && pap::AllDigits(first) && partners[first].empty())
                partners[first] = Trim(line.POZNAMKA);
            if (second.size() == 8 && pap::AllDigits(second))
                partners.try_emplace(second);
        }
        lines.CloseFile();
    }
    int added = 0;
    auto fill = [&](tExtAdresy& staged, ui::ProgressPanel& progress) {
        ClassificationCounter counter(staged);
        for (const auto& [ico, name] : partners) {
            progress.Step();
            std::int32_t found = 0;
            if (staged.BtFindKey(5, found, FixedKeyText(ico, 10)))
                continue;
            const std::optional<Text> code = counter.Next();
            if (!code)
                return false;
            tVetaExtAdresa r{};
            r.MATCH_CODE = *code;
            r.ICO = ico;
            r.NAZ_FIRM1 = name.empty() ? "Partner IČO "_t + ico : name;
            r.OSOBA = 1;
            staged.SetNotes(Text());
            std::int32_t n = 0;
            staged.AddRec(n, &r);
            ++added;
        }
        return true;
    };
    Text failure;
    if (!RebuildAddressList(ctx, ui, where.codeListDirectory, where.yearCode, true,
                            static_cast<int>(partners.size()), fill, failure)) {
        ui.ShowError(failure);
        return -1;
    }
    return added;
}

}  // namespace axo::codelists
