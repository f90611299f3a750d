#include "CommandLine.h"

#include <utility>

namespace pictavo::archiver {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// "x" for the lha and 7z command words, "-x" for the others.
std::string_view CommandWord(Kind kind) {
    return kind == Kind::Lha || kind == Kind::SevenZip ? "x" : "-x";
}

// zip members arrive with "[" and "]" escaped as "\[" and "\]".
std::string Unescape(Kind kind, const std::string& member) {
    if (kind != Kind::Zip) return member;
    std::string plain;
    for (std::size_t i = 0; i < member.size(); ++i) {
        if (member[i] == '\\' && i + 1 < member.size() && (member[i + 1] == '[' || member[i + 1] == ']')) ++i;
        plain += member[i];
    }
    return plain;
}

// Applies one option word to `request`; false when it repeats a part already given.
bool ApplyOption(Kind kind, const std::string& word, ExtractRequest& request, bool& destinationSeen,
                 bool& passwordSeen) {
    const auto once = [](bool& seen) { return !std::exchange(seen, true); };
    if ((word == "-n" && (kind == Kind::Zip || kind == Kind::Lha || kind == Kind::Cab)) ||
        (word == "-aos" && kind == Kind::SevenZip)) {
        request.keepExisting = true;
    } else if (kind == Kind::SevenZip && word.rfind("-o", 0) == 0) {
        if (!once(destinationSeen)) return false;
        request.destination = word.substr(2);
    } else if ((kind == Kind::Zip && word.rfind("-P", 0) == 0) ||
               ((kind == Kind::SevenZip || kind == Kind::Rar) && word.rfind("-p", 0) == 0)) {
        if (!once(passwordSeen)) return false;
        request.password = word.substr(2);
    }
    return true;  // other options (quiet, overwrite, dialogs) change nothing here
}

}  // namespace

std::optional<std::vector<std::string>> SplitCommandLine(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i == line.size()) return words;
        std::string word;
        if (line[i] == '"') {
            const std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) return std::nullopt;
            word = line.substr(i + 1, close - i - 1);
            i = close + 1;
            if (i < line.size() && !IsBlank(line[i])) return std::nullopt;
        } else {
            while (i < line.size() && !IsBlank(line[i])) {
                if (line[i] == '"') return std::nullopt;
                word += line[i++];
            }
        }
        words.push_back(std::move(word));
    }
}

std::optional<ExtractRequest> ParseExtractCommand(Kind kind, std::string_view line) {
    const auto words = SplitCommandLine(line);
    if (!words || words->empty() || words->front() != CommandWord(kind)) return std::nullopt;
    ExtractRequest request;
    std::vector<std::string> names;
    bool destinationSeen = false;
    bool passwordSeen = false;
    for (std::size_t i = 1; i < words->size(); ++i) {
        const std::string& word = (*words)[i];
        if (!word.empty() && word.front() == '-') {
            if (!ApplyOption(kind, word, request, destinationSeen, passwordSeen)) return std::nullopt;
        } else {
            names.push_back(word);
        }
    }
    // 7z names the destination in its "-o" option; the others take it between the two names.
    const std::size_t expected = kind == Kind::SevenZip ? 2 : 3;
    if (names.size() != expected || (kind == Kind::SevenZip && !destinationSeen)) return std::nullopt;
    request.archive = names.front();
    if (kind != Kind::SevenZip) request.destination = names[1];
    request.member = Unescape(kind, names.back());
    if (request.archive.empty() || request.destination.empty() || request.member.empty()) return std::nullopt;
    return request;
}

}  // namespace pictavo::archiver
