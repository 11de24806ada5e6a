#include "store_error.h"

#include <cerrno>

namespace store {

std::string describeErrno(int error) {
  switch (error) {
    case ENOENT: return "File not found";
    case ENOTDIR: return "Path not found";
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY: return "Permission denied";
    case EEXIST:
    case ENOTEMPTY: return "File already exists";
    case ENOSPC:
    case EDQUOT: return "Disk full";
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ: return "Bad file name or number";
    case EIO: return "Device I/O error";
    case EMFILE:
    case ENFILE: return "Too many files";
    case EXDEV: return "Can't rename with different drive";
    default: return "Path/File access error";
  }
}

std::string describeError(const std::error_code& ec) {
  if (ec.category() == std::generic_category() || ec.category() == std::system_category())
    return describeErrno(ec.value());
  return ec.message();
}

void throwFileError(const std::error_code& ec) { throw StoreError(describeError(ec)); }

}  // namespace store
