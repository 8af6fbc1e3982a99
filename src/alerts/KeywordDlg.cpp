#include "alerts/KeywordDlg.h"

#include "alerts/EditBytes.h"
#include "ui_KeywordDlg.h"

#include <QShowEvent>

namespace {

constexpr int kMaxKeywordChars = 80;

} // namespace

CKeywordDlg::CKeywordDlg(QWidget* pParent) : QDialog(pParent), m_ui(new Ui::CKeywordDlg)
{
    m_ui->setupUi(this);
    connect(m_ui->okButton, &QPushButton::clicked, this, &CKeywordDlg::OnOK);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CKeywordDlg::~CKeywordDlg() = default;

void CKeywordDlg::showEvent(QShowEvent* pEvent)
{
    // The caller sets the keyword between construction and showing.
    if (!pEvent->spontaneous()) {
        UpdateData(false);
        m_ui->keywordEdit->selectAll();
        m_ui->keywordEdit->setFocus();
    }
    QDialog::showEvent(pEvent);
}

void CKeywordDlg::UpdateData(bool bSaveAndValidate)
{
    if (bSaveAndValidate)
        m_strKeyword = GetEditBytes(*m_ui->keywordEdit, m_strKeyword);
    else
        SetEditBytes(*m_ui->keywordEdit, m_strKeyword, kMaxKeywordChars);
}

void CKeywordDlg::OnOK()
{
    UpdateData(true);
    accept();
}
