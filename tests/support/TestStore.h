#pragma once

#include <QByteArray>

// The store file of this test program (below its temporary configuration folder).
QByteArray StoreFilePath();
// Its bytes, empty when there is none.
QByteArray ReadStoreFile();
// Replaces it by a file holding the text, as a person or another program would.
void WriteStoreFile(const QByteArray& text);
void RemoveStoreFile();

// While alive, the calling thread obeys file permissions even when the tests run as root, so
// read-only files and folders really are read-only to it.
class CObeyFilePermissions
{
public:
    CObeyFilePermissions();
    ~CObeyFilePermissions();
    CObeyFilePermissions(const CObeyFilePermissions&) = delete;
    CObeyFilePermissions& operator=(const CObeyFilePermissions&) = delete;

private:
    bool m_bDropped = false;
};
