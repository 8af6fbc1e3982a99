#pragma once

#include <QByteArray>
#include <QList>

// While alive, collects the warnings the program writes to standard error as the lines they
// would be ("tellwick.settings: ..."), instead of writing them.
class CCapturedWarnings
{
public:
    CCapturedWarnings();
    ~CCapturedWarnings();
    CCapturedWarnings(const CCapturedWarnings&) = delete;
    CCapturedWarnings& operator=(const CCapturedWarnings&) = delete;

    QList<QByteArray> Lines() const;
};
