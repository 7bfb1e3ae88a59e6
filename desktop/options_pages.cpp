#include "desktop/options_pages.h"

#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>
#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <limits>

#include "core/view/cp1252_text.h"
#include "desktop/dialog_units.h"

namespace quor {
namespace {

using Kind = OptionsControl::Kind;

// Controls in tab order; positions in dialog units.
constexpr OptionsControl kGeneral[] = {
    {Kind::kBox, 2001, "Anzeige umbrechen", 20, 12, 156, 12,
     &Settings::wrap_view},
    {Kind::kBox, 2000, "&Clipboard beim öffnen laden", 20, 28, 160, 12,
     &Settings::clipboard},
    {Kind::kRightText, 0, "Zeichengröße:", 40, 194, 60, 8},
    {Kind::kNumber, 2002, "", 108, 192, 20, 12, &Settings::font_size},
    {Kind::kRightText, 0, "Zeichensatz:", 40, 162, 60, 8},
    {Kind::kCharacterSet, 2009, "", 108, 160, 60, 14},
    {Kind::kRightText, 0, "Trennzeichen für einige Filter:", 4, 180, 96, 8},
    {Kind::kSeparator, 216, "", 108, 178, 20, 12},
};

constexpr OptionsControl kFilter1[] = {
    {Kind::kBox, 200, "nur &Substantive", 11, 4, 180, 12, &Settings::nouns},
    {Kind::kBox, 201, "doppelte &Wörter entfernen", 11, 17, 180, 12,
     &Settings::duplicate_words},
    {Kind::kBox, 202, "doppelte &Zeilen entfernen", 11, 30, 180, 12,
     &Settings::duplicate_lines},
    {Kind::kBox, 203, "überflüssige &Leerzeichen/Zeilen entfernen", 11, 43, 180,
     12, &Settings::superfluous_blanks},
    {Kind::kBox, 204, "nur &Großbuchstaben", 11, 56, 180, 12,
     &Settings::upper_case},
    {Kind::kBox, 205, "nur &Kleinbuchstaben", 11, 69, 180, 12,
     &Settings::lower_case},
    {Kind::kBox, 206, "HTML-Steuerzeichen entfernen", 11, 82, 180, 12,
     &Settings::html},
    {Kind::kBox, 207, "&Ansi -> OEM", 11, 108, 180, 12, &Settings::ansi_to_oem},
    {Kind::kBox, 208, "&OEM -> Ansi", 11, 121, 180, 12, &Settings::oem_to_ansi},
    {Kind::kBox, 209, "&CR/LF entfernen", 11, 134, 180, 12,
     &Settings::remove_line_breaks},
    {Kind::kBox, 210, "DOS -> MAC", 11, 147, 180, 12, &Settings::dos_to_mac},
    {Kind::kBox, 211, "&MAC -> DOS", 11, 160, 180, 12, &Settings::mac_to_dos},
    {Kind::kBox, 212, "&Buchstaben", 11, 173, 180, 12, &Settings::letters_only},
    {Kind::kBox, 213, "RTF-Steuerzeichen entfernen", 11, 95, 180, 12,
     &Settings::rtf},
    {Kind::kBox, 214, "Exclude-Datei anwenden", 11, 186, 180, 12,
     &Settings::exclude, &ProgramPaths::exclude_list},
    {Kind::kBox, 215, "Replace-Datei anwenden", 11, 199, 180, 12,
     &Settings::replace, &ProgramPaths::replace_list},
};

constexpr OptionsControl kFilter2[] = {
    {Kind::kBox, 2008, "2 gleiche Zeichen", 11, 4, 160, 12,
     &Settings::two_same_chars},
    {Kind::kBox, 2007, "3 gleiche Zeichen", 11, 20, 160, 12,
     &Settings::three_same_chars},
    {Kind::kBox, 2006, "X gleiche Zeichen", 11, 36, 112, 12,
     &Settings::x_same_chars},
    {Kind::kBox, 2005, "Mindestwortlänge", 11, 52, 112, 12,
     &Settings::min_word_length_button},
    {Kind::kNumber, 2004, "", 128, 36, 20, 12, &Settings::same_chars_length},
    {Kind::kNumber, 2003, "", 128, 52, 20, 12, &Settings::min_word_length},
    {Kind::kText, 0, "Zeichen", 150, 38, 40, 8},
    {Kind::kText, 0, "Zeichen", 150, 54, 40, 8},
    {Kind::kBox, 217, "keine Zahlen", 11, 68, 112, 12, &Settings::no_digits},
    {Kind::kBox, 218, "DOS -> Unix", 11, 84, 60, 12, &Settings::dos_to_unix},
    {Kind::kBox, 219, "Unix -> DOS", 11, 100, 60, 12, &Settings::unix_to_dos},
    {Kind::kBox, 101, "Wortumbruch", 11, 116, 112, 12, &Settings::wrap_words},
    {Kind::kNumber, 102, "", 128, 116, 20, 12, &Settings::wrap_width},
    {Kind::kText, 103, "Zeichen", 150, 118, 40, 8},
    {Kind::kBox, 220, "Moderne Leser", 11, 132, 112, 12,
     &Settings::modern_readers},
};

constexpr int kFontPixels = 11;  // the font of the dialog units
constexpr int kPageWidth = 202;
constexpr int kPageHeight = 220;

QRect PixelRect(const OptionsControl& control, UnitScale scale) {
  return QRect(UnitsAcross(control.x, scale), UnitsDown(control.y, scale),
               UnitsAcross(control.width, scale),
               UnitsDown(control.height, scale));
}

// How far the units must stretch for every label and box to show its whole
// text with the font at hand.
UnitScale FitScale(
    const std::vector<std::pair<const OptionsControl*, QWidget*>>& placed) {
  UnitScale scale;
  for (const auto& [control, widget] : placed) {
    if (control->kind == Kind::kNumber || control->kind == Kind::kSeparator) {
      continue;
    }
    scale = StretchedFor(scale, *widget, control->width, control->height);
  }
  return scale;
}

void SetUpPage(QWidget& page, UnitScale scale = {}) {
  page.setFixedSize(UnitsAcross(kPageWidth, scale),
                    UnitsDown(kPageHeight, scale));
}

void SetPageFont(QWidget& page) {
  QFont font = page.font();
  font.setPixelSize(kFontPixels);
  page.setFont(font);
}

// An edit field that does not scroll: typing that would run past its right
// edge is refused, while a longer text set by the program stays whole.
class FieldEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const QString before = text();
    const int cursor = cursorPosition();
    QLineEdit::keyPressEvent(event);
    if (text().size() > before.size() && !Fits(text())) {
      setText(before);
      setCursorPosition(cursor);
    }
  }

