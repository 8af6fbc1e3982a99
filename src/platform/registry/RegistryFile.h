#pragma once

#include "platform/registry/RegistryData.h"

#include <QByteArray>
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>

struct RegistryParseResult;

// Status codes of the store, numbered as the registry numbers them.
inline constexpr qint32 ERROR_SUCCESS = 0;
inline constexpr qint32 ERROR_FILE_NOT_FOUND = 2;
inline constexpr qint32 ERROR_ACCESS_DENIED = 5;
inline constexpr qint32 ERROR_INVALID_HANDLE = 6;
inline constexpr qint32 ERROR_OUTOFMEMORY = 14;
inline constexpr qint32 ERROR_LOCK_VIOLATION = 33;
inline constexpr qint32 ERROR_INVALID_PARAMETER = 87;
inline constexpr qint32 ERROR_DISK_FULL = 112;
inline constexpr qint32 ERROR_BAD_PATHNAME = 161;
inline constexpr qint32 ERROR_MORE_DATA = 234;
inline constexpr qint32 ERROR_CANTREAD = 1012;
inline constexpr qint32 ERROR_CANTWRITE = 1013;
inline constexpr qint32 ERROR_KEY_DELETED = 1018;

// The per-user store file, Orvosoft/Tellwick.reg in the configuration folder (UserConfigHome).
//
// Loads hand out the parsed content of the file as it is now. The content is kept between
// loads and reused while a stat() shows the very same file, so a load is cheap and yet sees a
// change by any process at once: every write replaces the file by a rename, and a file changed
// in place is read again until its change time lies safely in the past.
//
// Updates run under an exclusive lock on a lock file beside the store, read the file afresh,
// and replace it atomically (temporary file, fsync, rename), so concurrent writers never lose
// each other's values and readers never see half a file. Only the lines of what changed are
// written anew: comments and lines that do not parse stay. A store that is a symbolic link is
// written through to its target, unless another user's link in a shared folder (kForeignLink
// of platform/files/RegularFile.h): that store is neither read nor written. Loading never creates
// anything.
//
// The file's own protection holds: a store that is not a regular file, cannot be read or has no
// write permission is never written, and the lock is waited for a limited time only. Each such
// failure is told once, as a warning of the settings category.
class CRegistryFile
{
public:
    using Snapshot = std::shared_ptr<const CRegistryData>;
    // Changes the data and returns ERROR_SUCCESS, or returns why nothing changed.
    using Change = std::function<qint32(CRegistryData&)>;

    static CRegistryFile& User();

    // The store's content now; empty when there is no file or it cannot be read.
    Snapshot Load();
    // Applies the change to the current content and writes it; the written content comes back
    // in pWritten. A store file that exists but cannot be read is never overwritten; a change
    // that changes nothing writes nothing.
    qint32 Update(const Change& change, Snapshot* pWritten = nullptr);

    // Where the store lives now (it follows the environment).
    QByteArray FilePath();
    // How long an update waits for another process's update before it fails.
    void SetLockWait(std::chrono::milliseconds wait);

private:
    struct FileStamp
    {
        bool bExists = false;
        quint64 nDevice = 0, nInode = 0;
        qint64 nSize = 0;
        qint64 nModified = 0, nChanged = 0; // nanoseconds

        friend bool operator==(const FileStamp&, const FileStamp&) = default;
    };

    using Text = std::shared_ptr<const RegistryParseResult>;

    // Failures told once each (per store path).
    enum Trouble
    {
        kUnreadable,
        kLockNotTaken,
        kReadOnly,
        kNotWritten,
        kTroubleCount,
    };

    QByteArray PathLocked();
    // Returns the content of the file at the path, from the kept copy when it is current.
    qint32 LoadLocked(const QByteArray& path, Text& text);
    // Reads the store open at fd.
    qint32 ReadFile(const QByteArray& path, int fd, Text& text);
    // Replaces the file named name in the open folder; path names it in messages.
    qint32 WriteFile(int folder, const QByteArray& name, const QByteArray& path,
                     const QByteArray& bytes);
    // Tells the failure unless it was told before; returns nResult.
    qint32 Report(Trouble trouble, const QByteArray& path, int nError, qint32 nResult);

    std::mutex m_mutex;
    QByteArray m_configHome, m_home; // the environment m_path was built from
    QByteArray m_path;
    QByteArray m_keptPath;
    FileStamp m_keptStamp;
    bool m_bKeptIsRacy = true;
    Text m_pKept;
    // Another process writes the store in milliseconds: one that holds the lock this long is stuck.
    std::chrono::milliseconds m_lockWait{1000};
    bool m_bLockStuck = false; // the last update gave up waiting for the lock
    std::array<bool, kTroubleCount> m_reported{};
};
