#pragma once

class QAction;
class QObject;
class QString;

// A menu item, toolbar button or key that runs the command with the given id when triggered.
QAction* NewCommandAction(const QString& strText, int nID, QObject* pParent);
// The command id an action carries, 0 for none.
int CommandId(const QAction* pAction);
