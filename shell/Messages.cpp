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

constexpr LangText kNotOpened{{"Die Datei konnte nicht geöffnet werden:\n", "The file could not be opened:\n",
                               "Le fichier n'a pas pu être ouvert:\n", "Soubor nelze otevřít:\n"}};

} // namespace

void ShowNotOpened(int languageIndex, std::string_view windowsPath) {
    TheUi().MessageBox(kNotOpened.Text(languageIndex) + DisplayPath(windowsPath),
                       texts::kAppTitle.Text(languageIndex), MB_OK | MB_ICONEXCLAMATION);
}

void ShowWarning(int languageIndex, const LangText& text) {
    TheUi().MessageBox(text.Text(languageIndex), texts::kAppTitle.Text(languageIndex), MB_OK | MB_ICONEXCLAMATION);
}

bool MayOverwrite(int languageIndex, const LangText& subject, std::string_view windowsPath, const FileStamp& stamp,
                  const std::function<void()>& loadTheirs) {
    if (FileStamp::Read(ResolvePath(windowsPath)) == stamp)
        return true;
    const std::string text = subject.Text(languageIndex) + "\n\n" + kChangedFileChoices.Text(languageIndex);
    switch (
        TheUi().MessageBox(text, texts::kAppTitle.Text(languageIndex), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        return true;
    case IDNO:
        loadTheirs();
        return false;
    default:
        return false;
    }
}

} // namespace qx
