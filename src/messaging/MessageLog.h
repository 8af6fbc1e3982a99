#pragma once

#include <QByteArrayView>

// Appends one record to the message log: the line's bytes as they are, then CR LF, whatever
// the line's length. The file is opened and closed for every record, so it can be read, moved
// or deleted between records; a missing file is created. A record that cannot be written is
// lost and nothing else happens; the result says whether it was written.
bool AppendLog(QByteArrayView fileName, QByteArrayView line);
