#include "platform/mfc/Archive.h"

#include <QIODevice>
#include <QString>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr qsizetype kBufferSize = 4096;

constexpr quint16 wNullTag = 0;
constexpr quint16 wNewClassTag = 0xFFFF;
constexpr quint16 wClassTag = 0x8000;
constexpr quint32 dwBigClassTag = 0x80000000u;
constexpr quint16 wBigObjectTag = 0x7FFF;
constexpr quint32 nMaxMapCount = 0x3FFFFFFE;
// Longer names were never written; reading refuses them before looking them up.
constexpr quint16 kMaxClassNameLength = 63;
// A stored length is only a claim: strings are read in pieces, so a file cannot make the
// reader allocate much more than the file holds.
constexpr qint64 kReadPiece = qint64{64} * 1024;

// Writes every byte. A write cut short is followed by one for the rest, so that a device that
// fails (a full disk) also tells why.
bool WriteWhole(QIODevice& device, const char* pData, qint64 nCount)
{
    while (nCount > 0) {
        const qint64 nWritten = device.write(pData, nCount);
        if (nWritten <= 0)
            return false;
        pData += nWritten;
        nCount -= nWritten;
    }
    return true;
}

} // namespace

CArchive::CArchive(QIODevice& device, Mode nMode) : m_pDevice(&device), m_nMode(nMode)
{
    if (IsStoring()) {
        m_buffer.reserve(kBufferSize);
    } else {
        m_loadArray.push_back({nullptr, nullptr, 0});
    }
}

CArchive::~CArchive() = default;

void CArchive::Write(const char* pData, qint64 nCount)
{
    Q_ASSERT(IsStoring() && m_pDevice);
    if (m_buffer.size() + nCount > kBufferSize) {
        FlushBuffer();
        if (nCount >= kBufferSize) {
            if (!WriteWhole(*m_pDevice, pData, nCount))
                throw CArchiveException(CArchiveException::writeFailed);
            return;
        }
    }
    m_buffer.append(pData, qsizetype(nCount));
}

void CArchive::FlushBuffer()
{
    if (!WriteWhole(*m_pDevice, m_buffer.constData(), m_buffer.size()))
        throw CArchiveException(CArchiveException::writeFailed);
    m_buffer.resize(0); // keeps the allocation for the next round
}

void CArchive::Read(char* pData, qint64 nCount)
{
    Q_ASSERT(IsLoading() && m_pDevice);
    while (nCount > 0) {
        if (m_nBufferPos == m_buffer.size())
            FillBuffer();
        const qsizetype nPiece = qsizetype(std::min<qint64>(nCount, m_buffer.size() - m_nBufferPos));
        std::copy_n(m_buffer.constData() + m_nBufferPos, nPiece, pData);
        m_nBufferPos += nPiece;
        pData += nPiece;
        nCount -= nPiece;
    }
}

qint64 CArchive::ReadBuffer()
{
    m_buffer.resize(kBufferSize);
    const qint64 nRead = m_pDevice->read(m_buffer.data(), kBufferSize);
    m_buffer.resize(qsizetype(std::max<qint64>(nRead, 0)));
    m_nBufferPos = 0;
    return nRead;
}

void CArchive::FillBuffer()
{
    if (ReadBuffer() <= 0)
        throw CArchiveException(CArchiveException::endOfFile);
}

bool CArchive::IsAtEnd()
{
    Q_ASSERT(IsLoading() && m_pDevice);
    return m_nBufferPos == m_buffer.size() && ReadBuffer() == 0;
}

void CArchive::Close()
{
    if (IsStoring() && m_pDevice)
        FlushBuffer();
    m_pDevice = nullptr;
}

template <typename T>
void CArchive::WriteLittleEndian(T value)
{
    char bytes[sizeof value];
    qToLittleEndian(value, bytes);
    Write(bytes, sizeof bytes);
}

template <typename T>
T CArchive::ReadLittleEndian()
{
    char bytes[sizeof(T)];
    Read(bytes, sizeof bytes);
    return qFromLittleEndian<T>(bytes);
}

CArchive& CArchive::operator<<(quint8 by)
{
    WriteLittleEndian(by);
    return *this;
}

