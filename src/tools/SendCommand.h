#pragma once

#include <QByteArray>

#include <iosfwd>
#include <vector>

// tellwick-send: sends a message from a script or a terminal, exactly as the Send Message
// dialog would, or one per line of standard input. Takes the arguments after the program name;
// returns the exit status.
int RunSendCommand(const std::vector<QByteArray>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);
