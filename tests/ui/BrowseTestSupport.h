// What the browse window tests share: a table of towns (code unique, town with duplicates), a
// browser over it with a filter and counters of its hooks, a selector over it, and a fixture that
// fills the table, keeps a vault in memory and shows a page as a short text.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ListingTestSupport.h"
#include "storage/Files.h"
#include "ui/browse/BrowseScript.h"
#include "ui/browse/RecordBrowser.h"
#include "ui/browse/Selector.h"
#include "util/Cisla.h"
#include "util/Retezce.h"

namespace axo::ui::testing {

#pragma pack(push, 1)
struct Town {
    StrN<6> code;
    StrN<20> town;
    StrN<150> note;
};
#pragma pack(pop)

/// The towns: key 1 the code (unique), key 2 the town (duplicates), key 3 the note + code.
class tTowns : public storage::tSoubor {
  public:
    tTowns(const storage::DataContext& ctx, fs::path directory)
        : tSoubor(ctx), directory_(std::move(directory)) {}
    void Describe(Text& fileName, Text& title, storage::KeyTable& keys, int& keyCount,
                  int& recordLength) override {
        fileName = "MESTA"_t;
        title = "Města"_t;
        keys[1] = {6, false, false};
        keys[2] = {20, true, false};
        keys[3] = {66, false, false};
        keyCount = keyNumber;
        recordLength = sizeof(Town);
        const Text dir = Text::FromBytes(directory_.string());
        SetDirectories(dir, dir);
        AddField("KOD"_t, "STR6"_t);
        AddField("MESTO"_t, "STR20"_t);
        AddField("POZNAMKA"_t, "STR150"_t);
    }
    Text MakeKey(int k, const void* buffer) override {
        const auto& r = *static_cast<const Town*>(buffer);
        switch (k) {
            case 1:
                return FixedKeyText(r.code, 6);
            case 2:
                return FixedKeyText(r.town, 20);
            case 3:
                return FixedKeyText(r.note.Get().substr(0, 60), 60) + FixedKeyText(r.code, 6);
            default:
                return tSoubor::MakeKey(k, buffer);
        }
    }
    int keyNumber = 3;

  private:
    fs::path directory_;
};

inline Town MakeTown(int number, const std::string& town, const std::string& note = {}) {
    Town t;
    t.code = IntToTextZeros(number, 3);
    t.town = FromUtf8(town);
    t.note = FromUtf8(note);
    return t;
}

/// What a test browser does with its hooks.
struct TownHooks {
    std::function<bool(const Town&)> filter;
    int adds = 0;
    int edits = 0;
    bool deletes = false;    ///< <Delete> deletes the row's record
    int keys = 3;            ///< the keys the table has
    std::vector<int> codes;  ///< the command codes the hooks saw
};

template <class Base>
class TownBrowserOf : public TRecordBrowser<Town, Base> {
  public:
    TownBrowserOf(UiServices& ui, const BrowserEnvironment& env, fs::path directory,
                  TownHooks& hooks, int pageRows)
        : TRecordBrowser<Town, Base>(ui, env),
          directory_(std::move(directory)),
          hooks_(hooks),
          pageRows_(pageRows) {}

    bool OtevriData() override {
        file_ = std::make_unique<tTowns>(Context(), directory_);
        file_->keyNumber = hooks_.keys;
        if (!file_->InitFile(1, storage::_NoWait))
            return false;
        this->table = file_.get();
        return true;
    }
    void ZavriData() override {
        if (file_)
            file_->CloseFile();
    }
    void NastavStranku() override { this->SetPageRows(pageRows_); }
    Text NazevTrideni() override {
        static const char* const kNames[] = {"", " tříděno dle kódu", " tříděno dle města",
                                             " tříděno dle poznámky"};
        return FromUtf8(kNames[std::clamp(this->CurrentKey(), 0, 3)]);
    }
    Text TextRadku(int row) override {
        const Town& t = this->Zaznam(row);
        return " "_t + t.code.Get() + " "_t + LeftJustify(t.town, 20) + " "_t + t.note.Get();
    }
    bool VetaVyhovuje() override {
        if (!hooks_.filter)
            return true;
        Town t;
        this->table->GetRec(this->currentRecord, &t);
        return hooks_.filter(t);
    }
    void JinaKlavesa(int code) override { hooks_.codes.push_back(code); }
    void PridejVetu(Text& key, int, std::int32_t& n) override {
        hooks_.codes.push_back(this->CommandCode());
        ++hooks_.adds;
        key.clear();
        n = 0;
    }
    void ZpracujRadek(int row, Text& key, std::int32_t& n, int) override {
        hooks_.codes.push_back(this->CommandCode());
        if (this->CommandCode() == browse_code::kEnter) {
            key.clear();  // a choice
            n = 0;
            return;
        }
        ++hooks_.edits;
        key = this->KlicRadku(row);
        n = this->RowRecord(row);
    }
    void ZrusVetu(int row) override {
        if (hooks_.deletes)
            this->SmazZaznam(row);
        else
            this->SetNotHandled();
    }

