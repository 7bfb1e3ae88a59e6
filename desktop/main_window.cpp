#include "desktop/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QPainter>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstddef>
#include <numeric>
#include <utility>
#include <vector>

#include "core/app/filter_catalogue.h"
#include "core/app/unsaved_changes.h"
#include "core/app/window_title.h"
#include "desktop/clipboard.h"
#include "desktop/column_geometry.h"
#include "desktop/command_shortcuts.h"
#include "desktop/filter_column.h"
#include "desktop/filter_tooltips.h"
#include "desktop/focus_chain.h"
#include "desktop/options_sheet.h"
#include "desktop/pasted_text.h"
#include "desktop/text_view.h"
#include "desktop/utf8_text.h"

namespace quor {
namespace {

constexpr int kMinimumSize = 500;
constexpr int kButtonHeight = 26;
constexpr int kViewX = 260;
constexpr int kViewY = 10;
constexpr QRgb kFrameColour = qRgb(192, 192, 192);  // light grey

struct FixedButton {
  const char* label;
  int command_id;
  int x;
  int distance_from_bottom;
  int width;
};

// From the bottom up, in the order they join the button list.
constexpr std::array<FixedButton, 8> kFixedButtons = {{
    {"Ende", kCommandEnd, 10, 38, 110},
    {"Traybar", kCommandHide, 140, 38, 110},
    {"Laden", kCommandLoad, 10, 66, 110},
    {"Speichern", kCommandSave, 140, 66, 110},
    {"Kopieren", kCommandCopy, 10, 94, 110},
    {"Einfügen", kCommandPaste, 140, 94, 110},
    {"Rückgängig machen", kCommandUndo, 10, 122, 240},
    {"Optionen", kCommandOptions, 10, 148, 240},
}};
// The top of the highest fixed button, "Optionen", above the bottom edge.
constexpr int kFixedButtonsTop = kFixedButtons.back().distance_from_bottom;

// Every filter from the top of the button column down.
std::vector<const FilterEntry*> FiltersInColumnOrder() {
  std::vector<const FilterEntry*> filters;
  for (const FilterEntry& entry : FilterCatalogue()) filters.push_back(&entry);
  std::ranges::sort(filters, {}, &FilterEntry::column);
  return filters;
}

}  // namespace

MainWindow::MainWindow(Application& app, FileDialogs& dialogs)
    : app_(app),
      view_(new TextView(app, this)),
      column_(new FilterColumn(this)),
      busy_(*this),
      commands_(app, *this, *view_, busy_, dialogs),
      tray_available_(&QSystemTrayIcon::isSystemTrayAvailable),
      keeper_(app.program_file) {
  setWindowIcon(QIcon(QStringLiteral(":/quorfilter.png")));
  setMinimumSize(kMinimumSize, kMinimumSize);
  view_->setObjectName(QStringLiteral("text_view"));
  view_->setGeometry(kViewX, kViewY, width() - 270, height() - 20);
  RebuildButtonColumn();
  setAcceptDrops(true);
  AddCommandShortcuts(*this, [this](int command_id) { Execute(command_id); });
}

MainWindow::~MainWindow() = default;

void MainWindow::SetTrayAvailable(std::function<bool()> tray_available) {
  tray_available_ = std::move(tray_available);
}

QPushButton* MainWindow::AddButton(const QString& label, int command_id,
                                   QWidget* parent) {
  auto* button = new QPushButton(label, parent);
  button->setObjectName(QStringLiteral("command_%1").arg(command_id));
  button->setFocusPolicy(Qt::StrongFocus);
  // Enter presses a focused button as Space does.
  button->setAutoDefault(true);
  button->hide();
  connect(button, &QPushButton::clicked, this,
          [this, command_id] { Execute(command_id); });
  buttons_.push_back(button);
  return button;
}

void MainWindow::RebuildButtonColumn() {
  for (QPushButton* button : buttons_) delete button;
  buttons_.clear();
  undo_button_ = nullptr;
  int y = kColumnTop;
  for (const FilterEntry* entry : FiltersInColumnOrder()) {
    if (app_.settings.*(entry->button_flag) == 0) continue;
    QPushButton* button = AddButton(FromUtf8(entry->label), entry->command_id,
                                    &column_->content());
    button->setGeometry(kColumnX, y, kFilterButtonWidth, kButtonHeight);
    button->setToolTip(FilterToolTip(*entry));
    y += kColumnStep;
  }
  first_fixed_ = buttons_.size();
  column_->SetRows(static_cast<int>(first_fixed_));
  for (const FixedButton& fixed : kFixedButtons) {
    QPushButton* button =
        AddButton(QString::fromUtf8(fixed.label), fixed.command_id, this);
    if (fixed.command_id == kCommandUndo) undo_button_ = button;
  }
  PlaceFixedButtons();
  ShowTitle();
  ChainFocus(FocusOrder());
}

std::vector<QWidget*> MainWindow::FocusOrder() const {
  // The filters top down, then the fixed buttons row by row from the top and
  // left to right, and the view last.
  std::vector<QWidget*> order(
      buttons_.begin(),
      buttons_.begin() + static_cast<std::ptrdiff_t>(first_fixed_));
  std::vector<std::size_t> fixed(kFixedButtons.size());
  std::iota(fixed.begin(), fixed.end(), 0);
  std::ranges::sort(fixed, {}, [](std::size_t i) {
    return std::pair(-kFixedButtons[i].distance_from_bottom,
                     kFixedButtons[i].x);
  });
  for (const std::size_t i : fixed) order.push_back(buttons_[first_fixed_ + i]);
  order.push_back(view_);
  return order;
}

void MainWindow::ShowButtons() {
  for (QPushButton* button : buttons_) button->show();
  // Keyboard users start at the top of the column.
  if (focusWidget() == nullptr) buttons_.front()->setFocus();
}

void MainWindow::PlaceFixedButtons() {
  column_->setGeometry(0, 0, kViewX, height() - kFixedButtonsTop - 2);
  for (std::size_t i = 0; i < kFixedButtons.size(); ++i) {
    const FixedButton& fixed = kFixedButtons[i];
    buttons_[first_fixed_ + i]->setGeometry(
        fixed.x, height() - fixed.distance_from_bottom, fixed.width,
        kButtonHeight);
  }
}

void MainWindow::Execute(int command_id) {
  close_agreed_ = false;
  RunCommand(command_id);
  ShowTitle();
}

void MainWindow::ShowTitle() {
  setWindowTitle(QString::fromStdString(
      WindowTitle(app_.document, app_.document_path,
                  app_.history.Modified(app_.document))));
  if (undo_button_ != nullptr) undo_button_->setEnabled(app_.history.CanUndo());
}

void MainWindow::ShowPaste(bool pasted) {
  if (pasted) {
    view_->ResetPositions();
    view_->Refresh();
  } else {
    view_->PaintNow();
  }
}

void MainWindow::RunCommand(int command_id) {
  switch (command_id) {
    case kCommandEnd:
      close();
      return;
    case kCommandHide:
      HideToTray();
      return;
    case kCommandLoad:
      commands_.Load();
      return;
    case kCommandSave:
      commands_.Save();
      return;
    case kCommandCopy:
      if (CopyToClipboard(app_.document, app_.messages)) {
        keeper_.HandOver(*app_.document.text);
      }
      return;
    case kCommandPaste:
    case kCommandPasteWithoutAsking:
      ShowPaste(PasteFromClipboard(app_, command_id == kCommandPaste));
      return;
    case kCommandUndo:
      commands_.Undo();
      return;
    case kCommandRedo:
      commands_.Redo();
      return;
    case kCommandOptions:
      OpenOptions(app_, this, [this] {
        RebuildButtonColumn();
        ShowButtons();
        view_->RecreateFont();
        view_->Refresh();
      });
      return;
    default:
      commands_.RunFilter(command_id);
      return;
  }
}

void MainWindow::HideToTray() {
  if (tray_available_()) {
    hide();
  } else {
    showMinimized();
  }
}

void MainWindow::paintEvent(QPaintEvent* /*event*/) {
  // The frame around the view: the column, the top, right and bottom margins.
  const int w = width();
  const int b = height();
  QPainter painter(this);
  painter.fillRect(0, 0, 261, b + 1, QColor(kFrameColour));
  painter.fillRect(0, 0, w + 1, 11, QColor(kFrameColour));
  painter.fillRect(w - 10, 0, 11, b + 1, QColor(kFrameColour));
  painter.fillRect(0, b - 11, w + 1, 12, QColor(kFrameColour));
}

void MainWindow::resizeEvent(QResizeEvent* /*event*/) {
  // The filter buttons keep their places from the top.
  PlaceFixedButtons();
  view_->setGeometry(kViewX, kViewY, width() - 270, height() - 20);
  update();
}

void MainWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !isMinimized() ||
      !tray_available_()) {
    return;
  }
  // Hiding inside the state change would fight the window manager.
  QTimer::singleShot(0, this, [this] {
    if (isMinimized()) hide();
  });
}

bool MainWindow::MayClose() {
  close_agreed_ =
      SettleUnsavedChanges(app_, [this] { return commands_.Save(); });
  ShowTitle();
  return close_agreed_;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!close_agreed_ && !MayClose()) {
    event->ignore();
    return;
  }
  event->accept();
  // Closing this window ends the program, whatever other windows are left.
  QCoreApplication::quit();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (ReadDrop(*event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  std::optional<DroppedDocument> dropped = ReadDrop(*event->mimeData());
  if (!dropped) return;
  event->acceptProposedAction();
  // Questions wait until the drop is over: the source waits for its end.
  QTimer::singleShot(0, this,
                     [this, taken = std::move(*dropped)] { TakeDrop(taken); });
}

void MainWindow::TakeDrop(const DroppedDocument& dropped) {
  close_agreed_ = false;
  if (dropped.path) {
    commands_.LoadDropped(*dropped.path);
  } else if (MayOverwriteText(app_)) {
    ShowPaste(PasteText(app_, *dropped.text));
  }
  ShowTitle();
}

}  // namespace quor
