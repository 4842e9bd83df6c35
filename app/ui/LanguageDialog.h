#pragma once
// The language choice at every start: a borderless 800 x 600 picture with
// four invisible hot areas. Enter chooses German; Escape and close requests
// are ignored, so the dialog ends only with a choice. Keys 1 to 4 choose
// German, English, French and Czech; the arrow keys mark a choice that
// Enter then takes.

#include "catalog/Picture.h"
#include "platform/qt/Window.h"

#include <string>

namespace qx {

struct GlobalState;

class LanguageDialog : public DialogWindow {
public:
    // Button ids and the language each chooses.
    static constexpr int kGermanId = 1175;
    static constexpr int kEnglishId = 1176;
    static constexpr int kFrenchId = 1177;
    static constexpr int kCzechId = 1178;

    LanguageDialog(QWidget* parent, const GlobalState& state, std::string pictureName = "qxintro.bmp");
    ~LanguageDialog() override;

    int ChosenLanguage() const { return language_; }
    // The choice the arrow keys marked, as its button id; 0 when none.
    int MarkedId() const;
    bool HasPicture() const { return !picture_.IsNull(); }

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    void OnOk() override;
    void OnCancel() override {}
    bool OnKeyDown(int virtualKey) override;
    void OnDrawItem(DrawItem&) override {} // the hot areas are never drawn

private:
    void Choose(int language);
    const GlobalState& state_;
    std::string pictureName_;
    int language_ = 0;
    int marked_ = -1; // index into the hot areas
    DibHandle picture_;
};

} // namespace qx
