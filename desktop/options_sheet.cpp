#include "desktop/options_sheet.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <utility>

#include "core/app/version.h"
#include "core/files/program_paths.h"
#include "core/settings/settings.h"
#include "desktop/options_pages.h"

namespace quor {
namespace {

constexpr char kSheetName[] = "options";

class OptionsSheet : public QDialog {
 public:
  OptionsSheet(Application& app, QWidget* parent)
      : QDialog(parent), app_(app), tabs_(new QTabWidget) {
    setObjectName(kSheetName);
    setWindowTitle(QString::fromUtf8(kNameAndVersion));
    tabs_->addTab(SettingsPage::General(app), "Allgemein");
    tabs_->addTab(SettingsPage::Filter1(app), "Filter-1");
    tabs_->addTab(SettingsPage::Filter2(app), "Filter-2");
    tabs_->addTab(
        InformationPage(
            "Charity",
            "Quor-Filter kostet nichts.\n\n"
            "Wenn Ihnen das Programm Arbeit erspart, spenden Sie doch "
            "einer gemeinnützigen Einrichtung Ihrer Wahl einen kleinen "
            "Betrag, gern auch einer in Ihrer Nachbarschaft."),
        "Charity");
    tabs_->addTab(
        InformationPage(
            "Support",
            "Fragen, Fehler oder Wünsche?\n\n"
            "Beschreiben Sie möglichst genau, welchen Filter Sie auf welchen "
            "Text angewandt haben, was Sie erwartet haben und was "
            "geschehen ist. Eine kleine Beispieldatei hilft, den Fehler "
            "nachzuvollziehen.\n\n"
            "Die Einstellungen stehen in der INI-Datei neben dem Programm; "
            "löschen Sie sie, gelten wieder die Voreinstellungen."),
        "Support");
    Page(0)->Show();
    connect(tabs_, &QTabWidget::currentChanged, this,
            [this](int index) { PageChanged(index); });

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText("Abbrechen");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
  }

  // OK takes over the edits of the page on show only: pages left earlier
  // did so as they were left.
  void accept() override {
    if (SettingsPage* page = Page(tabs_->currentIndex())) page->TakeOverEdits();
    QDialog::accept();
  }

  // Cancel undoes every change of the sheet, those of pages left earlier
  // included, by reading the settings file again. The start-up rule on
  // missing word lists is not repeated.
  void reject() override {
    LoadSettings(app_.paths.settings_file, app_.settings, app_.messages);
    QDialog::reject();
  }

 private:
  // The settings page at tab `index`, or null for an information page.
  SettingsPage* Page(int index) const {
    return dynamic_cast<SettingsPage*>(tabs_->widget(index));
  }

  void PageChanged(int index) {
    if (SettingsPage* left = Page(current_)) left->TakeOverEdits();
    current_ = index;
    if (SettingsPage* shown = Page(index)) shown->Show();
  }

  Application& app_;
  QTabWidget* tabs_;
  int current_ = 0;
};

}  // namespace

void OpenOptions(Application& app, QWidget* main_window,
                 std::function<void()> after_close) {
  if (main_window != nullptr) {
    for (QDialog* open : main_window->findChildren<QDialog*>(
             kSheetName, Qt::FindDirectChildrenOnly)) {
      if (open->isVisible()) {
        open->raise();
        open->activateWindow();
        return;
      }
    }
  }
  // A child of the main window, so that it goes with it; shown without
  // modality, so the main window stays usable.
  auto* sheet = new OptionsSheet(app, main_window);
  QObject::connect(sheet, &QDialog::finished, sheet,
                   [&app, sheet, after_close = std::move(after_close)] {
                     after_close();
                     MakeSettingsFolder(app.paths);
                     SaveSettings(app.paths.settings_file, app.settings,
                                  app.messages);
                     sheet->deleteLater();
                   });
  sheet->show();
}

}  // namespace quor
