// Reading a .reg file for import: decoded (UTF-16LE with BOM, or UTF-8 with
// or without BOM) and split into lines as it is read, with a line and the
// lines continuing it (a trailing backslash) joined into one. The file and
// each line have a size limit, so that a huge or endless input (/dev/zero)
// stops with a message instead of taking all memory.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace zelkreg {

// The largest file an import reads, in bytes as stored. An import holds the
// whole file until it is applied: in memory about its size once more plus
// 16 bytes a line.
constexpr std::uint64_t kMaxImportFileBytes = 64ull << 20;
// The largest line, in bytes of the file, counting the lines that continue it.
constexpr std::uint64_t kMaxImportLineBytes = 16ull << 20;

// The lines of a file that hold anything but blanks, kept in one block of
// text (lossless UTF-8, see toWtf8) rather than one string each.
class RegLines {
public:
  size_t size() const { return lines_.size(); }
  std::string_view text(size_t index) const {
    return std::string_view(text_).substr(lines_[index].offset, lines_[index].length);
  }
  // The file's line the line starts on, from 1.
  int number(size_t index) const { return lines_[index].number; }
  void add(const std::string &line, int number);

private:
  struct Line {
    std::uint64_t offset;
    std::uint32_t length;
    int number;
  };
  std::string text_;
  std::vector<Line> lines_;
};

// Reads all of `in`. False, with `error` (naming the line when there is one),
// when the file exceeds a limit or a UTF-16 file ends with a stray byte.
bool readRegLines(std::istream &in, RegLines &lines, std::string &error);

} // namespace zelkreg
