#pragma once
// The catalogue's menu: one area level at a time, read from an area file.
// On the start and catalogue pages the entries are picture buttons; on
// sub-area pages they are invisible hot areas over a picture that shows the
// choices. A click dispatches on the entry's target.

#include "shell/AppContext.h"
#include "shell/MainFrameApi.h"
#include "shell/PictureButton.h"
#include "navigation/AreaFile.h"
#include "platform/qt/Window.h"

#include <functional>
#include <string>
#include <vector>

namespace qx {

class AreaPage : public DialogWindow {
public:
    static constexpr int kFirstButton = 1010;
    static constexpr int kLastButton = 1073;

    AreaPage(MainFrameApi& frame, AppContext& app, QWidget* parent);
    ~AreaPage() override;

    // Opens the video page over this page for a video file name (set by the
    // application; nothing happens without it).
    std::function<void(AreaPage& page, const std::string& videoFile)> openVideo;

    // Loads an area file at the current level (file name and picture name).
    void LoadArea(const std::string& fileName, const std::string& pictureName);
    void Reload();
    // Loads an area file at the current level, lays it out and repaints.
    void ShowArea(const std::string& fileName, const std::string& pictureName);
    void Layout();
    void DispatchEntry(int index);
    void Back();

    int Level() const { return level_; }
    int EntryCount() const { return static_cast<int>(entries_.size()); }
    const AreaEntry& Entry(int i) const { return entries_[static_cast<std::size_t>(i)]; }
    AreaPageKind PageKind() const { return kind_; }
    const DibHandle& PagePicture() const { return picture_; }
    const DibHandle& PreviewPicture() const { return preview_; }
    int PreviewLoads() const { return previewLoads_; }
    int LastEntryPointedAt() const { return lastPointed_; }
    // The hover step for an entry button (cursor over control id).
    void HoverOver(int controlId) { OnControlHover(controlId); }
    std::string TooltipOf(int controlId) const;

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    void OnOk() override {}
    void OnCancel() override { Back(); }
    void OnDrawItem(DrawItem& item) override;
    void OnMessage(int message, std::intptr_t, std::intptr_t) override;
    void OnShowWindow(bool shown) override;
    void OnControlHover(int id) override;
    void OnDestroy() override;

private:
    void OpenProductList(const AreaEntry& entry, int pageMode);
    void Preview(int entryNumber);

    MainFrameApi& frame_;
    AppContext& app_;
    CPictureButton buttons_;
    std::vector<AreaEntry> entries_;
    int level_ = 0;
    AreaPageKind kind_ = AreaPageKind::Start;
    int lastPointed_ = -1;
    int previewLoads_ = 0;
    DibHandle picture_;
    DibHandle preview_;
};

} // namespace qx
