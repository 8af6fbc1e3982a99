#pragma once

#include <QTemporaryDir>

// What a benchmark of the window's own code runs in, set up before the application object is
// made: Qt's offscreen platform unless another is asked for, default settings in a store of
// its own, the log and the alert file in a scratch folder that is the current one, and an
// inbox port nobody else holds. It lasts as long as the object.
class CScratchEnvironment
{
public:
    CScratchEnvironment();

private:
    QTemporaryDir m_home;
};
