#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>

// A file written beside the one it replaces and renamed into its place once whole, as QSaveFile
// writes, so that a failing write never costs the old file. Unlike QSaveFile it follows a
// symbolic link in the file's place only when no other user planted it (kForeignLink of
// platform/files/RegularFile.h), and the rename replaces the very name it looked at.
class CReplacementFile
{
public:
    CReplacementFile() = default;
    // A file not committed is removed.
    ~CReplacementFile();
    CReplacementFile(const CReplacementFile&) = delete;
    CReplacementFile& operator=(const CReplacementFile&) = delete;

    // Starts the new file for the path; only a regular file, or nothing, is replaced. It gets
    // the permissions of the file it replaces, or of pPermissionsOf (an open file) when given,
    // never wider; a new file the usual ones. 0, or an error code of platform/files/RegularFile.h.
    int Open(QByteArrayView path, const QFileDevice* pPermissionsOf = nullptr);
    // The new file, open for writing, without a buffer.
    QFile& File() { return m_file; }
    // Puts the new file, on disk, in the old one's place: 0, or the system's error code.
    int Commit();
    // Removes the new file; the old one stays as it was.
    void Cancel();

private:
    QFile m_file;
    int m_nFile = -1;
    int m_nFolder = -1;
    QByteArray m_name;
    QByteArray m_tempName;
};
