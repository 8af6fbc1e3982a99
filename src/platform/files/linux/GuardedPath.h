#pragma once

#include <QByteArray>
#include <QByteArrayView>

// A path walked one name at a time as the kernel walks it, except that a symbolic link lying in a
// folder others may write to (group or world) is followed only when it belongs to the user or
// to the folder's owner: another user's link there would point the program's writes at any
// file of the user. Each name is looked at and opened relative to the folder before it, never
// following a link unchecked, so the folder's other users cannot swap one in meanwhile.
class CGuardedPath
{
public:
    explicit CGuardedPath(QByteArrayView path);
    ~CGuardedPath();
    CGuardedPath(const CGuardedPath&) = delete;
    CGuardedPath& operator=(const CGuardedPath&) = delete;

    // Opens the file the path names with the flags of open() (O_NONBLOCK, O_NOFOLLOW and
    // O_CLOEXEC added; with O_CREAT a missing file is made with the mode). Only a regular file
    // is opened, and looked at before, so that a FIFO or a device is never touched. A
    // descriptor, or -1 with Error() telling why.
    int Open(int nFlags, unsigned nMode = 0);
    // 0, kForeignLink or kNotRegularFile of platform/files/RegularFile.h, or the system's error
    // code.
    int Error() const { return m_nError; }
    // Once the walk reached the last name (also when it is missing): the folder it lies in, a
    // descriptor for the *at() calls, and the name there; else -1 and empty.
    int Folder();
    const QByteArray& Name() const { return m_name; }
    // That file's path as the links spelled it, for messages.
    QByteArray Path() const;

private:
    int Fail(int nError);
    bool Enter(int nFolder, const QByteArray& name);

    QByteArray m_path;
    int m_nFolder = -1; // AT_FDCWD while the walk is in the working folder
    QByteArray m_folderPath; // m_nFolder as the links spelled it; empty for "."
    QByteArray m_name;
    int m_nError = 0;
};
