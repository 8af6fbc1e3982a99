#include "messaging/FindComputerDlg.h"

#include "platform/ComputerBrowser.h"
#include "resources/ResIcon.h"
#include "resources/resource.h"
#include "ui_FindComputerDlg.h"

#include <QPushButton>

CFindComputerDlg::CFindComputerDlg(std::unique_ptr<CComputerBrowser> pBrowser, QWidget* pParent)
    : QDialog(pParent), m_ui(new Ui::CFindComputerDlg), m_pBrowser(std::move(pBrowser))
{
    m_ui->setupUi(this);
    m_ui->statusLabel->hide();
    OnNameChanged();

    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->nameEdit, &QLineEdit::textChanged, this, &CFindComputerDlg::OnNameChanged);
    connect(m_ui->computerList, &QListWidget::currentTextChanged, m_ui->nameEdit,
            [this](const QString& name) {
                if (!name.isEmpty())
                    m_ui->nameEdit->setText(name);
            });
    connect(m_ui->computerList, &QListWidget::itemActivated, this,
            [this](const QListWidgetItem* pItem) {
                m_ui->nameEdit->setText(pItem->text());
                accept();
            });

    if (!m_pBrowser) {
        OnBrowsingUnavailable();
        return;
    }
    connect(m_pBrowser.get(), &CComputerBrowser::ComputerFound, this,
            &CFindComputerDlg::OnComputerFound);
    connect(m_pBrowser.get(), &CComputerBrowser::ComputerLost, this,
            &CFindComputerDlg::OnComputerLost);
    connect(m_pBrowser.get(), &CComputerBrowser::BrowsingFailed, this,
            &CFindComputerDlg::OnBrowsingUnavailable);
    if (!m_pBrowser->Start())
        OnBrowsingUnavailable();
}

CFindComputerDlg::~CFindComputerDlg() = default;

QString CFindComputerDlg::GetComputerName() const
{
    return m_ui->nameEdit->text().trimmed();
}

void CFindComputerDlg::OnComputerFound(const QString& hostName)
{
    if (m_sightings[hostName]++ == 0)
        new QListWidgetItem(LoadResIcon(IDI_DISPLAY), hostName, m_ui->computerList);
}

void CFindComputerDlg::OnComputerLost(const QString& hostName)
{
    const auto it = m_sightings.find(hostName);
    if (it == m_sightings.end() || --*it > 0)
        return;
    m_sightings.erase(it);
    const QList<QListWidgetItem*> items = m_ui->computerList->findItems(hostName, Qt::MatchExactly);
    qDeleteAll(items);
}

void CFindComputerDlg::OnBrowsingUnavailable()
{
    m_sightings.clear();
    m_ui->computerList->clear();
    m_ui->computerList->hide();
    m_ui->promptLabel->hide();
    m_ui->statusLabel->setText(
        tr("Network browsing is not available. Type the name of the computer instead."));
    m_ui->statusLabel->show();
    m_ui->nameEdit->setFocus();
    adjustSize();
}

void CFindComputerDlg::OnNameChanged()
{
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(!GetComputerName().isEmpty());
}
