// The external address list read for partner names.
#include "control/PartnerNames.h"

#include "util/Retezce.h"

namespace axo::control {

PartnerNames::PartnerNames(const storage::DataContext& ctx, const pap::PapLocation& where)
    : file_(std::make_unique<codelists::tExtAdresy>(ctx, where.codeListDirectory, where.yearCode)) {
}

bool PartnerNames::Open() {
    return file_->InitFile(1, storage::_NoWait);
}

void PartnerNames::Close() {
    if (file_->Opened())
        file_->CloseFile();
}

Text PartnerNames::Name(const Text& ico) {
    const Text partner = Trim(ico);
    if (partner.empty() || !file_->Opened())
        return {};
    auto it = names_.find(partner);
    if (it != names_.end())
        return it->second;
    return names_.emplace(partner, codelists::PartnerName(*file_, partner)).first->second;
}

}  // namespace axo::control
