#pragma once

#include "app/model/lorvant.h"

#include <functional>

namespace Win::IO {
class Serializer;
class DeSerializer;
} // namespace Win::IO

// The contents of a document file, signature first. A study list whose text all fits the legacy
// code page and that holds no section is written as version 1, byte for byte as before documents
// could hold other scripts, so that older programs still open it; any other as version 2.
namespace DocumentFormat {

StudyList read(Win::IO::DeSerializer& in);
// Writes through the serializer that begin gives; calls it a second time, for a fresh output, when
// a text turns out not to fit version 1 part-way.
void write(StudyList& studyList, const std::function<Win::IO::Serializer&()>& begin);

} // namespace DocumentFormat
