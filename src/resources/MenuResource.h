#pragma once

#include <QMenu>
#include <memory>

// Builds a menu resource: each of its top-level entries becomes a sub-menu of the returned
// menu, and every command's QAction carries the command id as its data(). Null for an id that
// names no menu.
std::unique_ptr<QMenu> LoadMenuResource(int nId);

// The first sub-menu of a menu resource, built as a pop-up of its own with pParent as its
// parent; null when the resource has none.
std::unique_ptr<QMenu> LoadPopupMenu(int nId, QWidget* pParent = nullptr);
