#include "display/DisplayCommand.h"

namespace pictavo {

int ImageProcessIndex(Command command) {
    const int offset = static_cast<int>(command) - static_cast<int>(Command::ImgProcFormat);
    return offset >= 0 && offset < 10 ? offset : -1;
}

}  // namespace pictavo