  private:
    const storage::DataContext& Context() const { return *this->Environment().listing->data; }

    fs::path directory_;
    std::unique_ptr<tTowns> file_;
    TownHooks& hooks_;
    int pageRows_;
};

using TownBrowser = TownBrowserOf<TBrowser>;
using TownSelector = TownBrowserOf<TSelector>;

class BrowseTest : public ListingTest {
  protected:
    BrowseTest() {
        fs::create_directories(DataDir());
        env_.data = &data_;
        browserEnv_.listing = &env_;
        browserEnv_.loadSettings = [this](int group, int item, void* block, std::size_t length) {
            const auto it = vault_.find({group, item});
            if (it == vault_.end() || it->second.size() != length)
                return false;
            std::copy(it->second.begin(), it->second.end(), static_cast<std::uint8_t*>(block));
            return true;
        };
        browserEnv_.saveSettings = [this](int group, int item, const void* block, std::size_t n) {
            const auto* bytes = static_cast<const std::uint8_t*>(block);
            vault_[{group, item}] = std::vector<std::uint8_t>(bytes, bytes + n);
        };
        browserEnv_.deleteSettings = [this](int group, int item) { vault_.erase({group, item}); };
    }

    fs::path DataDir() const { return work_ / "data"; }

    /// The table made anew with the towns, written in one group.
    void Fill(const std::vector<Town>& towns) {
        tTowns file(data_, DataDir());
        file.keyNumber = hooks_.keys;
        ASSERT_TRUE(file.InitFile(3, storage::_NoWait));
        file.BtLockFileBlock(storage::_Wait);
        for (const Town& t : towns) {
            std::int32_t n = 0;
            file.AddRec(n, &t);
        }
        file.Unlock();
        file.CloseFile();
    }
    /// Towns 001..count, in two towns by turns ("Brno", "Praha") with a note.
    void FillNumbered(int count) {
        std::vector<Town> towns;
        for (int i = 1; i <= count; ++i)
            towns.push_back(MakeTown(i, i % 2 ? "Brno" : "Praha", "poznámka " + std::to_string(i)));
        Fill(towns);
    }

    /// A prepared and started browser (its first page read), page of `pageRows` rows.
    template <class Browser = TownBrowser>
    std::unique_ptr<Browser> Start(int pageRows = 12, const char* mode = "B",
                                   const std::function<void(TBrowser&)>& before = {}) {
        auto b = std::make_unique<Browser>(*ui_, browserEnv_, DataDir(), hooks_, pageRows);
        EXPECT_TRUE(b->Priprav(0, 0, "Města"_t, " Kód Město"_t, Text::FromBytes(mode), 0));
        if (before)
            before(*b);
        EXPECT_TRUE(b->Zahaj());
        return b;
    }

    /// The code a row shows (after the selector's mark).
    static std::string Code(TBrowser& b, int row) {
        const std::string text = ToUtf8(b.ShownRow(row));
        const std::size_t at = text.find_first_of("0123456789");
        return at == std::string::npos ? "?" : text.substr(at, 3);
    }
    /// The page as its first and last code, "001-012", and the current row's code after "@".
    static std::string Span(TBrowser& b) {
        if (b.RowsFilled() == 0)
            return "empty";
        return Code(b, 1) + "-" + Code(b, b.RowsFilled()) + "@" + Code(b, b.CurrentRow());
    }

    static void Steps(TBrowser& b, const std::string& steps) {
        ApplyBrowseSteps(b, ParseBrowseSteps(steps));
    }

    /// The message texts the front end showed, each flat.
    std::vector<std::string> Messages() const {
        std::vector<std::string> out;
        for (const TranscriptEntry& e : ui_->Transcript())
            if (e.kind.rfind("message", 0) == 0)
                out.push_back(MessageText(e));
        return out;
    }

    BrowserEnvironment browserEnv_;
    TownHooks hooks_;
    std::map<std::pair<int, int>, std::vector<std::uint8_t>> vault_;
};

}  // namespace axo::ui::testing
