#include "Prices.h"

#include "Texts.h"
#include "catalog/PriceList.h"
#include "platform/core/FileIo.h"
#include "platform/core/Path.h"
#include "platform/core/Ui.h"
#include "shell/Messages.h"

namespace qx {

namespace {

constexpr LangText kOutdated{{"Achtung:\n\nDie vorhandene Preisliste ist nicht aktuell!",
                              "Attention:\n\nCurrent pricelist is outdated!",
                              "Attention:\n\nListe de prix en cours n'est pas à jour!",
                              "Pozor:\n\nceníky nejsou aktuální!"}};
constexpr LangText kCopied{{"Die Preisliste wurde\nkopiert!", "Process successful!", "La liste de prix\nété copiée!",
                            "Ceník byl\nzkopírován!"}};
constexpr LangText kPriceFilter{{"Preisdatei (*.prs) | *.prs ||", "Preislist (*.prs) | *.prs ||",
                                 "Fichier prix (*.prs) | *.prs ||", "Ceník (*.prs) | *.prs ||"}};
constexpr LangText kTargetFilter{{"Installationspfad | *.* ||", "Directory | *.* ||",
                                  "Répertoire d'installation | *.* ||", "Cesta k instalaci(adresář) | *.* ||"}};

} // namespace

PriceMenuState PriceMenuStateFor(GlobalState& state, int availability) {
    PriceMenuState m;
    if (availability >= 1) {
        m.enabled = true;
        m.upeChecked = state.priceMode == 0;
        m.vzChecked = state.priceMode != 0;
    } else {
        state.priceMode = availability;
    }
    return m;
}

PriceMenuState RunPriceListCheck(AppContext& app, std::time_t now) {
    GlobalState& s = app.state;
    const PriceListCheckResult r = CheckPriceList(s, now);
    if (r.showOutdatedWarning)
        ShowWarning(s.languageIndex, kOutdated);
    app.priceAvailability = r.availability;
    return PriceMenuStateFor(s, r.availability);
}

PriceMenuState SetPriceMode(AppContext& app, int mode) {
    app.state.priceMode = mode;
    app.profile.WriteString("Global", "PriceMode", mode == 1 ? "1" : "0");
    return PriceMenuStateFor(app.state, app.priceAvailability);
}

bool RunPriceUpdate(AppContext& app) {
    GlobalState& s = app.state;
    const int lang = s.languageIndex;
    FileDialogSpec source;
    source.fileName = "*.prs";
    source.filter = kPriceFilter.Text(lang);
    const auto from = TheUi().GetOpenFileName(source);
    if (!from)
        return false;

    FileDialogSpec target;
    target.fileName = "qx.prs";
    target.filter = kTargetFilter.Text(lang);
    target.initialDirectory = app.profile.GetString("Paths", "stk", "", 128);
    const auto to = TheUi().GetSaveFileName(target);
    if (!to)
        return false;

    // A failed copy is not reported: the check that follows reads whatever
    // lies there, and the copy's rename leaves that the old list, never half
    // of the new one.
    const auto fromPath = ResolvePath(*from);
    const auto toPath = ResolvePath(*to);
    if (fromPath != toPath)
        CopyFileAtomic(fromPath, toPath);

    s.priceUpdatePath = *to;
    app.profile.WriteString("Global", "Update04", s.priceUpdatePath.str());
    TheUi().MessageBox(kCopied.Text(lang), texts::kAppTitle.Text(lang), MB_OK);
    return true;
}

} // namespace qx
