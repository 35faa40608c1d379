#include "reg_file_reader.h"

#include "text_codec.h"

#include <memory>

namespace zelkreg {
namespace {

constexpr size_t kChunkBytes = 64 * 1024;

enum class Encoding { Undecided, Utf16, Utf8 };

// Gathers physical lines into logical ones and keeps to the line limit.
class LineJoiner {
public:
  explicit LineJoiner(RegLines &lines) : lines_(lines) {}

  int physicalNumber() const { return physical_; }

  // Whether the line being read, `pendingBytes` into its current physical
  // line, is still within the limit.
  bool withinLimit(uint64_t pendingBytes, std::string &error) const {
    if (joinedBytes_ + pendingBytes <= kMaxImportLineBytes) return true;
    error = "line " + std::to_string(continuing_ ? number_ : physical_) +
            ": longer than the limit of " + std::to_string(kMaxImportLineBytes) + " bytes for one line";
    return false;
  }

  // One physical line, its end removed; `rawBytes` it took in the file.
  void add(std::string text, uint64_t rawBytes) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (continuing_) {
      size_t start = text.find_first_not_of(" \t");
      if (start != std::string::npos) current_.append(text, start, std::string::npos);
      joinedBytes_ += rawBytes;
    } else {
      current_ = std::move(text);
      number_ = physical_;
      joinedBytes_ = rawBytes;
    }
    ++physical_;
    // Data continues on the next line after a trailing backslash (not after
    // a key line's).
    continuing_ = !current_.empty() && current_.back() == '\\' && current_[0] != '[';
    if (continuing_) {
      current_.pop_back();
    } else {
      keep();
    }
  }

  // At the end of the file a trailing backslash has nothing to join.
  void finish() {
    if (!continuing_) return;
    current_.push_back('\\');
    keep();
    continuing_ = false;
  }

private:
  // Blank lines mean nothing to the parser and are not kept.
  void keep() {
    if (current_.find_first_not_of(" \t") != std::string::npos) lines_.add(current_, number_);
    current_.clear();
    joinedBytes_ = 0;
  }

  RegLines &lines_;
  std::string current_;
  int number_ = 0;
  bool continuing_ = false;
  uint64_t joinedBytes_ = 0; // bytes of the physical lines joined so far
  int physical_ = 1;
};

} // namespace

void RegLines::add(const std::string &line, int number) {
  lines_.push_back({text_.size(), std::uint32_t(line.size()), number});
  text_ += line;
}

bool readRegLines(std::istream &in, RegLines &lines, std::string &error) {
  LineJoiner joiner(lines);
  Encoding encoding = Encoding::Undecided;
  std::string utf8Line; // UTF-8: the bytes of the physical line being read
  WStr utf16Line;       // UTF-16: its units
  bool haveOddByte = false;
  unsigned char oddByte = 0;
  uint64_t total = 0;
  std::unique_ptr<char[]> chunk(new char[kChunkBytes]);
  for (;;) {
    in.read(chunk.get(), std::streamsize(kChunkBytes));
    const size_t got = size_t(in.gcount());
    if (got == 0) break;
    total += got;
    if (total > kMaxImportFileBytes) {
      error = "the file is larger than the limit of " + std::to_string(kMaxImportFileBytes) +
              " bytes for an import";
      return false;
    }
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(chunk.get());
    size_t at = 0;
    if (encoding == Encoding::Undecided) {
      // The first read holds the whole file or a full chunk: enough for a BOM.
      if (got >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        encoding = Encoding::Utf16;
        at = 2;
      } else {
        encoding = Encoding::Utf8;
        if (got >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) at = 3;
      }
    }
    if (encoding == Encoding::Utf8) {
      for (; at < got; ++at) {
        if (bytes[at] != '\n') {
          utf8Line.push_back(char(bytes[at]));
          continue;
        }
        const uint64_t raw = utf8Line.size() + 1;
        if (!joiner.withinLimit(raw, error)) return false;
        joiner.add(toWtf8(toUtf16(utf8Line)), raw);
        utf8Line.clear();
      }
      if (!joiner.withinLimit(utf8Line.size(), error)) return false;
      continue;
    }
    for (; at < got; ++at) {
      if (!haveOddByte) {
        oddByte = bytes[at];
        haveOddByte = true;
        continue;
      }
      haveOddByte = false;
      const WCHAR unit = WCHAR(oddByte | (bytes[at] << 8));
      if (unit != u'\n') {
        utf16Line.push_back(unit);
        continue;
      }
      const uint64_t raw = 2 * (utf16Line.size() + 1);
      if (!joiner.withinLimit(raw, error)) return false;
      joiner.add(toWtf8(utf16Line), raw);
      utf16Line.clear();
    }
    if (!joiner.withinLimit(2 * utf16Line.size(), error)) return false;
  }
  if (in.bad()) {
    error = "the file could not be read";
    return false;
  }
  if (haveOddByte) {
    error = "line " + std::to_string(joiner.physicalNumber()) + ": a stray byte after the last UTF-16 character";
    return false;
  }
  if (!utf8Line.empty()) joiner.add(toWtf8(toUtf16(utf8Line)), utf8Line.size());
  if (!utf16Line.empty()) joiner.add(toWtf8(utf16Line), 2 * utf16Line.size());
  joiner.finish();
  return true;
}

} // namespace zelkreg
