#pragma once

#include <QByteArrayView>
#include <QString>

class QFile;

// The error code for a path that names something other than a regular file: a FIFO, a device,
// a folder. Such a file is never opened, since opening or writing one may wait without end.
inline constexpr int kNotRegularFile = -1;

// 0 when the path names a regular file (through any links) or nothing at all; kNotRegularFile,
// or the system's error code when it cannot be looked at.
int CheckRegularFile(QByteArrayView path);

// Opens a regular file for reading into file, never waiting for a writer or a device: 0, or
// ENOENT when it is missing, kNotRegularFile, or the system's error code.
int OpenRegularFileForReading(QByteArrayView path, QFile& file);

// The text of an error code of these functions: the system's text, or "not a regular file".
QString FileErrorText(int nError);
