#pragma once

#include <QByteArray>

// Sets an environment variable, or unsets it for a null value, until it goes out of scope.
class CScopedEnvironment
{
public:
    CScopedEnvironment(const char* name, const QByteArray& value)
        : m_name(name), m_bWasSet(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    CScopedEnvironment(const CScopedEnvironment&) = delete;
    CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;
    ~CScopedEnvironment()
    {
        if (m_bWasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_bWasSet;
    QByteArray m_old;
};
