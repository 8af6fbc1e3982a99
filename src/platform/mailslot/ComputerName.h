#pragma once

#include <QByteArray>

// This computer's name as peers know it: the host name's first label, at most 15 characters.
QByteArray GetComputerName();
