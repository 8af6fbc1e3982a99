#pragma once

// The project's version, "major.minor.patch", as the build wrote it into the program's version
// record. Defined only in programs that carry the record (tellwick and the About tests).
const char* ProgramVersionText();
