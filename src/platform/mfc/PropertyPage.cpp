#include "platform/mfc/PropertyPage.h"

CPropertyPage::CPropertyPage(const QString& strTitle, QWidget* pParent)
    : QWidget(pParent), m_strTitle(strTitle)
{
}

void CPropertyPage::Activate()
{
    if (m_bCreated)
        return;
    m_bCreated = true;
    OnInitDialog();
}

void CPropertyPage::showEvent(QShowEvent* pEvent)
{
    Activate();
    QWidget::showEvent(pEvent);
}
