// Reading the answers of ARES with nlohmann-json.
#include "lookups/AresAnswer.h"

#include <nlohmann/json.hpp>

#include <optional>

#include "lookups/HttpTransport.h"
#include "util/Retezce.h"

namespace axo::lookups {

namespace {

using Json = nlohmann::json;

/// A string or number value as text; none for anything else.
std::optional<std::string> Scalar(const Json& value) {
    if (value.is_string())
        return value.get<std::string>();
    if (value.is_number_integer())
        return std::to_string(value.get<long long>());
    if (value.is_number_unsigned())
        return std::to_string(value.get<unsigned long long>());
    return std::nullopt;
}

std::optional<std::string> FindAnywhere(const Json& node, const std::string& key) {
    if (node.is_object()) {
        if (auto it = node.find(key); it != node.end())
            if (auto value = Scalar(*it))
                return value;
        for (const auto& item : node.items())
            if (auto value = FindAnywhere(item.value(), key))
                return value;
    } else if (node.is_array()) {
        for (const Json& item : node)
            if (auto value = FindAnywhere(item, key))
                return value;
    }
    return std::nullopt;
}

/// The key at the top, in the registered seat, or anywhere; empty when missing.
Text Value(const Json& root, const std::string& key, std::size_t capacity = std::string::npos) {
    std::optional<std::string> value;
    if (auto it = root.find(key); it != root.end())
        value = Scalar(*it);
    if (!value)
        if (auto seat = root.find("sidlo"); seat != root.end() && seat->is_object())
            if (auto it = seat->find(key); it != seat->end())
                value = Scalar(*it);
    if (!value)
        value = FindAnywhere(root, key);
    return value ? Trim(FromUtf8(*value)).substr(0, capacity) : Text();
}

}  // namespace

std::string AresSubjectUrl(const std::string& baseUrl, const Text& ico) {
    return baseUrl + "/ekonomicke-subjekty-v-be/rest/ekonomicke-subjekty/" + UrlEncode(ToUtf8(ico));
}

AresAnswer ParseAresAnswer(std::string_view json, const Text& ico) {
    AresAnswer answer;
    const Json root = Json::parse(json.begin(), json.end(), nullptr, false);
    if (root.is_discarded() || !root.is_object()) {
        answer.problem = "Odpověď registru ARES není úplná nebo ji nelze přečíst."_t;
        return answer;
    }
    const auto icoValue = root.find("ico");
    if (icoValue == root.end() || !icoValue->is_string()) {
        answer.result = AresResult::NotFound;
        return answer;
    }
    if (FromUtf8(icoValue->get<std::string>()) != ico) {
        answer.problem = "Registr ARES odpověděl údaji jiného IČO ("_t +
                         FromUtf8(icoValue->get<std::string>()).substr(0, 20) + ")."_t;
        return answer;
    }
    AresAddress& a = answer.address;
    a.ico = ico;
    a.dic = Value(root, "dic", 15);
    a.names = SplitName(Value(root, "obchodniJmeno"));
    a.stateCode = Value(root, "kodStatu", 2);
    a.stateName = Value(root, "nazevStatu", 30);
    a.town = Value(root, "nazevObce", 25);
    Text street = Value(root, "nazevUlice");
    if (street.empty())
        street = Value(root, "nazevObce");
    if (const Text house = Value(root, "cisloDomovni"); !house.empty())
        street += " "_t + house;
    if (const Text orientation = Value(root, "cisloOrientacni"); !orientation.empty())
        street += "/"_t + orientation;
    street += Value(root, "cisloOrientacniPismeno");
    a.street = street.substr(0, 30);
    a.postcode = PostcodeText(Value(root, "psc")).substr(0, 10);
    answer.result = AresResult::Found;
    return answer;
}

bool AresNotFoundAnswer(std::string_view json) {
    const Json root = Json::parse(json.begin(), json.end(), nullptr, false);
    if (root.is_discarded() || !root.is_object())
        return false;
    const auto code = root.find("kod");
    return code != root.end() && code->is_string() && code->get<std::string>() == "NENALEZENO";
}

std::array<Text, 4> SplitName(const Text& name, std::size_t width) {
    std::array<Text, 4> lines;
    std::size_t line = 0;
    std::size_t pos = 0;
    while (line < lines.size()) {
        while (pos < name.size() && name[pos] == ' ')
            ++pos;
        if (pos >= name.size())
            break;
        std::size_t end = name.find(' ', pos);
        if (end == Text::npos)
            end = name.size();
        const Text word = name.substr(pos, end - pos).substr(0, width);
        pos = end;
        if (lines[line].empty()) {
            lines[line] = word;
        } else if (lines[line].size() + 1 + word.size() <= width) {
            lines[line] += " "_t + word;
        } else if (++line < lines.size()) {
            lines[line] = word;
        }
    }
    return lines;
}

Text PostcodeText(const Text& postcode) {
    const Text digits = Trim(postcode);
    const bool fiveDigits = digits.size() == 5 &&
                            digits.View().find_first_not_of("0123456789") == std::string_view::npos;
    return fiveDigits ? digits.substr(0, 3) + " "_t + digits.substr(3) : digits;
}

}  // namespace axo::lookups
