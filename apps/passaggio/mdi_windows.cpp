// Module windows as MDI children.
#include "apps/passaggio/mdi_windows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>

#include "platform/controls/container.h"
#include "platform/qt/form_dialog.h"
#include "platform/qt/form_view.h"
#include "platform/qt/text.h"
#include "platform/qt/twips.h"

namespace passaggio::desktop {
namespace {

constexpr const char* kContainer = "MDIActiveX1";

platform::controls::Container* containerOf(platform::host::ModuleWindow& window) {
  return dynamic_cast<platform::controls::Container*>(window.Controls().find(kContainer));
}

}  // namespace

ConsoleSubWindow::ConsoleSubWindow(std::shared_ptr<platform::host::ModuleWindow> window,
                                   platform::host::Display* display, QWidget* parent)
    : QMdiSubWindow(parent), m_window(std::move(window)) {
  platform::controls::Form& form = m_window->Controls();
  m_view = new platform::qt::FormView(form, display, this);
  setWidget(m_view);
  setWindowTitle(platform::qt::toQString(form.caption()));
  setWindowIcon(QApplication::windowIcon());
  setAttribute(Qt::WA_DeleteOnClose, false);
  // The frame's "Chiudi console" (Ctrl+W) closes the active console; the subwindow's own
  // menu would claim the same key and leave both without it.
  if (QMenu* menu = systemMenu()) {
    const QKeySequence closeKey(Qt::CTRL | Qt::Key_W);
    for (QAction* action : menu->actions()) {
      QList<QKeySequence> keys = action->shortcuts();
      if (keys.removeAll(closeKey) > 0) action->setShortcuts(keys);
    }
  }
  if (auto* container = containerOf(*m_window)) {
    container->onChanged.connect([self = QPointer<ConsoleSubWindow>(this)] {
      if (!self.isNull() && !self->m_closed) self->followContainer();
    });
  }
}

ConsoleSubWindow::~ConsoleSubWindow() {
  delete m_view;
  m_view = nullptr;
  m_window.reset();
}

void ConsoleSubWindow::followContainer(bool withState) {
  auto* container = containerOf(*m_window);
  if (container == nullptr) return;
  setWindowTitle(platform::qt::toQString(m_window->Controls().caption()) + m_titleSuffix);
  switch (withState ? container->windowState() : platform::controls::Container::kNormal) {
    case platform::controls::Container::kMaximised:
      showMaximized();
      return;
    case platform::controls::Container::kMinimised:
      showMinimized();
      return;
    default:
      break;
  }
  if (isMaximized() || isMinimized()) showNormal();
  if (container->childWidth() <= 0 || container->childHeight() <= 0) return;
  const auto scale = platform::qt::TwipsScale::of(*this);
  const QRect inside = scale.toPixels(container->childLeft(), container->childTop(), container->childWidth(),
                                      container->childHeight());
  // The container gives the window's outer size, frame and title bar included, as the form's
  // design counts it: its controls lie in what the frame leaves, so a maximised console
  // keeps no strip of the design's own frame below them.
  setGeometry(inside);
}

void ConsoleSubWindow::setTitleSuffix(const QString& suffix) {
  m_titleSuffix = suffix;
  setWindowTitle(platform::qt::toQString(m_window->Controls().caption()) + m_titleSuffix);
}

bool ConsoleSubWindow::requestClose() {
  if (m_closed) return true;
  if (m_asking) return false;  // the module is being asked already (a dialog of its close is open)
  m_asking = true;
  const bool closed = m_closeRequest ? m_closeRequest() : m_window->RequestClose();
  m_asking = false;
  if (closed) moduleClosed();
  return closed;
}

void ConsoleSubWindow::moduleClosed() {
  if (m_closed) return;
  m_closed = true;
  hide();
  // The module may still be unwinding from a handler of this view: the subwindow and its
  // view go once control is back in the event loop.
  deleteLater();
}

void ConsoleSubWindow::closeEvent(QCloseEvent* event) {
  // The subwindow only goes when the module unloads its window (moduleClosed).
  event->ignore();
  if (!m_closed) requestClose();
}

MdiWindows::MdiWindows(QMdiArea& area, platform::host::Display& display) : m_area(area), m_display(display) {}

void MdiWindows::Show(std::shared_ptr<platform::host::ModuleWindow> window, bool modal) {
  if (modal) {
    platform::qt::FormDialog dialog(window->Controls(), &m_display, [window] { window->RequestClose(); },
                                    m_area.window());
    m_dialogs[window.get()] = &dialog;
    // Built before it shows: whatever runs while it opens finds it ready. The module may
    // unload it while building it.
    window->Activate();
    if (m_dialogs.count(window.get()) != 0) dialog.exec();
    m_dialogs.erase(window.get());
    return;
  }
  auto* sub = new ConsoleSubWindow(window, &m_display);
  m_area.addSubWindow(sub);
  m_shown = sub;
  // The first activation has the form's resize control take the sizes of the controls as
  // designed: the window is at its placed size then, and maximised only afterwards, so that
  // the controls stretch from their design.
  sub->followContainer(false);
  sub->show();
  m_area.setActiveSubWindow(sub);
  // The area maximises a new subwindow while the active one is maximised: the sizes the
  // controls start from would then be the maximised ones with the controls as designed.
  if (sub->isMaximized()) sub->showNormal();
  window->Activate();
  sub->followContainer();
  if (!modal) return;
  QEventLoop loop;
  QObject::connect(sub, &QObject::destroyed, &loop, &QEventLoop::quit);
  loop.exec();
}

void MdiWindows::Closed(platform::host::ModuleWindow& window) {
  if (const auto dialog = m_dialogs.find(&window); dialog != m_dialogs.end()) {
    if (!dialog->second.isNull()) dialog->second->done(QDialog::Accepted);
    m_dialogs.erase(dialog);
    return;
  }
  if (ConsoleSubWindow* sub = subWindowOf(window)) sub->moduleClosed();
}

void MdiWindows::ShowProgress(const std::string& step, int done, int total) {
  if (m_progress) m_progress(step, done, total);
}

void MdiWindows::ShowNotice(const std::string& text) {
  if (m_notice) m_notice(text);
}

void MdiWindows::ShowStatus(const platform::host::ModuleWindow& window, const std::string& text) {
  ConsoleSubWindow* console = subWindowOf(window);
  if (console == nullptr) return;
  console->setStatusText(platform::qt::toQString(text));
  if (!m_status.isNull() && (m_area.activeSubWindow() == console || m_area.activeSubWindow() == nullptr)) {
    m_status->setText(console->statusText());
  }
}

void MdiWindows::setStatusLabel(QLabel* label) {
  m_status = label;
  QObject::connect(&m_area, &QMdiArea::subWindowActivated, label, [this](QMdiSubWindow* window) {
    if (m_status.isNull()) return;
    const auto* console = qobject_cast<ConsoleSubWindow*>(window);
    m_status->setText(console != nullptr && console->isOpen() ? console->statusText() : QString());
  });
}

ConsoleSubWindow* MdiWindows::takeShown() {
  ConsoleSubWindow* shown = m_shown;
  m_shown = nullptr;
  return shown;
}

ConsoleSubWindow* MdiWindows::subWindowOf(const platform::host::ModuleWindow& window) const {
  for (QMdiSubWindow* sub : m_area.subWindowList()) {
    auto* console = qobject_cast<ConsoleSubWindow*>(sub);
    if (console != nullptr && console->moduleWindow() == &window) return console;
  }
  return nullptr;
}

}  // namespace passaggio::desktop