CArchive& CArchive::operator<<(quint16 w)
{
    WriteLittleEndian(w);
    return *this;
}

CArchive& CArchive::operator<<(qint32 l)
{
    WriteLittleEndian(l);
    return *this;
}

CArchive& CArchive::operator<<(quint32 dw)
{
    WriteLittleEndian(dw);
    return *this;
}

CArchive& CArchive::operator>>(quint8& by)
{
    by = ReadLittleEndian<quint8>();
    return *this;
}

CArchive& CArchive::operator>>(quint16& w)
{
    w = ReadLittleEndian<quint16>();
    return *this;
}

CArchive& CArchive::operator>>(qint32& l)
{
    l = ReadLittleEndian<qint32>();
    return *this;
}

CArchive& CArchive::operator>>(quint32& dw)
{
    dw = ReadLittleEndian<quint32>();
    return *this;
}

CArchive& CArchive::operator<<(QByteArrayView string)
{
    const qsizetype nLength = string.size();
    if (nLength < 0xFF) {
        *this << quint8(nLength);
    } else if (nLength < 0xFFFE) {
        *this << quint8(0xFF) << quint16(nLength);
    } else if (nLength <= qsizetype(0xFFFFFFFFu)) {
        *this << quint8(0xFF) << quint16(0xFFFF) << quint32(nLength);
    } else {
        throw CArchiveException(CArchiveException::generic);
    }
    Write(string.data(), nLength);
    return *this;
}

qint64 CArchive::ReadStringLength()
{
    quint8 byLength;
    *this >> byLength;
    if (byLength < 0xFF)
        return byLength;
    quint16 wLength;
    *this >> wLength;
    if (wLength == 0xFFFE)
        return -1;
    if (wLength < 0xFFFF)
        return wLength;
    quint32 dwLength;
    *this >> dwLength;
    return dwLength;
}

QByteArray CArchive::ReadBytes(qint64 nCount)
{
    QByteArray bytes;
    while (bytes.size() < nCount) {
        const qsizetype nDone = bytes.size();
        const qsizetype nPiece = qsizetype(std::min(nCount - nDone, kReadPiece));
        bytes.resize(nDone + nPiece);
        Read(bytes.data() + nDone, nPiece);
    }
    return bytes;
}

CArchive& CArchive::operator>>(QByteArray& string)
{
    qint64 nLength = ReadStringLength();
    if (nLength >= 0) {
        string = ReadBytes(nLength);
        return *this;
    }
    // A wide-character writer marks its strings and counts UTF-16 units.
    nLength = ReadStringLength();
    if (nLength < 0)
        throw CArchiveException(CArchiveException::generic);
    const QByteArray units = ReadBytes(nLength * 2);
    string = QString::fromUtf16(reinterpret_cast<const char16_t*>(units.constData()), qsizetype(nLength))
                 .toLocal8Bit();
    return *this;
}

quint32 CArchive::NextMapIndex()
{
    const quint32 nIndex = IsStoring() ? m_nStoreCount : quint32(m_loadArray.size());
    if (nIndex >= nMaxMapCount)
        throw CArchiveException(CArchiveException::badIndex);
    if (IsStoring())
        ++m_nStoreCount;
    return nIndex;
}

