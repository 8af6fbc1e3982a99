#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

// Where icon resource nId lies among the program's Qt resources; bSmallDrawing names the drawing
// made for 16 pixels, which not every icon has.
QString ResIconPath(int nId, bool bSmallDrawing = false);

// The icon resource with this id, drawn from its 16-pixel drawing at small sizes where it has
// one; a null icon when there is no such resource.
QIcon LoadResIcon(int nId);

// The icon's picture at one size, as LoadResIcon's icon draws it; needs no display, so the
// build makes the desktop's icon files with it. A null image when there is no such resource.
QImage RenderResIcon(int nId, const QSize& size);

// The image of a command on the toolbar (16 by 15 pixels).
QIcon LoadToolBarImage(int nCommandId);