 private:
  bool Fits(const QString& candidate) const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents =
        style()
            ->subElementRect(QStyle::SE_LineEditContents, &option, this)
            .marginsRemoved(textMargins());
    // The line edit keeps 2 pixels free on either side of its text, and the
    // cursor needs one more.
    return fontMetrics().horizontalAdvance(candidate) + 5 <= contents.width();
  }
};

// The number in an edit field read as unsigned decimal, kept as the same
// 32 bits: blanks before the digits are skipped and reading stops at the
// first other character. No digits, or a value beyond 32 bits, give 0.
std::int32_t UnsignedNumber(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text.at(i) == u' ') ++i;
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text.at(i).unicode();
    if (c < u'0' || c > u'9') break;
    value = value * 10 + (c - u'0');
    if (value > std::numeric_limits<std::uint32_t>::max()) return 0;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

bool FileExists(const std::string& path) {
  return ::access(path.c_str(), F_OK) == 0;
}

// Why a word-list box stays off: the file and the folder it is looked for in.
std::string MissingListText(const std::string& path) {
  const std::filesystem::path file(path);
  return "Die Datei " + file.filename().string() +
         " fehlt; sie wird in diesem Ordner gesucht: " +
         file.parent_path().string();
}

// The choices of "Zeichensatz": shown text and the setting's value.
constexpr std::pair<const char*, const char*> kCharacterSets[] = {
    {"Automatisch", "Auto"},
    {"ANSI", "ANSI"},
    {"UTF-8", "UTF-8"},
};

QComboBox* CharacterSetBox(QWidget* page, std::string& setting) {
  auto* box = new QComboBox(page);
  for (const auto& [text, value] : kCharacterSets) {
    box->addItem(QString::fromUtf8(text), QString::fromUtf8(value));
  }
  // Only a choice of the user writes the setting, at once like a check box.
  QObject::connect(box, &QComboBox::activated, page, [box, &setting](int) {
    setting = box->currentData().toString().toStdString();
  });
  return box;
}

}  // namespace

SettingsPage* SettingsPage::General(Application& app) {
  return new SettingsPage(kGeneral, app);
}

SettingsPage* SettingsPage::Filter1(Application& app) {
  return new SettingsPage(kFilter1, app);
}

SettingsPage* SettingsPage::Filter2(Application& app) {
  return new SettingsPage(kFilter2, app);
}

