#include "messaging/MessageView.h"

#include "config/PropertiesSheet.h"
#include "messaging/ColorTags.h"
#include "messaging/FontConversion.h"
#include "messaging/SendMessageDlg.h"
#include "messaging/StoredFont.h"
#include "platform/desktop/ShowWindow.h"
#include "platform/mfc/WindowMessage.h"
#include "resources/MenuResource.h"
#include "resources/StringTable.h"
#include "resources/resource.h"
#include "settings/Catalogue.h"
#include "settings/Profile.h"
#include "settings/ProgramValue.h"
#include "settings/Settings.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QFontDialog>
#include <QMenu>
#include <QMessageBox>

namespace {

// How long after the pipeline asked for the window to come forward the focus it brings may
// still arrive.
constexpr int kActivationFocusMs = 2000;

} // namespace

CMessageView::CMessageView(QWidget* pParent, std::unique_ptr<CMessageReceiver> pReceiver)
    : CTextView(pParent)
    , m_pReceiver(pReceiver ? std::move(pReceiver) : std::make_unique<CMessageReceiver>())
{
    setObjectName(QStringLiteral("messageView"));
    setAccessibleName(tr("Messages"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    SetMaxLines(CSettings().GetMaxLines());

    connect(m_pReceiver.get(), &CMessageReceiver::LineAdded, this, &CMessageView::AddLine);
    connect(m_pReceiver.get(), &CMessageReceiver::BringForward, this, &CMessageView::OnBringForward);
    connect(m_pReceiver.get(), &CMessageReceiver::Flash, this, &CMessageView::OnFlash);
    connect(m_pReceiver.get(), &CMessageReceiver::PollFailed, this, &CMessageView::ReportPollError);
    connect(m_pReceiver.get(), &CMessageReceiver::Polled, this, [this] { viewport()->update(); });

    MapCommand(ID_SEND_MESSAGE, [this] { OnSendMessage(); });
    MapCommand(ID_PROPERTIES, [this] { OnShowProperties(); });
    MapCommand(ID_FAST_MARK, [this] { OnFastMark(); });
    MapCommand(ID_CLEAR, [this] { OnClear(); });
    MapCommand(ID_HIDE, [this] { OnHide(); });
    MapCommand(ID_FONT, [this] { OnFont(); });
    MapCommand(ID_TEST_MESSAGES, [this] { OnTestMessages(); });
}

CMessageView::~CMessageView() = default;

void CMessageView::Create()
{
    m_pReceiver->Create();
    FontDescription font;
    LoadViewFont(font);
    SetViewFont(font);
}

void CMessageView::OnTimer()
{
    m_pReceiver->OnTimer();
}

void CMessageView::AddMessage(const QByteArray& text)
{
    m_pReceiver->AddMessage(text);
}

void CMessageView::OnBringForward()
{
    // The focus this brings has to reach the view before the flash request, or its stop would
    // end the new flash at once; here it arrives later, so it is let pass.
    if (!MainWindow()->isActiveWindow())
        m_activationFocus = QDeadlineTimer(kActivationFocusMs);
    ShowAndActivate(*MainWindow(), false);
}

void CMessageView::OnFlash(const QByteArray& text, bool bStart)
{
    emit FlashText(text);
    if (bStart)
        QCoreApplication::postEvent(MainWindow(), new CWindowMessage(WM_FLASH_TRAY, 0, 0));
}

void CMessageView::ReportPollError(quint32 nError)
{
    const QString strText = QString::asprintf(
        LoadResString(IDS_ERROR_READING_MAILSLOT).toUtf8().constData(), nError, nError);
    QMessageBox box(QMessageBox::NoIcon, LoadResString(AFX_IDS_APP_TITLE), strText,
                    QMessageBox::Ok, this);
    box.exec();
}

void CMessageView::LoadViewFont(FontDescription& description)
{
    description = ParseViewFont(
        GetProfileString(kViewFont.section, kViewFont.name, kViewFont.defaultText));
}

void CMessageView::SaveViewFont(const FontDescription& description)
{
    WriteProfileString(kViewFont.section, kViewFont.name, FormatViewFont(description));
}

void CMessageView::OnSendMessage()
{
    CSendMessageDlg dialog;
    dialog.exec();
}

void CMessageView::OnShowProperties()
{
    CPropertiesSheet sheet;
    sheet.m_generalPage.m_nMaxLines = GetMaxLines();
    sheet.m_generalPage.m_bAddDateTime = m_pReceiver->GetAddDateTime();
    // The page works on the very alerts of this window: an edit confirmed in the alert dialog
    // reacts at once, while alerts added or removed there count only on OK.
    sheet.m_alertPage.m_alerts = m_pReceiver->GetAlerts();
    if (sheet.DoModal() != QDialog::Accepted)
        return;
    SetMaxLines(sheet.m_generalPage.m_nMaxLines);
    m_pReceiver->SetAddDateTime(sheet.m_generalPage.m_bAddDateTime);
    // The line limit as typed, without the range the settings record keeps to.
    WriteProgramDword(kAddDateTime, sheet.m_generalPage.m_bAddDateTime ? 1 : 0);
    WriteProgramDword(kCheckAlerts, sheet.m_alertPage.m_bCheckAlerts);
    WriteProgramDword(kMaxLines, quint32(sheet.m_generalPage.m_nMaxLines));
    m_pReceiver->SetAlerts(sheet.m_alertPage.m_alerts);
}

void CMessageView::OnFastMark()
{
    AddMessage(TranslateColorTags(CSettings().GetFastMark()));
}

void CMessageView::OnClear()
{
    Clear();
}

void CMessageView::OnHide()
{
    MainWindow()->hide();
}

void CMessageView::OnFont()
{
    FontDescription current;
    GetViewFont(current);
    QFontDialog dialog;
    dialog.setCurrentFont(ToQFont(current));
    // The dialog shows sizes in points: a font taken back unchanged keeps its exact description.
    const QFont opened = dialog.currentFont();
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QFont chosen = dialog.selectedFont();
    const FontDescription description = chosen == opened ? current : ToFontDescription(chosen);
    SetViewFont(description);
    SaveViewFont(description);
    viewport()->repaint();
}

void CMessageView::OnTestMessages()
{
    AddMessage("This is a test");
    AddMessage("\x03" "00,04HEY!");
}

void CMessageView::contextMenuEvent(QContextMenuEvent*)
{
    OnContextMenu();
}

void CMessageView::OnContextMenu()
{
    const std::unique_ptr<QMenu> pMenu = LoadPopupMenu(IDR_CONTEXT_MENU, this);
    for (QAction* pAction : pMenu->actions()) {
        // The chosen command comes back to this view: what it cannot run is not offered.
        if (!pAction->isSeparator())
            pAction->setEnabled(UpdateCommandUI(*this, pAction->data().toInt()).m_bEnabled);
    }
    // Also from the keyboard's menu key, the menu opens where the mouse is.
    if (const QAction* pChosen = pMenu->exec(QCursor::pos()))
        OnCmdMsg(pChosen->data().toInt(), CmdMsg::Command, nullptr);
}

void CMessageView::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton)
        OnLButtonDblClk();
    else
        CTextView::mouseDoubleClickEvent(pEvent);
}

void CMessageView::OnLButtonDblClk()
{
    if (QWidget* pParent = parentWidget()) {
        CWindowMessage message(WM_TOGGLE_CAPTION, 0, 0);
        QCoreApplication::sendEvent(pParent, &message);
    }
}

void CMessageView::focusInEvent(QFocusEvent* pEvent)
{
    CTextView::focusInEvent(pEvent);
    const bool bBroughtByMessage =
        pEvent->reason() == Qt::ActiveWindowFocusReason && !m_activationFocus.hasExpired();
    m_activationFocus = QDeadlineTimer();
    if (!bBroughtByMessage)
        OnSetFocus();
}

void CMessageView::OnSetFocus()
{
    QCoreApplication::postEvent(MainWindow(), new CWindowMessage(WM_FLASH_TRAY, 1, 0));
}
