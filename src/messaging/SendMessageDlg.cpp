#include "messaging/SendMessageDlg.h"

#include "extlib/orvocmn/ButtonST.h"
#include "messaging/ColorCode.h"
#include "messaging/FindComputerDlg.h"
#include "messaging/Mailslot.h"
#include "platform/discovery/ComputerBrowser.h"
#include "resources/DlgItem.h"
#include "resources/MenuResource.h"
#include "resources/ResIcon.h"
#include "resources/resource.h"
#include "ui_SendMessageDlg.h"

#include <QPainter>

namespace {

struct ColorTag
{
    int id;
    const char* tag;
    int nPaletteIndex;
};

constexpr ColorTag kColorTags[] = {
    {ID_COLOR_BLACK, "<b>", 1},  {ID_COLOR_RED, "<r>", 4},    {ID_COLOR_GREEN, "<g>", 3},
    {ID_COLOR_BLUE, "<l>", 2},   {ID_COLOR_YELLOW, "<y>", 8}, {ID_COLOR_ORANGE, "<o>", 7},
    {ID_COLOR_PURPLE, "<p>", 6}, {ID_COLOR_BROWN, "<n>", 5},  {ID_COLOR_WHITE, "<w>", 0},
};

constexpr int kDialogIconSize = 32;
constexpr int kSwatchSize = 16;

// A square of the colour a tag gives, shown beside its menu item.
QIcon Swatch(Rgb color)
{
    QPixmap swatch(kSwatchSize, kSwatchSize);
    swatch.fill(Qt::transparent);
    QPainter painter(&swatch);
    painter.setPen(QColor(0x3b, 0x4a, 0x5a));
    painter.setBrush(QColor::fromRgb(color));
    painter.drawRect(QRect(2, 2, kSwatchSize - 5, kSwatchSize - 5));
    return swatch;
}

} // namespace

CSendMessageDlg::CSendMessageDlg(QWidget* pParent)
    : QDialog(pParent), m_ui(new Ui::CSendMessageDlg), m_makeBrowser(CreateComputerBrowser)
{
    m_ui->setupUi(this);
    m_editMessage = m_ui->messageEdit;
    m_btnColor = m_ui->colorButton;
    m_btnFind = m_ui->findButton;
    m_ui->iconLabel->setPixmap(LoadResIcon(IDI_SEND_MESSAGE).pixmap(kDialogIconSize));

    m_btnFind->SetIcon(IDI_BROWSE, 0, 32, 32);
    m_btnColor->SetIcon(IDI_COLOR, 0, 32, 32);
    m_btnColor->SetAlign(CButtonST::AlignIconLeft);
    m_btnFind->SetFlat(false);
    m_btnColor->SetFlat(false);
    // The icon buttons keep the height of the row they stand in, as in the template.
    const int nEditHeight = m_ui->computerEdit->sizeHint().height();
    m_btnFind->setFixedSize(nEditHeight, nEditHeight);
    m_btnColor->setFixedHeight(m_ui->okButton->sizeHint().height());

    UpdateData(false);
    RegisterToolTips(this);
    m_ui->computerEdit->setFocus();

    connect(m_btnFind, &QPushButton::clicked, this, &CSendMessageDlg::OnFindComputer);
    connect(m_btnColor, &QPushButton::clicked, this, &CSendMessageDlg::OnColor);
    connect(m_ui->okButton, &QPushButton::clicked, this, &CSendMessageDlg::OnOK);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CSendMessageDlg::~CSendMessageDlg() = default;

void CSendMessageDlg::SetComputerBrowserFactory(BrowserFactory factory)
{
    m_makeBrowser = std::move(factory);
}

void CSendMessageDlg::UpdateData(bool bSaveAndValidate)
{
    if (bSaveAndValidate) {
        m_strComputer = m_ui->computerEdit->text();
        m_strMessage = m_editMessage->text();
    } else {
        m_ui->computerEdit->setText(m_strComputer);
        m_editMessage->setText(m_strMessage);
    }
}

void CSendMessageDlg::AppendTag(const char* tag)
{
    UpdateData(true);
    m_strMessage += QLatin1String(tag);
    UpdateData(false);
}

void CSendMessageDlg::OnFindComputer()
{
    CFindComputerDlg dlg(m_makeBrowser ? m_makeBrowser() : nullptr, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    // Whatever was typed meanwhile stays; only the computer changes.
    UpdateData(true);
    m_strComputer = dlg.GetComputerName();
    UpdateData(false);
}

void CSendMessageDlg::OnColor()
{
    const std::unique_ptr<QMenu> pColors = LoadPopupMenu(IDR_COLOR_MENU);
    for (QAction* pAction : pColors->actions()) {
        for (const ColorTag& color : kColorTags) {
            if (color.id == pAction->data().toInt())
                pAction->setIcon(Swatch(g_palette[color.nPaletteIndex]));
        }
    }
    const QAction* pChosen =
        pColors->exec(m_btnColor->mapToGlobal(m_btnColor->rect().bottomLeft()));
    if (pChosen)
        OnColorCommand(pChosen->data().toInt());
}

void CSendMessageDlg::OnColorCommand(int nID)
{
    for (const ColorTag& color : kColorTags) {
        if (color.id == nID)
            AppendTag(color.tag);
    }
}

void CSendMessageDlg::OnOK()
{
    UpdateData(true);
    // The dialog closes at once: a name still being looked up goes out later, and a failed send
    // is not reported here.
    PostTypedMessage(m_strComputer.toLocal8Bit(), m_strMessage.toLocal8Bit());
    accept();
}
