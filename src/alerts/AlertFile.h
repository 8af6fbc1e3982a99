#pragma once

#include "alerts/Alert.h"

class CArchive;

// The alert file, opened by this bare name in whatever the current folder is.
inline constexpr char kAlertFileName[] = "alerts.twk";
// Where an alert file that did not load whole is kept when the alerts are saved over it.
inline constexpr char kDamagedAlertFileName[] = "alerts.twk.damaged";

// Appends the alerts of the alert file to the list; true when the file was read whole. A
// missing file, one that cannot be read or is no regular file, or contents that stop making
// sense end the load with the alerts read so far: false then, and a warning unless missing.
bool LoadAlerts(CAlertList& alerts);
// Replaces the alert file with the list; only a regular file is replaced. The old file stays as
// it was unless the new one was written whole; false then, with a warning. With bKeepOld (the
// file did not load whole) the file there now is first kept as kDamagedAlertFileName, with its
// permissions and replacing an older copy; when that fails the file is left alone. Neither
// reads nor writes go through a symbolic link another user planted in a shared folder.
bool SaveAlerts(const CAlertList& alerts, bool bKeepOld = false);

// The alert file's contents on an archive: a 32-bit count, then each alert as an object
// reference. Reading skips null entries and throws CArchiveException at a fault; it returns
// false when the contents do not end after the last alert or the count is negative.
bool ReadAlerts(CArchive& ar, CAlertList& alerts);
void WriteAlerts(CArchive& ar, const CAlertList& alerts);
