#pragma once

#include "platform/mfc/ArchiveException.h"
#include "platform/mfc/Object.h"

#include <QByteArray>
#include <QByteArrayView>

#include <memory>
#include <unordered_map>
#include <vector>

class QIODevice;

// A binary stream of integers, strings and object references in the framework's archive form,
// so that files the program wrote before read back byte for byte: little-endian integers,
// length-prefixed byte strings, and objects tagged with their class on first sight and referred
// back to by index after that. Errors throw CArchiveException.
class CArchive
{
public:
    enum Mode
    {
        store,
        load,
    };

    // The device stays the caller's and must be open in the matching direction. A storing
    // archive writes its last bytes only on Close.
    CArchive(QIODevice& device, Mode nMode);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    ~CArchive();

    bool IsLoading() const { return m_nMode == load; }
    bool IsStoring() const { return m_nMode == store; }

    CArchive& operator<<(quint8 by);
    CArchive& operator<<(quint16 w);
    CArchive& operator<<(qint32 l);
    CArchive& operator<<(quint32 dw);
    // A byte string: its length in one byte below 0xFF, else 0xFF and a word below 0xFFFE, else
    // 0xFF, 0xFFFF and a double word; then the bytes.
    CArchive& operator<<(QByteArrayView string);

    CArchive& operator>>(quint8& by);
    CArchive& operator>>(quint16& w);
    CArchive& operator>>(qint32& l);
    CArchive& operator>>(quint32& dw);
    // Also reads a string that a wide-character writer marked as such, in the local encoding.
    CArchive& operator>>(QByteArray& string);

    // Writes a reference: a null tag, the index of an object written before, or the object's
    // class (new or by index) followed by the object's own data.
    void WriteObject(const CObject* pOb);
    // Reads a reference to an object of the class asked for (or a class derived from it). A new
    // object is created by its class name and handed to the caller; null comes back as null. A
    // reference to an object read earlier in this archive is returned in *ppEarlier (still
    // owned where it went before); a caller that passes no ppEarlier cannot share objects and
    // gets CArchiveException::badIndex instead.
    std::unique_ptr<CObject> ReadObject(const CRuntimeClass* pClassRequested,
                                        CObject** ppEarlier = nullptr);
    // The same for a T that the caller will own alone.
    template <class T>
    std::unique_ptr<T> ReadObject()
    {
        return std::unique_ptr<T>(static_cast<T*>(ReadObject(T::GetThisClass()).release()));
    }
    // Inside Serialize while loading: the schema stored for the object's class. Answers once per
    // object, then 0xFFFFFFFF.
    quint32 GetObjectSchema();

    void Write(const char* pData, qint64 nCount);
    void Read(char* pData, qint64 nCount);
    // Loading: true when every byte of the device has been read, false while some are left (or
    // the device cannot tell).
    bool IsAtEnd();
    // Storing: writes out what is buffered. The archive is done with its device after this.
    void Close();

private:
    // What one index of a loading archive stands for: a class or an object.
    struct LoadEntry
    {
        const CRuntimeClass* pClass;
        CObject* pObject;
        quint32 nSchema; // of a class entry: the schema the stream gave it
    };

    template <typename T>
    void WriteLittleEndian(T value);
    template <typename T>
    T ReadLittleEndian();
    void WriteClass(const CRuntimeClass* pClass);
    const CRuntimeClass* ReadClass(const CRuntimeClass* pClassRequested, quint32& nSchema,
                                   quint32& nObjectTag);
    const CRuntimeClass* LoadClassRecord(quint32& nSchema);
    qint64 ReadStringLength(); // -1 for the wide-string mark
    QByteArray ReadBytes(qint64 nCount);
    quint32 NextMapIndex();
    qint64 ReadBuffer(); // the next bytes of the device into the buffer; what read returned
    void FillBuffer();
    void FlushBuffer();

    QIODevice* m_pDevice;
    Mode m_nMode;
    QByteArray m_buffer;
    qsizetype m_nBufferPos = 0; // loading: next unread byte of m_buffer
    quint32 m_nObjectSchema = 0xFFFFFFFFu;
    // Storing: index of every class and object written, counted from 1 in one sequence.
    std::unordered_map<const void*, quint32> m_storeMap;
    quint32 m_nStoreCount = 1;
    // Loading: the same sequence; entry 0 is the null reference.
    std::vector<LoadEntry> m_loadArray;
};

inline CArchive& operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}
