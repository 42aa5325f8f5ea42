// Steps that drive a print preview.
#include "report/preview/PreviewScript.h"

#include <map>
#include <sstream>

#include "storage/WorkFiles.h"
#include "util/Retezce.h"

namespace axo::report {

namespace {

const std::map<std::string, PreviewKey>& Keys() {
    static const std::map<std::string, PreviewKey> keys = {{"Esc", PreviewKey::Esc},
                                                           {"CtrlE", PreviewKey::CtrlE},
                                                           {"CtrlP", PreviewKey::CtrlP},
                                                           {"CtrlT", PreviewKey::CtrlT},
                                                           {"CtrlPgUp", PreviewKey::CtrlPageUp},
                                                           {"PgUp", PreviewKey::PageUp},
                                                           {"PgDn", PreviewKey::PageDown},
                                                           {"CtrlPgDn", PreviewKey::CtrlPageDown},
                                                           {"Up", PreviewKey::Up},
                                                           {"Down", PreviewKey::Down},
                                                           {"Left", PreviewKey::Left},
                                                           {"Right", PreviewKey::Right}};
    return keys;
}

const std::map<std::string, SaveKind>& SaveKinds() {
    static const std::map<std::string, SaveKind> kinds = {{"txt", SaveKind::Text},
                                                          {"rtf", SaveKind::Rtf},
                                                          {"emf-page", SaveKind::MetafileCurrent},
                                                          {"emf", SaveKind::MetafileAll},
                                                          {"html-page", SaveKind::HtmlCurrent},
                                                          {"html", SaveKind::HtmlAll},
                                                          {"pdf", SaveKind::Pdf}};
    return kinds;
}

int Number(const std::string& step, const std::string& text) {
    try {
        std::size_t used = 0;
        const int n = std::stoi(text, &used);
        if (used == text.size())
            return n;
    } catch (const std::exception&) {
    }
    throw PreviewScriptError("preview step \"" + step + "\": number expected");
}

std::pair<int, int> Pair(const std::string& step, const std::string& text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos)
        throw PreviewScriptError("preview step \"" + step + "\": X,Y expected");
    return {Number(step, text.substr(0, comma)), Number(step, text.substr(comma + 1))};
}

/// Applies one step; with `apply` false only checks it.
void Step(TFormSestP* p, const std::string& step) {
    const std::size_t eq = step.find('=');
    const std::string word = step.substr(0, eq);
    const std::string value = eq == std::string::npos ? std::string() : step.substr(eq + 1);
    if (word.rfind("key:", 0) == 0) {
        const auto key = Keys().find(word.substr(4));
        if (key == Keys().end())
            throw PreviewScriptError("preview step \"" + step + "\": unknown key");
        if (p)
            p->Key(key->second);
    } else if (word == "first" || word == "prior" || word == "next" || word == "last") {
        if (p)
            word == "first"   ? p->First()
            : word == "prior" ? p->Prior()
            : word == "next"  ? p->Next()
                              : p->Last();
    } else if (word == "page") {
        const int n = Number(step, value);
        if (p)
            p->GoToPage(n);
    } else if (word == "ask-page") {
        if (p)
            p->AskPage();
    } else if (word == "zoom") {
        const int n = Number(step, value);
        if (p)
            p->SetZoomStep(ZoomStepFor(n));
    } else if (word == "step") {
        const int n = Number(step, value);
        if (p)
            p->SetZoomStep(n);
    } else if (word == "wheel" || word == "ctrl-wheel") {
        const int n = Number(step, value);
        if (p)
            p->Wheel(n, word == "ctrl-wheel");
    } else if (word == "drag-wheel") {
        const int n = Number(step, value);
        if (p) {
            p->BeginDrag(0, 0);
            p->Wheel(n, false);
            p->EndDrag();
        }
    } else if (word == "drag") {
        const std::size_t gt = value.find('>');
        if (gt == std::string::npos)
            throw PreviewScriptError("preview step \"" + step + "\": X,Y>X,Y expected");
        const auto from = Pair(step, value.substr(0, gt));
        const auto to = Pair(step, value.substr(gt + 1));
        if (p) {
            p->BeginDrag(from.first, from.second);
            p->DragTo(to.first, to.second);
            p->EndDrag();
        }
    } else if (word == "viewport") {
        const auto size = Pair(step, value);
        if (p)
            p->SetViewport(size.first, size.second);
    } else if (word == "print") {
        if (p)
            p->Print();
    } else if (word == "user") {
        if (p)
            p->UserCommand();
    } else if (word == "close") {
        if (p)
            p->Close();
    } else if (word.rfind("save:", 0) == 0) {
        const auto kind = SaveKinds().find(word.substr(5));
        if (kind == SaveKinds().end())
            throw PreviewScriptError("preview step \"" + step + "\": unknown save item");
        if (p)
            value.empty() ? p->Save(kind->second)
                          : p->SaveTo(kind->second, storage::PathFromText(FromUtf8(value)));
    } else {
        throw PreviewScriptError("unknown preview step \"" + step + "\"");
    }
}

}  // namespace

std::vector<std::string> ParsePreviewSteps(const std::string& steps) {
    std::vector<std::string> parsed;
    std::istringstream in(steps);
    std::string step;
    while (in >> step) {
        Step(nullptr, step);
        parsed.push_back(step);
    }
    return parsed;
}

void ApplyPreviewSteps(TFormSestP& preview, const std::vector<std::string>& steps) {
    for (const std::string& step : steps) {
        if (preview.Closed())
            break;
        Step(&preview, step);
    }
}

std::string PreviewState(const TFormSestP& p) {
    return "strana " + std::to_string(p.CurrentPage()) + " / " + std::to_string(p.PageCount()) +
           " (rozsah " + std::to_string(p.FirstPage()) + "-" + std::to_string(p.LastPage()) +
           "), měřítko " + ToUtf8(ZoomCaption(p.ZoomStep()));
}

}  // namespace axo::report
