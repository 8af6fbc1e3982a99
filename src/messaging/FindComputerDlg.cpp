#include "messaging/FindComputerDlg.h"

#include "platform/discovery/ComputerBrowser.h"
#include "platform/mailslot/MailslotAddress.h"
#include "resources/ResIcon.h"
#include "resources/resource.h"
#include "ui_FindComputerDlg.h"

#include <QPushButton>

namespace {

enum ItemKind
{
    kCopyItem,     // a running copy of Tellwick
    kComputerItem, // a computer that announces itself
};

constexpr int kKindRole = Qt::UserRole;
constexpr int kHostRole = Qt::UserRole + 1;

// Running copies come first, then the other computers, each group in name order.
class CComputerItem : public QListWidgetItem
{
public:
    CComputerItem(int nKind, const QString& strName, const QString& hostName)
    {
        setText(strName);
        setData(kKindRole, nKind);
        setData(kHostRole, hostName);
    }

    bool operator<(const QListWidgetItem& other) const override
    {
        const int nKind = data(kKindRole).toInt();
        const int nOtherKind = other.data(kKindRole).toInt();
        return nKind != nOtherKind ? nKind < nOtherKind : text() < other.text();
    }
};

QString SightingKey(int nKind, const QString& strName)
{
    return QString::number(nKind) + QLatin1Char(' ') + strName;
}

} // namespace

CFindComputerDlg::CFindComputerDlg(std::unique_ptr<CComputerBrowser> pBrowser, QWidget* pParent)
    : QDialog(pParent), m_ui(new Ui::CFindComputerDlg), m_pBrowser(std::move(pBrowser))
{
    m_ui->setupUi(this);
    m_ui->statusLabel->hide();
    // A list takes no name from its label by itself; screen readers need one.
    m_ui->computerList->setAccessibleName(m_ui->promptLabel->text());
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
    connect(m_pBrowser.get(), &CComputerBrowser::CopyFound, this, &CFindComputerDlg::OnCopyFound);
    connect(m_pBrowser.get(), &CComputerBrowser::CopyLost, this, &CFindComputerDlg::OnCopyLost);
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
    if (QListWidgetItem* pItem = Sighted(kComputerItem, hostName, hostName))
        pItem->setIcon(LoadResIcon(IDI_DISPLAY));
    UpdateComputerShown(hostName);
}

void CFindComputerDlg::OnComputerLost(const QString& hostName)
{
    LostSight(kComputerItem, hostName, hostName);
}

void CFindComputerDlg::OnCopyFound(const QString& hostName, quint16 nPort)
{
    // The name carries the port only where the copy listens on another one than this copy.
    const QString strName = QString::fromLatin1(JoinComputerPort(hostName.toLatin1(), nPort));
    if (QListWidgetItem* pItem = Sighted(kCopyItem, strName, hostName)) {
        pItem->setIcon(LoadResIcon(IDI_MAINFRAME));
        QFont font = pItem->font();
        font.setBold(true);
        pItem->setFont(font);
        pItem->setToolTip(tr("Runs Tellwick"));
        pItem->setData(Qt::AccessibleDescriptionRole, tr("Runs Tellwick"));
    }
    UpdateComputerShown(hostName);
}

void CFindComputerDlg::OnCopyLost(const QString& hostName, quint16 nPort)
{
    LostSight(kCopyItem, QString::fromLatin1(JoinComputerPort(hostName.toLatin1(), nPort)),
              hostName);
    UpdateComputerShown(hostName);
}

QListWidgetItem* CFindComputerDlg::Sighted(int nKind, const QString& strName,
                                           const QString& hostName)
{
    if (m_sightings[SightingKey(nKind, strName)]++ > 0)
        return nullptr;
    auto* pItem = new CComputerItem(nKind, strName, hostName);
    m_ui->computerList->addItem(pItem);
    return pItem;
}

void CFindComputerDlg::LostSight(int nKind, const QString& strName, const QString& hostName)
{
    const auto it = m_sightings.find(SightingKey(nKind, strName));
    if (it == m_sightings.end() || --*it > 0)
        return;
    m_sightings.erase(it);
    for (int i = m_ui->computerList->count() - 1; i >= 0; --i) {
        const QListWidgetItem* pItem = m_ui->computerList->item(i);
        if (pItem->data(kKindRole).toInt() == nKind && pItem->text() == strName &&
            pItem->data(kHostRole).toString() == hostName)
            delete pItem;
    }
}

void CFindComputerDlg::UpdateComputerShown(const QString& hostName)
{
    bool bRunsCopy = false;
    QList<QListWidgetItem*> computers;
    for (int i = 0; i < m_ui->computerList->count(); ++i) {
        QListWidgetItem* pItem = m_ui->computerList->item(i);
        if (pItem->data(kHostRole).toString().compare(hostName, Qt::CaseInsensitive) != 0)
            continue;
        if (pItem->data(kKindRole).toInt() == kCopyItem)
            bRunsCopy = true;
        else
            computers.append(pItem);
    }
    for (QListWidgetItem* pItem : computers)
        pItem->setHidden(bRunsCopy);
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
