#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>

// Numbers in network byte order, as the NetBIOS packets carry them. Readers are handed
// positions their caller has already checked against the packet's size.
inline void AppendBig16(QByteArray& out, quint16 value)
{
    out.append(char(value >> 8)).append(char(value));
}

inline void AppendBig32(QByteArray& out, quint32 value)
{
    AppendBig16(out, quint16(value >> 16));
    AppendBig16(out, quint16(value));
}

inline quint16 Big16(QByteArrayView bytes, qsizetype pos)
{
    return qFromBigEndian<quint16>(bytes.data() + pos);
}

inline quint32 Big32(QByteArrayView bytes, qsizetype pos)
{
    return qFromBigEndian<quint32>(bytes.data() + pos);
}
