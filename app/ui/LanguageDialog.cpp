#include "LanguageDialog.h"

#include "ground/GlobalState.h"
#include "catalog/Draw.h"
#include "platform/core/CodePage.h"
#include "platform/core/Ui.h"

namespace qx {

namespace {
struct HotArea {
    int id;
    int language;
    Rect rect;
    // Drawn only when the picture is missing: each language by its own
    // name, in its own code page.
    const char* name;
};
// Two columns, two rows, in this order: the arrow keys move by index.
constexpr HotArea kHotAreas[] = {
    {LanguageDialog::kGermanId, 0, {76, 346, 300, 427}, "Deutsch"},
    {LanguageDialog::kEnglishId, 1, {500, 346, 724, 427}, "English"},
    {LanguageDialog::kCzechId, 3, {76, 470, 302, 550}, "\310e\232tina"},
    {LanguageDialog::kFrenchId, 2, {500, 470, 724, 550}, "Fran\347ais"},
};

// While it lives, texts are shown in the code page of a language.
class CodePageOf {
public:
    explicit CodePageOf(int language) : previous_(AnsiCodePage()) { SetAnsiCodePage(CodePageOfLanguage(language)); }
    ~CodePageOf() { SetAnsiCodePage(previous_); }
    CodePageOf(const CodePageOf&) = delete;
    CodePageOf& operator=(const CodePageOf&) = delete;

private:
    CodePage previous_;
};

// Around r, its right and bottom edges inside it.
void Outline(Dc& dc, const Rect& r) {
    const int right = r.right - 1, bottom = r.bottom - 1;
    dc.Polyline({{r.left, r.top}, {right, r.top}, {right, bottom}, {r.left, bottom}, {r.left, r.top}});
}
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
        // Invisible areas take no keyboard: the dialog's own keys choose.
        SetItemTabStop(h.id, false);
        const CodePageOf own(h.language);
        SetItemName(h.id, h.name); // the picture shows the choices, the reader says them
    }
    picture_ = LoadPicture(state_, "BILDER\\OHNE\\800\\" + pictureName_);
    CenterOn(nullptr);
}

void LanguageDialog::OnPaint(Dc& dc) {
    DrawDib(dc, picture_, 0, 0, 0);
    if (picture_.IsNull()) {
        // Without its picture the dialog would be blank: name the choices.
        dc.SetBkMode(BkMode::Transparent);
        dc.SetTextColor(Rgb(0, 0, 0));
        const Pen previous = dc.SelectPen(Pen{PenStyle::Solid, 1, Rgb(128, 128, 128)});
        for (const HotArea& h : kHotAreas) {
            Rect r = h.rect;
            Outline(dc, r);
            const CodePageOf own(h.language);
            dc.DrawText(h.name, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        dc.SelectPen(previous);
    }
    if (marked_ >= 0) {
        const Pen previous = dc.SelectPen(Pen{PenStyle::Solid, 3, Rgb(0, 102, 204)});
        Outline(dc, kHotAreas[static_cast<std::size_t>(marked_)].rect);
        dc.SelectPen(previous);
    }
}

int LanguageDialog::MarkedId() const {
    return marked_ < 0 ? 0 : kHotAreas[static_cast<std::size_t>(marked_)].id;
}

bool LanguageDialog::OnKeyDown(int key) {
    if (key >= '1' && key <= '4') {
        Choose(key - '1');
        return true;
    }
    int next = marked_ < 0 ? 0 : marked_;
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        if (marked_ >= 0)
            next ^= 1; // the other column
        break;
    case VK_UP:
    case VK_DOWN:
        if (marked_ >= 0)
            next ^= 2; // the other row
        break;
    case VK_RETURN:
        Choose(marked_ < 0 ? 0 : kHotAreas[static_cast<std::size_t>(marked_)].language);
        return true;
    default:
        return false;
    }
    marked_ = next;
    Invalidate();
    return true;
}

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
