#pragma once

class QWidget;

// Dialog templates give every control that has an id this dynamic property.
inline constexpr char kCtrlIdProperty[] = "ctrlId";

// The id of a dialog control, or -1 for a control without one.
int GetDlgCtrlID(const QWidget* pControl);

// The control with this id among the dialog's children, or null.
QWidget* GetDlgItem(const QWidget* pDialog, int nId);

// Gives every control of the dialog whose id has a string its tool tip (the part after "\n"
// where the string holds a status-bar prompt too); a button without a caption also gets the
// tip as its accessible name, unless it has one.
void RegisterToolTips(QWidget* pDialog);
