#include "reference/rtf_reference.h"

#include <cstdint>
#include <utility>

#include "core/rtf/control_words.h"

namespace quor::reference {
namespace {

constexpr std::int32_t kNoParam = -1000000;

struct State;
using Handler = void (*)(State&);

struct State {
  const unsigned char* input = nullptr;
  int pushed = -1;
  int token_class = 0;
  int major = 0;
  int minor = 0;
  std::int32_t parameter = kNoParam;
  std::vector<long long> sums;
  Handler class_handlers[5] = {};
  Handler destination_readers[37] = {};
  std::string out;
  long long room = 0;
  int charset = 0;
  std::vector<std::string> messages;
};

int GetChar(State& s) {
  int c;
  if (s.pushed != -1) {
    c = s.pushed;
    s.pushed = -1;
  } else {
    c = *s.input;
    if (c != 0) ++s.input;
  }
  return c;
}

bool Letter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool Digit(int c) { return c >= '0' && c <= '9'; }

long long Sum(const std::string& name) {
  long long sum = 0;
  for (const char c : name) sum += static_cast<signed char>(c);
  return sum;
}

void LookupControlWord(State& s, const std::string& name) {
  const long long sum = Sum(name);
  const auto table = ControlWordTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (s.sums[i] != sum) continue;
    if (std::string(table[i].name) == name) {
      s.token_class = 3;
      s.major = table[i].major;
      s.minor = table[i].minor;
      return;
    }
  }
  s.token_class = 0;
}

int HexDigitValue(int c) {
  if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
  if (Digit(c)) return c - '0';
  return c - 87;
}

void ScanToken(State& s) {
  s.token_class = 0;
  s.parameter = kNoParam;
  int c = GetChar(s);
  if (c == 0) {
    s.token_class = 4;
    return;
  }
  if (c == '{' || c == '}') {
    s.token_class = 1;
    s.major = c == '{' ? 0 : 1;
    return;
  }
  if (c == '\t') {
    s.token_class = 3;
    s.major = 6;
    s.minor = 13;
    return;
  }
  if (c != '\\') {
    s.token_class = 2;
    s.major = c;
    return;
  }
  c = GetChar(s);
  if (c == 0) return;
  if (Letter(c)) {
    std::string name;
    while (Letter(c)) {
      name += static_cast<char>(c);
      c = GetChar(s);
    }
    LookupControlWord(s, name);
    std::uint32_t sign = 1;
    if (c == '-') {
      sign = ~std::uint32_t{0};
      c = GetChar(s);
    }
    if (Digit(c)) {
      std::uint32_t p = 0;
      while (Digit(c)) {
        p = p * 10 + static_cast<std::uint32_t>(c - '0');
        c = GetChar(s);
      }
      s.parameter = static_cast<std::int32_t>(p * sign);
    }
    if (c != ' ' && c != 0) s.pushed = c;
    return;
  }
  if (c == '\'') {
    const int h = GetChar(s);
    const int l = GetChar(s);
    if (h == 0 || l == 0) return;
    s.token_class = 2;
    s.major = 16 * HexDigitValue(h) + HexDigitValue(l);
    return;
  }
  if (c == ':' || c == '{' || c == '}' || c == '\\') {
    s.token_class = 2;
    s.major = c;
    return;
  }
  LookupControlWord(s, std::string(1, static_cast<char>(c)));
}

int NextToken(State& s) {
  do {
    ScanToken(s);
  } while (s.token_class == 2 && (s.major == 10 || s.major == 13));
  return s.token_class;
}

bool Is(const State& s, int token_class, int major) {
  return s.token_class == token_class && s.major == major;
}
bool Control(const State& s, int major, int minor) {
  return Is(s, 3, major) && s.minor == minor;
}

void Report(State& s, const char* text) { s.messages.emplace_back(text); }

void SkipCurrentGroup(State& s) {
  int depth = 1;
  for (;;) {
    if (NextToken(s) == 4) return;
    if (Is(s, 1, 0)) ++depth;
    if (Is(s, 1, 1) && --depth < 1) return;
  }
}

void ReadFontTable(State& s) {
  int form = 0;  // 0 undetermined, 1 braced, 2 unbraced
  for (;;) {
    if (NextToken(s) == 4) return;
    if (Is(s, 1, 1)) break;
    if (form == 0) {
      if (Control(s, 12, 9)) {
        form = 2;
      } else if (Is(s, 1, 0)) {
        form = 1;
      } else {
        Report(s, "FTErr - Cannot determine format");
      }
    }
    if (form == 1) {
      if (!Is(s, 1, 0)) Report(s, "FTErr - missing \"{\"");
      if (NextToken(s) == 4) return;
    }
    if (!Control(s, 12, 9)) Report(s, "FTErr - missing font number");
    if (NextToken(s) == 4) return;
    if (!Is(s, 3, 4)) Report(s, "FTErr - missing font family");
    std::string name;
    if (NextToken(s) == 4) return;
    while (s.token_class == 2 && s.major != ';') {
      name += static_cast<char>(s.major & 0xFF);
      if (NextToken(s) == 4) return;
    }
    if (name.empty()) Report(s, "FTErr - missing font name");
    if (form == 1) {
      if (NextToken(s) == 4) return;
      if (!Is(s, 1, 1)) Report(s, "FTErr - missing \"}\"");
    }
  }
}

void ReadColorTable(State& s) {
  for (;;) {
    if (NextToken(s) == 4) return;
    if (Is(s, 1, 1)) break;
    while (Is(s, 3, 5)) {
      if (NextToken(s) == 4) return;
    }
    if (!Is(s, 2, ';')) Report(s, "CTErr - malformed entry");
  }
}

void ReadStyleSheet(State& s) {
  for (;;) {
    if (NextToken(s) == 4) return;
    if (Is(s, 1, 1)) break;
    int number = -1;
    if (!Is(s, 1, 0)) Report(s, "SSErr - missing \"{\"");
    for (;;) {
      if (NextToken(s) == 4) return;
      if (s.token_class != 3) break;
      if (Control(s, 11, 1)) number = s.parameter;
    }
    if (s.token_class != 2) Report(s, "SSErr - missing style name");
    std::string name;
    while (s.token_class == 2) {
      if (s.major == ';') {
        if (NextToken(s) == 4) return;
        break;
      }
      if (name.size() < 1023) name += static_cast<char>(s.major & 0xFF);
      if (NextToken(s) == 4) return;
    }
    if (number < 0 && name != "Normal")
      Report(s, "SSErr - missing style number");
    if (!Is(s, 1, 1)) Report(s, "SSErr - missing \"}\"");
  }
}

const char* MacText(int code) {
  static const std::pair<int, const char*> kMap[] = {
      {160, "+"},    {161, "deg."}, {162, "cents"}, {165, "o"},  {167, "B"},
      {168, "reg."}, {169, "(c)"},  {170, "(TM)"},  {171, "'"},  {173, "!="},
      {174, "AE"},   {177, "+/-"},  {178, "<="},    {179, ">="}, {181, "u"},
      {182, "d"},    {190, "ae"},   {197, "~"},     {199, "<<"}, {200, ">>"},
      {201, "..."},  {202, " "},    {208, "-"},     {209, "--"}, {210, "\""},
      {211, "\""},   {212, "`"},    {213, "'"},     {214, "/"}};
  for (const auto& [c, text] : kMap) {
    if (c == code) return text;
  }
  return "X";
}

void EmitChar(State& s, int code) {
  if (s.room == 0) return;
  if (code >= 1 && code <= 127) {
    s.out += static_cast<char>(code);
    --s.room;
    return;
  }
  if (code < 128 || code > 255) return;
  std::string text(1, static_cast<char>(code));
  if (s.charset == 1) text = MacText(code);
  if (s.charset >= 2) text = "X";
  for (const char c : text) {
    if (s.room == 0) return;
    s.out += c;
    --s.room;
  }
}

void WriteTextToken(State& s) { EmitChar(s, s.major); }

void WriteControlToken(State& s) {
  if (s.major == 3) {
    const int m = s.minor;
    if (m == 12 || m == 13 || m == 25 || (m >= 29 && m <= 36)) {
      SkipCurrentGroup(s);
    }
  } else if (s.major == 6) {
    const int m = s.minor;
    if (m == 6 || m == 14) EmitChar(s, ' ');
    if (m == 8) EmitChar(s, '-');
    if (m == 9 || m == 10 || m == 11 || m == 12 || m == 15) EmitChar(s, '\n');
    if (m == 13) EmitChar(s, '\t');
  } else if (s.major == 2) {
    s.charset = s.minor;
  }
}

void DispatchToken(State& s) {
  if (s.token_class == 3 && s.major == 3 &&
      s.destination_readers[s.minor] != nullptr) {
    s.destination_readers[s.minor](s);
    return;
  }
  if (s.class_handlers[s.token_class] != nullptr) {
    s.class_handlers[s.token_class](s);
  }
}

}  // namespace

RtfConversion ConvertRtf(const std::string& source, int charset) {
  State s;
  for (const ControlWordEntry& entry : ControlWordTable()) {
    s.sums.push_back(Sum(std::string(entry.name)));
  }
  s.destination_readers[16] = ReadFontTable;
  s.destination_readers[17] = ReadColorTable;
  s.destination_readers[15] = ReadStyleSheet;
  s.destination_readers[14] = SkipCurrentGroup;
  s.destination_readers[0] = SkipCurrentGroup;
  s.input = reinterpret_cast<const unsigned char*>(source.c_str());
  s.room = static_cast<long long>(source.size()) + 1;
  s.charset = charset;
  s.class_handlers[2] = WriteTextToken;
  s.class_handlers[3] = WriteControlToken;
  while (NextToken(s) != 4) DispatchToken(s);
  return {s.out, s.messages, s.charset};
}

}  // namespace quor::reference
