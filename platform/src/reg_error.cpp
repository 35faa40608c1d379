// Conversion of SQLite result codes into Win32 registry error codes.
#include "reg_error.h"

#include <sqlite3.h>

namespace zelk::registry {

LONG win32FromSqlite(int rc) {
  switch (rc & 0xff) {
  case SQLITE_OK:
  case SQLITE_DONE:
  case SQLITE_ROW:
    return ERROR_SUCCESS;
  case SQLITE_NOMEM:
    return ERROR_NOT_ENOUGH_MEMORY;
  case SQLITE_READONLY:
  case SQLITE_PERM:
  case SQLITE_AUTH:
    return ERROR_ACCESS_DENIED;
  case SQLITE_CORRUPT:
  case SQLITE_FORMAT:
  case SQLITE_SCHEMA:
  case SQLITE_MISMATCH:
  case SQLITE_CONSTRAINT:
    return ERROR_REGISTRY_CORRUPT;
  case SQLITE_NOTADB:
  case SQLITE_CANTOPEN:
    return ERROR_BADDB;
  case SQLITE_FULL:
    return ERROR_DISK_FULL;
  case SQLITE_TOOBIG:
    return ERROR_INVALID_PARAMETER;
  case SQLITE_BUSY:
  case SQLITE_LOCKED:
    return ERROR_BUSY;
  case SQLITE_IOERR:
  default:
    return ERROR_REGISTRY_IO_FAILED;
  }
}

} // namespace zelk::registry
