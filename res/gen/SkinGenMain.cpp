// kelo-skin-gen: paints every skin bitmap of res/SkinTable.cpp and writes the packed pictures as a
// C++ source for the resource library. Usage: kelo-skin-gen <output.cpp> [<folder for PNG copies>]

#include "res/IconIds.h"
#include "res/SkinTable.h"
#include "res/gen/AppIconArt.h"
#include "res/gen/SkinArtist.h"
#include "res/gen/SkinPacker.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

namespace {

constexpr const char* kIconName = "kelo1000";

bool WriteIconTheme(const QString& folder) {
    for (const int side : CAppIconArt::Sizes()) {
        const QString dir = folder + QStringLiteral("/%1x%1/apps").arg(side);
        if (!QDir().mkpath(dir) || !CAppIconArt::Paint(side).save(dir + "/" + kIconName + ".png")) {
            return false;
        }
    }
    const QString dir = folder + "/scalable/apps";
    QFile svg(dir + "/" + kIconName + ".svg");
    const QByteArray text = CAppIconArt::Svg();
    return QDir().mkpath(dir) && svg.open(QIODevice::WriteOnly | QIODevice::Truncate) && svg.write(text) == text.size();
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    QString iconTheme;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--icon-theme" && i + 1 < argc) {
            iconTheme = QString::fromLocal8Bit(argv[++i]);
        } else {
            args << QString::fromLocal8Bit(argv[i]);
        }
    }
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: kelo-skin-gen <output.cpp> [<png folder>] [--icon-theme <folder>]\n");
        return 2;
    }
    // Fonts and painting need a GUI application; no display is used.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QString output = args[0];
    const QString pngFolder = args.size() > 1 ? args[1] : QString();
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
    for (const int side : CAppIconArt::Sizes()) {
        if (!packer.AddIcon(IDI_MAINFRAME, CAppIconArt::Paint(side))) {
            std::fprintf(stderr, "kelo-skin-gen: icon %u at %d pixels could not be packed\n", IDI_MAINFRAME, side);
            return 1;
        }
    }
    if (!iconTheme.isEmpty() && !WriteIconTheme(iconTheme)) {
        std::fprintf(stderr, "kelo-skin-gen: cannot write the icon theme folder %s\n",
                     iconTheme.toLocal8Bit().constData());
        return 1;
    }
    if (!packer.Write(output)) {
        std::fprintf(stderr, "kelo-skin-gen: cannot write %s\n", output.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
