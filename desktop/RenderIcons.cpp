// Writes the program icon as hicolor theme files: RenderIcons OUTPUT_FOLDER SIZE...
// gives OUTPUT_FOLDER/<SIZE>x<SIZE>/apps/pictavo.png for each size.
#include <QDir>
#include <QString>
#include <cstdio>

#include "app/ProgramIcon.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: RenderIcons OUTPUT_FOLDER SIZE...\n", stderr);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        if (size < 16 || size > 1024 || !QDir().mkpath(folder) ||
            !pictavo::ProgramIconImage(size).save(folder + QStringLiteral("/pictavo.png"), "PNG")) {
            std::fprintf(stderr, "RenderIcons: cannot write the %s px icon into %s\n", argv[i], argv[1]);
            return 1;
        }
    }
    return 0;
}
