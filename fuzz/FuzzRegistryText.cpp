// A store file as a person, a damaged disk or another program may leave it. Whatever parses
// must write back to a text that reads as the very same keys and values; written back
// unchanged it stays byte for byte; written back with changes it reads as the changed data
// and keeps every line that did not parse.
#include "platform/registry/RegistryText.h"

#include <QtEndian>

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool bHolds)
{
    if (!bHolds)
        std::abort();
}

// The same keys and values; a key only implied by the keys below it may be spelled in another
// letter case once a key is written before the first of those.
bool SameData(const CRegistryData& left, const CRegistryData& right)
{
    if (left.GetKeys().size() != right.GetKeys().size())
        return false;
    for (const auto& [path, values] : left.GetKeys()) {
        const auto* pKey = right.FindKey(path);
        if (!pKey || !(pKey->second == values))
            return false;
    }
    return true;
}

// Removes, changes and adds values in turn, and adds a key at the top and one below another.
CRegistryData Changed(const CRegistryData& data)
{
    CRegistryData changed = data;
    QList<QByteArray> paths;
    for (const auto& key : data.GetKeys())
        paths.append(key.first);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        auto& values = changed.FindKey(paths[i])->second;
        QByteArray number(4, '\0');
        qToLittleEndian(quint32(i), number.data());
        if (i % 3 == 0 && !values.empty())
            values.erase(values.begin());
        else if (i % 3 == 1 && !values.empty())
            values.rbegin()->second = RegistryValue{REG_DWORD, number};
        if (i % 2 == 0)
            values.insert_or_assign(QByteArray("Fuzz ") + QByteArray::number(i),
                                    RegistryValue{REG_BINARY, QByteArray(40, char(i))});
    }
    changed.CreateKey("Fuzz\\Added");
    const QByteArray below = paths.last() + "\\Sub";
    if (IsValidRegistryPath(below))
        changed.CreateKey(below).second.insert_or_assign("", RegistryValue{REG_SZ, "x"});
    return changed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const RegistryParseResult parsed =
        ParseRegistryText(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QByteArray text = FormatRegistryText(parsed.data);
    const RegistryParseResult again = ParseRegistryText(text);
    Check(again.nSkippedLines == 0 && again.data == parsed.data &&
          FormatRegistryText(again.data) == text);
    Check(UpdateRegistryText(parsed, parsed.data) == parsed.text || parsed.text.isEmpty());

    const CRegistryData changed = Changed(parsed.data);
    const RegistryParseResult updated = ParseRegistryText(UpdateRegistryText(parsed, changed));
    Check(SameData(updated.data, changed) && updated.nSkippedLines == parsed.nSkippedLines);
    // A text the program wrote looks as if written whole, unless the root lost all its values.
    const bool bRootEmptied =
        !parsed.data.FindKey("")->second.empty() && changed.FindKey("")->second.empty();
    Check(UpdateRegistryText(again, changed) == FormatRegistryText(changed) || bRootEmptied);
    return 0;
}
