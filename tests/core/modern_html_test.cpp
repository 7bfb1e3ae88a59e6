#include "core/html/modern_html.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace quor {
namespace {

std::string Read(std::string html) {
  testing::RecordingMessages messages;
  TextDocument document{std::move(html)};
  ModernHtmlToText(document, messages);
  EXPECT_TRUE(messages.shown.empty());
  return *document.text;
}

struct Case {
  const char* what;
  std::string html;
  std::string text;
};

TEST(ModernHtml, ReadsTheTextOfEachKindOfMarkup) {
  const Case cases[] = {
      // Blocks and breaks end lines.
      {"p", "<p>one</p><p>two</p>", "one\r\n\r\ntwo\r\n"},
      {"p unclosed", "<p>one<p>two", "one\r\n\r\ntwo\r\n"},
      {"div", "a<div>b</div>c", "a\r\nb\r\nc\r\n"},
      {"nested div", "<div><div>a</div></div><div>b</div>", "a\r\nb\r\n"},
      {"h1", "<h1>Title</h1>text", "Title\r\n\r\ntext\r\n"},
      {"br", "a<br>b<br><br>c", "a\r\nb\r\n\r\nc\r\n"},
      {"br ending a paragraph", "<p>a<br></p><p>b</p>", "a\r\n\r\nb\r\n"},
      {"li", "<ul><li>one<li>two</ul>after", "one\r\ntwo\r\nafter\r\n"},
      {"li in text", "x<ol><li> a </li></ol>", "x\r\na\r\n"},
      {"hr", "a<hr>b", "a\r\nb\r\n"},
      {"inline", "<b>bold</b> and <i>it</i><span>alic</span>",
       "bold and italic\r\n"},
      {"nothing", "<html><body></body></html>", ""},
      // Table cells are tabbed and rows end lines.
      {"two rows", "<table><tr><td>a</td><td>b</td></tr><tr><td>c<td>d",
       "a\tb\r\nc\td\r\n"},
      {"th and blanks", "<table><tr><th> x </th><td> y </td></table>z",
       "x\ty\r\nz\r\n"},
      {"empty cell", "<table><tr><td>a<td><td>b</table>", "a\t\tb\r\n"},
      // Hidden parts are left out.
      {"head", "<head><title>T</title><meta x></head><body>b", "b\r\n"},
      {"script", "a<script src=\"x.js\">if (a<b) c();</script>b", "ab\r\n"},
      {"style", "<style type=\"text/css\">p {}</style>text", "text\r\n"},
      {"template", "a<template><p>t</p></template>b", "ab\r\n"},
      {"comment", "a<!-- c -->b<!-->c", "abc\r\n"},
      {"unclosed comment", "a<!-- b", "a\r\n"},
      // White space collapses outside <pre>.
      {"runs", "  a \t\r\n b\f c  ", "a b c\r\n"},
      {"across tags", "a <b> b </b> c", "a b c\r\n"},
      {"around blocks", "a <div> b </div> c", "a\r\nb\r\nc\r\n"},
      {"nbsp stays", "a&nbsp;&nbsp;b",
       "a\xA0\xA0"
       "b\r\n"},
      {"pre", "x<pre>\n  a  b\n\tc\n</pre>y", "x\r\n  a  b\r\n\tc\r\ny\r\n"},
      {"pre with tags", "<pre>a <b> b</b>\r\nc</pre>", "a  b\r\nc\r\n"},
      // Every reference is decoded.
      {"named", "&auml;&Auml;&szlig;&amp;&lt;&gt;&quot;&copy;",
       "\xE4\xC4\xDF&<>\"\xA9\r\n"},
      {"beyond the old table", "&euro;&hellip;&mdash;&rsquo;&bdquo;",
       "\x80\x85\x97\x92\x84\r\n"},
      {"numeric", "&#65;&#x42;&#X43;&#8364;&#x2013;", "ABC\x80\x96\r\n"},
      {"without semicolon", "&copy &amp x", "\xA9 & x\r\n"},
      {"unknown name", "&nosuch; &", "&nosuch; &\r\n"},
      {"windows code points", "&#128;&#150;", "\x80\x96\r\n"},
      {"out of range", "&#x110000;&#xD800;", "&#65533;&#65533;\r\n"},
      {"zero", "a&#0;b&#x0;c", "a&#65533;b&#65533;c\r\n"},
      // Characters Windows-1252 lacks become references.
      {"greek", "&alpha;&#x3B2;", "&#945;&#946;\r\n"},
      {"emoji", "&#x1F600;!", "&#128512;!\r\n"},
      // The parser takes control characters for broken input.
      {"controls are marked", "a\x81\x01z", "a&#65533;&#65533;z\r\n"},
      {"code page bytes", "\x80 \x9F \xFF", "\x80 \x9F \xFF\r\n"},
      // A UTF-8 file with characters beyond the code page stays UTF-8, and
      // so do the characters its references stand for.
      {"utf-8 page", "<p>\xE6\x97\xA5 &auml;&nbsp;&#x65E5;",
       "\xE6\x97\xA5 \xC3\xA4\xC2\xA0\xE6\x97\xA5\r\n"},
      {"code page bytes that would pass for UTF-8", "\xC3\xA4 &auml;",
       "\xC3\xA4 \xE4\r\n"},
      {"a whole page",
       "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n"
       "<meta charset=\"utf-8\">\n<title>Seite</title>\n"
       "<style type=\"text/css\">body { color: red }</style>\n"
       "<script src=\"a.js\"></script>\n</head>\n<body>\n"
       "<h1>Kopf</h1>\n<p>Ein  Absatz\nmit &bdquo;Zitat&ldquo;.</p>\n"
       "<script>document.write('x')</script>\n"
       "<ul>\n  <li>eins</li>\n  <li>zwei</li>\n</ul>\n</body>\n</html>\n",
       "Kopf\r\n\r\nEin Absatz mit \x84Zitat\x93.\r\n\r\neins\r\nzwei\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Read(c.html), c.text) << c.what << ": " << c.html;
  }
}

TEST(ModernHtml, PathologicalPagesEndWithoutZeroBytes) {
  const struct {
    const char* what;
    std::string html;
  } cases[] = {
      {"deep nesting",
       [] {
         std::string html;
         for (int i = 0; i < 1000000; ++i) html += "<div><span>";
         return html + "x";
       }()},
      {"truncated tags", "<p>a</p><div class=\"x<table><tr><td"},
      {"binary bytes",
       [] {
         std::string html;
         for (int i = 1; i < 256; ++i) html.push_back(static_cast<char>(i));
         return html + html + "<" + html;
       }()},
  };
  for (const auto& c : cases) {
    const std::string text = Read(c.html);
    EXPECT_EQ(text.find('\0'), std::string::npos) << c.what;
  }
}

}  // namespace
}  // namespace quor
