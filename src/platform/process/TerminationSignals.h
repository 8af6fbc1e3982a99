#pragma once

#include <QObject>

#include <memory>

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface thread, so that a
// logout or a kill ends the program the way closing its window does, with everything saved.
class CTerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit CTerminationSignals(QObject* pParent = nullptr);
    ~CTerminationSignals() override;

signals:
    void Terminate();

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};
