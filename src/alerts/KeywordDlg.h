#pragma once

#include <QByteArray>
#include <QDialog>

namespace Ui {
class CKeywordDlg;
}

// Dialog 169: one keyword of an alert. The caller sets m_strKeyword to edit an existing one
// and reads it after OK; the text is taken as typed, empty or not, blanks included.
class CKeywordDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CKeywordDlg(QWidget* pParent = nullptr);
    ~CKeywordDlg() override;

    QByteArray m_strKeyword;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    // Takes the edit box into m_strKeyword (true) or puts m_strKeyword into it.
    void UpdateData(bool bSaveAndValidate);
    void OnOK();

    const QScopedPointer<Ui::CKeywordDlg> m_ui;
};
