#pragma once

class QTemporaryDir;

// Points the configuration, runtime, temporary and working folders into home, so that no test
// reads or writes the real user's files; false when home could not be made. Call before the
// application object exists.
bool PrepareTestEnvironment(const QTemporaryDir& home);
