#pragma once

#include "serializer.h"

#include <streambuf>

namespace Win::IO {

// Hands what a text stream writes to a serializer as it comes, so that a text never has to be held
// whole in memory. The serializer's exceptions come out of the stream as they are when the stream's
// exception mask holds badbit.
class SerializerStreamBuf : public std::streambuf {
public:
    explicit SerializerStreamBuf(Serializer& out) : _out(out) {}

protected:
    int_type overflow(int_type character) override;
    std::streamsize xsputn(const char* data, std::streamsize count) override;

private:
    Serializer& _out;
};

} // namespace Win::IO
