// qxkat: start-up from the command line.

#include "CatalogApp.h"
#include "Snapshot.h"
#include "ground/CommandLine.h"
#include "platform/core/Profile.h"
#include "platform/core/Ui.h"
#include "platform/qt/Print.h"
#include "platform/qt/QtUi.h"
#include "shell/Messages.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#ifndef QX_VERSION
#define QX_VERSION "0"
#endif
#ifndef QX_DEMO_DIR
#define QX_DEMO_DIR ""
#endif
// The installed demo catalogue, relative to the installed program, so that any
// install prefix works.
#ifndef QX_INSTALLED_DEMO_DIR
#define QX_INSTALLED_DEMO_DIR "../share/qxkat/demo"
#endif

namespace {

bool HasDisplay() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.startsWith("offscreen") || platform.startsWith("minimal"))
        return false;
    return !qgetenv("DISPLAY").isEmpty() || !qgetenv("WAYLAND_DISPLAY").isEmpty();
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const qx::CommandLine cl = qx::ParseCommandLine(args);
    if (!cl.error.empty()) {
        std::fprintf(stderr, "qxkat: %s\n\n%s", cl.error.c_str(), qx::CommandLineUsage());
        return 2;
    }
    std::error_code ec;
    const std::filesystem::path exeDir = std::filesystem::canonical("/proc/self/exe", ec).parent_path();
    const std::vector<std::filesystem::path> demoDirs{(exeDir / QX_INSTALLED_DEMO_DIR).lexically_normal(),
                                                       QX_DEMO_DIR};
    const std::filesystem::path defaultDir = qx::DefaultProgramDir(exeDir, demoDirs);
    if (cl.help) {
        // Tells an installation apart from a build tree at a glance.
        std::printf("%s\nWithout --program-dir: %s\n", qx::CommandLineUsage(), defaultDir.c_str());
        return 0;
    }
    if (cl.version) {
        std::printf("qxkat %s\n", QX_VERSION);
        return 0;
    }
    std::filesystem::path programDir = cl.programDir.empty() ? defaultDir : std::filesystem::path(cl.programDir);
    if (!std::filesystem::is_directory(programDir, ec)) {
        std::fprintf(stderr, "qxkat: no catalogue directory: %s\n", programDir.string().c_str());
        // Started from a desktop, nobody reads standard error.
        if (HasDisplay() && cl.snapshotDir.empty()) {
            int qtArgc = 1;
            QApplication application(qtArgc, argv);
            const QString path = QFile::decodeName(QByteArray(programDir.c_str()));
            QMessageBox::critical(
                nullptr, QStringLiteral("QUARVENTA AG"),
                QStringLiteral("Das Katalogverzeichnis fehlt:\n%1\n\nNo catalogue directory:\n%1").arg(path));
        }
        return 2;
    }
    programDir = std::filesystem::absolute(programDir, ec);

    // Snapshots need no display.
    if (!cl.snapshotDir.empty())
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // Qt sees only its own options.
    std::vector<char*> qtArgv{argv[0]};
    for (const std::string& a : cl.passThrough)
        qtArgv.push_back(const_cast<char*>(a.c_str()));
    int qtArgc = static_cast<int>(qtArgv.size());
    qtArgv.push_back(nullptr);
    QApplication application(qtArgc, qtArgv.data());
    QApplication::setApplicationName(QStringLiteral("qxkat"));

    const std::filesystem::path configFile =
        cl.configFile.empty() ? qx::Profile::DefaultPath() : std::filesystem::path(cl.configFile);
    if (!cl.snapshotDir.empty()) {
        std::vector<std::string> problems;
        const int written = qx::RunSnapshots(programDir, cl.snapshotDir, configFile,
                                             cl.checkLayout ? &problems : nullptr);
        for (const std::string& line : problems)
            std::printf("%s\n", line.c_str());
        std::printf("qxkat: %d pictures written to %s\n", written, cl.snapshotDir.c_str());
        if (cl.checkLayout)
            std::printf("qxkat: %zu layout problems\n", problems.size());
        return written > 0 && problems.empty() ? 0 : 1;
    }

    // Print jobs go to PDF files there instead of a printer dialog.
    if (!cl.printToDir.empty())
        qx::PrintBackend::SetPrintToDirectory(QString::fromStdString(cl.printToDir));

    qx::QtUi ui;
    qx::SetUi(&ui);

    qx::CatalogApp::Options options;
    options.programDir = programDir;
    options.configFile = configFile;
    options.desktopWidth = cl.desktopWidth;
    options.language = cl.language;
    qx::CatalogApp app(options);
    if (!app.StartUp())
        return 1;
    ui.SetOpenFailedNotice([&app](const std::string& path) {
        qx::ShowNotOpened(app.Context().state.languageIndex, path);
    });
    QApplication::exec();
    ui.SetOpenFailedNotice({});
    const int code = app.Exit();
    qx::SetUi(nullptr);
    return code;
}
