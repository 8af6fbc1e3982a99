#pragma once

#include <QByteArray>
#include <QDialog>

class CAlert;
class CButtonST;
class CReportList;
namespace Ui {
class CAlertDlg;
}

// Dialog 162: one alert. Keyword and task changes go to the working alert at once; its
// description and active flag only with OK. The caller hands in an alert it may throw away
// (a new one, or a copy) and decides on the result what becomes of it.
class CAlertDlg : public QDialog
{
    Q_OBJECT

public:
    // The working alert stays the caller's and must outlive the dialog.
    explicit CAlertDlg(CAlert* pAlert, QWidget* pParent = nullptr);
    ~CAlertDlg() override;

private:
    // Takes the controls into the members (true) or puts the members into the controls.
    void UpdateData(bool bSaveAndValidate);
    void RefreshKeywords();

    void OnAddKeyword();
    void OnEditKeyword();
    void OnDeleteKeyword();
    void OnTask();
    void OnKeywordListKeyDown(int nKey);
    void OnOK();

    const QScopedPointer<Ui::CAlertDlg> m_ui;
    CButtonST* m_btnEdit;
    CButtonST* m_btnDelete;
    CButtonST* m_btnAdd;
    CReportList* m_listKeywords;
    QByteArray m_strDescription;
    bool m_bActive;
    CAlert* m_pAlert;
};
