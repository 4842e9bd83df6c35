#pragma once
// What the pages ask of the main window. The Qt main window implements it;
// page tests can use a fake.

#include <string>

namespace qx {

class MainFrameApi {
public:
    virtual ~MainFrameApi() = default;
    // Posts UM_SHOWPAGE: the main window creates the page of pageMode.
    virtual void PostShowPage() = 0;
    // Destroys every page.
    virtual void DestroyAllPages() = 0;
    // Before a road that destroys every page: a page holding unsaved work
    // (the order list) asks the user first. False when the user chose to stay.
    virtual bool MayDestroyPages() { return true; }
    // Runs a menu command as if it had been chosen (search, order list, terms of delivery ...).
    virtual void RunCommand(int command) = 0;
    // Document search with a mode (2, 128, 256, 512).
    virtual void RunDocumentSearch(int mode) = 0;
    // Enables or grays the four language items and the screen-size popup.
    virtual void EnableLanguageAndScreenItems(bool enable) = 0;
    // Enables or grays a menu command; answers its state before.
    virtual bool SetCommandEnabled(int command, bool enable) = 0;
    // Posts a close request: the program ends without a question.
    virtual void PostClose() = 0;
};

// Private messages.
inline constexpr int UM_RELOAD = 99;
inline constexpr int UM_SHOWPAGE = 100;

} // namespace qx
