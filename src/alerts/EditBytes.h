#pragma once

#include <QByteArray>

class QLineEdit;

// Stored texts (the alerts', the General page's) are bytes in the system's code page, and may
// have been written where another code page was in use. These show them in an edit box and take
// them back so that a text the user did not touch keeps its very bytes, even those the locale
// cannot show.

// Shows the bytes and limits typing to nMaxChars characters; a longer stored text is shown
// whole rather than cut.
void SetEditBytes(QLineEdit& edit, const QByteArray& bytes, int nMaxChars);
// The edit box's text as bytes: the stored bytes themselves while it still shows them.
QByteArray GetEditBytes(const QLineEdit& edit, const QByteArray& bytes);
