#pragma once

// File errors carry a fixed message (a pointer to a static text) that the catcher reads back;
// the file procedures pick the user's message box by exception class.
namespace Win {

class SimpleException {
public:
    explicit SimpleException(const char* message) : _message(message) {}
    const char* getMessage() const { return _message; }

private:
    const char* _message;
};

namespace IO {

class IOException : public SimpleException {
public:
    explicit IOException(const char* message) : SimpleException(message) {}
};

class FileOpenException : public IOException {
public:
    explicit FileOpenException(const char* message) : IOException(message) {}
};

class DataCorruptionException : public IOException {
public:
    explicit DataCorruptionException(const char* message) : IOException(message) {}
};

class EOFException : public IOException {
public:
    explicit EOFException(const char* message) : IOException(message) {}
};

// A serializer that writes text in the legacy code page met a text the code page cannot hold; the
// document writer then starts again in a version that holds every script.
class TextDoesNotFitException : public IOException {
public:
    TextDoesNotFitException() : IOException("Text does not fit the code page") {}
};

} // namespace IO
} // namespace Win
