// The batches of an import (the stand-in only).
#include "import_transaction.h"

namespace zelkreg {

#ifdef _WIN32

ImportTransaction::~ImportTransaction() = default;
LONG ImportTransaction::begin(const std::vector<HKEY> &) { return ERROR_SUCCESS; }
LONG ImportTransaction::commit() { return ERROR_SUCCESS; }

#else

ImportTransaction::~ImportTransaction() {
  // Nothing was committed: whatever a rollback meets, the batch's changes
  // end with it (at the latest with the connection, at exit).
  for (HKEY root : open_) (void)ZelkRegRollbackBatch(root);
}

LONG ImportTransaction::begin(const std::vector<HKEY> &roots) {
  for (HKEY root : roots) {
    LONG rc = ZelkRegBeginBatch(root);
    if (rc == ERROR_ACCESS_DENIED || rc == ERROR_INVALID_HANDLE) continue;
    if (rc != ERROR_SUCCESS) return rc;
    open_.push_back(root);
  }
  return ERROR_SUCCESS;
}

LONG ImportTransaction::commit() {
  while (!open_.empty()) {
    HKEY root = open_.front();
    open_.erase(open_.begin());
    if (LONG rc = ZelkRegCommitBatch(root)) return rc;
  }
  return ERROR_SUCCESS;
}

#endif

} // namespace zelkreg
