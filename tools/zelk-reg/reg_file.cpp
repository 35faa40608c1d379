// zelk-reg export and import: .reg files in the "Windows Registry Editor
// Version 5.00" format.  Export writes UTF-16LE with a BOM and CRLF line ends,
// as regedit and reg.exe do; import reads UTF-16LE (with BOM) or UTF-8 (with
// or without BOM), and also accepts "REGEDIT4" files. Text is UTF-16 units
// throughout: a lone surrogate in a name or string survives export and
// import (the parser works on lossless UTF-8, see toWtf8).
//
// Export writes each key as the walk reaches it, so memory stays flat
// however large or deep the tree (the file of a deep tree is large: every
// key line holds its full path).
//
// An import is all or nothing: the whole file is parsed and checked before
// anything changes, and then applied inside a transaction on each hive it
// writes (on the stand-in registry), so a failure at any line, or a full
// disk, leaves the registry as it was. The file and its lines have size
// limits (reg_file_reader.h), since all of it is held until it is applied.
#include "commands.h"

#include "import_transaction.h"
#include "open_path.h"
#include "reg_access.h"
#include "reg_file_reader.h"
#include "tree_walk.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>

namespace zelkreg {
namespace {

constexpr const char *kHeader = "Windows Registry Editor Version 5.00";

std::string quoted(const WStr &text) {
  std::string out = "\"";
  for (char c : toWtf8(text)) {
    // A line break inside a name would end the line: write it as "\n",
    // which import reads back.
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  return out + "\"";
}

// A REG_SZ that can be written as "text": terminated, no inner NUL, no
// line breaks.
bool plainString(const Value &v) {
  if (v.data.size() < 2 || v.data.size() % 2) return false;
  WStr units = unitsOf(v.data);
  if (units.back() != 0) return false;
  units.pop_back();
  for (WCHAR u : units) {
    if (u == 0 || u == '\r' || u == '\n') return false;
  }
  return true;
}

std::string hexData(const std::string &prefix, const Bytes &data) {
  static const char digits[] = "0123456789abcdef";
  std::string out = prefix;
  size_t lineLen = prefix.size();
  for (size_t i = 0; i < data.size(); ++i) {
    out.push_back(digits[data[i] >> 4]);
    out.push_back(digits[data[i] & 15]);
    lineLen += 2;
    if (i + 1 == data.size()) break;
    out.push_back(',');
    ++lineLen;
    if (lineLen >= 77) {
      out += "\\\r\n  ";
      lineLen = 2;
    }
  }
  return out;
}

std::string valueLine(const Value &v) {
  std::string name = v.name.empty() ? "@" : quoted(v.name);
  char buf[32];
  if (v.type == REG_SZ && plainString(v)) {
    WStr units = unitsOf(v.data);
    units.pop_back();
    return name + "=" + quoted(units);
  }
  if (v.type == REG_DWORD && v.data.size() == 4) {
    unsigned long d = v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) | (unsigned long)(v.data[3]) << 24;
    std::snprintf(buf, sizeof buf, "dword:%08lx", d);
    return name + "=" + buf;
  }
  if (v.type == REG_BINARY) return hexData(name + "=hex:", v.data);
  std::snprintf(buf, sizeof buf, "=hex(%lx):", (unsigned long)v.type);
  return hexData(name + buf, v.data);
}

// The export file, written as UTF-16LE while the tree is walked.
class ExportFile {
public:
  explicit ExportFile(const std::string &path) : out_(path, std::ios::binary | std::ios::trunc) {
    out_.write("\xFF\xFE", 2);
  }
  // `text` in lossless UTF-8; false once anything could not be written.
  bool write(const std::string &text) {
    Bytes bytes = utf16Bytes(toUtf16(text), false);
    out_.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out_);
  }
  bool close() {
    out_.close();
    return bool(out_);
  }

private:
  std::ofstream out_;
};

// Writes `top` and everything below it; `writeFailed` tells a failed write
// from a registry error.
LONG exportTree(HKEY top, const std::string &topName, ExportFile &file, bool &writeFailed) {
  writeFailed = false;
  return walkTree(top, topName, false, [&](HKEY key, const std::string &fullName, const std::vector<WStr> &) {
    std::vector<Value> values;
    if (LONG rc = readValues(key, values)) return rc;
    std::string text = "[" + fullName + "]\r\n";
    for (const Value &v : values) text += valueLine(v) + "\r\n";
    text += "\r\n";
    if (file.write(text)) return LONG(ERROR_SUCCESS);
    writeFailed = true;
    return LONG(ERROR_CANTWRITE); // stops the walk; writeFailed says why
  });
}

// "text." from a message that may already end with its full stop.
std::string sentence(std::string text) {
  if (text.empty() || text.back() != '.') text += '.';
  return text;
}

// Reads the lines of a .reg file and, when `apply`, makes their changes.
// Without `apply` it only checks them, and notes the hives they write.
struct Parser {
  const RegLines *lines = nullptr;
  bool apply = true;
  std::vector<HKEY> roots;        // hives the file writes, in order of appearance
  size_t index = 0;
  OpenPath openPath;
  HKEY current = nullptr; // the key of the last key line, owned by openPath
  bool haveKey = false;
  int lineNumber = 0;
  std::string error;

