// The partner names of the control printouts: the family's external address list ("EXAD" +
// fiscal year in the code-list directory), read by the partner's identification number.
#pragma once

#include <map>
#include <memory>

#include "codelists/a_FiExAd.h"
#include "pap/PapFiles.h"

namespace axo::control {

/// Partner names by identification number, each looked up once a run.
class PartnerNames {
  public:
    PartnerNames(const storage::DataContext& ctx, const pap::PapLocation& where);
    /// Opens the list shared; false when it is not there (the names then stay blank).
    bool Open();
    void Close();
    /// The first name line of the address with this IČO; blank when there is none.
    Text Name(const Text& ico);

  private:
    std::unique_ptr<codelists::tExtAdresy> file_;
    std::map<Text, Text> names_;
};

}  // namespace axo::control
