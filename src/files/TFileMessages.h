#pragma once

// Failures of files opened by name, thrown as std::string with the name appended
// exactly as it was given.
inline constexpr const char* kUnableToOpenFile = "Unable to open file ";
inline constexpr const char* kUnableToWriteFile = "Unable to write file ";
