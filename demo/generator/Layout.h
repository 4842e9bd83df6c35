#pragma once
// Layout pictures of the program (language-neutral) and the catalogue
// pictures drawn from the sources.

#include "Gen.h"
#include "Sources.h"

#include <QImage>
#include <QPainter>
#include <QVector>

namespace gen {

// Header band with or without the logo, body and footer zone, in pixels of
// the mode.
void PaintPageFrame(QPainter& p, const Mode& m, bool withLogo);
QImage PageBackground(const Mode& m, bool withLogo);
QImage LogoPicture(const Mode& m);
QImage ButtonFace(const Mode& m, bool down);
QImage StartPage(const Mode& m, const QVector<QRectF>& buttons);
QImage CatalogPage(const Mode& m, const QVector<QRectF>& buttons);

QImage IntroPicture();
QImage DesktopBackdrop();
QImage SupplierLogo(const QString& key);
QImage SheetLogo();

// Steps of the generator.
void GenerateLayout(Output& out, const Catalog& cat);
void GenerateAreaPictures(Output& out, const Catalog& cat);
void GenerateCatalogPictures(Output& out, const Catalog& cat);
void GenerateDocuments(Output& out, const Catalog& cat);
void GenerateVideos(Output& out, const Catalog& cat);
void GeneratePrograms(Output& out, const Catalog& cat);
bool CopyTexts(const QString& srcRoot, Output& out);

} // namespace gen
