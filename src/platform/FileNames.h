#pragma once
// The one rule for a file name's extension, shared by the decoders' registry and the scan.
#include <string_view>

namespace pictavo {

// The extension of the file name in `path`: from the last "." of the name (the text after the
// last "/"; a "." in a folder name does not count) to its end, dot included; empty when the
// name has no ".". Case is left as it is.
std::string_view FileExtension(std::string_view path);

}  // namespace pictavo