  bool fail(const std::string &why) {
    error = "line " + std::to_string(lineNumber) + ": " + why;
    return false;
  }

  // Reads a quoted string starting at s[pos] == '"'; pos ends after the quote.
  bool readQuoted(const std::string &s, size_t &pos, std::string &out) {
    out.clear();
    for (++pos; pos < s.size(); ++pos) {
      char c = s[pos];
      if (c == '\\' && pos + 1 < s.size()) {
        char n = s[++pos];
        out.push_back(n == 'n' ? '\n' : n == 'r' ? '\r' : n == '0' ? '\0' : n);
      } else if (c == '"') {
        ++pos;
        return true;
      } else {
        out.push_back(c);
      }
    }
    return false;
  }

  // HKEY_CLASSES_ROOT writes to the user's hive or the machine's, whichever
  // holds the key (or, for a new key, its deepest ancestor): both get a batch.
  void noteHivesOf(HKEY root) {
    std::vector<HKEY> hives{root};
    if (root == HKEY_CLASSES_ROOT) hives = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
    for (HKEY hive : hives) {
      if (std::find(roots.begin(), roots.end(), hive) == roots.end()) roots.push_back(hive);
    }
  }

  bool keyLine(const std::string &line) {
    size_t end = line.rfind(']');
    if (end == std::string::npos) return fail("unterminated key name");
    std::string name = line.substr(1, end - 1);
    bool remove = !name.empty() && name[0] == '-';
    if (remove) name.erase(0, 1);
    KeyPath path;
    if (!parseKeyPath(name, path)) return fail("invalid key name '" + name + "'");
    current = nullptr;
    haveKey = false;
    noteHivesOf(path.root);
    if (!apply) {
      haveKey = !remove;
      return true;
    }
    if (remove) {
      openPath.reset(); // its keys may be among those deleted
      WStr sub = toUtf16(path.subkey);
      LONG rc = LONG(SHDeleteKeyW(path.root, sub.c_str()));
      if (rc && rc != ERROR_FILE_NOT_FOUND) return fail(errorText(rc));
      return true;
    }
    LONG rc = openPath.create(path.root, toUtf16(path.subkey), current);
    if (rc) return fail(errorText(rc));
    haveKey = true;
    return true;
  }

  bool valueLine(const std::string &line) {
    if (!haveKey) return fail("value outside of a key");
    size_t pos = 0;
    std::string name;
    if (line[0] == '@') {
      pos = 1;
    } else if (!readQuoted(line, pos, name)) {
      return fail("unterminated value name");
    }
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    if (pos >= line.size() || line[pos] != '=') return fail("'=' expected");
    std::string data = line.substr(pos + 1);
    while (!data.empty() && (data[0] == ' ' || data[0] == '\t')) data.erase(0, 1);
    Value v;
    v.name = toUtf16(name);
    if (data == "-") {
      if (!apply) return true;
      LONG rc = RegDeleteValueW(current, v.name.c_str());
      if (rc && rc != ERROR_FILE_NOT_FOUND) return fail(errorText(rc));
      return true;
    }
    if (!data.empty() && data[0] == '"') {
      size_t p = 0;
      std::string text;
      if (!readQuoted(data, p, text)) return fail("unterminated string");
      v.type = REG_SZ;
      v.data = utf16Bytes(toUtf16(text), true);
    } else if (lower(data.substr(0, 6)) == "dword:") {
      unsigned long long n;
      if (!parseUnsigned("0x" + data.substr(6), 0xFFFFFFFFull, n)) return fail("invalid dword");
      v.type = REG_DWORD;
      for (int i = 0; i < 4; ++i) v.data.push_back(static_cast<unsigned char>((n >> (8 * i)) & 0xFF));
    } else if (lower(data.substr(0, 4)) == "hex:" || lower(data.substr(0, 4)) == "hex(") {
      size_t colon = data.find(':');
      v.type = REG_BINARY;
      if (data[3] == '(') {
        unsigned long long t;
        size_t close = data.find(')');
        if (close == std::string::npos || close > colon || !parseUnsigned("0x" + data.substr(4, close - 4), 0xFFFFFFFFull, t)) {
          return fail("invalid hex type");
        }
        v.type = DWORD(t);
      }
      if (!parseHexString(data.substr(colon + 1), v.data)) return fail("invalid hex data");
    } else {
      return fail("unknown data format");
    }
    if (!apply) return true;
    LONG rc = writeValue(current, v);
    if (rc) return fail(errorText(rc));
    return true;
  }

