#pragma once
// The device context a print job hands out. It draws through the back end's
// context and gives the abort procedure a turn every few drawing calls and at
// every page, so that a long printout keeps its progress dialog responsive.
// Once the job is abandoned every further drawing and page call does nothing;
// measuring still answers, so layout code runs to its end as usual.
//
// Dc's state setters are not virtual, so the mapping, colours, font and pen
// are held by this object (callers set them here); each forwarded call first
// brings the target to the same state.

#include "platform/core/Dc.h"

#include <functional>

namespace qx {

class AbortableDc : public Dc {
public:
    // abortProc pumps waiting events and answers false once the user has
    // aborted; abandon gives the job up on the target (called once).
    AbortableDc(Dc& target, std::function<bool()> abortProc, std::function<void(Dc&)> abandon);

    // Stops the job: the target is abandoned, later calls do nothing.
    void Abandon();
    bool IsAbandoned() const { return abandoned_; }

    void FillRect(const Rect& rect, ColorRef color) override;
    void TextOut(int x, int y, std::string_view text) override;
    // After the abandon only the height is measured (nothing is drawn).
    int DrawText(std::string_view text, Rect& rect, unsigned format) override;
    Size GetTextExtent(std::string_view text) override;
    void StretchDib(const Rect& dest, const Rect& src, const DibBytes& dib) override;
    int GetDeviceCaps(DeviceCap cap) const override;
    bool StartPage() override;
    // Only a page that is open is ended (as GDI fails the call otherwise), so
    // a job can always be finished with EndPage.
    bool EndPage() override;
    // The target with this context's state, as a turn of the drawing; after
    // the abandon this (quiet) context itself.
    Dc& DrawingTarget() override;

    // Drawing calls between two turns of the abort procedure.
    static constexpr int kCallsPerTurn = 16;

protected:
    void DrawPolyline(const std::vector<Point>& points) override;

private:
    // Counts a drawing call; every kCallsPerTurn-th runs the abort procedure.
    // True when the call may go on.
    bool Turn();
    bool RunAbortProc();
    void Sync();

    Dc& target_;
    std::function<bool()> abortProc_;
    std::function<void(Dc&)> abandon_;
    bool abandoned_ = false;
    int calls_ = 0;
    bool pageOpen_ = false;
    // The mapping last given to the target; extents are only set again when
    // they change, as setting them anew can move an isotropic extent.
    bool mappingSynced_ = false;
    MapMode syncedMode_ = MapMode::Text;
    Size syncedWindowExt_{};
    Size syncedViewportExt_{};
};

} // namespace qx
