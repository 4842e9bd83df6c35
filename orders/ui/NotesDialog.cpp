#include "NotesDialog.h"

#include "print/ui/PrintJob.h"
#include "shell/Messages.h"
#include "shell/Fonts.h"
#include "shell/Texts.h"
#include "catalog/Draw.h"
#include "orders/Notes.h"
#include "platform/core/CodePage.h"
#include "platform/core/Path.h"
#include "print/PrintMapping.h"

namespace qx {

namespace {

constexpr LangText kCaption{{"Notizen", "Notes", "Notes", "Poznámky"}};
constexpr LangText kHeading{{"Eigene Notizen:", "Your note:", "Vos notes:", "Vlastní poznámky:"}};
constexpr LangText kSaveCaption{{"Abspeichern", "Save note", "Enregistrer", "Uložit"}};
constexpr LangText kPrintCaption{{"Notiz drucken", "Print note", "Imprimer la note", "Tisk poznámky"}};
constexpr LangText kCloseCaption{{"Schließen", "Cancel", "Fermer", "Zavřít"}};
constexpr LangText kChangedElsewhere{
    {"Diese Notiz wurde seit dem Öffnen an einem anderen Arbeitsplatz geändert.",
     "This note has been changed at another workstation since it was opened.",
     "Cette note a été modifiée sur un autre poste depuis son ouverture.",
     "Tato poznámka byla od otevření změněna na jiném pracovišti."}};
constexpr LangText kSaveFailed{{"Fehler beim Abspeichern!", "Error while creating file!", "Erreur à l'enregistrement!",
                                "Chyba při ukládání!"}};

} // namespace

NotesDialog::NotesDialog(QWidget* parent, AppContext& app, std::string number, std::string name)
    : DialogWindow(parent, Kind::Modal), app_(app), number_(number.substr(0, 127)),
      name_(name.substr(0, 127)), givenName_(name_) {}

void NotesDialog::OnInitDialog() {
    const int lang = app_.state.languageIndex;
    const Rect client = DialogUnits(0, 0, 219, 200);
    setFixedSize(client.Width(), client.Height());
    SetCaption(kCaption.Text(lang));
    AddControls({
        {kNumber, ControlKind::Static, DialogUnits(129, 6, 84, 14)},
        {kName, ControlKind::Static, DialogUnits(6, 24, 207, 14)},
        {kText, ControlKind::MultiLineEdit, DialogUnits(6, 42, 207, 131)},
        {kPrint, ControlKind::PushButton, DialogUnits(6, 180, 54, 14)},
        {kSave, ControlKind::DefPushButton, DialogUnits(102, 180, 54, 14)},
        {kClose, ControlKind::PushButton, DialogUnits(159, 180, 54, 14)},
    });
    SetAllControlsFont(FontText14);
    // Number and designation lie on the dark background picture.
    SetStaticTextColor(kNumber, Rgb(255, 255, 255));
    SetStaticTextColor(kName, Rgb(255, 255, 255));
    SetItemText(kSave, kSaveCaption.Text(lang));
    SetItemText(kPrint, kPrintCaption.Text(lang));
    SetItemText(kClose, kCloseCaption.Text(lang));
    SetItemName(kText, kHeading.Text(lang));

    path_ = NotePath(NotesDirectory(app_.profile), number_);
    LoadText();
    SetItemText(kNumber, number_);
    CenterOn(parentWidget());
    SetFocusTo(kText);
}

void NotesDialog::LoadText() {
    const Note note = LoadNote(path_, givenName_, &stamp_);
    name_ = note.name;
    SetItemText(kText, note.text);
    SetItemText(kName, name_);
}

std::string NotesDialog::StoredText() {
    // A "[" would end the note when it is read again.
    std::string text;
    if (!TakeStorableText(kText, 0x7FFFFFFF, text, [](std::string& t) { return ReplaceAll(t, '[', '('); }))
        ShowWarning(app_.state.languageIndex, texts::kCharactersReplaced);
    return text;
}

void NotesDialog::Save() {
    const int lang = app_.state.languageIndex;
    if (!MayOverwrite(lang, kChangedElsewhere, path_, stamp_, [this] { LoadText(); }))
        return;
    if (!SaveNote(path_, name_, StoredText(), &stamp_)) {
        TheUi().MessageBox(kSaveFailed.Text(lang), texts::kAppTitle.Text(lang), MB_OK);
        TheUi().MessageBox(DisplayPath(path_), texts::kAppTitle.Text(lang), MB_OK); // which file, to find out why
    }
}

void NotesDialog::Print() {
    // The note as the edit shows it: printing stores nothing, so it changes nothing.
    const std::string text = GetItemText(kText, 0x7FFFFFFF);
    PrintJob::Run(this, app_.state.languageIndex, [&](Dc& dc) {
        PrintSheetHeading(dc, name_, number_);
        Rect r{40, 110, 600, 700};
        dc.DrawText(text, r, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_NOCLIP);
    });
}

void NotesDialog::OnCommand(int id, int) {
    switch (id) {
    case kSave:
        Save();
        break;
    case kPrint:
        Print();
        break;
    case kClose:
        OnCancel();
        break;
    default:
        break;
    }
}

void NotesDialog::OnPaint(Dc& dc) {
    DrawDib(dc, app_.pictures.background, 0, 0, kAnchorTopLeft);
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(Rgb(255, 255, 255));
    dc.SelectFont(FontText14);
    const Rect at = DialogUnits(6, 6, 0, 0);
    dc.TextOut(at.left, at.top, kHeading.Text(app_.state.languageIndex));
}

} // namespace qx
