#include "about/CreditsDlg.h"

#include "messaging/FontConversion.h"
#include "resources/StringTable.h"
#include "resources/resource.h"
#include "ui_CreditsDlg.h"

#include <QApplication>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>

namespace {

constexpr int kTickInterval = 40; // milliseconds
// The panel's inside: 237 by 90 dialog units of the dialog font the template was drawn in.
constexpr QSize kDisplaySize(356, 146);

constexpr char kBitmapMarker = '\b';

struct LineKind
{
    char chMarker;
    int nHeight; // pixels: the cell height of the font, and the line's spacing
    int nWeight;
    bool bUnderline;
    QRgb crText;
};

// The plain line comes first: any marker not listed draws as one.
constexpr LineKind kLineKinds[] = {
    {'\f', 15, 100, false, qRgb(255, 255, 255)},
    {'\n', 21, 700, true, qRgb(255, 0, 0)},
    {'\r', 19, 700, false, qRgb(255, 255, 0)},
    {'\t', 17, 700, false, qRgb(0, 255, 255)},
};

size_t KindOf(const QByteArray& line)
{
    const auto it =
        std::find_if(std::begin(kLineKinds), std::end(kLineKinds),
                     [&](const LineKind& kind) { return kind.chMarker == line.back(); });
    return it != std::end(kLineKinds) ? size_t(it - std::begin(kLineKinds)) : 0;
}

QFont FontOf(const LineKind& kind)
{
    // Arial at the cell height, proof quality, variable pitch: the fonts the credits were made
    // with.
    constexpr quint8 kProofQuality = 2;
    constexpr quint8 kPitchAndFamily = 6;
    FontDescription description;
    description.lfHeight = kind.nHeight;
    description.lfWeight = kind.nWeight;
    description.lfUnderline = kind.bUnderline ? 1 : 0;
    description.lfQuality = kProofQuality;
    description.lfPitchAndFamily = kPitchAndFamily;
    description.lfFaceName = "Arial";
    return ToQFont(description);
}

// Bitmap resources are the program's Qt resources under ":/bitmaps/", named as the lines
// name them.
QImage LoadBitmapResource(const QByteArray& name)
{
    return QImage(QStringLiteral(":/bitmaps/") + QString::fromLocal8Bit(name));
}

// The credits' own lines are in the catalogue; the bytes of any other line pass as they are.
QByteArray TranslatedLine(const char* line)
{
    const QString strTranslated = QCoreApplication::translate("CreditLines", line);
    return strTranslated == QString::fromUtf8(line) ? QByteArray(line)
                                                    : strTranslated.toLocal8Bit();
}

} // namespace

CCreditsDlg::CCreditsDlg(QWidget* pParent, std::unique_ptr<CCreditsTimer> pTimer,
                         std::span<const char* const> lines)
    : QDialog(pParent), m_ui(new Ui::CCreditsDlg), m_pTimer(std::move(pTimer)), m_lines(lines)
{
    m_ui->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);

    m_pDisplay = m_ui->displayPanel;
    m_pDisplay->setFixedSize(kDisplaySize + QSize(2, 2) * m_ui->displayPanel->frameWidth());
    m_rectDisplay = m_ui->displayPanel->contentsRect();
    // The panel paints all of itself, so a scroll can move its pixels instead of repainting.
    m_pDisplay->setAttribute(Qt::WA_OpaquePaintEvent);
    m_pDisplay->installEventFilter(this);
    for (size_t i = 0; i < std::size(kLineKinds); ++i)
        m_fonts[i] = FontOf(kLineKinds[i]);

    if (!m_lines.empty())
        m_pTimer->SetTimer(ID_CREDITS_TIMER, kTickInterval, [this] { OnTimer(); });
}

CCreditsDlg::~CCreditsDlg()
{
    m_pTimer->KillTimer();
}

void CCreditsDlg::done(int nResult)
{
    m_pTimer->KillTimer();
    QDialog::done(nResult);
}

void CCreditsDlg::OnTimer()
{
    if (!m_bBitmapShowing) {
        const int r = m_nTickCount % m_nLineHeight;
        ++m_nTickCount;
        if (r == 0) {
            m_nTickCount = 1;
            m_strCurrentLine = TranslatedLine(m_lines[size_t(m_nNextIndex)]);
            m_nNextIndex = (m_nNextIndex + 1) % int(m_lines.size());
            m_nScrolled = 0;
            StartLine();
        }
    }
    ScrollDisplay();
    ++m_nScrolled;
    if (m_bBitmapShowing && m_nScrolled > m_nBitmapHeight)
        EndBitmap();
}

