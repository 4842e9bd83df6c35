#include "AppContext.h"

#include "ground/ScreenMode.h"

#include <string>

namespace qx {

void SelectScreenMode(AppContext& app, int widthValue) {
    ApplyScreenMode(app.state, ScreenModeForWidth(widthValue));
    const std::string dir = "BILDER\\OHNE\\" + std::to_string(app.state.screenWidth) + "\\";
    SharedPictures& p = app.pictures;
    p = SharedPictures{};
    p.logo = LoadPicture(app.state, dir + "Logo.bmp");
    p.backgroundWithLogo = LoadPicture(app.state, dir + "Hintergrund_mit_logo.bmp");
    p.background = LoadPicture(app.state, dir + "Hintergrund.bmp");
    p.buttonUp = LoadPicture(app.state, dir + "buttons\\Up.bmp");
    p.buttonDown = LoadPicture(app.state, dir + "buttons\\Down.bmp");
}

} // namespace qx
