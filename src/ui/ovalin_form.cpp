#include "ui/ovalin_form.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/about_box.h"
#include "ui/advanced_page.h"
#include "ui/dialog_controls.h"
#include "ui/main_page.h"
#include "ui/misc_page.h"
#include "ui/options_page.h"
#include "ui/ui_text.h"

namespace orbeline {
namespace {

// The window runs with Japanese message texts when its error caption is translated so.
bool JapaneseMessages() { return Tr("Orbeline - Error") == QString::fromUtf8("エラー"); }

// What the desktop shows in a rectangle of the screen (device pixels): its picture, or its
// colour when there is none.
QImage DesktopPart(MainForm& form, const QRect& device) {
  const WorkBitmap& picture = form.DesktopPicture();
  if (picture.Width() == 0) {
    QImage plain(device.size(), QImage::Format_RGB32);
    plain.fill(ToQColor(form.desktop().BackgroundColor()));
    return plain;
  }
  const QImage whole(reinterpret_cast<const uchar*>(picture.Pixels()), picture.Width(),
                     picture.Height(), picture.StrideBytes(), QImage::Format_RGB32);
  return whole.copy(device);
}

}  // namespace

TOvalinForm::TOvalinForm(MainForm& form, OvalinFormModel::Ports ports, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      form_(form),
      ports_(ports),
      model_(std::make_unique<OvalinFormModel>(form, ports, JapaneseMessages())),
      shortcuts_(form, ports.store, ports.prompts, ports.shell) {
  setObjectName(QStringLiteral("OvalinForm"));
  // The marker belongs to interactive runs, on a window system that lets it stand where
  // the calendar will be.
  if (!form.draw_only_run() && MarkerCanBePlaced()) {
    marker_ = std::make_unique<TMarkerForm>(
        [this](const QRect& device) { return DesktopPart(form_, device); });
    connect(marker_.get(), &TMarkerForm::MarkerMoved, this, [this](int x, int y) {
      marker_panel_->MarkerMoved({x, y});
      RefreshAll();
    });
    connect(marker_.get(), &TMarkerForm::DragEnded, this, [this] { activateWindow(); });
  }
  marker_panel_ = std::make_unique<MarkerPanelModel>(form, ports.store, marker_.get());
  setWindowTitle(tr("Orbeline"));
  SetDialogFont(*this);

  auto changed = [this] { RefreshAll(); };
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PageControl"));
  page_widgets_[0] = new MainPage(*model_, *marker_panel_, changed, pages_);
  page_widgets_[1] = new OptionsPage(*model_, changed, pages_);
  auto* misc = new MiscPage(*model_, changed, pages_);
  page_widgets_[2] = misc;
  page_widgets_[3] = new AdvancedPage(
      *model_, changed, [this] { EndRun(); }, pages_);
  pages_->addTab(page_widgets_[0], tr("&Main"));
  pages_->addTab(page_widgets_[1], tr("&Options"));
  pages_->addTab(page_widgets_[2], tr("Mis&c."));
  pages_->addTab(page_widgets_[3], tr("&Advanced"));
  connect(pages_, &QTabWidget::currentChanged, this, &TOvalinForm::PageChange);
  connect(misc, &MiscPage::aboutRequested, this, [this] {
    TAboutBox about(this);
    about.exec();
  });
  connect(misc, &MiscPage::startUpShortcutRequested, this,
          [this] { RunShortcut(&ShortcutCommands::StartUpButtonClick); });
  connect(misc, &MiscPage::desktopShortcutRequested, this,
          [this] { RunShortcut(&ShortcutCommands::DesktopButtonClick); });

  draw_button_ = new RightButton(tr("&Draw"), this);
  draw_button_->setObjectName(QStringLiteral("DrawButton"));
  draw_button_->setToolTip(tr("Draw calendar on the Desktop (Richt Click to overwrite)"));
  draw_button_->setDefault(true);
  revert_button_ = new RightButton(tr("&Revert"), this);
  revert_button_->setObjectName(QStringLiteral("DefaultReturnButton"));
  revert_button_->setToolTip(
      tr("Revert the desktop. Right click to revert w/additional functions"));
  help_button_ = new RightButton(tr("&Help"), this);
  help_button_->setObjectName(QStringLiteral("HelpButton"));
  help_button_->setToolTip(tr("Display Help (Right click to search topics)"));
  quit_button_ = new QPushButton(tr("&Quit"), this);
  quit_button_->setObjectName(QStringLiteral("QuitButton"));
  quit_button_->setToolTip(tr("Quit Orbeline"));
  connect(draw_button_, &QPushButton::clicked, this, [this] { RunDraw(DrawSender::kDrawButton); });
  connect(draw_button_, &RightButton::rightPressed, this, [this] { RunDraw(DrawSender::kWindow); });
  connect(revert_button_, &QPushButton::clicked, this,
          [this] { RunRevert(RevertTarget::kSourceWallpaper); });
  connect(revert_button_, &RightButton::rightPressed, this,
          [this] { RunRevert(RevertTarget::kBaseImage); });
  connect(help_button_, &QPushButton::clicked, this,
          [this] { model_->HelpClick(pages_->currentIndex()); });
  connect(help_button_, &RightButton::rightPressed, this, [this] { model_->HelpRightClick(); });
  connect(quit_button_, &QPushButton::clicked, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(draw_button_);
  buttons->addWidget(revert_button_);
  buttons->addWidget(help_button_);
  buttons->addWidget(quit_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addLayout(buttons);
  // Fixed size: what the pages need under the style and the scale in use.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  model_->ApplySettingsToWindow();
  RefreshAll();
  // Like a dialog, the window sees the Enter key before its controls.
  qApp->installEventFilter(this);
}

TOvalinForm::~TOvalinForm() { qApp->removeEventFilter(this); }

void TOvalinForm::RefreshAll() {
  for (SettingsPage* page : page_widgets_) page->Refresh();
  const QSignalBlocker blocker(pages_);
  pages_->setCurrentIndex(model_->settings().last_modified_page);
  // The marker follows the scroll bars and the line-draw type (from the first paint on).
  marker_panel_->PlaceMarker();
}

void TOvalinForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_once_) return;
  shown_once_ = true;
  if (QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  FormShow();
}

void TOvalinForm::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (painted_once_) return;
  painted_once_ = true;
  // Once this paint is over: another window is not shown from inside it.
  QMetaObject::invokeMethod(
      this,
      [this] {
        marker_panel_->FirstPaint();
        RefreshAll();
      },
      Qt::QueuedConnection);
}

void TOvalinForm::FormShow() {
  RunShortcut(&ShortcutCommands::StartupOffer);
  model_->FillDesignList();
  RefreshAll();
}

void TOvalinForm::RunShortcut(void (ShortcutCommands::*command)()) {
  try {
    (shortcuts_.*command)();
  } catch (const std::exception& error) {
    Report(error);
  }
}

bool TOvalinForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || closed_) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this || !isActiveWindow()) return false;
  // Only the key's first delivery counts (Qt offers it to the parents as well).
  if (widget != QApplication::focusWidget() && widget != this) return false;
  if (drawing_ || !draw_button_->isEnabled()) return true;
  // The overwrite drawing first; then the Enter key does what it does on the focused
  // control: a focused button is pressed, any other control leaves it to the default
  // button, the fresh drawing.
  RunDraw(DrawSender::kWindow);
  if (closed_) return true;
  auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
  if (button != nullptr && button->window() == this) {
    if (button->isEnabled()) button->click();
  } else {
    draw_button_->click();
  }
  return true;
}

