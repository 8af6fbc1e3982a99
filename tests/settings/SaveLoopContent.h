#pragma once

#include "alerts/Alert.h"
#include "settings/Catalogue.h"

#include <QByteArray>

// The two contents the save loop switches the store and the alert file between.

inline QByteArray FastMarkOf(int nVersion)
{
    return QByteArray(150, nVersion == 0 ? 'A' : 'B');
}

// The store as the test first writes it: version 0 of the fast mark and many values that the
// loop leaves alone.
inline QByteArray StoreTextOf(int nVersion)
{
    QByteArray text = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + kProgramKey.toByteArray() + "]\r\n\"" +
                      kFastMark.name.toByteArray() + "\"=\"" + FastMarkOf(nVersion) + "\"\r\n\r\n[HKEY_CURRENT_USER\\" +
                      kProgramKey.toByteArray() + "\\Padding]\r\n";
    for (int i = 0; i < 200; ++i)
        text += "\"Value" + QByteArray::number(i) + "\"=\"" + QByteArray(40, char('a' + i % 26)) + "\"\r\n";
    return text;
}

inline CAlertList AlertsOf(int nVersion)
{
    CAlertList alerts;
    for (int i = 0; i < 500; ++i) {
        auto pAlert = std::make_shared<CAlert>();
        pAlert->m_strDescription = "version " + QByteArray::number(nVersion) + " alert " + QByteArray::number(i);
        pAlert->m_keywords = {"disk " + QByteArray::number(i), QByteArray(20, char('a' + (i + nVersion) % 26))};
        pAlert->m_bActive = (i + nVersion) % 3 != 0;
        alerts.push_back(pAlert);
    }
    return alerts;
}
