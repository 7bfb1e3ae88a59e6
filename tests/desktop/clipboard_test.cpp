// Copy and paste through the in-process clipboard of the offscreen platform.

#include "desktop/clipboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "test_support.h"

namespace quor {
namespace {

using testing::RecordingMessages;

using Shown = std::vector<std::pair<std::string, std::string>>;

QClipboard& Clipboard() { return *QGuiApplication::clipboard(); }

void PutImageOnClipboard() {
  auto* data = new QMimeData;
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::red);
  data->setImageData(image);
  Clipboard().setMimeData(data);
}

class ClipboardTest : public ::testing::Test {
 protected:
  ClipboardTest() : app_(ProgramPaths{}, messages_) {}

  RecordingMessages messages_;
  Application app_;
};

TEST_F(ClipboardTest, CopyTurnsWindows1252IntoUnicodeAndNeedsADocument) {
  Clipboard().setText("alt");
  CopyToClipboard(app_.document, messages_);
  EXPECT_EQ(messages_.shown, (Shown{{"Fehler!", "Kein Text im Speicher."}}));
  EXPECT_EQ(Clipboard().text(), "alt");
  messages_.shown.clear();

  app_.document.text = "";  // empty text replaces what was there
  CopyToClipboard(app_.document, messages_);
  ASSERT_NE(Clipboard().mimeData(), nullptr);
  EXPECT_TRUE(Clipboard().mimeData()->hasText());
  EXPECT_EQ(Clipboard().text(), QString());

  app_.document.text = "Gr\xFC\xDF \x80\x96\r\nx";
  CopyToClipboard(app_.document, messages_);
  EXPECT_EQ(Clipboard().text(), QString::fromUtf8("Grüß €–\r\nx"));
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(app_.document.text, "Gr\xFC\xDF \x80\x96\r\nx");
}

TEST_F(ClipboardTest, PasteTurnsUnicodeIntoWindows1252) {
  // Outside Windows-1252: an arrow and, as a surrogate pair, an emoji. A
  // zero character is dropped without cutting the text.
  QString text = QString::fromUtf8("ä€b→c😀d\r\ne");
  text += QChar(0);
  text += "da";
  Clipboard().setText(text);
  EXPECT_TRUE(PasteFromClipboard(app_, false));
  EXPECT_EQ(app_.document.text,
            "\xE4\x80"
            "b?c?d\r\neda");
  EXPECT_EQ(messages_.shown,
            (Shown{{"Hinweis!",
                    "2 Zeichen ohne Entsprechung in Windows-1252 wurden "
                    "durch ? ersetzt."}}));
  EXPECT_TRUE(messages_.asked.empty());
}

TEST_F(ClipboardTest, PasteAsksOnlyWhenADocumentExists) {
  Clipboard().setText("neu");
  EXPECT_TRUE(PasteFromClipboard(app_, true));
  EXPECT_TRUE(messages_.asked.empty());
  EXPECT_EQ(app_.document.text, "neu");

  // Over a document: its path stays, and the paste can be undone.
  app_.document_path = "/tmp/brief.txt";
  Clipboard().setText("neuer");
  EXPECT_TRUE(PasteFromClipboard(app_, true));
  EXPECT_EQ(messages_.asked,
            (Shown{{"Es ist ein Text im Speicher!", "Text überschreiben?"}}));
  EXPECT_EQ(app_.document.text, "neuer");
  EXPECT_EQ(app_.document_path, "/tmp/brief.txt");
  ASSERT_TRUE(app_.history.Undo(app_.document, messages_));
  EXPECT_EQ(app_.document.text, "neu");
}

TEST_F(ClipboardTest, PictureOnlyIsReportedUnlessThePasteIsAnsweredNo) {
  app_.document.text = "alt";
  PutImageOnClipboard();
  messages_.answer = false;
  EXPECT_FALSE(PasteFromClipboard(app_, true));
  EXPECT_EQ(messages_.asked.size(), 1u);
  EXPECT_TRUE(messages_.shown.empty());  // the clipboard was never read
  EXPECT_FALSE(PasteFromClipboard(app_, false));
  EXPECT_EQ(messages_.shown,
            (Shown{{"Fehler!", "Keine Textdaten im Clipboard."}}));
  EXPECT_EQ(app_.document.text, "alt");
}

}  // namespace
}  // namespace quor
