// Test support for the main window's behaviour: a new installation in a scratch directory, a
// session on it with the scripted front end, and a window view that records what it was told.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/PapForm.h"
#include "startup/NewInstallation.h"
#include "startup/Session.h"
#include "support/ScratchDir.h"
#include "ui/ScriptedUi.h"
#include "util/Clock.h"

namespace axo::app::test {

namespace fs = std::filesystem;

/// A new empty directory, removed with its contents.
class ScratchDir : public axo::test::ScratchDir {
  public:
    ScratchDir() : axo::test::ScratchDir("axo-app") {}
};

/// The view of the window: what the behaviour asked of it.
class RecordingView : public FormView {
  public:
    bool toolPanelShown = false;
    bool aboutButton = false;
    int closeRequests = 0;
    std::map<CommandId, Text> captions;

    void ShowToolPanel() override { toolPanelShown = true; }
    void CreateAboutButton() override { aboutButton = true; }
    void SetItemCaption(CommandId command, const Text& caption) override {
        captions[command] = caption;
    }
    void CloseWindow() override { ++closeRequests; }
};

/// An installation of fiscal years `year` - 1 and `year` with the default user, and a session
/// of the main window on it (password and fiscal year given, as on the command line).
class Installation {
  public:
    explicit Installation(int year, Text password = startup::DefaultPassword())
        : ui_(Options()), clock_(DateTime{year, 6, 15, 9, 0, 0, 0}) {
        startup::NewInstallation request;
        request.directory = dir_.Path() / "axo";
        request.year = year;
        ui::ScriptedUi quiet(Options());
        created_ = startup::CreateInstallation(request, quiet, clock_);
        startup::StartUpOptions options;
        options.password = password;
        options.yearChoice = startup::StartUpOptions::YearChoice{IntText(year), {}};
        session_ = std::make_unique<startup::Session>(ui_, clock_, request.directory, "0A1B2C3D"_t,
                                                      options);
        form_ = std::make_unique<PapForm>(*session_, view_);
    }
    ~Installation() {
        form_.reset();
        session_.reset();
    }

    bool Created() const { return created_; }
    fs::path Home() const { return dir_.Path() / "axo"; }
    ui::ScriptedUi& Ui() { return ui_; }
    startup::Session& Session() { return *session_; }
    PapForm& Form() { return *form_; }
    RecordingView& View() { return view_; }

    /// The windows shown since `from` (the status line is no window).
    std::vector<ui::TranscriptEntry> WindowsSince(std::size_t from) const {
        const auto& all = ui_.Transcript();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
    }

  private:
    static ui::ScriptedUi::Options Options() {
        ui::ScriptedUi::Options o;
        o.strict = false;
        o.waitMs = 1;
        return o;
    }
    static Text IntText(int n) { return Text::FromBytes(std::to_string(n)); }

    ScratchDir dir_;
    ui::ScriptedUi ui_;
    FixedClock clock_;
    bool created_ = false;
    RecordingView view_;
    std::unique_ptr<startup::Session> session_;
    std::unique_ptr<PapForm> form_;
};

}  // namespace axo::app::test
