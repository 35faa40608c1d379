// Opening an import's keys along the previous line's path.
#include "open_path.h"

namespace zelkreg {

void OpenPath::reset() {
  for (auto &entry : keys_) RegCloseKey(entry.second);
  keys_.clear();
  path_.clear();
  root_ = nullptr;
}

LONG OpenPath::create(HKEY root, const std::basic_string<WCHAR> &subkey, HKEY &key) {
  std::vector<std::basic_string<WCHAR>> components;
  size_t start = 0;
  while (start <= subkey.size()) {
    size_t end = subkey.find(WCHAR('\\'), start);
    if (end == subkey.npos) end = subkey.size();
    if (end > start) components.push_back(subkey.substr(start, end - start));
    start = end + 1;
  }
  if (root != root_) {
    reset();
    root_ = root;
  }
  // Keep the open keys this path shares with the last one (same spelling).
  size_t shared = 0;
  while (shared < path_.size() && shared < components.size() && path_[shared] == components[shared]) ++shared;
  while (!keys_.empty() && keys_.back().first > shared) {
    RegCloseKey(keys_.back().second);
    keys_.pop_back();
  }
  path_ = std::move(components);
  size_t have = keys_.empty() ? 0 : keys_.back().first;
  HKEY parent = keys_.empty() ? root : keys_.back().second;
  if (have == path_.size()) {
    key = parent;
    return ERROR_SUCCESS;
  }
  std::basic_string<WCHAR> rest;
  for (size_t i = have; i < path_.size(); ++i) {
    if (i > have) rest.push_back(WCHAR('\\'));
    rest += path_[i];
  }
  HKEY child = nullptr;
  LONG rc = RegCreateKeyExW(parent, rest.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &child,
                            nullptr);
  if (rc != ERROR_SUCCESS) {
    path_.resize(have); // the keys past the open ones may not exist
    return rc;
  }
  keys_.emplace_back(path_.size(), child);
  key = child;
  return ERROR_SUCCESS;
}

} // namespace zelkreg
