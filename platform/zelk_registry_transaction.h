/* A transaction on one hive of the registry stand-in, for callers that must
 * change many keys all or nothing (zelk-reg import). Not a Windows call:
 * the Windows registry has no cheap equivalent, so on Windows this header
 * declares nothing and callers do without it.
 *
 *   ZelkRegBeginHiveTransaction(HKEY_CURRENT_USER);
 *   ... any registry calls ...
 *   ZelkRegEndHiveTransaction(HKEY_CURRENT_USER, TRUE);   // or FALSE: undo all
 *
 * Between the two, every call of this process (any thread) on that hive is
 * part of one SQLite write transaction: other processes see none of it
 * until the commit, and they wait to write. A call that fails inside the
 * transaction undoes only its own changes, as it would alone. If the process
 * ends before the end call, nothing of the transaction is kept.
 *
 * Begin returns ERROR_ACCESS_DENIED for a hive this process may not write,
 * ERROR_BUSY when a transaction on that hive is already open, and the
 * hive's error (ERROR_BADDB, ERROR_DISK_FULL, ...) when it cannot be opened
 * or created. End returns ERROR_INVALID_FUNCTION without a transaction, and
 * the commit's error (ERROR_DISK_FULL, ...) after which nothing was kept. */
#pragma once

#include "win32_registry.h"

#ifndef _WIN32
#ifdef __cplusplus
extern "C" {
#endif

LSTATUS WINAPI ZelkRegBeginHiveTransaction(HKEY hRootKey);
LSTATUS WINAPI ZelkRegEndHiveTransaction(HKEY hRootKey, BOOL bCommit);

#ifdef __cplusplus
}
#endif
#endif
