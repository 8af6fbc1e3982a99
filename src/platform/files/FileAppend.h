#pragma once

#include <QByteArrayView>

#include <initializer_list>

// Appends the pieces after the last byte of the file, creating the file when it is missing; it
// is opened only when it is a regular file, never through another user's link (kForeignLink),
// and the last one stays open for the next append while its name still holds it. An advisory
// lock keeps other writers out meanwhile (readers are free); another writer is waited for
// briefly, never for long. The pieces are written whole or not at all: a write cut short (a
// full disk) is taken back. 0 when written, else an error code of platform/files/RegularFile.h.
int AppendToFile(QByteArrayView path, std::initializer_list<QByteArrayView> pieces);
