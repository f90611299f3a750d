#include "archive/MemberPath.h"

namespace pictavo {

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

}  // namespace

bool IsSafeMemberPath(std::string_view path) {
    if (path.empty() || path.size() > kMaxMemberPathBytes) return false;
    if (IsSeparator(path.front())) return false;
    if (path.size() >= 2 && path[1] == ':') return false;  // "C:" and "C:\..." are absolute elsewhere
    if (path.find('\0') != std::string_view::npos) return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        if (path.substr(start, end - start) == "..") return false;
        start = end + 1;
    }
    return true;
}

std::vector<std::string> MemberPathComponents(std::string_view path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (!part.empty() && part != ".") parts.emplace_back(part);
        start = end + 1;
    }
    return parts;
}

}  // namespace pictavo
