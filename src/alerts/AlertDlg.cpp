#include "alerts/AlertDlg.h"

#include "alerts/Alert.h"
#include "alerts/EditBytes.h"
#include "alerts/KeywordDlg.h"
#include "alerts/ReportList.h"
#include "extlib/orvocmn/ButtonST.h"
#include "extlib/orvosched/SaveSelectedItem.h"
#include "extlib/orvosched/Task.h"
#include "resources/DlgItem.h"
#include "resources/ResIcon.h"
#include "resources/resource.h"
#include "ui_AlertDlg.h"

#include <QShortcut>

namespace {

constexpr int kMaxDescriptionChars = 80;
constexpr int kDialogIconSize = 32;

} // namespace

CAlertDlg::CAlertDlg(CAlert* pAlert, QWidget* pParent)
    : QDialog(pParent), m_ui(new Ui::CAlertDlg), m_strDescription(pAlert->m_strDescription),
      m_bActive(pAlert->m_bActive), m_pAlert(pAlert)
{
    m_ui->setupUi(this);
    m_btnEdit = m_ui->propertiesButton;
    m_btnDelete = m_ui->deleteButton;
    m_btnAdd = m_ui->addButton;
    m_listKeywords = m_ui->keywordList;
    m_ui->keywordsIconLabel->setPixmap(LoadResIcon(IDI_KEYWORDS).pixmap(kDialogIconSize));
    m_ui->taskIconLabel->setPixmap(LoadResIcon(IDI_TASK).pixmap(kDialogIconSize));

    m_btnEdit->SetIcon(IDI_PROPERTIES, 0, 32, 32);
    m_btnDelete->SetIcon(IDI_DELETE, 0, 32, 32);
    m_btnAdd->SetIcon(IDI_ADD, 0, 32, 32);
    // Small buttons on the bar, as high as a line of its text with a frame around it.
    const int nBarButton = m_ui->keywordBarLabel->sizeHint().height() + 8;
    for (CButtonST* pButton : {m_btnAdd, m_btnEdit, m_btnDelete})
        pButton->setFixedSize(nBarButton, nBarButton);

    UpdateData(false);
    RegisterToolTips(this);
    m_listKeywords->setColumnCount(1);
    m_listKeywords->setHeaderLabels({tr("Keyword")});
    RefreshKeywords();
    m_listKeywords->SelectRow(0);
    m_ui->descriptionEdit->setFocus();

    connect(m_btnAdd, &QPushButton::clicked, this, &CAlertDlg::OnAddKeyword);
    connect(m_btnEdit, &QPushButton::clicked, this, &CAlertDlg::OnEditKeyword);
    connect(m_btnDelete, &QPushButton::clicked, this, &CAlertDlg::OnDeleteKeyword);
    connect(m_ui->taskButton, &QPushButton::clicked, this, &CAlertDlg::OnTask);
    connect(m_listKeywords, &CReportList::KeyDown, this, &CAlertDlg::OnKeywordListKeyDown);
    connect(m_listKeywords, &QAbstractItemView::doubleClicked, this, &CAlertDlg::OnEditKeyword);
    connect(m_ui->okButton, &QPushButton::clicked, this, &CAlertDlg::OnOK);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // Whichever control has the focus.
    const std::pair<Qt::Key, void (CAlertDlg::*)()> keys[] = {
        {Qt::Key_F4, &CAlertDlg::OnAddKeyword},
        {Qt::Key_F5, &CAlertDlg::OnEditKeyword},
        {Qt::Key_F6, &CAlertDlg::OnDeleteKeyword},
    };
    for (const auto& [key, pfnHandler] : keys)
        new QShortcut(key, this, this, pfnHandler, Qt::WidgetWithChildrenShortcut);
}

CAlertDlg::~CAlertDlg() = default;

void CAlertDlg::UpdateData(bool bSaveAndValidate)
{
    if (bSaveAndValidate) {
        m_strDescription = GetEditBytes(*m_ui->descriptionEdit, m_strDescription);
        m_bActive = m_ui->activeCheckBox->isChecked();
    } else {
        SetEditBytes(*m_ui->descriptionEdit, m_strDescription, kMaxDescriptionChars);
        m_ui->activeCheckBox->setChecked(m_bActive);
    }
}

void CAlertDlg::RefreshKeywords()
{
    m_listKeywords->clear();
    for (const QByteArray& keyword : m_pAlert->m_keywords)
        new QTreeWidgetItem(m_listKeywords, {QString::fromLocal8Bit(keyword)});
}

void CAlertDlg::OnAddKeyword()
{
    CKeywordDlg dlg(this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_pAlert->m_keywords.append(dlg.m_strKeyword);
    RefreshKeywords();
}

void CAlertDlg::OnEditKeyword()
{
    const int nItem = m_listKeywords->GetFirstSelected(m_pAlert->m_keywords.size());
    if (nItem < 0)
        return;
    const CSaveSelectedItem guard(*m_listKeywords);
    CKeywordDlg dlg(this);
    dlg.m_strKeyword = m_pAlert->m_keywords[nItem];
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_pAlert->m_keywords[nItem] = dlg.m_strKeyword;
    RefreshKeywords();
}

void CAlertDlg::OnDeleteKeyword()
{
    const int nItem = m_listKeywords->GetFirstSelected(m_pAlert->m_keywords.size());
    if (nItem < 0)
        return;
    const CSaveSelectedItem guard(*m_listKeywords);
    m_pAlert->m_keywords.removeAt(nItem);
    RefreshKeywords();
}

void CAlertDlg::OnTask()
{
    // Edited on a copy: the task dialog's Cancel leaves the alert's task as it was.
    const CTask* pCurrent = m_pAlert->GetTask();
    const std::unique_ptr<CTask> pTask = pCurrent ? pCurrent->Clone() : std::make_unique<CTask>();
    pTask->m_bAlertTask = true;
    if (pTask->Properties() == 1)
        m_pAlert->SetTask(pTask.get());
}

void CAlertDlg::OnKeywordListKeyDown(int nKey)
{
    switch (nKey) {
    case Qt::Key_Insert:
        OnAddKeyword();
        break;
    case Qt::Key_F2:
        OnEditKeyword();
        break;
    case Qt::Key_Delete:
        OnDeleteKeyword();
        break;
    default:
        break;
    }
}

void CAlertDlg::OnOK()
{
    UpdateData(true);
    m_pAlert->m_strDescription = m_strDescription;
    m_pAlert->m_bActive = m_bActive;
    accept();
}
