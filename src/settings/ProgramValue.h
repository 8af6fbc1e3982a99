#pragma once

#include "settings/Catalogue.h"

// Values kept directly in the program's key by those who own them, outside the settings
// record. A read is made afresh each time: the value's default when the key or the value is
// missing. A write creates the key when it is missing; its failure is not reported.
quint32 ReadProgramDword(const DwordValue& value);
void WriteProgramDword(const DwordValue& value, quint32 dwValue);
QByteArray ReadProgramString(const StringValue& value);

// Chooses the transport between copies from the store (see SelectMailslotTransport), once at
// the start of a program that sends or receives; later calls keep that choice.
void SelectStoredMailslotTransport();