void CCreditsDlg::StartLine()
{
    if (m_strCurrentLine.isEmpty())
        return;
    const int nBelow = m_rectDisplay.bottom() + 1;
    if (m_strCurrentLine.back() != kBitmapMarker) {
        m_nLineHeight = kLineKinds[KindOf(m_strCurrentLine)].nHeight;
        m_shown.push_back({m_strCurrentLine, {}, nBelow});
        return;
    }

    const QByteArray name = m_strCurrentLine.chopped(1);
    const QImage bitmap = LoadBitmapResource(name);
    if (bitmap.isNull()) {
        // The credits stand still from here on; the line is not tried again.
        m_pTimer->KillTimer();
        m_strCurrentLine.clear();
        QMessageBox box(QMessageBox::NoIcon, LoadResString(AFX_IDS_APP_TITLE),
                        tr("Could not find bitmap resource \"%1\". Be sure to assign the "
                           "bitmap a QUOTED resource name")
                            .arg(QString::fromLocal8Bit(name)),
                        QMessageBox::Ok, this);
        box.exec();
        return;
    }
    m_bBitmapShowing = true;
    m_nBitmapHeight = bitmap.height();
    m_shown.push_back({{}, bitmap, nBelow});
}

void CCreditsDlg::EndBitmap()
{
    m_bBitmapShowing = false;
    m_nScrolled = 0;
    m_strCurrentLine.clear();
    m_nTickCount = 1;
}

void CCreditsDlg::ScrollDisplay()
{
    for (ShownItem& item : m_shown)
        --item.nTop;
    // A line is gone once it is wholly above the panel; twice its height leaves room for
    // glyphs that reach below their cell.
    const auto gone = [this](const ShownItem& item) {
        const int nHeight = item.bitmap.isNull() ? 2 * kLineKinds[KindOf(item.strLine)].nHeight
                                                 : item.bitmap.height();
        return item.nTop + nHeight <= m_rectDisplay.top();
    };
    m_shown.erase(std::remove_if(m_shown.begin(), m_shown.end(), gone), m_shown.end());
    m_pDisplay->scroll(0, -1, m_rectDisplay);
}

bool CCreditsDlg::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pDisplay && pEvent->type() == QEvent::Paint) {
        QPainter dc(m_pDisplay);
        OnPaint(dc, static_cast<QPaintEvent*>(pEvent)->region());
    }
    // The panel's own painting then draws its border.
    return QDialog::eventFilter(pWatched, pEvent);
}

void CCreditsDlg::OnPaint(QPainter& dc, const QRegion& region) const
{
    const QRegion exposed = region & m_rectDisplay;
    if (exposed.isEmpty())
        return;
    dc.setClipRegion(exposed);
    dc.fillRect(m_rectDisplay, Qt::black);
    const QRect bounds = exposed.boundingRect();
    for (const ShownItem& item : m_shown) {
        if (!item.bitmap.isNull()) {
            // Centred as whole halves of the panel and of the bitmap.
            const int nCentre = m_rectDisplay.right() + 1 - m_rectDisplay.width() / 2;
            dc.drawImage(QPoint(nCentre - item.bitmap.width() / 2, item.nTop), item.bitmap);
            continue;
        }
        const size_t nKind = KindOf(item.strLine);
        const LineKind& kind = kLineKinds[nKind];
        const QRect rectText(m_rectDisplay.left(), item.nTop, m_rectDisplay.width(),
                             2 * kind.nHeight);
        if (!rectText.intersects(bounds))
            continue;
        dc.setFont(m_fonts[nKind]);
        dc.setPen(QColor::fromRgb(kind.crText));
        dc.drawText(rectText, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                    QString::fromLocal8Bit(item.strLine.chopped(1)));
    }
}

void ShowCredits()
{
    // With no owner given, the window the user is in owns the dialog, as the framework would
    // choose it.
    QWidget* pOwner = QApplication::activeModalWidget();
    // On the heap: when the owner goes while the credits run, it takes them along.
    const QPointer<CCreditsDlg> pDlg =
        new CCreditsDlg(pOwner ? pOwner : QApplication::activeWindow());
    pDlg->exec();
    delete pDlg.data();
}
