#include "platform/registry/RegistryData.h"

#include <algorithm>

namespace {

int SortOrder(char c)
{
    if (c == '\\')
        return -1;
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : static_cast<unsigned char>(c);
}

bool HoldsLineBreakOrZero(QByteArrayView text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return c == '\n' || c == '\r' || c == '\0'; });
}

} // namespace

bool RegistryNameLess::operator()(QByteArrayView left, QByteArrayView right) const
{
    return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                        [](char a, char b) { return SortOrder(a) < SortOrder(b); });
}

CRegistryData::CRegistryData()
{
    m_keys.try_emplace(QByteArray());
}

const CRegistryData::Keys::value_type* CRegistryData::FindKey(QByteArrayView path) const
{
    const auto it = m_keys.find(path);
    return it == m_keys.end() ? nullptr : &*it;
}

CRegistryData::Keys::value_type* CRegistryData::FindKey(QByteArrayView path)
{
    const auto it = m_keys.find(path);
    return it == m_keys.end() ? nullptr : &*it;
}

CRegistryData::Keys::value_type& CRegistryData::CreateKey(QByteArrayView path)
{
    // Every key above a new key exists too, as in the registry; each keeps its own spelling.
    for (qsizetype at = path.indexOf('\\'); at >= 0; at = path.indexOf('\\', at + 1)) {
        const QByteArrayView parent = path.first(at);
        if (m_keys.find(parent) == m_keys.end())
            m_keys.try_emplace(parent.toByteArray());
    }
    auto it = m_keys.find(path);
    if (it == m_keys.end())
        it = m_keys.try_emplace(path.toByteArray()).first;
    return *it;
}

bool IsValidRegistryPath(QByteArrayView path)
{
    if (path.isEmpty())
        return true;
    if (path.size() > kMaxRegistryPathLength)
        return false;
    if (path.startsWith('\\') || path.endsWith('\\') || path.contains(QByteArrayView("\\\\")))
        return false;
    return !HoldsLineBreakOrZero(path);
}

bool IsValidRegistryValueName(QByteArrayView name)
{
    return !HoldsLineBreakOrZero(name);
}
