#include "platform/mfc/UpDownEdit.h"

#include <QLineEdit>

CUpDownEdit::CUpDownEdit(QWidget* pParent) : QAbstractSpinBox(pParent)
{
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setAccelerated(true);
}

void CUpDownEdit::SetRange(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
}

QString CUpDownEdit::Text() const
{
    return lineEdit()->text();
}

void CUpDownEdit::SetText(const QString& strText)
{
    lineEdit()->setText(strText);
}

void CUpDownEdit::stepBy(int nSteps)
{
    bool bNumber = false;
    const qint64 nValue = Text().toLongLong(&bNumber);
    // Text that is no number starts the arrows from the range's end they point away from.
    const qint64 nFrom = bNumber ? nValue : (nSteps > 0 ? m_nLower - 1 : qint64(m_nUpper) + 1);
    SetText(QString::number(qBound(qint64(m_nLower), nFrom + nSteps, qint64(m_nUpper))));
    lineEdit()->selectAll();
}

QValidator::State CUpDownEdit::validate(QString& strInput, int&) const
{
    for (const QChar c : std::as_const(strInput)) {
        if (c < u'0' || c > u'9')
            return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled CUpDownEdit::stepEnabled() const
{
    bool bNumber = false;
    const qint64 nValue = Text().toLongLong(&bNumber);
    if (!bNumber)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (nValue < m_nUpper)
        enabled |= StepUpEnabled;
    if (nValue > m_nLower)
        enabled |= StepDownEnabled;
    return enabled;
}
