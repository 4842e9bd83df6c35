#pragma once
// A scrollable view of one picture: drawn at its own size, centred when it
// is smaller than the view, scrollable when larger. The page owns the
// picture and keeps it while the view shows it.

#include "platform/core/Dc.h"
#include "platform/core/Geometry.h"

#include <QAbstractScrollArea>

namespace qx {

class PictureView : public QAbstractScrollArea {
public:
    // A child of parent over a rectangle in pixels; not yet visible, arrow
    // cursor, white background.
    PictureView(QWidget* parent, const Rect& pixels);

    // A picture of size (width, height) pixels; a null picture is ignored.
    void SetPicture(const DibBytes& picture, Size size);
    Point Offset() const { return offset_; }
    Size PictureSize() const { return size_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateSizes();
    DibBytes picture_{};
    Size size_{};
    Point offset_{};
};

} // namespace qx
