#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Appends one record to the message log: the line's bytes, then CR LF, whatever the line's
// length. A message is one record: its control bytes, which could end the record early or make
// a terminal do things, are written escaped (AppendLogRecord). The file is opened and closed for
// every record, so it can be read, moved or deleted between records; a missing file is created,
// and only a regular file is written.
// A record is written whole or not at all; one that cannot be written is lost, the display
// goes on, and the failure is told once as a warning (again only after a record got through).
// The result says whether it was written.
bool AppendLog(QByteArrayView fileName, QByteArrayView line);
// Appends records made by AppendLogRecord, at once, as AppendLog does one: all of them or none,
// a failure told as AppendLog tells it.
bool AppendLogRecords(QByteArrayView fileName, QByteArrayView records);
// Adds the line to records as its record: a backslash is written doubled, CR, LF and tab as
// \r, \n and \t, the other bytes below 0x20 and DEL as \xHH, and CR LF ends it. The colour
// code 0x03 and every byte from 0x80 on stay as they are.
void AppendLogRecord(QByteArray& records, QByteArrayView line);