void CArchive::WriteObject(const CObject* pOb)
{
    if (!pOb) {
        *this << wNullTag;
        return;
    }
    if (const auto it = m_storeMap.find(pOb); it != m_storeMap.end()) {
        if (it->second < wBigObjectTag)
            *this << quint16(it->second);
        else
            *this << wBigObjectTag << it->second;
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    m_storeMap.emplace(pOb, NextMapIndex());
    // Storing only reads the object; Serialize serves both directions, hence not const.
    const_cast<CObject*>(pOb)->Serialize(*this);
}

void CArchive::WriteClass(const CRuntimeClass* pClass)
{
    if (const auto it = m_storeMap.find(pClass); it != m_storeMap.end()) {
        if (it->second < wBigObjectTag)
            *this << quint16(wClassTag | it->second);
        else
            *this << wBigObjectTag << (dwBigClassTag | it->second);
        return;
    }
    const QByteArrayView name(pClass->m_lpszClassName);
    *this << wNewClassTag << quint16(pClass->m_nSchema) << quint16(name.size());
    Write(name.data(), name.size());
    m_storeMap.emplace(pClass, NextMapIndex());
}

const CRuntimeClass* CArchive::LoadClassRecord(quint32& nSchema)
{
    quint16 wSchema;
    quint16 nLength;
    *this >> wSchema >> nLength;
    if (nLength > kMaxClassNameLength)
        throw CArchiveException(CArchiveException::badClass);
    char name[kMaxClassNameLength];
    Read(name, nLength);
    const CRuntimeClass* pClass = CRuntimeClass::FromName(QByteArrayView(name, nLength));
    if (!pClass)
        throw CArchiveException(CArchiveException::badClass);
    nSchema = wSchema;
    return pClass;
}

const CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRequested, quint32& nSchema,
                                         quint32& nObjectTag)
{
    quint16 wTag;
    *this >> wTag;
    quint32 nTag;
    if (wTag == wBigObjectTag)
        *this >> nTag;
    else
        nTag = (quint32(wTag & wClassTag) << 16) | (wTag & ~wClassTag);
    if (!(nTag & dwBigClassTag)) {
        nObjectTag = nTag;
        return nullptr;
    }

    const CRuntimeClass* pClass;
    if (wTag == wNewClassTag) {
        pClass = LoadClassRecord(nSchema);
        const bool bOwnSchema = (pClass->m_nSchema & ~VERSIONABLE_SCHEMA) == nSchema;
        if (!bOwnSchema && !(pClass->m_nSchema & VERSIONABLE_SCHEMA))
            throw CArchiveException(CArchiveException::badSchema);
        NextMapIndex();
        m_loadArray.push_back({pClass, nullptr, nSchema});
    } else {
        const quint32 nClassIndex = nTag & ~dwBigClassTag;
        if (nClassIndex >= m_loadArray.size() || !m_loadArray[nClassIndex].pClass)
            throw CArchiveException(CArchiveException::badIndex);
        pClass = m_loadArray[nClassIndex].pClass;
        nSchema = m_loadArray[nClassIndex].nSchema;
    }
    if (pClassRequested && !pClass->IsDerivedFrom(pClassRequested))
        throw CArchiveException(CArchiveException::badClass);
    return pClass;
}

std::unique_ptr<CObject> CArchive::ReadObject(const CRuntimeClass* pClassRequested, CObject** ppEarlier)
{
    Q_ASSERT(IsLoading());
    if (ppEarlier)
        *ppEarlier = nullptr;
    quint32 nSchema = 0;
    quint32 nObjectTag = 0;
    const CRuntimeClass* pClass = ReadClass(pClassRequested, nSchema, nObjectTag);
    if (!pClass) {
        if (nObjectTag == wNullTag)
            return nullptr;
        if (nObjectTag >= m_loadArray.size() || !m_loadArray[nObjectTag].pObject || !ppEarlier)
            throw CArchiveException(CArchiveException::badIndex);
        CObject* pEarlier = m_loadArray[nObjectTag].pObject;
        if (pClassRequested && !pEarlier->IsKindOf(pClassRequested))
            throw CArchiveException(CArchiveException::badClass);
        *ppEarlier = pEarlier;
        return nullptr;
    }

    std::unique_ptr<CObject> pOb(pClass->CreateObject());
    if (!pOb)
        throw CArchiveException(CArchiveException::badClass);
    // Entered before its data is read, as writing counted it.
    const quint32 nIndex = NextMapIndex();
    m_loadArray.push_back({nullptr, pOb.get(), 0});
    const quint32 nSchemaSave = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        // The object dies with the exception; nothing later may refer back to it.
        m_loadArray[nIndex].pObject = nullptr;
        m_nObjectSchema = nSchemaSave;
        throw;
    }
    m_nObjectSchema = nSchemaSave;
    return pOb;
}

quint32 CArchive::GetObjectSchema()
{
    const quint32 nSchema = m_nObjectSchema;
    m_nObjectSchema = 0xFFFFFFFFu;
    return nSchema;
}
