#include "platform/mfc/Archive.h"

#include "support/Bytes.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Two classes with one string each: CPoint keeps to its own schema, CNote reads any.
template <quint32 nSchema>
class CTestObject : public CObject
{
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_strText;
        } else {
            m_nSchema = ar.GetObjectSchema();
            m_nSchemaAgain = ar.GetObjectSchema();
            ar >> m_strText;
        }
    }

    QByteArray m_strText;
    quint32 m_nSchema = 0;
    quint32 m_nSchemaAgain = 0;
};

class CPoint : public CTestObject<1>
{
    DECLARE_SERIAL(CPoint);
};
IMPLEMENT_SERIAL(CPoint, CObject, 1);

class CNote : public CTestObject<3>
{
    DECLARE_SERIAL(CNote);
};
IMPLEMENT_SERIAL(CNote, CObject, VERSIONABLE_SCHEMA | 3);

QByteArray Store(const std::function<void(CArchive&)>& write)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(buffer, CArchive::store);
    write(ar);
    ar.Close();
    return buffer.data();
}

void Load(const QByteArray& bytes, const std::function<void(CArchive&)>& read)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(buffer, CArchive::load);
    read(ar);
}

struct StringCase
{
    qsizetype nLength;
    QByteArray prefix;
};

class ArchiveStringTest : public ::testing::TestWithParam<StringCase>
{
};

TEST_P(ArchiveStringTest, LengthPrefixAndRoundTrip)
{
    const StringCase& c = GetParam();
    const QByteArray string(c.nLength, 'x');
    const QByteArray bytes = Store([&](CArchive& ar) { ar << string; });
    EXPECT_EQ(Hex(bytes.left(c.prefix.size())), Hex(c.prefix));
    EXPECT_EQ(bytes.size(), c.prefix.size() + c.nLength);
    QByteArray loaded;
    Load(bytes, [&](CArchive& ar) { ar >> loaded; });
    EXPECT_EQ(loaded, string);
}

INSTANTIATE_TEST_SUITE_P(Lengths, ArchiveStringTest,
                         ::testing::Values(StringCase{0, Bytes("\x00")},
                                           StringCase{254, Bytes("\xFE")},
                                           StringCase{255, Bytes("\xFF\xFF\x00")},
                                           StringCase{0xFFFD, Bytes("\xFF\xFD\xFF")},
                                           StringCase{0xFFFE, Bytes("\xFF\xFF\xFF\xFE\xFF\x00\x00")},
                                           StringCase{0x12345, Bytes("\xFF\xFF\xFF\x45\x23\x01\x00")}));

TEST(ArchiveTest, ReadsWideMarkedStrings)
{
    QByteArray loaded;
    Load(Bytes("\xFF\xFE\xFF\x02h\x00i\x00"), [&](CArchive& ar) { ar >> loaded; });
    EXPECT_EQ(loaded, "hi");
}

TEST(ArchiveTest, ObjectReferencesAndTheirIndices)
{
    CPoint first;
    first.m_strText = "a";
    CPoint second;
    CNote note;
    const QByteArray bytes = Store([&](CArchive& ar) {
        ar << &first << &second << &first << static_cast<const CObject*>(nullptr) << &note << &note;
    });
    // Classes and objects share one count from 1: CPoint 1, first 2, second 3, CNote 4, note 5.
    EXPECT_EQ(Hex(bytes), Hex(Bytes("\xFF\xFF\x01\x00\x06\x00" "CPoint" "\x01" "a"
                                    "\x01\x80" "\x00"
                                    "\x02\x00"
                                    "\x00\x00"
                                    "\xFF\xFF\x03\x00\x05\x00" "CNote" "\x00"
                                    "\x05\x00")));
    Load(bytes, [](CArchive& ar) {
        const std::unique_ptr<CPoint> pFirst = ar.ReadObject<CPoint>();
        EXPECT_EQ(pFirst->m_strText, "a");
        EXPECT_NE(ar.ReadObject<CPoint>(), nullptr);
        CObject* pEarlier = nullptr;
        EXPECT_EQ(ar.ReadObject(RUNTIME_CLASS(CPoint), &pEarlier), nullptr);
        EXPECT_EQ(pEarlier, pFirst.get());
        EXPECT_EQ(ar.ReadObject(RUNTIME_CLASS(CPoint), &pEarlier), nullptr);
        EXPECT_EQ(pEarlier, nullptr);
        const std::unique_ptr<CNote> pNote = ar.ReadObject<CNote>();
        EXPECT_EQ(pNote->m_nSchema, 3u);
        EXPECT_EQ(pNote->m_nSchemaAgain, 0xFFFFFFFFu);
        // A reader that owns what it reads cannot take the same object twice.
        EXPECT_THROW(ar.ReadObject<CNote>(), CArchiveException);
    });
}

