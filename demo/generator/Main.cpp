// qxkat-demo-gen <sources> <output>: builds the demo catalogue.
#include "Layout.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // Qt's PDF writer walks hash tables when it writes fonts: a fixed seed
    // keeps the documents byte-identical from run to run.
    qputenv("QT_HASH_SEED", "0");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: qxkat-demo-gen <sources> <output>\n");
        return 2;
    }
    const QString src = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString dst = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    if (!QDir().mkpath(dst)) {
        std::fprintf(stderr, "qxkat-demo-gen: cannot create %s\n", argv[2]);
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    gen::Output out(dst);
    bool ok = true;
    if (QDir(src).exists())
        ok = gen::CopyTexts(src, out);
    else
        gen::Warn(QStringLiteral("no sources at %1").arg(src));
    const gen::Catalog cat = gen::LoadCatalog(src);
    gen::GenerateLayout(out, cat);
    gen::GenerateAreaPictures(out, cat);
    gen::GenerateCatalogPictures(out, cat);
    gen::GenerateDocuments(out, cat);
    gen::GenerateVideos(out, cat);
    gen::GeneratePrograms(out, cat);
    std::printf("qxkat-demo-gen: %d files in %.1f s\n", out.Count(), double(timer.elapsed()) / 1000.0);
    return ok && out.Failures() == 0 ? 0 : 1;
}
