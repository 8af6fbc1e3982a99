#pragma once

#include <QIcon>

// The icon resource with this id, drawn from its 16-pixel drawing at small sizes where it has
// one; a null icon when there is no such resource.
QIcon LoadResIcon(int nId);

// The image of a command on the toolbar (16 by 15 pixels).
QIcon LoadToolBarImage(int nCommandId);
