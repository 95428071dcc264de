#pragma once

// The texts the program's file error box shows (string ids 2049 to 2053), so that the tool
// reports a file exactly as the program would.
namespace FileMessages {

inline constexpr const char* SaveFailed =
    "An error occured while saving file.\nMake sure the drive specified has sufficient free space.";
inline constexpr const char* CannotSave = "Unable to save to the specified file.\nMake sure a disk is in the "
                                          "drive you specified and you have sufficient permissions.";
inline constexpr const char* CannotOpen =
    "Can not open the specified file for reading.\nMake sure the specified path and file name are correct.";
inline constexpr const char* NotADocument =
    "Can not open the file specified.\nThis is not a valid Lorvant file or it is corrupt.";

} // namespace FileMessages
