#pragma once

#include "resources/Menus.h"

class QAction;
class QMenu;
class QObject;
class QString;

// A menu item, toolbar button or key that runs the command with the given id when triggered.
QAction* NewCommandAction(const QString& strText, int nID, QObject* pParent);
// The command id an action carries, 0 for none.
int CommandId(const QAction* pAction);
// Fills a menu with the entries of one drop-down of a menu resource.
void AppendMenuItems(QMenu& menu, const PopupRes& popup);
