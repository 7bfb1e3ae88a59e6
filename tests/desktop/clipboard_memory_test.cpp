// Copy and paste when memory runs out: each allocation they make fails in
// turn, and each time the user is told and loses nothing.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "alloc_walk.h"
#include "desktop/clipboard.h"
#include "desktop/main_window.h"
#include "desktop/text_view.h"
#include "fake_file_dialogs.h"
#include "test_support.h"

namespace quor {
namespace {

using testing::AllocationFailure;
using testing::PreparedMessages;
using testing::Shown;
using testing::WalkFailingAllocations;

const Shown kCannotReserveShown = {
    {"Fehler!", "Kann nicht genug Speicher reservieren."}};
const Shown kNoMemoryShown = {{"Fehler!", "Nicht genug Speicher frei."}};

QClipboard& Clipboard() { return *QGuiApplication::clipboard(); }

// A document with its path and an undo step, and messages that are recorded
// without allocating.
struct ClipboardRun {
  ClipboardRun()
      : messages(std::make_unique<PreparedMessages>()),
        app(std::make_unique<Application>(ProgramPaths{}, *messages)) {
    app->document.text = "vorher";
    app->document_path = "/tmp/brief.txt";
    app->history.Record(TextDocument{std::string("davor")});
  }

  std::unique_ptr<PreparedMessages> messages;
  std::unique_ptr<Application> app;
  bool pasted = false;
};

TEST(ClipboardMemory, EveryFailingAllocationOfAPasteKeepsTheDocument) {
  // "Einfügen" asks first; start-up and the tray icon paste without asking.
  for (const bool ask : {true, false}) {
    Clipboard().setText(QString::fromUtf8("Der neue Text\r\nmit Ä und →\r\n"));
    const std::size_t allocations = WalkFailingAllocations<ClipboardRun>(
        [] { return ClipboardRun(); },
        [&](ClipboardRun& r) { r.pasted = PasteFromClipboard(*r.app, ask); },
        [&](const ClipboardRun& r, std::size_t n) {
          EXPECT_FALSE(r.pasted) << ask << " " << n;
          EXPECT_EQ(r.messages->shown(), kCannotReserveShown)
              << ask << " " << n;
          EXPECT_EQ(r.app->document.text, "vorher") << ask << " " << n;
          EXPECT_EQ(r.app->document_path, "/tmp/brief.txt") << ask << " " << n;
          EXPECT_EQ(r.app->history.UndoSteps(), 1u) << ask << " " << n;
        });
    EXPECT_GT(allocations, 0u) << ask;
  }
}

TEST(ClipboardMemory, EveryFailingAllocationOfACopyKeepsTheClipboard) {
  const std::size_t allocations = WalkFailingAllocations<ClipboardRun>(
      [] {
        Clipboard().setText("alt");
        return ClipboardRun();
      },
      [](ClipboardRun& r) { CopyToClipboard(r.app->document, *r.messages); },
      [](const ClipboardRun& r, std::size_t n) {
        EXPECT_EQ(r.messages->shown(), kNoMemoryShown) << n;
        EXPECT_EQ(Clipboard().text(), "alt") << n;
        EXPECT_EQ(r.app->document.text, "vorher") << n;
      });
  EXPECT_GT(allocations, 0u);
  EXPECT_EQ(Clipboard().text(), "vorher");
}

// "Einfügen" and the paste of start-up and tray icon, as the window runs them.
TEST(ClipboardMemory, WindowKeepsDocumentAndPlaceWhenATextDoesNotFit) {
  testing::RecordingMessages messages;
  Application app(ProgramPaths{}, messages);
  std::string lines;
  for (int i = 0; i < 200; ++i) lines += "Zeile\r\n";
  app.document.text = lines;
  testing::FakeFileDialogs dialogs;
  MainWindow window(app, dialogs);
  window.resize(600, 500);
  window.show();
  window.view().Refresh();
  window.view().verticalScrollBar()->triggerAction(
      QAbstractSlider::SliderToMaximum);
  const std::int64_t first_line = app.view.first_line;
  ASSERT_GT(first_line, 0);

  // Only what grows with the text fails, not the toolkit's small pieces.
  const std::string large(1 << 20, 'x');
  Clipboard().setText(QString::fromStdString(large));
  {
    const auto failure = AllocationFailure::FromSize(large.size());
    window.Execute(kCommandPaste);
    window.Execute(kCommandPasteWithoutAsking);
  }
  EXPECT_EQ(messages.shown,
            (Shown{kCannotReserveShown[0], kCannotReserveShown[0]}));
  EXPECT_EQ(app.document.text, lines);
  EXPECT_EQ(app.view.first_line, first_line);
  EXPECT_TRUE(app.view.line_index);
}

TEST(ClipboardMemory, CopyOptionSaysWhenTheKeeperHasNoRoomForTheText) {
  // The keeper is a fork of this process and so inherits the failing
  // allocation. It converts the text before it needs a display, so the one
  // named here is never opened.
  const QByteArray display = qgetenv("DISPLAY");
  qputenv("DISPLAY", "no-such-display");
  testing::RecordingMessages messages;
  const TextDocument document{std::string(1 << 20, 'x')};
  {
    const auto failure = AllocationFailure::FromSize(document.text->size());
    CopyToClipboardAfterExit(document.text, messages);
  }
  if (display.isNull()) {
    qunsetenv("DISPLAY");
  } else {
    qputenv("DISPLAY", display);
  }
  EXPECT_EQ(messages.shown, kNoMemoryShown);
}

}  // namespace
}  // namespace quor
