#pragma once

#include <QByteArrayView>

// Appends one record to the message log: the line's bytes as they are, then CR LF, whatever
// the line's length. The file is opened and closed for every record, so it can be read, moved
// or deleted between records; a missing file is created, and only a regular file is written.
// A record is written whole or not at all; one that cannot be written is lost, the display
// goes on, and the failure is told once as a warning (again only after a record got through).
// The result says whether it was written.
bool AppendLog(QByteArrayView fileName, QByteArrayView line);
// Appends records that are each a line and its CR LF, at once, as AppendLog does one: all of
// them or none, a failure told as AppendLog tells it.
bool AppendLogRecords(QByteArrayView fileName, QByteArrayView records);
