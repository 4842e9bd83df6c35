#pragma once
// The dealer's distributors: country, brand and company number chosen, the
// special tools and workshop equipment distributors looked up in the
// language's distributor table, the addresses edited and stored in the
// address file for the order letters. Laid over the order list page.

#include "platform/core/FileStamp.h"
#include "platform/core/Ui.h"
#include "platform/qt/Window.h"
#include "shell/AppContext.h"
#include "shell/MainFrameApi.h"
#include "shell/PictureButton.h"

#include <QPointer>

#include <string>
#include <vector>

namespace qx {

// The choice among several workshop equipment distributors.
class DistributorListDialog : public DialogWindow {
public:
    static constexpr int kList = 1079;
    static constexpr int kWidth = 190; // dialog units

    DistributorListDialog(QWidget* parent, int languageIndex, std::vector<std::string> addressParts);
    const std::string& Chosen() const { return chosen_; }

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    void OnOk() override;
    void OnCancel() override { EndDialog(IDCANCEL); }
    void OnDrawItem(DrawItem& item) override;

private:
    int language_;
    std::vector<std::string> parts_;
    std::string chosen_;
};

class SupplierSearchPage : public DialogWindow {
public:
    static constexpr int kOwnAddress = 1078;
    static constexpr int kCompanyNumber = 1130;
    static constexpr int kSearch = 1131;
    static constexpr int kSpecialTools = 1132;
    static constexpr int kEquipment = 1133;
    static constexpr int kCountries = 1134;
    static constexpr int kBrands = 1135;
    static constexpr int kCountryLabel = 1136;
    static constexpr int kBrandLabel = 1137;
    static constexpr int kNumberLabel = 1138;
    static constexpr int kSave = 1;
    static constexpr int kCancel = 2;

    SupplierSearchPage(AppContext& app, QWidget* parent, DialogWindow* returnPage);

    void ChooseCountry();
    void Search();
    // Writes the address file, asking for its place when none is known. When
    // the file changed on disk since it was read, the user chooses to
    // overwrite it, to load it instead or to do nothing.
    void Save();
    void Close();

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    // Enter outside a button saves nothing: on a fresh account "Eingaben
    // abspeichern" asks for a file, and the next typed text became its name.
    void OnOk() override {}
    void OnCancel() override { Close(); }
    void OnDrawItem(DrawItem& item) override { buttons_.DrawItemInto(item); }
    void OnMessage(int message, std::intptr_t, std::intptr_t) override;

private:
    void SetCaptions();
    std::string TablePath() const;
    // Shows the three addresses of the address file (empty when it has none).
    void LoadAddresses();

    AppContext& app_;
    CPictureButton buttons_;
    QPointer<DialogWindow> returnPage_;
    bool hintHidden_ = false;
    std::string addressPath_; // the file the stamp is of
    FileStamp stamp_;         // as last read or written here
};

SupplierSearchPage* OpenSupplierSearchPage(AppContext& app, QWidget* parent, DialogWindow* returnPage);

} // namespace qx
