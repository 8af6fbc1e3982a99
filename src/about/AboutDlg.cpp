#include "about/AboutDlg.h"

#include "about/CreditsDlg.h"
#include "about/FileVersion.h"
#include "about/HyperLink.h"
#include "resources/ResIcon.h"
#include "resources/StringTable.h"
#include "resources/resource.h"
#include "ui_AboutDlg.h"

#include <QPointer>
#include <algorithm>
#include <climits>

namespace {

constexpr char kBuild[] = "410";
constexpr int kDialogIconSize = 32;
constexpr quint64 kKilobyte = 1024;

// Formats through a string resource that takes "%lu"; a figure past what unsigned long holds
// shows as the largest one, never wrapped round.
unsigned long InKilobytes(quint64 nBytes)
{
    return static_cast<unsigned long>(std::min<quint64>(nBytes / kKilobyte, ULONG_MAX));
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent), m_ui(new Ui::CAboutDlg)
{
    m_ui->setupUi(this);
    // The box keeps the size of its template.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    m_ui->iconLabel->setPixmap(LoadResIcon(IDI_MAINFRAME).pixmap(kDialogIconSize));
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    OnInitDialog();
    // The links come first in the Tab order, but the box opens on OK, where Enter closes it.
    m_ui->okButton->setFocus();
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange()
{
    m_linkName = m_ui->productNameLink;
    m_linkWeb = m_ui->webAddressLink;
}

bool CAboutDlg::OnInitDialog()
{
    DoDataExchange();

    m_ui->versionLabel->setText(
        tr("Version %1 (Build: %2)").arg(GetProgramVersion(), QLatin1String(kBuild)));

    m_linkName->SetCallback(ShowCredits);

    m_linkWeb->SetLink(true);
    // The theme's link colour: pure blue on light themes, and still readable on dark ones.
    m_linkWeb->SetTextColor(palette().color(QPalette::Link));
    m_linkWeb->SetFontUnderline(false);

    m_ui->physicalMemoryLabel->setText(PhysicalMemoryText(GetTotalPhysicalMemory()));
    m_ui->freeDiskSpaceLabel->setText(FreeDiskSpaceText(GetDiskFree(QStringLiteral("."))));
    return true;
}

QString CAboutDlg::PhysicalMemoryText(std::optional<quint64> nBytes)
{
    if (!nBytes)
        return LoadResString(IDS_DISK_UNAVAILABLE);
    return QString::asprintf(LoadResString(IDS_PHYSICAL_MEMORY).toUtf8().constData(),
                             InKilobytes(*nBytes));
}

QString CAboutDlg::FreeDiskSpaceText(const std::optional<DiskFree>& diskFree)
{
    if (!diskFree)
        return LoadResString(IDS_DISK_UNAVAILABLE);
    return QString::asprintf(LoadResString(IDS_FREE_DISK_SPACE).toUtf8().constData(),
                             InKilobytes(diskFree->nAvailableBytes),
                             diskFree->strMountPoint.toUtf8().constData());
}

void ShowAboutBox(QWidget* pParent)
{
    const QPointer<CAboutDlg> pDlg = new CAboutDlg(pParent);
    pDlg->exec();
    delete pDlg.data();
}
