#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The version text of a version record: "%d.%d%d%d" of the fixed part's file version (1.0.2.0
// gives "1.020"), else its "FileVersion" string; empty when it has neither.
QByteArray VersionTextFromRecord(QByteArrayView record);

// Puts the version text of the file into the buffer, cut to nLength - 1 characters, or makes
// the buffer empty. A missing buffer or a length below 1 leaves it untouched. Returns pszBuffer.
char* GetFileVersionString(char* pszBuffer, const QString& strFileName, int nLength);

// The version text of the file, through a 260-character buffer.
QString GetFileVersion(const QString& strFileName);

// The text as the About box shows it: cut to four characters when its fifth is '0'.
QString ShortenVersion(const QString& strVersion);

// The running program's version, shortened.
QString GetProgramVersion();
