#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>

class CPropertyPage;
class QTabWidget;

// A modal dialog of tabbed pages with OK and Cancel. OK first lets the page in front take its
// values, then has every page that was shown apply them, in the order the pages were added;
// a page that refuses keeps the sheet open and comes to the front.
class CPropertySheet : public QDialog
{
    Q_OBJECT

public:
    explicit CPropertySheet(const QString& strCaption, QWidget* pParent = nullptr, int nStartPage = 0);
    ~CPropertySheet() override;

    // The page stays the caller's; it must outlive the sheet's use of it.
    void AddPage(CPropertyPage* pPage);
    CPropertyPage* GetActivePage() const;
    // False when the page in front would not let go.
    bool SetActivePage(int nPage);

    // Shows the start page and runs the sheet; QDialog::Accepted after a confirmed OK.
    int DoModal();
    void OnOK();

private:
    void OnTabChanging(int nPage);

    QTabWidget* m_pTabs;
    QList<QPointer<CPropertyPage>> m_pages;
    int m_nStartPage;
    int m_nActive = -1;
};