TEST(ArchiveTest, BigIndicesTakeADoubleWord)
{
    // CPoint is index 1, so 0x7FFE points take indices 2 to 0x7FFF.
    std::vector<CPoint> points(0x7FFE);
    CNote note1;
    CNote note2;
    const QByteArray bytes = Store([&](CArchive& ar) {
        for (const CPoint& point : points)
            ar << &point;
        ar << &note1 << &note2 << &points.back();
    });
    const QByteArray tail = Bytes("\xFF\xFF\x03\x00\x05\x00" "CNote" "\x00" // CNote 0x8000, note1 0x8001
                                  "\xFF\x7F" "\x00\x80\x00\x80" "\x00"      // class 0x8000 again
                                  "\xFF\x7F" "\xFF\x7F\x00\x00");           // object 0x7FFF again
    EXPECT_EQ(Hex(bytes.right(tail.size())), Hex(tail));

    Load(bytes, [&](CArchive& ar) {
        std::vector<std::unique_ptr<CPoint>> loaded;
        for (size_t i = 0; i < points.size(); ++i)
            loaded.push_back(ar.ReadObject<CPoint>());
        ar.ReadObject<CNote>();
        EXPECT_EQ(ar.ReadObject<CNote>()->m_nSchema, 3u);
        CObject* pEarlier = nullptr;
        ar.ReadObject(RUNTIME_CLASS(CPoint), &pEarlier);
        EXPECT_EQ(pEarlier, loaded.back().get());
    });
}

TEST(ArchiveTest, VersionableClassReadsAnyStoredSchema)
{
    Load(Bytes("\xFF\xFF\x07\x00\x05\x00" "CNote" "\x01" "a" "\x01\x80" "\x01" "b"), [](CArchive& ar) {
        EXPECT_EQ(ar.ReadObject<CNote>()->m_nSchema, 7u);
        EXPECT_EQ(ar.ReadObject<CNote>()->m_nSchema, 7u);
    });
}

struct FaultCase
{
    const char* name;
    QByteArray bytes;
    CArchiveException::Cause cause;
};

void PrintTo(const FaultCase& c, std::ostream* os)
{
    *os << c.name;
}

class ArchiveFaultTest : public ::testing::TestWithParam<FaultCase>
{
};

// Reads points, sharing allowed, until the stream fails; the fault met must be the one stated.
TEST_P(ArchiveFaultTest, RefusesCleanly)
{
    const FaultCase& c = GetParam();
    std::vector<std::unique_ptr<CObject>> points;
    try {
        Load(c.bytes, [&](CArchive& ar) {
            for (CObject* pEarlier = nullptr;;)
                points.push_back(ar.ReadObject(RUNTIME_CLASS(CPoint), &pEarlier));
        });
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, c.cause);
    }
}

const QByteArray kPointClass = Bytes("\xFF\xFF\x01\x00\x06\x00" "CPoint");
const QByteArray kPoint = kPointClass + Bytes("\x01" "a");

INSTANTIATE_TEST_SUITE_P(
    Faults, ArchiveFaultTest,
    ::testing::Values(
        FaultCase{"Empty", QByteArray(), CArchiveException::endOfFile},
        FaultCase{"CutInTheName", kPoint.left(9), CArchiveException::endOfFile},
        FaultCase{"CutInTheData", kPoint.left(kPoint.size() - 1), CArchiveException::endOfFile},
        FaultCase{"StringLongerThanTheStream", kPointClass + Bytes("\xFF\xFF\xFF\xFF\xFF\xFF\xFF" "abc"), CArchiveException::endOfFile},
        FaultCase{"WideStringLongerThanTheStream", kPointClass + Bytes("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF" "abc"), CArchiveException::endOfFile},
        FaultCase{"UnknownClass", Bytes("\xFF\xFF\x01\x00\x06\x00" "CPoinx"), CArchiveException::badClass},
        FaultCase{"AbstractBase", Bytes("\xFF\xFF\xFF\xFF\x07\x00" "CObject"), CArchiveException::badClass},
        FaultCase{"LongName", Bytes("\xFF\xFF\x01\x00\x40\x00") + QByteArray(64, 'C'), CArchiveException::badClass},
        FaultCase{"OtherClassThanAsked", Bytes("\xFF\xFF\x03\x00\x05\x00" "CNote" "\x00"), CArchiveException::badClass},
        FaultCase{"WrongSchema", Bytes("\xFF\xFF\x02\x00\x06\x00" "CPoint" "\x00"), CArchiveException::badSchema},
        FaultCase{"ClassIndexOfNothing", kPoint + Bytes("\x05\x80"), CArchiveException::badIndex},
        FaultCase{"ClassIndexOfAnObject", kPoint + Bytes("\x02\x80"), CArchiveException::badIndex},
        FaultCase{"ClassIndexZero", Bytes("\x00\x80"), CArchiveException::badIndex},
        FaultCase{"ObjectIndexOfNothing", kPoint + Bytes("\x03\x00"), CArchiveException::badIndex},
        FaultCase{"ObjectIndexOfAClass", kPoint + Bytes("\x01\x00"), CArchiveException::badIndex},
        FaultCase{"BigObjectIndexOfNothing", kPoint + Bytes("\xFF\x7F\xFF\xFF\xFF\x7F"), CArchiveException::badIndex},
        FaultCase{"BigClassIndexOfNothing", kPoint + Bytes("\xFF\x7F\xFF\xFF\xFF\xFF"), CArchiveException::badIndex}));

} // namespace
