#include "alerts/AlertPage.h"

#include "alerts/AlertDlg.h"
#include "alerts/ReportList.h"
#include "extlib/orvocmn/ButtonST.h"
#include "extlib/orvosched/SaveSelectedItem.h"
#include "extlib/orvosched/Task.h"
#include "resources/DlgItem.h"
#include "resources/ResIcon.h"
#include "resources/resource.h"
#include "settings/ProgramValue.h"
#include "ui_AlertPage.h"

#include <QHeaderView>
#include <QShortcut>

namespace {

constexpr int kPageIconSize = 32;
constexpr int kTaskColumnWidth = 80;
constexpr int kActiveColumnWidth = 80;

enum Column
{
    kDescriptionColumn,
    kTaskColumn,
    kActiveColumn,
};

} // namespace

CAlertPage::CAlertPage(QWidget* pParent)
    : CPropertyPage(tr("Alerts"), pParent), m_bCheckAlerts(ReadProgramDword(kCheckAlerts)),
      m_ui(new Ui::CAlertPage)
{
    m_ui->setupUi(this);
    m_listAlerts = m_ui->alertList;
    m_btnTest = m_ui->testButton;
    m_btnProperties = m_ui->propertiesButton;
    m_btnDelete = m_ui->deleteButton;
    m_btnAdd = m_ui->addButton;
    m_ui->alertsIconLabel->setPixmap(LoadResIcon(IDI_ALERTS).pixmap(kPageIconSize));

    m_btnTest->SetIcon(IDI_TASK, 0, 32, 32);
    m_btnProperties->SetIcon(IDI_PROPERTIES, 0, 32, 32);
    m_btnDelete->SetIcon(IDI_DELETE, 0, 32, 32);
    m_btnAdd->SetIcon(IDI_ADD, 0, 32, 32);
    // Small buttons on the bar, as high as a line of its text with a frame around it.
    const int nBarButton = m_ui->alertBarLabel->sizeHint().height() + 8;
    for (CButtonST* pButton : {m_btnAdd, m_btnProperties, m_btnDelete, m_btnTest})
        pButton->setFixedSize(nBarButton, nBarButton);

    RegisterToolTips(this);
    m_listAlerts->setColumnCount(3);
    m_listAlerts->setHeaderLabels({tr("Description"), tr("Task"), tr("Active")});
    // The description takes what the other two columns leave, so that all three are in view.
    QHeaderView& header = *m_listAlerts->header();
    header.setStretchLastSection(false);
    header.setSectionResizeMode(kDescriptionColumn, QHeaderView::Stretch);
    header.resizeSection(kTaskColumn, kTaskColumnWidth);
    header.resizeSection(kActiveColumn, kActiveColumnWidth);

    connect(m_btnAdd, &QPushButton::clicked, this, &CAlertPage::OnAdd);
    connect(m_btnProperties, &QPushButton::clicked, this, &CAlertPage::OnProperties);
    connect(m_btnDelete, &QPushButton::clicked, this, &CAlertPage::OnDelete);
    connect(m_btnTest, &QPushButton::clicked, this, &CAlertPage::OnTest);
    connect(m_listAlerts, &CReportList::KeyDown, this, &CAlertPage::OnAlertListKeyDown);
    connect(m_listAlerts, &QAbstractItemView::doubleClicked, this, &CAlertPage::OnProperties);
    // Wherever the focus is on the page.
    const std::pair<Qt::Key, void (CAlertPage::*)()> keys[] = {
        {Qt::Key_F4, &CAlertPage::OnAdd},
        {Qt::Key_F5, &CAlertPage::OnProperties},
        {Qt::Key_F6, &CAlertPage::OnDelete},
        {Qt::Key_F9, &CAlertPage::OnTest},
    };
    for (const auto& [key, pfnHandler] : keys)
        new QShortcut(key, this, this, pfnHandler, Qt::WidgetWithChildrenShortcut);
}

CAlertPage::~CAlertPage() = default;

bool CAlertPage::OnApply()
{
    if (IsCreated())
        UpdateData(true);
    return true;
}

void CAlertPage::OnInitDialog()
{
    UpdateData(false);
    RefreshList();
    m_listAlerts->SelectRow(0);
}

void CAlertPage::UpdateData(bool bSaveAndValidate)
{
    if (bSaveAndValidate)
        m_bCheckAlerts = m_ui->checkAlertsCheckBox->isChecked() ? 1 : 0;
    else
        m_ui->checkAlertsCheckBox->setChecked(m_bCheckAlerts != 0);
}

void CAlertPage::RefreshList()
{
    m_listAlerts->clear();
    for (const std::shared_ptr<CAlert>& pAlert : m_alerts) {
        const CTask* pTask = pAlert->GetTask();
        new QTreeWidgetItem(m_listAlerts,
                            {QString::fromLocal8Bit(pAlert->GetDescription()),
                             pTask ? QString::fromLocal8Bit(pTask->GetDescription()) : tr("None"),
                             pAlert->m_bActive ? tr("Yes") : tr("No")});
    }
}

void CAlertPage::OnAdd()
{
    // The page's own until the sheet is accepted.
    auto pAlert = std::make_shared<CAlert>();
    CAlertDlg dlg(pAlert.get(), this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_alerts.push_back(std::move(pAlert));
    RefreshList();
}

void CAlertPage::OnProperties()
{
    const int nItem = m_listAlerts->GetFirstSelected(qsizetype(m_alerts.size()));
    if (nItem < 0)
        return;
    const CSaveSelectedItem guard(*m_listAlerts);
    // Edited on a copy: keyword and task changes made before Cancel leave the alert alone.
    const std::shared_ptr<CAlert> pAlert = m_alerts[nItem];
    CAlert copy(*pAlert);
    CAlertDlg dlg(&copy, this);
    if (dlg.exec() == QDialog::Accepted)
        *pAlert = copy;
    RefreshList();
}

void CAlertPage::OnDelete()
{
    const int nItem = m_listAlerts->GetFirstSelected(qsizetype(m_alerts.size()));
    if (nItem < 0)
        return;
    const CSaveSelectedItem guard(*m_listAlerts);
    // The alert itself lives on in the message window's list until the sheet is accepted.
    m_alerts.erase(m_alerts.begin() + nItem);
    RefreshList();
}

void CAlertPage::OnTest()
{
    const int nItem = m_listAlerts->GetFirstSelected(qsizetype(m_alerts.size()));
    if (nItem < 0)
        return;
    const CSaveSelectedItem guard(*m_listAlerts);
    // Whatever the alert's active flag and the "Enable alerts" box say.
    m_alerts[nItem]->RunTask();
}

void CAlertPage::OnAlertListKeyDown(int nKey)
{
    switch (nKey) {
    case Qt::Key_Insert:
        OnAdd();
        break;
    case Qt::Key_F2:
        OnProperties();
        break;
    case Qt::Key_Delete:
        OnDelete();
        break;
    default:
        break;
    }
}