SettingsPage::SettingsPage(std::span<const OptionsControl> controls,
                           Application& app)
    : app_(app) {
  SetPageFont(*this);
  std::vector<std::pair<const OptionsControl*, QWidget*>> placed;
  // Created in table order, which makes it the tab order.
  for (const OptionsControl& control : controls) {
    const QString label = QString::fromUtf8(control.label);
    const QString id = QString::number(control.id);
    QWidget* widget = nullptr;
    switch (control.kind) {
      case Kind::kBox: {
        auto* box = new QCheckBox(label, this);
        box->setObjectName("box" + id);
        connect(box, &QCheckBox::clicked, this,
                [this, &control, box] { BoxClicked(control, *box); });
        boxes_.emplace_back(&control, box);
        widget = box;
        break;
      }
      case Kind::kNumber:
      case Kind::kSeparator: {
        auto* edit = new FieldEdit(this);
        edit->setObjectName("edit" + id);
        if (control.kind == Kind::kNumber) {
          edit->setValidator(new QRegularExpressionValidator(
              QRegularExpression(QStringLiteral("[0-9]*")), edit));
        }
        edits_.emplace_back(&control, edit);
        widget = edit;
        break;
      }
      case Kind::kCharacterSet:
        character_set_ = CharacterSetBox(this, app_.settings.character_set);
        character_set_->setObjectName("choice" + id);
        widget = character_set_;
        break;
      case Kind::kText:
      case Kind::kRightText: {
        auto* text = new QLabel(label, this);
        if (control.id != 0) text->setObjectName("text" + id);
        if (control.kind == Kind::kRightText) {
          text->setAlignment(Qt::AlignRight | Qt::AlignTop);
        }
        widget = text;
        break;
      }
    }
    placed.emplace_back(&control, widget);
  }
  const UnitScale scale = FitScale(placed);
  for (const auto& [control, widget] : placed) {
    widget->setGeometry(PixelRect(*control, scale));
  }
  SetUpPage(*this, scale);
}

void SettingsPage::Show() {
  if (shown_) return;
  shown_ = true;
  const Settings& settings = app_.settings;
  for (const auto& [control, box] : boxes_) {
    box->setChecked(settings.*control->setting != 0);
  }
  if (character_set_ != nullptr) {
    const int index =
        character_set_->findData(QString::fromStdString(settings.character_set),
                                 Qt::UserRole, Qt::MatchFixedString);
    character_set_->setCurrentIndex(std::max(index, 0));
  }
  for (const auto& [control, edit] : edits_) {
    if (control->kind == Kind::kNumber) {
      edit->setText(QString::number(
          static_cast<std::uint32_t>(settings.*control->setting)));
    } else {
      edit->setText(
          QString::fromStdU16String(Cp1252ToUtf16(settings.separator)));
    }
  }
}

void SettingsPage::TakeOverEdits() {
  if (!shown_) return;
  for (const auto& [control, edit] : edits_) {
    if (control->kind == Kind::kNumber) {
      app_.settings.*control->setting = UnsignedNumber(edit->text());
    } else {
      // The setting holds at most 19 characters.
      std::string separator = Utf16ToCp1252(edit->text().toStdU16String());
      separator.resize(std::min<std::size_t>(separator.size(), 19));
      app_.settings.separator = std::move(separator);
    }
  }
}

void SettingsPage::BoxClicked(const OptionsControl& control, QCheckBox& box) {
  // Only the lowest bit flips, so a flag stored as 2 becomes 3 and stays on;
  // the box has toggled its own check mark already.
  std::int32_t& value = app_.settings.*control.setting;
  value ^= 1;
  if (control.needs_file == nullptr) return;
  const std::string& list = app_.paths.*control.needs_file;
  if (!FileExists(list)) {
    if (value != 0) app_.messages.Show(MissingListText(list), kCaptionNote);
    value = 0;
  }
  if (value == 0) box.setChecked(false);
}

QWidget* InformationPage(const QString& title, const QString& text) {
  auto* page = new QWidget;
  SetPageFont(*page);
  SetUpPage(*page);
  auto* heading = new QLabel(title, page);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  heading->setAlignment(Qt::AlignHCenter);
  auto* body = new QLabel(text, page);
  body->setWordWrap(true);
  body->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(UnitsAcross(10), UnitsDown(10), UnitsAcross(10),
                             UnitsDown(10));
  layout->setSpacing(UnitsDown(8));
  layout->addWidget(heading);
  layout->addWidget(body, 1);
  return page;
}

}  // namespace quor
