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

bool CreateOnFreePort(CMailslotInbox& inbox)
{
    for (int attempt = 0; attempt < 5 && !inbox.IsValid(); ++attempt) {
        UseFreeMailslotPort();
        inbox.Create();
    }
    return inbox.IsValid();
}

std::unique_ptr<CMailslotInbox> OpenTestInbox()
{
    auto pInbox = std::make_unique<CMailslotInbox>();
    EXPECT_TRUE(CreateOnFreePort(*pInbox));
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
