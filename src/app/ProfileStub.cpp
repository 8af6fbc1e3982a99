#include "app/ProfileStub.h"

#include <QMap>

namespace {

QMap<QByteArray, QByteArray>& Store()
{
    static QMap<QByteArray, QByteArray> store;
    return store;
}

QByteArray Key(QByteArrayView section, QByteArrayView entry)
{
    return section.toByteArray().append('\\').append(entry);
}

} // namespace

int GetProfileInt(QByteArrayView section, QByteArrayView entry, int nDefault)
{
    const auto it = Store().constFind(Key(section, entry));
    return it == Store().cend() ? nDefault : it->toInt();
}

bool WriteProfileInt(QByteArrayView section, QByteArrayView entry, int nValue)
{
    Store()[Key(section, entry)] = QByteArray::number(nValue);
    return true;
}

QByteArray GetProfileString(QByteArrayView section, QByteArrayView entry, QByteArrayView defaultText)
{
    return Store().value(Key(section, entry), defaultText.toByteArray());
}

bool WriteProfileString(QByteArrayView section, QByteArrayView entry, QByteArrayView text)
{
    Store()[Key(section, entry)] = text.toByteArray();
    return true;
}

bool GetProfileBinary(QByteArrayView section, QByteArrayView entry, QByteArray& data)
{
    const auto it = Store().constFind(Key(section, entry));
    if (it == Store().cend())
        return false;
    data = *it;
    return true;
}

bool WriteProfileBinary(QByteArrayView section, QByteArrayView entry, QByteArrayView data)
{
    Store()[Key(section, entry)] = data.toByteArray();
    return true;
}
