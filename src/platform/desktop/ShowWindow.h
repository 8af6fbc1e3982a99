#pragma once

#include <QByteArray>

class QWidget;

// Shows a top-level window and asks for it to come to the front, as ShowWindow followed by
// SetForegroundWindow does. A minimised window comes back in either case; bRestore also takes
// a maximised window back to its normal size (SW_RESTORE), otherwise it stays as it was (SW_SHOW).
// Whether it really gets the focus is the window manager's decision; an activation token (a
// Wayland compositor's xdg-activation token, from whoever asked for the window) helps it decide.
void ShowAndActivate(QWidget& window, bool bRestore, const QByteArray& activationToken = {});

// Tells ShowAndActivate that the window went to, or came out of, its minimised state. A Wayland
// compositor never tells a client either, so Qt soon forgets that the window was minimised.
void NoteMinimised(QWidget& window, bool bMinimised);
