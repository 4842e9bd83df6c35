#include "platform/qt/QtUi.h"

#include "platform/core/Path.h"
#include "platform/qt/Desktop.h"
#include "platform/qt/QtText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace qx {

namespace {

// A Yes/No box has no way out but its two buttons, as on Windows; Qt would
// otherwise let Escape and the close button answer No.
class BoxWithoutEscape : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape) {
            e->accept();
            return;
        }
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override { e->ignore(); }
};

QString FromLocalPath(const std::filesystem::path& p) { return QFile::decodeName(QByteArray(p.c_str())); }

std::filesystem::path ToLocalPath(const QString& s) { return std::filesystem::path(QFile::encodeName(s).toStdString()); }

bool HasWildcard(std::string_view s) { return s.find_first_of("*?") != std::string_view::npos; }

bool EndsWithExe(std::string_view s) {
    if (s.size() < 4)
        return false;
    const std::string_view tail = s.substr(s.size() - 4);
    return EqualsIgnoreCase(tail, ".exe");
}

} // namespace

QStringList NameFiltersOf(std::string_view filter) {
    QStringList out;
    for (const auto& [name, pattern] : ParseFileFilter(filter)) {
        QString label = FromAnsi(name).trimmed();
        // Windows shows the name as it is; Qt appends the patterns itself,
        // so a "(*.stk)" already in the name would show twice.
        if (label.endsWith(QLatin1Char(')'))) {
            const qsizetype open = label.lastIndexOf(QLatin1Char('('));
            if (open >= 0)
                label = label.left(open).trimmed();
        }
        QStringList patterns;
        for (const QString& p : FromAnsi(pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString t = p.trimmed();
            patterns.append(t == QLatin1String("*.*") ? QStringLiteral("*") : t);
        }
        if (patterns.isEmpty())
            continue;
        if (label.isEmpty())
            label = patterns.join(QLatin1Char(' '));
        out.append(label + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return out;
}

std::pair<std::string, std::string> SplitCommandLine(std::string_view line) {
    while (!line.empty() && line.front() == ' ')
        line.remove_prefix(1);
    std::string_view program;
    std::string_view rest;
    if (!line.empty() && line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        program = line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        rest = close == std::string_view::npos ? std::string_view{} : line.substr(close + 1);
    } else {
        std::size_t cut = std::string_view::npos;
        for (std::size_t blank = line.find(' '); blank != std::string_view::npos; blank = line.find(' ', blank + 1)) {
            if (EndsWithExe(line.substr(0, blank))) {
                cut = blank;
                break;
            }
        }
        if (cut == std::string_view::npos && !EndsWithExe(line))
            cut = line.find(' ');
        program = line.substr(0, cut);
        rest = cut == std::string_view::npos ? std::string_view{} : line.substr(cut);
    }
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    while (!rest.empty() && rest.back() == ' ')
        rest.remove_suffix(1);
    return {std::string(program), std::string(rest)};
}

QWidget* QtUi::Parent() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (owner_)
        return owner_;
    return QApplication::activeWindow();
}

int QtUi::PopupMenu(const std::vector<std::string>& entries, int screenX, int screenY) {
    QMenu menu(Parent());
    std::vector<QAction*> actions;
    for (const std::string& entry : entries)
        actions.push_back(menu.addAction(FromAnsi(entry)));
    QAction* chosen = menu.exec(QPoint(screenX, screenY));
    const auto it = std::find(actions.begin(), actions.end(), chosen);
    return it == actions.end() ? -1 : static_cast<int>(it - actions.begin());
}

int QtUi::MessageBox(std::string_view text, std::string_view caption, unsigned type) {
    const unsigned buttons = type & 0x0F;
    std::unique_ptr<QMessageBox> box;
    if (buttons == MB_YESNO)
        box = std::make_unique<BoxWithoutEscape>(Parent());
    else
        box = std::make_unique<QMessageBox>(Parent());
    box->setWindowTitle(FromAnsi(caption));
    box->setTextFormat(Qt::PlainText);
    box->setText(FromAnsi(text));
    switch (type & 0xF0) {
    case 0x10:
        box->setIcon(QMessageBox::Critical);
        break;
    case 0x20:
        box->setIcon(QMessageBox::Question);
        break;
    case MB_ICONEXCLAMATION:
        box->setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box->setIcon(QMessageBox::Information);
        break;
    default:
        box->setIcon(QMessageBox::NoIcon);
        break;
    }

    struct Choice {
        QMessageBox::StandardButton button;
        int result;
    };
    std::vector<Choice> choices;
    int escapeResult = 0;
    switch (buttons) {
    case MB_OKCANCEL:
        choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        escapeResult = IDCANCEL;
        break;
    case MB_YESNOCANCEL:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        escapeResult = IDCANCEL;
        break;
    case MB_YESNO:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        break;
    default:
        choices = {{QMessageBox::Ok, IDOK}};
        escapeResult = IDOK;
        break;
    }
    QAbstractButton* escape = nullptr;
    for (const Choice& c : choices) {
        QAbstractButton* b = box->addButton(c.button);
        if (c.result == escapeResult)
            escape = b;
    }
    box->setDefaultButton(choices.front().button);
    if (escape)
        box->setEscapeButton(escape);
    // The box is as wide as its text and buttons; the window manager cuts a
    // longer caption short ("QUA... AG"). Room for the caption, its bolder
    // title font and the title bar's buttons. Added last: setting the icon
    // builds the box's layout anew.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        const int room = box->fontMetrics().horizontalAdvance(box->windowTitle()) * 3 / 2 + 160;
        grid->addItem(new QSpacerItem(room, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0,
                      1, grid->columnCount());
    }
    ActivateWhenShown(box.get());
    box->exec();
    const QAbstractButton* clicked = box->clickedButton();
    for (const Choice& c : choices)
        if (clicked && clicked == box->button(c.button))
            return c.result;
    return escapeResult != 0 ? escapeResult : choices.back().result;
}

std::optional<std::string> QtUi::RunFileDialog(const FileDialogSpec& spec, bool save) {
    QFileDialog dialog(Parent());
    // Qt's own dialog everywhere: the default suffix and the overwrite
    // question then behave the same on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Open accepts new names too: opening a new order list creates it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !spec.overwritePrompt);

    QStringList filters = NameFiltersOf(spec.filter);
    if (filters.isEmpty() && HasWildcard(spec.fileName))
        filters.append(FromAnsi(spec.fileName));
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (!spec.initialDirectory.empty()) {
        const std::filesystem::path dir = ResolvePath(spec.initialDirectory);
        std::error_code ec;
        if (std::filesystem::is_directory(dir, ec))
            dialog.setDirectory(FromLocalPath(dir));
    }
    if (!spec.defaultExtension.empty())
        dialog.setDefaultSuffix(FromAnsi(spec.defaultExtension));
    if (!spec.fileName.empty() && !HasWildcard(spec.fileName))
        dialog.selectFile(FromAnsi(spec.fileName));

    ActivateWhenShown(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty())
        return std::nullopt;
    return ToWindowsPath(ToLocalPath(chosen.front()));
}

std::optional<std::string> QtUi::GetOpenFileName(const FileDialogSpec& spec) { return RunFileDialog(spec, false); }

std::optional<std::string> QtUi::GetSaveFileName(const FileDialogSpec& spec) { return RunFileDialog(spec, true); }

QtUi::QtUi(QWidget* owner) : owner_(owner), openers_(std::make_unique<QObject>()) {}

QtUi::~QtUi() {
    openFailed_ = nullptr; // openers ended now are no news to anyone
    openers_.reset();
}

void QtUi::SetOpenFailedNotice(std::function<void(const std::string&)> notice) { openFailed_ = std::move(notice); }

bool QtUi::ShellOpen(std::string_view windowsPath) {
    const std::filesystem::path path = ResolvePath(windowsPath);
    std::error_code ec;
    if (path.empty() || !std::filesystem::exists(path, ec))
        return false;
    const QString file = FromLocalPath(path);
    // The opener tells that no program takes the file only by its exit code
    // (and on standard error, which nobody reads), after it was started.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    auto* process = new QProcess(openers_.get());
    process->setStandardOutputFile(QProcess::nullDevice());
    const std::string shown(windowsPath);
    QObject::connect(process, &QProcess::finished, process,
                     [this, process, shown](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if (status == QProcess::NormalExit && code != 0 && openFailed_)
                             openFailed_(shown);
                     });
    process->start(opener, {file});
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    return true;
}

bool QtUi::RunProgram(std::string_view commandLine) {
    const auto [program, arguments] = SplitCommandLine(commandLine);
    if (program.empty())
        return false;
    const std::filesystem::path path = ResolvePath(program);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    return QProcess::startDetached(FromLocalPath(path), QProcess::splitCommand(FromAnsi(arguments)));
}

} // namespace qx
