#pragma once

#include "alerts/Alert.h"
#include "platform/mfc/PropertyPage.h"


class CButtonST;
class CReportList;
namespace Ui {
class CAlertPage;
}

// Page 156 of the Properties sheet: lists, adds, edits, deletes and tests alerts, and carries
// the "Enable alerts" switch. Before the sheet is shown its owner fills m_alerts with the
// message window's alerts (the same objects); on OK it calls OnApply, then takes m_alerts back
// and stores m_bCheckAlerts. Alerts the page removed or added live on only in the list that
// the owner keeps. Edits confirmed in the alert dialog go straight into the shared alerts.
class CAlertPage : public CPropertyPage
{
    Q_OBJECT

public:
    // Reads "CheckAlerts" (1 when missing) into m_bCheckAlerts.
    explicit CAlertPage(QWidget* pParent = nullptr);
    ~CAlertPage() override;

    // The sheet's OK: takes the box into m_bCheckAlerts once the page has been shown; a page
    // never shown keeps the value read when it was built. Nothing here can fail.
    bool OnApply() override;

    CAlertList m_alerts;
    quint32 m_bCheckAlerts;

protected:
    // Fills the box and the list from the members, the first time the page is shown.
    void OnInitDialog() override;

private:
    void UpdateData(bool bSaveAndValidate);
    void RefreshList();

    void OnAdd();
    void OnProperties();
    void OnDelete();
    void OnTest();
    void OnAlertListKeyDown(int nKey);

    const QScopedPointer<Ui::CAlertPage> m_ui;
    CReportList* m_listAlerts;
    CButtonST* m_btnTest;
    CButtonST* m_btnProperties;
    CButtonST* m_btnDelete;
    CButtonST* m_btnAdd;
};
