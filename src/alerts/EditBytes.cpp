#include "alerts/EditBytes.h"

#include <QLineEdit>

void SetEditBytes(QLineEdit& edit, const QByteArray& bytes, int nMaxChars)
{
    const QString text = QString::fromLocal8Bit(bytes);
    edit.setMaxLength(qMax(nMaxChars, int(text.size())));
    edit.setText(text);
}

QByteArray GetEditBytes(const QLineEdit& edit, const QByteArray& bytes)
{
    const QString text = edit.text();
    return text == QString::fromLocal8Bit(bytes) ? bytes : text.toLocal8Bit();
}