void TOvalinForm::SetMainButtonsEnabled(bool enabled) {
  draw_button_->setEnabled(enabled);
  revert_button_->setEnabled(enabled);
  help_button_->setEnabled(enabled);
  quit_button_->setEnabled(enabled);
  pages_->setEnabled(enabled);
}

void TOvalinForm::SetCaption(const std::string& caption) {
  setWindowTitle(Tr(caption));
  ports_.prompts.SetApplicationTitle(caption);
}

void TOvalinForm::RunDraw(DrawSender sender) {
  if (drawing_) return;
  drawing_ = true;
  PipelineHooks hooks;
  hooks.set_busy = [this](bool busy) { ports_.dialogs.SetBusyCursor(busy); };
  hooks.set_main_buttons_enabled = [this](bool enabled) { SetMainButtonsEnabled(enabled); };
  hooks.set_caption = [this](const std::string& caption) { SetCaption(caption); };
  hooks.show_marker = [this](bool shown) { marker_panel_->ShowDuringDrawing(shown); };
  bool running = true;
  try {
    running = form_.Draw(sender, hooks);
  } catch (const std::exception& error) {
    Report(error);
  }
  drawing_ = false;
  if (!running) {
    EndRun();
  } else if (close_requested_) {
    close();
  }
}

void TOvalinForm::RunRevert(RevertTarget target) {
  if (drawing_) return;
  drawing_ = true;
  ports_.dialogs.SetBusyCursor(true);
  SetMainButtonsEnabled(false);
  const auto done = [this] {
    ports_.dialogs.SetBusyCursor(false);
    SetMainButtonsEnabled(true);
    drawing_ = false;
  };
  try {
    form_.Revert(target);
    done();
  } catch (const std::exception& error) {
    done();
    Report(error);
  }
  if (close_requested_) close();
}

void TOvalinForm::PageChange(int page) {
  bool running = true;
  try {
    running = model_->PageChange(page);
  } catch (const std::exception& error) {
    Report(error);
  }
  if (!running) EndRun();
}

void TOvalinForm::Report(const std::exception& error) {
  ports_.prompts.ShowMessage({"Orbeline", error.what(), Prompts::Icon::kStop, Prompts::Buttons::kOk,
                              Prompts::Answer::kOk});
}

void TOvalinForm::EndRun() {
  ended_by_error_ = true;
  close();
}

void TOvalinForm::closeEvent(QCloseEvent* event) {
  // A drawing or a revert lets events through, a close request among them: the close steps
  // would put the desktop's values back, and the drawing then install its bitmap after all.
  // They run once its clean-up has.
  if (drawing_) {
    close_requested_ = true;
    event->ignore();
    return;
  }
  if (!closed_) {
    closed_ = true;
    if (marker_) marker_->SetMarkerShown(false);
    form_.settings().last_modified_page = pages_->currentIndex();
    try {
      form_.FormCloseQuery();
      form_.FormClose();
    } catch (const std::exception& error) {
      ended_by_error_ = true;
      Report(error);
    }
  }
  event->accept();
}

}  // namespace orbeline
