// Depth-first walk of a key tree with an explicit stack.
#include "tree_walk.h"

namespace zelkreg {
namespace {

// One key on the path from the top to the key being visited.
struct Frame {
  HKEY handle = nullptr; // closed once its last sub-key has been opened
  bool owned = false;
  std::vector<WStr> subkeys;
  size_t next = 0;        // the sub-key to visit next
  size_t nameLength = 0;  // length of the full name up to this key
};

void closeFrame(Frame &frame) {
  if (frame.owned && frame.handle) RegCloseKey(frame.handle);
  frame.handle = nullptr;
}

} // namespace

LONG walkTree(HKEY top, const std::string &topName, bool skipUnopenable, const KeyVisitor &visit) {
  std::string path = topName;
  std::vector<Frame> stack;
  auto enter = [&](HKEY key, bool owned) -> LONG {
    Frame frame;
    frame.handle = key;
    frame.owned = owned;
    frame.nameLength = path.size();
    LONG rc = readSubkeys(key, frame.subkeys);
    if (rc == ERROR_SUCCESS) rc = visit(key, path, frame.subkeys);
    stack.push_back(std::move(frame));
    return rc;
  };
  LONG rc = enter(top, false);
  while (rc == ERROR_SUCCESS && !stack.empty()) {
    Frame &frame = stack.back();
    if (frame.next == frame.subkeys.size()) {
      closeFrame(frame);
      stack.pop_back();
      if (!stack.empty()) path.resize(stack.back().nameLength);
      continue;
    }
    const WStr &name = frame.subkeys[frame.next++];
    HKEY child = nullptr;
    LONG opened = RegOpenKeyExW(frame.handle, name.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &child);
    // A key whose sub-keys are all open needs no handle any more: a long
    // chain of keys then holds a handle or two, not one per level.
    if (frame.next == frame.subkeys.size()) closeFrame(frame);
    if (opened != ERROR_SUCCESS) {
      if (!skipUnopenable) rc = opened;
      continue;
    }
    path.resize(frame.nameLength);
    path += "\\" + toWtf8(name);
    rc = enter(child, true);
  }
  for (Frame &frame : stack) closeFrame(frame);
  return rc;
}

} // namespace zelkreg
