#include "support/TestInbox.h"

#include <QUdpSocket>

#include <gtest/gtest.h>

quint16 UseFreeMailslotPort()
{
    QUdpSocket probe;
    if (!probe.bind(QHostAddress::AnyIPv4, 0))
        return 0;
    const quint16 port = probe.localPort();
    qputenv("TELLWICK_MAILSLOT_PORT", QByteArray::number(port));
    return port;
}

std::unique_ptr<CMailslotInbox> OpenTestInbox()
{
    auto pInbox = std::make_unique<CMailslotInbox>();
    for (int attempt = 0; attempt < 5 && !pInbox->IsValid(); ++attempt) {
        UseFreeMailslotPort();
        pInbox->Create();
    }
    EXPECT_TRUE(pInbox->IsValid());
    return pInbox;
}

QList<QByteArray> ReadAll(CMailslotInbox& inbox)
{
    QList<QByteArray> datagrams;
    int nCount = 0;
    if (!inbox.GetInfo(nCount))
        return datagrams;
    QByteArray datagram;
    while (nCount-- > 0 && inbox.Read(datagram))
        datagrams.append(datagram);
    return datagrams;
}
