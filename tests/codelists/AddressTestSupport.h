// What the external address tests share: a scratch installation with the scripted front end,
// an address book over its code-list directory, and filling a list with addresses.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codelists/a_Anc_EA.h"
#include "ui/ListingTestSupport.h"
#include "util/Retezce.h"

namespace axo::codelists::testing {

namespace fs = std::filesystem;

/// An address with a classification, a name, a town and an IČO.
inline tVetaExtAdresa Address(const std::string& code, const std::string& name,
                              const std::string& town = {}, const std::string& ico = {}) {
    tVetaExtAdresa r{};
    r.MATCH_CODE = FromUtf8(code);
    r.NAZ_FIRM1 = FromUtf8(name);
    r.MESTO_FIRM = FromUtf8(town);
    r.ICO = FromUtf8(ico);
    return r;
}

class AddressTest : public ui::testing::ListingTest {
  protected:
    AddressTest() {
        fs::create_directories(ListDir());
        book_.ui = ui_.get();
        book_.ctx = &data_;
        book_.directory = ListDir();
        book_.yearCode = "2024"_t;
        book_.programDate = " 5. 3.2024"_t;
        book_.browser.listing = &env_;
    }

    fs::path ListDir() const { return work_ / "ciselniky"; }
    fs::path OtherDir() const { return work_ / "jinde"; }

    /// Writes the addresses (with their notes) into the list of `dir`, made anew.
    void Fill(const std::vector<tVetaExtAdresa>& addresses, const fs::path& dir,
              const std::vector<std::string>& notes = {}) {
        fs::create_directories(dir);
        tExtAdresy file(data_, dir, "2024"_t);
        ASSERT_TRUE(file.InitFile(3, storage::_NoWait));
        for (std::size_t i = 0; i < addresses.size(); ++i) {
            file.SetNotes(i < notes.size() ? FromUtf8(notes[i]) : Text());
            std::int32_t n = 0;
            file.AddRec(n, &addresses[i]);
        }
        file.CloseFile();
    }
    void Fill(const std::vector<tVetaExtAdresa>& addresses) { Fill(addresses, ListDir()); }

    /// The classifications of the list in `dir` in the order of key `k`, each with "*" when it
    /// has notes.
    std::vector<std::string> Codes(const fs::path& dir, int k = 3) {
        tExtAdresy file(data_, dir, "2024"_t);
        if (!file.InitFile(1, storage::_NoWait))
            return {"<none>"};
        std::vector<std::string> codes;
        std::int32_t n = 0;
        Text key;
        tVetaExtAdresa r{};
        file.BtClearKey(k);
        while (file.BtNextKey(k, n, key)) {
            file.GetRec(n, &r);
            codes.push_back(ToUtf8(Trim(r.MATCH_CODE)) + (file.Notes().empty() ? "" : "*"));
        }
        file.CloseFile();
        return codes;
    }

    AddressBook book_;
};

}  // namespace axo::codelists::testing
