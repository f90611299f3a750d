#include "platform/FileNames.h"

namespace pictavo {

std::string_view FileExtension(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    return dot == std::string_view::npos || dot < nameStart ? std::string_view{} : path.substr(dot);
}

}  // namespace pictavo
