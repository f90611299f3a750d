// Draws the demo pictures into the folder given as the only argument.
#include <cstdio>
#include <exception>
#include <string>

#include "DemoScenes.h"
#include "DemoWriters.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    try {
        demo::WriteJpeg(dir + "01_sunrise.jpg", demo::Sunrise(1280, 800), 90);
        demo::WriteBmp(dir + "02_balloons.bmp", demo::Balloons(540, 900));
        demo::WritePng(dir + "03_book_left.png", demo::BookPage(640, 900, true));
        demo::WritePng(dir + "04_book_right.png", demo::BookPage(640, 900, false));
        demo::WriteJpeg(dir + "05_panorama.jpg", demo::Panorama(3600, 480), 88);
        demo::WriteAnimatedGif(dir + "06_spinner.gif", demo::SpinnerFrames(240, 16), 6);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
