#include "platform/mfc/PropertySheet.h"

#include "platform/mfc/PropertyPage.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QVBoxLayout>

CPropertySheet::CPropertySheet(const QString& strCaption, QWidget* pParent, int nStartPage)
    : QDialog(pParent), m_pTabs(new QTabWidget(this)), m_nStartPage(nStartPage)
{
    setWindowTitle(strCaption);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    pButtons->button(QDialogButtonBox::Ok)->setDefault(true);
    // Plain text buttons, as in every other dialog of the program.
    for (QAbstractButton* pButton : pButtons->buttons())
        pButton->setIcon(QIcon());
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pTabs);
    pLayout->addWidget(pButtons);
    connect(pButtons, &QDialogButtonBox::accepted, this, &CPropertySheet::OnOK);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pTabs, &QTabWidget::currentChanged, this, &CPropertySheet::OnTabChanging);
}

CPropertySheet::~CPropertySheet()
{
    // The pages are the caller's: those still there leave the tabs before the tabs go.
    for (const QPointer<CPropertyPage>& pPage : std::as_const(m_pages)) {
        if (pPage)
            pPage->setParent(nullptr);
    }
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    const QSignalBlocker quiet(m_pTabs);
    m_pages.append(pPage);
    m_pTabs->addTab(pPage, pPage->Title());
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return m_pages.value(m_nActive);
}

bool CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= m_pages.size())
        return false;
    m_pTabs->setCurrentIndex(nPage);
    return m_nActive == nPage;
}

void CPropertySheet::OnTabChanging(int nPage)
{
    if (nPage == m_nActive)
        return;
    // A page that cannot give up its values (a field that does not parse) stays in front.
    if (CPropertyPage* pLeaving = GetActivePage(); pLeaving && !pLeaving->OnKillActive()) {
        const QSignalBlocker quiet(m_pTabs);
        m_pTabs->setCurrentIndex(m_nActive);
        return;
    }
    m_nActive = nPage;
    if (CPropertyPage* pPage = GetActivePage())
        pPage->Activate();
}

int CPropertySheet::DoModal()
{
    if (m_pages.isEmpty())
        return QDialog::Rejected;
    const int nStart = qBound(0, m_nStartPage, int(m_pages.size()) - 1);
    {
        const QSignalBlocker quiet(m_pTabs);
        m_pTabs->setCurrentIndex(nStart);
    }
    m_nActive = nStart;
    m_pages[nStart]->Activate();
    // The keys start on the page's first control, not on the tabs.
    for (QWidget* pWidget = m_pages[nStart]->nextInFocusChain(); pWidget != m_pages[nStart];
         pWidget = pWidget->nextInFocusChain()) {
        if (m_pages[nStart]->isAncestorOf(pWidget) && (pWidget->focusPolicy() & Qt::TabFocus)) {
            pWidget->setFocus(Qt::TabFocusReason);
            break;
        }
    }
    return exec();
}

void CPropertySheet::OnOK()
{
    if (CPropertyPage* pPage = GetActivePage(); pPage && !pPage->OnKillActive())
        return;
    for (qsizetype i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i]->IsCreated() && !m_pages[i]->OnApply()) {
            SetActivePage(int(i));
            return;
        }
    }
    accept();
}
