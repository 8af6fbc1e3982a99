#pragma once

#include <QByteArrayView>

#include <initializer_list>

// Appends the pieces, in one write, after the last byte of the file, creating the file when it
// is missing; it is opened and closed again within the call. An advisory lock keeps other
// writers out meanwhile (readers are free); another writer is waited for briefly, never for
// long. False when the file cannot be opened or locked or the bytes were not all written.
bool AppendToFile(QByteArrayView path, std::initializer_list<QByteArrayView> pieces);
