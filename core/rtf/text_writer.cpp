#include "core/rtf/text_writer.h"

#include <algorithm>
#include <array>

#include "core/rtf/control_words.h"
#include "core/rtf/destination_readers.h"
#include "core/rtf/token_reader.h"

namespace quor {
namespace {

constexpr std::array<char, 128> kHighBytes = [] {
  std::array<char, 128> bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<char>(128 + i);
  }
  return bytes;
}();

// Mac Roman codes 128 to 255 that have a fair ASCII look-alike; the rest
// become "X".
constexpr std::array<std::string_view, 128> kMacLookAlikes = [] {
  std::array<std::string_view, 128> map{};
  const auto set = [&map](int code, std::string_view text) {
    map[static_cast<std::size_t>(code - 128)] = text;
  };
  set(160, "+");  // dagger
  set(161, "deg.");
  set(162, "cents");
  set(165, "o");  // bullet
  set(167, "B");  // sharp s
  set(168, "reg.");
  set(169, "(c)");
  set(170, "(TM)");
  set(171, "'");  // acute accent
  set(173, "!=");
  set(174, "AE");
  set(177, "+/-");
  set(178, "<=");
  set(179, ">=");
  set(181, "u");  // micro
  set(182, "d");  // partial differential
  set(190, "ae");
  set(197, "~");  // approximately equal
  set(199, "<<");
  set(200, ">>");
  set(201, "...");
  set(202, " ");   // no-break space
  set(208, "-");   // en dash
  set(209, "--");  // em dash
  set(210, "\"");
  set(211, "\"");
  set(212, "`");
  set(213, "'");
  set(214, "/");  // division sign
  return map;
}();

// Destinations without a reader of their own whose text is not part of the
// document's text: footnote continuation marks, revision index entries and
// the document summary fields.
bool IsSkippedDestination(int code) {
  return code == kRtfFootnoteSeparatorContinued ||
         code == kRtfFootnoteContinuationNotice ||
         code == kRtfRevisedIndexEntry ||
         (code >= kRtfTitle && code <= kRtfDocComment);
}

class TextWriter {
 public:
  TextWriter(RtfTokenReader& reader, RtfDestinationReaders& destinations,
             std::int64_t room, RtfCharset& charset, std::string& output)
      : reader_(reader),
        destinations_(destinations),
        room_(room),
        charset_(charset),
        output_(output) {}

  void RunReader() {
    for (;;) {
      WritePlainText(reader_.TakePlainText());
      if (reader_.NextToken() == TokenClass::kEnd) return;
      DispatchToken();
    }
  }

 private:
  void DispatchToken() {
    const RtfToken& token = reader_.token();
    // Tables, document information and pictures are read apart.
    if (token.Is(TokenClass::kControl, kRtfDestination) &&
        destinations_.ReadDestination(token.minor)) {
      return;
    }
    if (token.token_class == TokenClass::kText) {
      EmitChar(token.major);
    } else if (token.token_class == TokenClass::kControl) {
      WriteControlToken(token);
    }
  }

  void WriteControlToken(const RtfToken& token) {
    switch (token.major) {
      case kRtfDestination:
        if (IsSkippedDestination(token.minor)) SkipCurrentGroup(reader_);
        break;
      case kRtfSpecialChar:
        WriteSpecialChar(token.minor);
        break;
      case kRtfCharset:
        SelectCharset(token.minor);
        break;
      default:
        break;
    }
  }

  void WriteSpecialChar(int code) {
    switch (code) {
      case kRtfNonBreakingSpace:
      case kRtfCell:
        EmitChar(' ');
        break;
      case kRtfNonBreakingHyphen:
        EmitChar('-');
        break;
      case kRtfPage:
      case kRtfLine:
      case kRtfPar:
      case kRtfSect:
      case kRtfRow:
        EmitChar('\n');
        break;
      case kRtfTab:
        EmitChar('\t');
        break;
      default:
        break;
    }
  }

  void SelectCharset(int code) {
    switch (code) {
      case kRtfAnsi:
        charset_ = RtfCharset::kAnsi;
        break;
      case kRtfMac:
        charset_ = RtfCharset::kMac;
        break;
      case kRtfPc:
        charset_ = RtfCharset::kPc;
        break;
      case kRtfPca:
        charset_ = RtfCharset::kPca;
        break;
      default:
        break;
    }
  }

  void WritePlainText(std::string_view text) {
    if (charset_ == RtfCharset::kAnsi) {
      const auto n =
          std::min<std::int64_t>(room_, static_cast<std::int64_t>(text.size()));
      output_.append(text.data(), static_cast<std::size_t>(n));
      room_ -= n;
      return;
    }
    for (const char c : text) EmitChar(static_cast<unsigned char>(c));
  }

  void EmitChar(int code) {
    if (code <= 0 || code > 255) return;
    if (code < 128) {
      Put(static_cast<char>(code));
      return;
    }
    for (const char c : CharsetReplacement(charset_, code)) Put(c);
  }

  void Put(char c) {
    if (room_ == 0) return;
    output_.push_back(c);
    --room_;
  }

  RtfTokenReader& reader_;
  RtfDestinationReaders& destinations_;
  std::int64_t room_;
  RtfCharset& charset_;
  std::string& output_;
};

}  // namespace

std::string_view CharsetReplacement(RtfCharset charset, int code) {
  const auto high = static_cast<std::size_t>(code - 128);
  if (charset == RtfCharset::kAnsi) return {&kHighBytes[high], 1};
  if (charset == RtfCharset::kMac && !kMacLookAlikes[high].empty()) {
    return kMacLookAlikes[high];
  }
  return "X";
}

void WriteRtfText(std::string_view source, std::int64_t room,
                  RtfCharset& charset, std::string& output,
                  Messages& messages) {
  RtfTokenReader reader(source);
  RtfDestinationReaders destinations(reader, messages);
  TextWriter(reader, destinations, room, charset, output).RunReader();
}

}  // namespace quor
