#pragma once

#include "alerts/Alert.h"

class CArchive;

// The alert file, opened by this bare name in whatever the current folder is.
inline constexpr char kAlertFileName[] = "alerts.twk";

// Appends the alerts of the alert file to the list. A missing or unreadable file, or contents
// that stop making sense, end the load quietly with the alerts read so far; false then.
bool LoadAlerts(CAlertList& alerts);
// Replaces the alert file with the list. The old file stays as it was unless the new one was
// written whole; false then.
bool SaveAlerts(const CAlertList& alerts);

// The alert file's contents on an archive: a 32-bit count, then each alert as an object
// reference. Reading skips null entries and throws CArchiveException at a fault.
void ReadAlerts(CArchive& ar, CAlertList& alerts);
void WriteAlerts(CArchive& ar, const CAlertList& alerts);
