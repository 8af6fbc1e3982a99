#include "about/VersionRecord.h"

namespace {

quint16 ReadLength(QByteArrayView record, qsizetype nAt)
{
    return quint16(quint8(record[nAt]) | quint8(record[nAt + 1]) << 8);
}

} // namespace

bool VerQueryValue(QByteArrayView record, QByteArrayView subBlock, QByteArrayView* pValue)
{
    qsizetype nAt = 0;
    while (nAt + 2 <= record.size()) {
        const qsizetype nKey = ReadLength(record, nAt);
        if (nKey == 0)
            return false;
        const qsizetype nValueAt = nAt + 2 + nKey + 2;
        if (nValueAt > record.size())
            return false;
        const qsizetype nValue = ReadLength(record, nValueAt - 2);
        if (nValue > record.size() - nValueAt)
            return false;
        if (record.sliced(nAt + 2, nKey) == subBlock) {
            *pValue = record.sliced(nValueAt, nValue);
            return true;
        }
        nAt = nValueAt + nValue;
    }
    return false;
}
