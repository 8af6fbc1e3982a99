#pragma once

#include <bitset>

// Standard input, output and error that the program was started without (0, 1, 2 closed) get
// /dev/null in their place, so that no file opened later is taken for one of them. Returns
// which of the three were closed. Call before anything opens a file.
std::bitset<3> ReserveClosedStandardStreams();
