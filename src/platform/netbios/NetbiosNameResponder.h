#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QSocketNotifier;

// Answers NetBIOS name queries for this computer's name, so that a Windows computer on the
// subnet finds it by name. Where another name service (Samba's nmbd) holds the port, it answers
// instead and this one stays out of its way.
class CNetbiosNameResponder : public QObject
{
    Q_OBJECT

public:
    // Queries taken in one turn of the event loop: a flood of them must not hold the window.
    static constexpr int kQueriesPerWake = 32;

    explicit CNetbiosNameResponder(QObject* pParent = nullptr);
    ~CNetbiosNameResponder() override;

    // Starts answering for name (type 0x00) on port; false, with the reason in ErrorText, when
    // the port cannot be had (taken, or privileged without the right to bind it).
    bool Start(const QByteArray& name, quint16 port);
    QString ErrorText() const { return m_strError; }
    // The port it answers on (the one the system chose when Start was given 0).
    quint16 Port() const;

private:
    void Answer();

    QByteArray m_name;
    QString m_strError;
    std::unique_ptr<QSocketNotifier> m_pNotifier;
};
