#pragma once

#include <QAbstractSpinBox>

// An edit box for digits with its up-down control as its buddy. The arrows, and the arrow
// keys, step the number and never take it outside the range; typing is free, so the box can
// hold any digits, or none, and the dialog decides what it accepts.
class CUpDownEdit : public QAbstractSpinBox
{
    Q_OBJECT

public:
    explicit CUpDownEdit(QWidget* pParent = nullptr);

    void SetRange(int nLower, int nUpper);
    QString Text() const;
    void SetText(const QString& strText);

    void stepBy(int nSteps) override;
    QValidator::State validate(QString& strInput, int& nPos) const override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_nLower = 0;
    int m_nUpper = 100;
};
