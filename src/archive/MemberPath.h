#pragma once
// The one rule for member paths that come out of untrusted archives: a path that could
// reach outside the folder it is extracted into is never listed and never extracted.
// Plain C++ so that the archiver modules share it with the program.
#include <string>
#include <string_view>
#include <vector>

namespace pictavo {

// Longest member path (in bytes) that a listing record carries.
inline constexpr std::size_t kMaxMemberPathBytes = 513;

// True when `path` is relative, holds no ".." component (between "/" or "\"), is no Windows
// drive path ("C:..."), has no NUL and fits a listing record.
bool IsSafeMemberPath(std::string_view path);

// The folder components and the file name of a safe member path, split at "/" only, with
// empty and "." components left out. Empty when nothing remains.
std::vector<std::string> MemberPathComponents(std::string_view path);

}  // namespace pictavo
