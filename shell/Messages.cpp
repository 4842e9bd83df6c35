#include "Messages.h"

#include "Texts.h"
#include "platform/core/FileStamp.h"
#include "platform/core/Path.h"
#include "platform/core/Ui.h"

namespace qx {

namespace {

constexpr LangText kChangedFileChoices{
    {"Ja: mit Ihrer Fassung überschreiben\nNein: die andere Fassung laden\n"
     "Abbrechen: nicht speichern",
     "Yes: overwrite with your version\nNo: load the other version\n"
     "Cancel: do not save",
     "Oui: écraser avec votre version\nNon: charger l'autre version\n"
     "Annuler: ne pas enregistrer",
     "Ano: přepsat vaší verzí\nNe: načíst druhou verzi\nStorno: neukládat"}};

} // namespace

void ShowWarning(int languageIndex, const LangText& text) {
    TheUi().MessageBox(text.Text(languageIndex), texts::kAppTitle.Text(languageIndex), MB_OK | MB_ICONEXCLAMATION);
}

ChangedFileChoice AskIfChangedOnDisk(int languageIndex, const LangText& subject, std::string_view windowsPath,
                                     const FileStamp& stamp) {
    if (FileStamp::Read(ResolvePath(windowsPath)) == stamp)
        return ChangedFileChoice::Unchanged;
    const std::string text = subject.Text(languageIndex) + "\n\n" + kChangedFileChoices.Text(languageIndex);
    switch (
        TheUi().MessageBox(text, texts::kAppTitle.Text(languageIndex), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        return ChangedFileChoice::Overwrite;
    case IDNO:
        return ChangedFileChoice::LoadTheirs;
    default:
        return ChangedFileChoice::Cancel;
    }
}

} // namespace qx
