#include "InfoDialog.h"

#include "shell/AppContext.h"
#include "shell/Fonts.h"
#include "catalog/Draw.h"
#include "platform/core/Ui.h"

#include <algorithm>

namespace qx {

InfoDialog::InfoDialog(QWidget* parent, const SharedPictures& pictures)
    : DialogWindow(parent, Kind::Modal), pictures_(pictures) {}

const char* InfoDialog::ContactText() {
    return "QUARVENTA AG\r\nAfter Sales - Workshop Equipment and Special Tools\r\n"
           "Werkstattausruestung Service\r\nPostfach 21 40, 38436 Wolfsfeld\r\n"
           "Telefon +49 5361 90-0, Telefax +49 5361 90-2140";
}

const char* InfoDialog::CreditsText() {
    return "Electronic catalogue qxkat\r\nCatalogue data: QUARVENTA AG, After Sales\r\n"
           "Program: the qxkat team\r\nFonts: Liberation Sans";
}

void InfoDialog::OnInitDialog() {
    SetCaption("Info");
    const Rect client = DialogUnits(0, 0, 184, 212);
    resize(client.Width(), client.Height());
    setFixedSize(client.Width(), client.Height());
    AddControl(IDOK, ControlKind::DefPushButton);
    MoveItem(IDOK, DialogUnits(140, 10, 36, 14));
    SetItemText(IDOK, "OK");
    SetAllControlsFont(FontText14);
    CenterOn(parentWidget());
}

void InfoDialog::OnPaint(Dc& dc) {
    // The logo of the larger screen modes is wider than the dialog and taller
    // than the band above the texts: shrunk, its shape kept, into that band
    // left of OK.
    const Size logo = DibSize(pictures_.logo);
    if (logo.cx > 0 && logo.cy > 0) {
        constexpr int kRoomWidth = 196;
        constexpr int kRoomHeight = 76;
        const double f = std::min({1.0, double(kRoomWidth) / logo.cx, double(kRoomHeight) / logo.cy});
        DrawDibStretched(dc, pictures_.logo, 8, 8, 0, 0, std::max(1, int(logo.cx * f)),
                         std::max(1, int(logo.cy * f)));
    }
    dc.SetBkMode(BkMode::Transparent);
    dc.SelectFont(FontText14);
    // The text boxes reach past the dialog's right edge; lines break inside it.
    const int right = std::min(290, ClientRect().right - 12);
    Rect contact{12, 90, right, 400};
    dc.DrawText(ContactText(), contact, DT_WORDBREAK | DT_NOPREFIX);
    Rect credits{12, 210, right, 400};
    dc.DrawText(CreditsText(), credits, DT_WORDBREAK | DT_NOPREFIX);
}

void InfoDialog::OnCommand(int id, int) {
    if (id == IDOK)
        EndDialog(IDOK);
}

} // namespace qx
