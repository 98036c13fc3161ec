// Render status codes. A status is 0, a Windows error code, or the exit code
// of the command interpreter; these are the ones the renderer produces itself.
#pragma once

#include <cstdint>

namespace base {

constexpr int32_t kStatusOk = 0;
constexpr int32_t kStatusFileNotFound = 2;  // ERROR_FILE_NOT_FOUND
constexpr int32_t kStatusInvalidData = 13;  // ERROR_INVALID_DATA
constexpr int32_t kStatusBadLength = 24;  // ERROR_BAD_LENGTH
constexpr int32_t kStatusInvalidName = 123;  // ERROR_INVALID_NAME
constexpr int32_t kStatusBadExeFormat = 193;  // ERROR_BAD_EXE_FORMAT
constexpr int32_t kStatusFilenameTooLong = 206;  // ERROR_FILENAME_EXCED_RANGE
constexpr int32_t kStatusCancelled = 1223;  // ERROR_CANCELLED

}  // namespace base
