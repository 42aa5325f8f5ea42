// Dialogs driven by scripts: answers read, fields filled through their filters and checks,
// the transcript of a dialog, strict and lenient defaults.
#include "ui/DialogScript.h"

#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "ui/Calculator.h"
#include "ui/Calendar.h"
#include "ui/DialogInsert.h"

namespace axo::ui {
namespace {

using testing::Lenient;
using testing::TestEnvironment;

struct Period {
    std::uint16_t from = 1;
    std::uint16_t to = 3;
    std::uint8_t xml = 0;
    Text note;
    std::unique_ptr<TDialogAXO> dialog;

    explicit Period(UiServices& ui) {
        dialog = CreateDialog(ui, TestEnvironment(), 0, 0, 60, {}, "Výkaz IV"_t, 6);
        InsertPrvek(*dialog, 3, 2, {}, "Zpracovat za období  "_t, 2, from, {}, TPrvek::kWord);
        dialog->NameCurrent("mesicOd");
        Pripoj(*dialog, ValueRange::Numbers(1, 12));
        InsertPrvek(*dialog, 27, 2, {}, "až  "_t, 2, to, {}, TPrvek::kWord);
        dialog->NameCurrent("mesicDo");
        Pripoj(*dialog, ValueRange::Numbers(1, 12));
        InsertLabel(*dialog, 34, 2, {}, "/2023"_t);
        InsertCheckBox(*dialog, {}, "Generovat soubor XML pro přenos do CSÚIS?"_t, xml, 0, 4, 3);
        dialog->NameCurrent("xml");
        InsertPrvek(*dialog, 3, 5, {}, "Poznámka "_t, 20, note);
        dialog->NameCurrent("poznamka");
        InsertOkZpet(*dialog, 0, 6, {}, {}, 6);
    }
};

TEST(DialogScriptTest, AnswersAreReadIntoSteps) {
    const auto steps =
        ParseDialogSteps("mesicOd=1 popis=\"dva dny\" key:Ctrl+Home click:ok type:12 x=");
    ASSERT_EQ(6u, steps.size());
    EXPECT_EQ(DialogStep::Kind::Fill, steps[0].kind);
    EXPECT_EQ("mesicOd", steps[0].name);
    EXPECT_EQ("1", steps[0].value);
    EXPECT_EQ("dva dny", steps[1].value);
    EXPECT_EQ(DialogStep::Kind::Key, steps[2].kind);
    EXPECT_EQ(Key::Home, steps[2].key.key);
    EXPECT_TRUE(steps[2].key.ctrl);
    EXPECT_EQ(DialogStep::Kind::Click, steps[3].kind);
    EXPECT_EQ("ok", steps[3].name);
    EXPECT_EQ(DialogStep::Kind::Type, steps[4].kind);
    EXPECT_EQ("", steps[5].value);  // an empty value clears the field
    EXPECT_EQ(Key::Character, ParseKeyName("Alt+Z").key);
    EXPECT_EQ(Key::F11, ParseKeyName("F11").key);
    for (const char* bad : {"key:F13", "mesicOd", "=1", "x=\"open", "key:Z"})
        EXPECT_THROW(ParseDialogSteps(bad), DialogScriptError) << bad;
}

TEST(DialogScriptTest, AKeyScriptFillsAndConfirmsTheDialog) {
    ScriptedUi ui;
    ui.LoadScript("dialog mesicOd=1 mesicDo=6 xml=ano poznamka=\"dva dny\" key:F2\n");
    Period p(ui);
    EXPECT_TRUE(RunDialog(*p.dialog));
    EXPECT_EQ(1, p.from);
    EXPECT_EQ(6, p.to);
    EXPECT_EQ(1, p.xml);
    EXPECT_EQ("dva dny"_t, p.note);
    EXPECT_EQ(
        "[dialog]  Výkaz IV\n"
        "| Zpracovat za období  [ 1]\n"
        "| až  [ 6]\n"
        "| /2023\n"
        "| [x] Generovat soubor XML pro přenos do CSÚIS? \n"
        "| Poznámka [dva dny]\n"
        "buttons: [  O.K.  ] [  Zpět  ]\n"
        "answer: close 1\n",
        ui.TranscriptText());
}

TEST(DialogScriptTest, CheckMessagesOfScriptedValuesAreRecorded) {
    ScriptedUi ui;
    ui.LoadScript(
        "dialog mesicOd=13 mesicDo=6 key:F2\n"
        "ok\n"
        "dialog mesicOd=4 key:F2\n");
    Period p(ui);
    EXPECT_TRUE(RunDialog(*p.dialog));
    EXPECT_EQ(4, p.from);
    EXPECT_EQ(3, p.to);  // the refused fill of "mesicDo" was skipped with the rest
    ASSERT_EQ(2u, ui.Transcript().size());
    EXPECT_EQ((std::vector<std::string>{"Maximální přípustná hodnota údaje je ", "12!"}),
              ui.Transcript()[0].lines);
    EXPECT_EQ("answer: close 1\n",
              ui.Transcript()[1].ToString().substr(ui.Transcript()[1].ToString().rfind("answer")));
}

TEST(DialogScriptTest, AValueTheFieldCannotHoldAsGivenIsRefusedNotChanged) {
    // Each value loses or changes something on its way into the field; the dialog is left,
    // the variables keep their values and the refusal names the value and the field.
    struct Case {
        std::string answer;
        std::string refusal;
    } cases[] = {
        {"mesicOd=-2 mesicDo=4", "Hodnotu <-2> nelze zadat do položky <Zpracovat za období>."},
        {"mesicDo=a6", "Hodnotu <a6> nelze zadat do položky <až>."},
        {"mesicDo=123", "Hodnotu <123> nelze zadat do položky <až>."},
        {"mesicOd=1.5", "Hodnotu <1.5> nelze zadat do položky <Zpracovat za období>."},
        {"xml=snad",
         "Hodnotu <snad> nelze zadat do položky <Generovat soubor XML pro přenos do "
         "CSÚIS?>."},
        {"poznamka=\"dvacet jedna znaků ...\"",
         "Hodnotu <dvacet jedna znaků ...> nelze zadat do položky <Poznámka>."},
    };
    for (const Case& c : cases) {
        ScriptedUi ui(Lenient());
        ui.QueueDialog(c.answer + " key:F2");
        Period p(ui);
        EXPECT_FALSE(RunDialog(*p.dialog)) << c.answer;
        EXPECT_EQ(1, p.from) << c.answer;
        EXPECT_EQ(3, p.to) << c.answer;
        EXPECT_EQ(0, p.xml) << c.answer;
        ASSERT_EQ(2u, ui.Transcript().size()) << ui.TranscriptText();
        EXPECT_EQ("refused", ui.Transcript()[0].kind);
        EXPECT_EQ(std::vector<std::string>{c.refusal}, ui.Transcript()[0].lines);
        EXPECT_EQ("dialog", ui.Transcript()[1].kind);
        // The refused value is not left half-typed in its field.
        const std::string shown = ui.TranscriptText();
        EXPECT_NE(std::string::npos, shown.find("Zpracovat za období  [ 1]")) << shown;
        EXPECT_NE(std::string::npos, shown.find("až  [ 3]")) << shown;
    }
    // What the fields take as given goes in: "ne" is an answer for a check box.
    ScriptedUi ui(Lenient());
    ui.QueueDialog("xml=ne mesicDo=12 key:F2");
    Period p(ui);
    EXPECT_TRUE(RunDialog(*p.dialog));
    EXPECT_EQ(12, p.to);
    EXPECT_EQ(0, p.xml);
}

TEST(DialogScriptTest, StrictScriptsMustAnswerEveryDialog) {
    {
        ScriptedUi ui;
        Period p(ui);
        EXPECT_THROW(RunDialog(*p.dialog), ScriptError);  // no answer at all
    }
    {
        ScriptedUi ui;
        ui.QueueDialog("mesicOd=2");
        Period p(ui);
        EXPECT_THROW(RunDialog(*p.dialog), ScriptError);  // the dialog stays open
    }
    {
        ScriptedUi ui;
        ui.QueueDialog("rok=2024 key:F2");
        Period p(ui);
        EXPECT_THROW(RunDialog(*p.dialog), ScriptError);  // no such element
    }
    ScriptedUi ui;
    EXPECT_THROW(ui.LoadScript("dialog key:Nothing"), ScriptError);
    EXPECT_EQ(0u, ui.PendingAnswers());
}

TEST(DialogScriptTest, LenientDefaultsConfirmAsTheFieldsStandOrLeave) {
    {
        ScriptedUi ui(Lenient());
        Period p(ui);
        EXPECT_TRUE(RunDialog(*p.dialog));  // <F2> on the values as they were
        EXPECT_EQ(3, p.to);
    }
    {
        // A value refused by its check: the dialog is left, nothing written.
        ScriptedUi ui(Lenient());
        ui.QueueDialog("mesicOd=0 mesicDo=6");
        Period p(ui);
        EXPECT_FALSE(RunDialog(*p.dialog));
        EXPECT_EQ(kCloseLeave, p.dialog->CloseCode());
        EXPECT_EQ(1, p.from);
        EXPECT_EQ("message 2", ui.Transcript()[0].kind);
    }
    // A dialog that never may close ends the script instead of looping.
    ScriptedUi ui(Lenient());
    Period p(ui);
    p.dialog->SetMayClose([](TDialogAXO&, int) { return false; });
    EXPECT_THROW(RunDialog(*p.dialog), ScriptError);
    EXPECT_EQ(3, p.dialog->ShowCount());  // <F2>, then <Esc>, then the script ends
}

TEST(DialogScriptTest, AccountMemoAndPanelShowInTheTranscript) {
    ScriptedUi ui;
    ui.QueueDialog("#1=12 #2=3 key:F2");
    auto d = CreateDialog(ui, TestEnvironment(), 0, 0, 40, {}, "Účet"_t, 5);
    std::uint16_t su = 0;
    std::uint16_t ae = 0;
    TPrvekSuAe* account = InsertSUAE(*d, 2, 1, su, ae, {}, "Účet "_t);
    ASSERT_TRUE(account);
    EXPECT_EQ(7, account->Synthetic().Column());
    EXPECT_EQ(12, account->Analytic().Column());
    InsertMemo(*d, 2, 2, {}, "první řádek\rdruhý"_t, 30, 2);
    InsertPanel(*d, 2, 4, {}, 1, 30)->SetCaption("METODIKA PLATNÁ OD 2014"_t);
    InsertOkZpet(*d, 0, 5);
    EXPECT_TRUE(RunDialog(*d));
    EXPECT_EQ(12, su);
    EXPECT_EQ(3, ae);
    EXPECT_EQ(
        "[dialog]  Účet\n"
        "| Účet [012/003]\n"
        "| první řádek\n"
        "| druhý\n"
        "| METODIKA PLATNÁ OD 2014\n"
        "buttons: [  O.K.  ]\n"
        "answer: close 1\n",
        ui.TranscriptText());
}

TEST(DialogScriptTest, CalendarCalculatorAndFileDialogTakeValues) {
    ScriptedUi ui;
    ui.LoadScript("value 29.2.2024\nesc\nvalue (1+2)*3\nvalue /tmp/x.txt\nesc\n");
    TKalendarAXO calendar({1, 1, 2024}, TestEnvironment());
    EXPECT_TRUE(ui.RunCalendar(calendar));
    EXPECT_EQ((DateParts{29, 2, 2024}), calendar.Selected());
    TKalendarAXO left({1, 1, 2024}, TestEnvironment());
    EXPECT_FALSE(ui.RunCalendar(left));
    TKalkulatorAXO calculator;
    EXPECT_TRUE(ui.RunCalculator(calculator));
    EXPECT_EQ(9, calculator.Result().value_or(0));
    FileDialogRequest request;
    request.title = " Vyberte soubor"_t;
    request.filter = "*.txt"_t;
    request.startDirectory = "/tmp/"_t;
    EXPECT_EQ("/tmp/x.txt"_t, ui.RunFileDialog(request).value_or(Text()));
    EXPECT_FALSE(ui.RunFileDialog(request));
    EXPECT_EQ(
        "[file-dialog]  Vyberte soubor\n"
        "| start: /tmp/\n"
        "| filter: *.txt\n"
        "answer: esc\n",
        ui.Transcript().back().ToString());
}

}  // namespace
}  // namespace axo::ui
