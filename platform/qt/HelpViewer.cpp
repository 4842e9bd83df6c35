#include "HelpViewer.h"

#include "QtText.h"
#include "TextView.h"
#include "platform/core/FileIo.h"
#include "platform/core/Path.h"

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace qx {

namespace {

QPointer<QTextBrowser>& Window() {
    static QPointer<QTextBrowser> window;
    return window;
}

} // namespace

bool ShowHelpFile(std::string_view windowsPath, QWidget* owner) {
    const auto path = ResolvePath(windowsPath);
    const auto bytes = ReadWholeFile(path, kMaxHtmlText);
    if (!bytes)
        return false;
    QPointer<QTextBrowser>& w = Window();
    if (!w) {
        // A window of the owner's: kept above it by the window manager and
        // gone with it, so that it never holds the program open.
        w = new QTextBrowser(owner ? owner->window() : nullptr);
        w->setWindowFlags(Qt::Window);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setOpenExternalLinks(true);
        w->resize(640, 560);
        if (owner)
            w->move(owner->geometry().topLeft() + QPoint(40, 40));
    }
    w->setSearchPaths({QString::fromStdString(path.parent_path().string())});
    w->setHtml(FromAnsi(*bytes));
    // Titled as the help calls itself; by its file only when it has no title.
    const QString title = w->documentTitle().trimmed();
    w->setWindowTitle(title.isEmpty() ? QString::fromStdString(path.filename().string()) : title);
    w->show();
    w->raise();
    w->activateWindow();
    return true;
}

void CloseHelp() {
    if (QPointer<QTextBrowser>& w = Window())
        w->close();
}

} // namespace qx
