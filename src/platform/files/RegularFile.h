#pragma once

#include <QByteArrayView>
#include <QString>

class QFile;

// The error code for a path that names something other than a regular file: a FIFO, a device,
// a folder. Such a file is never opened, since opening or writing one may wait without end.
inline constexpr int kNotRegularFile = -1;
// The error code for a symbolic link that another user made in a folder others may write to
// (one not made by the folder's owner): it is not followed, as it may point at any file of
// the user.
inline constexpr int kForeignLink = -2;

// Opens a regular file for reading into file, never waiting for a writer or a device: 0, or
// ENOENT when it is missing, kNotRegularFile, kForeignLink, or the system's error code.
int OpenRegularFileForReading(QByteArrayView path, QFile& file);

// The text of an error code of these functions: the system's text, or what the code says.
QString FileErrorText(int nError);
