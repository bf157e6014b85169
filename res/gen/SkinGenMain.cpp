// kelo-skin-gen: paints every skin bitmap of res/SkinTable.cpp and writes the packed pictures as a
// C++ source for the resource library. Usage: kelo-skin-gen <output.cpp> [<folder for PNG copies>]

#include "res/SkinTable.h"
#include "res/gen/SkinArtist.h"
#include "res/gen/SkinPacker.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: kelo-skin-gen <output.cpp> [<png folder>]\n");
        return 2;
    }
    // Fonts and painting need a GUI application; no display is used.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QString output = QString::fromLocal8Bit(argv[1]);
    const QString pngFolder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!pngFolder.isEmpty()) {
        QDir().mkpath(pngFolder);
    }

    CSkinPacker packer;
    for (const SkinRow& row : SkinRows()) {
        const QImage image = CSkinArtist::Paint(row);
        if (image.width() != row.cellWidth * row.cells || image.height() != row.height) {
            std::fprintf(stderr, "kelo-skin-gen: bitmap %u painted %dx%d, its row says %dx%d\n", row.id, image.width(),
                         image.height(), row.cellWidth * row.cells, row.height);
            return 1;
        }
        if (!packer.Add(row.id, image)) {
            std::fprintf(stderr, "kelo-skin-gen: bitmap %u could not be packed\n", row.id);
            return 1;
        }
        if (!pngFolder.isEmpty()) {
            image.save(pngFolder + QStringLiteral("/%1.png").arg(row.id));
        }
    }
    if (!packer.Write(output)) {
        std::fprintf(stderr, "kelo-skin-gen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