  bool run() {
    bool sawHeader = false;
    for (index = 0; index < lines->size(); ++index) {
      lineNumber = lines->number(index);
      const std::string_view whole = lines->text(index);
      size_t start = whole.find_first_not_of(" \t");
      if (start == std::string::npos) continue;
      std::string line(whole.substr(start));
      if (!sawHeader) {
        if (line != kHeader && line != "REGEDIT4") return fail("not a registry file");
        sawHeader = true;
        continue;
      }
      if (line[0] == ';') continue;
      if (line[0] == '[') {
        if (!keyLine(line)) return false;
      } else if (line[0] == '"' || line[0] == '@') {
        if (!valueLine(line)) return false;
      } else {
        return fail("unexpected text");
      }
    }
    if (!sawHeader) return fail("not a registry file");
    return true;
  }
};

} // namespace

int cmdExport(const Args &args) {
  if (args.size() < 2 || looksLikeOption(args[0]) || looksLikeOption(args[1])) {
    return usageError("export needs a key and a file name");
  }
  bool overwrite = false;
  for (size_t i = 2; i < args.size(); ++i) {
    if (isOption(args[i], "y")) overwrite = true;
    else return usageError("unexpected argument '" + args[i] + "'");
  }
  KeyPath path;
  if (!parseKeyPath(args[0], path)) return failure("Invalid key name.");
  Key key;
  LONG rc = openKey(path, KEY_READ, key);
  if (rc) return failure(errorText(rc));
  if (!overwrite && std::ifstream(args[1]).good() && !confirm("File " + args[1] + " already exists. Overwrite it")) {
    std::cout << "The operation was cancelled by the user.\n";
    return 0;
  }
  ExportFile file(args[1]);
  bool writeFailed = false;
  if (file.write(std::string(kHeader) + "\r\n\r\n")) rc = exportTree(key.get(), path.full(), file, writeFailed);
  else writeFailed = true;
  if (!file.close()) writeFailed = true;
  if (rc || writeFailed) {
    // A partial export is no export: nothing is left that looks like one.
    std::remove(args[1].c_str());
    return failure(writeFailed ? "Unable to write the file " + args[1] + "." : errorText(rc));
  }
  std::cout << "The operation completed successfully.\n";
  return 0;
}

int cmdImport(const Args &args) {
  if (args.size() != 1 || looksLikeOption(args[0])) return usageError("import needs exactly one file name");
  std::ifstream in(args[0], std::ios::binary);
  if (!in) return failure("Unable to open the file " + args[0] + ".");
  const std::string failed = "Error importing " + args[0] + ": ";
  RegLines lines;
  std::string error;
  if (!readRegLines(in, lines, error)) return failure(sentence(failed + error));
  // First every line is checked, without a change; then applied, in one
  // transaction per hive.
  Parser check;
  check.lines = &lines;
  check.apply = false;
  if (!check.run()) return failure(sentence(failed + check.error));
  ImportTransaction transaction;
  if (LONG rc = transaction.begin(check.roots)) return failure(sentence(failed + errorText(rc)));
  Parser parser;
  parser.lines = &lines;
  if (!parser.run()) return failure(sentence(failed + parser.error));
  parser.openPath.reset();
  if (LONG rc = transaction.commit()) return failure(sentence(failed + errorText(rc)));
  std::cout << "The operation completed successfully.\n";
  return 0;
}

} // namespace zelkreg
