#include "resources/ResIcon.h"
#include "resources/resource.h"

#include <QDir>
#include <QImage>

#include <cstdio>

// Build tool: writes the program icon into an icon theme folder as OUTDIR/NxN/apps/NAME.png for
// each SIZE, drawn by the program's own icon code, so that menus and task bars show at every
// size exactly what the window and the tray show.
int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fputs("Usage: tellwick_render_icons OUTDIR NAME SIZE...\n", stderr);
        return 2;
    }
    const QString strOutDir = QString::fromLocal8Bit(argv[1]);
    const QString strName = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        bool bNumber = false;
        const int nSize = QByteArray(argv[i]).toInt(&bNumber);
        if (!bNumber || nSize <= 0) {
            std::fprintf(stderr, "tellwick_render_icons: not a size: %s\n", argv[i]);
            return 2;
        }
        const QImage image = RenderResIcon(IDI_MAINFRAME, QSize(nSize, nSize));
        const QString strDir = QStringLiteral("%1/%2x%2/apps").arg(strOutDir).arg(nSize);
        const QString strFile = strDir + u'/' + strName + QStringLiteral(".png");
        if (image.isNull() || !QDir().mkpath(strDir) || !image.save(strFile, "PNG")) {
            std::fprintf(stderr, "tellwick_render_icons: cannot write %s\n", qPrintable(strFile));
            return 1;
        }
    }
    return 0;
}
