#pragma once

#include <optional>
#include <string>

// The names of the temporary files in which saves write a document's new contents, beside the document: a
// dot, "lorvant-", eight hexadecimal digits of a hash of the document's file name, then the writing process's
// id and a serial number in hexadecimal, each after a dash, and ".tmp". From the name alone a save knows a
// file as a temporary file of its document and knows which process wrote it.
namespace Win::IO::TempFileNames {

// What the file names of every temporary file of the document at documentPath begin with.
std::string prefixOf(const std::string& documentPath);
// The path of a temporary file of the document at documentPath, in the document's folder.
std::string make(const std::string& documentPath, unsigned long processId, unsigned serial);
// The id of the process that wrote the file named fileName (without a folder) when it is a temporary file
// of the document at documentPath.
std::optional<unsigned long> writerOf(const std::string& fileName, const std::string& documentPath);

} // namespace Win::IO::TempFileNames
