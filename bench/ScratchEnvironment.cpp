#include "ScratchEnvironment.h"

#include <QDir>
#include <QFile>
#include <QUdpSocket>

CScratchEnvironment::CScratchEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path()));
    QDir::setCurrent(m_home.path());
    QUdpSocket probe;
    probe.bind(QHostAddress::AnyIPv4, 0);
    qputenv("TELLWICK_MAILSLOT_PORT", QByteArray::number(probe.localPort()));
}
