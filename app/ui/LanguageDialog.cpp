#include "LanguageDialog.h"

#include "ground/GlobalState.h"
#include "catalog/Draw.h"
#include "platform/core/Ui.h"

namespace qx {

namespace {
struct HotArea {
    int id;
    int language;
    Rect rect;
};
constexpr HotArea kHotAreas[] = {
    {LanguageDialog::kGermanId, 0, {76, 346, 300, 427}},
    {LanguageDialog::kEnglishId, 1, {500, 346, 724, 427}},
    {LanguageDialog::kCzechId, 3, {76, 470, 302, 550}},
    {LanguageDialog::kFrenchId, 2, {500, 470, 724, 550}},
};
} // namespace

LanguageDialog::LanguageDialog(QWidget* parent, const GlobalState& state, std::string pictureName)
    : DialogWindow(parent, Kind::Popup), state_(state), pictureName_(std::move(pictureName)) {}

LanguageDialog::~LanguageDialog() = default;

void LanguageDialog::OnInitDialog() {
    MoveWindowTo(Rect{0, 0, 800, 600});
    for (const HotArea& h : kHotAreas) {
        AddControl(h.id, ControlKind::OwnerDrawButton);
        MoveItem(h.id, h.rect);
        SetHandCursorOver(h.id, true);
    }
    picture_ = LoadPicture(state_, "BILDER\\OHNE\\800\\" + pictureName_);
    CenterOn(nullptr);
}

void LanguageDialog::OnPaint(Dc& dc) { DrawDib(dc, picture_, 0, 0, 0); }

void LanguageDialog::OnCommand(int id, int) {
    for (const HotArea& h : kHotAreas) {
        if (h.id == id)
            Choose(h.language);
    }
}

void LanguageDialog::OnOk() { Choose(0); }

void LanguageDialog::Choose(int language) {
    language_ = language;
    EndDialog(IDOK);
}

} // namespace qx
