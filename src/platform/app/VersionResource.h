#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The section of the executable that carries its version record (the program's build puts it
// there; the record's bytes are described in about/VersionRecord.h).
inline constexpr char kVersionSection[] = "tellwick_version";

// The bytes of the named section of an ELF image of this machine's byte order (32 or 64 bit);
// empty when the image is no such file, is cut short, or has no such section with contents.
QByteArray FindElfSection(QByteArrayView image, QByteArrayView name);

// The version record of an executable file; empty when the file cannot be read or has none.
QByteArray ReadVersionResource(const QString& strFileName);
