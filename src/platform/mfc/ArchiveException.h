#pragma once

#include <exception>

// Thrown by an archive whose stream cannot be read as written, or whose device refuses bytes.
class CArchiveException : public std::exception
{
public:
    enum Cause
    {
        generic,     // a malformed item
        endOfFile,   // the stream ended inside an item
        badIndex,    // a reference to no earlier class or object, or too many of them
        badClass,    // an unknown class, or one other than the reader asked for
        badSchema,   // a stored schema that the class cannot read
        writeFailed, // the device took fewer bytes than it was given
    };

    explicit CArchiveException(Cause cause) : m_cause(cause) {}

    const char* what() const noexcept override { return "archive exception"; }

    Cause m_cause;
};
