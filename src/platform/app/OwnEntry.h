#pragma once

#include <QString>

// What a path of the single-copy machinery must be to be trusted as one user's own.
enum class OwnEntryKind
{
    PrivateFolder, // a folder, not a link, owned by the user, that nobody else may enter
    Socket,        // a local socket, not a link, owned by the user
};

// True when the entry at the path is user nUid's own of that kind; otherwise false, with the
// reason (in the system's words where it has some) in *pFault.
bool IsOwnEntry(const QString& strPath, OwnEntryKind kind, quint32 nUid, QString* pFault = nullptr);

// The user this process runs as.
quint32 CurrentUserId();
