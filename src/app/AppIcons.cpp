#include "app/AppIcons.h"

#include "resources/resource.h"

#include <QPainter>
#include <QPixmap>

// Drawn stand-ins until the program's own icon files are in the resources.
QIcon LoadAppIcon(int nID)
{
    QColor colour;
    switch (nID) {
    case IDI_MAINFRAME:
        colour = QColor(0x2a, 0x6f, 0xb0);
        break;
    case IDI_TRAY_FLASH_1:
        colour = QColor(0xd0, 0x30, 0x30);
        break;
    case IDI_TRAY_FLASH_2:
        colour = QColor(0xf0, 0xc0, 0x20);
        break;
    case ID_SEND_MESSAGE:
    case ID_CLEAR:
    case ID_FAST_MARK:
    case ID_PROPERTIES:
    case ID_APP_ABOUT:
        colour = QColor(0x40, 0x90, 0x40);
        break;
    default:
        return {};
    }
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(colour.darker());
    painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
    return QIcon(pixmap);
}
