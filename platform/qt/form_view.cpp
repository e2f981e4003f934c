// A form on the screen.
#include "platform/qt/form_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <set>

#include "platform/controls/button.h"
#include "platform/controls/check_box.h"
#include "platform/controls/chooser.h"
#include "platform/controls/container.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/enhanced_query.h"
#include "platform/controls/grid.h"
#include "platform/controls/grid_navigator.h"
#include "platform/controls/resize_control.h"
#include "platform/controls/side_bar.h"
#include "platform/qt/busy.h"
#include "platform/qt/edit_field_widget.h"
#include "platform/qt/enhanced_query_widget.h"
#include "platform/qt/grid_export_menu.h"
#include "platform/qt/grid_view.h"
#include "platform/qt/legend_widget.h"
#include "platform/qt/navigator_widget.h"
#include "platform/qt/side_bar_widget.h"
#include "platform/qt/text.h"
#include "platform/text/ascii.h"

namespace platform::qt {
namespace {

using controls::Control;
using controls::ControlKind;

// The focus moves that the user made: the others (a window coming back after a dialog, a
// widget hidden by the program) must not make the form validate anything.
bool byTheUser(Qt::FocusReason reason) {
  return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
         reason == Qt::ShortcutFocusReason;
}

// The design's boxes were drawn for a narrower font than ours: a one-line caption that does
// not fit is set smaller, down to a size still easy to read.
void fitOneLine(QLabel& label) {
  constexpr double kSmallest = 7.0;
  QFont font = label.parentWidget() != nullptr ? label.parentWidget()->font() : label.font();
  const int room = label.contentsRect().width();
  while (QFontMetrics(font).horizontalAdvance(label.text()) > room && font.pointSizeF() - 0.5 >= kSmallest) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
  }
  label.setFont(font);
}

}  // namespace

FormView::FormView(controls::Form& form, host::Display* display, QWidget* parent)
    : QWidget(parent), m_form(form), m_display(display), m_scale(TwipsScale::of(*this)) {
  setObjectName(toQString(form.name()));
  setWindowTitle(toQString(form.caption()));
  setAutoFillBackground(true);
  build();
  resize(sizeHint());
}

FormView::~FormView() {
  // The models stay; the handlers connected to them check for this view and do nothing.
  for (auto& [control, child] : m_embedded) {
    if (!child.isNull()) child->setParent(nullptr);
  }
}

QSize FormView::sizeHint() const {
  return QSize(m_scale.toPixelsX(m_form.design().width), m_scale.toPixelsY(m_form.design().height));
}

QWidget* FormView::widgetFor(std::string_view name) const {
  const Control* control = m_form.find(name);
  if (control == nullptr) return nullptr;
  const auto found = m_widgets.find(control);
  return found == m_widgets.end() ? nullptr : found->second;
}

ActionRunner FormView::runner() {
  return [view = QPointer<FormView>(this)](const UserAction& action) {
    if (view.isNull()) return runReporting(action, nullptr);
    view->run(action);
  };
}

// --- Building ---------------------------------------------------------------------------

void FormView::build() {
  std::set<std::string> descriptions;  // labels that show a field's description
  for (const auto& control : m_form.controls()) {
    if (const auto* field = dynamic_cast<const controls::EditField*>(control.get())) {
      if (!field->descriptionField().empty()) descriptions.insert(text::upperAscii(field->descriptionField()));
    }
  }
  for (const auto& shared : m_form.controls()) {
    Control& control = *shared;
    QWidget* parent = this;
    if (Control* container = control.parent()) {
      const auto found = m_widgets.find(container);
      if (found != m_widgets.end()) parent = found->second;
    }
    QWidget* widget = makeWidget(control, parent);
    if (widget == nullptr) continue;
    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && descriptions.count(text::upperAscii(control.name()))) {
      label->setFrameShape(QFrame::StyledPanel);
      label->setFrameShadow(QFrame::Sunken);
      label->setAutoFillBackground(true);
      label->setBackgroundRole(QPalette::AlternateBase);
      label->setIndent(3);
      label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    m_widgets[&control] = widget;
    m_controls[widget] = &control;
    connectControl(control);
    paint(control);
    watch(*widget);
  }
  // Navigator keys work inside the navigator's page, so each page has its own.
  for (QWidget* widget : m_navigators) {
    auto* navigator = static_cast<NavigatorWidget*>(widget);
    QWidget* scope = this;
    for (Control* up = navigator->navigator().parent(); up != nullptr; up = up->parent()) {
      if (up->kind() == ControlKind::Frame && m_widgets.count(up)) {
        scope = m_widgets[up];
        break;
      }
    }
    navigator->installShortcuts(*scope);
  }
  applyTabOrder();
}

QWidget* FormView::makeWidget(Control& control, QWidget* parent) {
  const QString name = toQString(control.name());
  QWidget* made = nullptr;
  switch (control.kind()) {
    case ControlKind::Frame: {
      auto* frame = new QFrame(parent);
      frame->setFrameShape(QFrame::NoFrame);
      made = frame;
      break;
    }
    case ControlKind::Container: {
      auto* frame = new QFrame(parent);
      frame->setFrameShape(QFrame::StyledPanel);
      made = frame;
      break;
    }
    case ControlKind::GroupBox: made = new QGroupBox(parent); break;
    case ControlKind::Label: made = new QLabel(parent); break;
    case ControlKind::Button: {
      auto& model = static_cast<controls::Button&>(control);
      auto* button = new QPushButton(parent);
      button->setAutoDefault(false);
      connect(button, &QPushButton::clicked, this, [this, &model, button] {
        // A mnemonic leaves the caret where it was: the field being typed in is left first,
        // as a click leaves it, so that what was typed counts (or the field keeps the caret).
        const QPointer<QWidget> had = QApplication::focusWidget();
        if (had != button && (button->focusPolicy() & Qt::TabFocus)) button->setFocus(Qt::ShortcutFocusReason);
        if (m_refused == button) return;  // the form refused to let the caret go
        const bool focused = had == button;
        // While its work runs (the window repaints between statements) the button looks
        // unavailable; afterwards it shows what the form made of it.
        ++m_depth;  // the focus leaving the disabled button is no user's move
        m_working.push_back(button);
        button->setEnabled(false);
        --m_depth;
        run([&model] { model.click(); });
        std::erase(m_working, button);
        paint(model);
        const Control* wanted = m_form.focus();
        if (wanted != nullptr && wanted != &model) return;  // a handler put the caret somewhere
        if (focused && button->isEnabled() && button->isVisible()) {
          button->setFocus(Qt::OtherFocusReason);
        } else if (focused || had.isNull() || !had->isVisible() || !had->isEnabled()) {
          focusFirstControl();  // the work took the caret's place away (a run done): it goes on
        }
      });
      made = button;
      break;
    }
    case ControlKind::EditField: {
      auto* edit = new EditFieldWidget(static_cast<controls::EditField&>(control), m_display, runner(), parent);
      connect(edit, &EditFieldWidget::leftWithEnter, this, [this, edit] {
        Control* focus = m_form.focus();
        if (focus != nullptr && focus != &edit->field() && !focusWidgets(*focus).empty()) {
          followModelFocus();  // a handler sent the focus somewhere
        } else {
          focusNextAfter(*edit);
        }
      });
      made = edit;
      break;
    }
    case ControlKind::Chooser: {
      auto& model = static_cast<controls::Chooser&>(control);
      auto* combo = new QComboBox(parent);
      connect(combo, &QComboBox::activated, this, [this, &model](int index) {
        if (index >= 0) run([&model, index] { model.choose(static_cast<std::size_t>(index)); });
        paint(model);  // the choice may have been refused
      });
      made = combo;
      break;
    }
    case ControlKind::CheckBox: {
      auto& model = static_cast<controls::CheckBox&>(control);
      auto* box = new QCheckBox(parent);
      connect(box, &QCheckBox::clicked, this, [this, &model, box] {
        if (m_refused != box) run([&model] { model.click(); });
        paint(model);  // the tick shows the model's value, whatever Qt toggled
      });
      made = box;
      break;
    }
    case ControlKind::Grid: {
      auto& grid = static_cast<controls::Grid&>(control);
      auto* view = new GridView(grid, &m_form, m_scale, runner(), parent);
      addExportMenu(*view, grid);
      made = view;
      break;
    }
    case ControlKind::GridNavigator: {
      auto* navigator = new NavigatorWidget(static_cast<controls::GridNavigator&>(control), runner(), parent);
      m_navigators.push_back(navigator);
      made = navigator;
      break;
    }
    case ControlKind::EnhancedQuery: {
      auto* query = new EnhancedQueryWidget(static_cast<controls::EnhancedQuery&>(control), m_display, runner(), parent);
      connect(query, &EnhancedQueryWidget::rebuilt, this, [this, query] {
        watch(*query);
        applyTabOrder();
      });
      made = query;
      break;
    }
    case ControlKind::SideBar:
      made = new SideBarWidget(static_cast<controls::SideBar&>(control), runner(), parent);
      break;
    case ControlKind::Legend:
      made = new LegendWidget(static_cast<controls::Legend&>(control), &m_form, parent);
      break;
    case ControlKind::ResizeControl:
    case ControlKind::ImageList:
      return nullptr;  // nothing to see
  }
  made->setObjectName(name);
  return made;
}

void FormView::connectControl(Control& control) {
  control.onChanged.connect([view = QPointer<FormView>(this), &control] {
    if (!view.isNull()) view->paint(control);
  });
}

void FormView::watch(QWidget& widget) {
  widget.removeEventFilter(this);
  widget.installEventFilter(this);
  for (QWidget* child : widget.findChildren<QWidget*>()) {
    child->removeEventFilter(this);
    child->installEventFilter(this);
  }
}

// --- Painting from the models -------------------------------------------------------------

void FormView::syncAll() {
  for (const auto& control : m_form.controls()) paint(*control);
  for (QWidget* widget : findChildren<GridView*>()) static_cast<GridView*>(widget)->syncFromGrid();
  afterAction();
}

void FormView::paint(Control& control) {
  const auto found = m_widgets.find(&control);
  if (found != m_widgets.end()) {
    QWidget& widget = *found->second;
    ++m_depth;  // hiding the focused widget moves the focus: that is no user's move
    widget.setGeometry(m_scale.toPixels(control.left(), control.top(), control.width(), control.height()));
    paintKind(control, widget);
    // A button whose work runs stays unavailable, whatever the work changes of it meanwhile.
    widget.setEnabled(control.isEnabled() && std::find(m_working.begin(), m_working.end(), &widget) == m_working.end());
    widget.setVisible(control.isVisible());
    --m_depth;
  }
  syncNavigators();
}

void FormView::paintKind(Control& control, QWidget& widget) {
  const QString caption = toQString(control.caption());
  switch (control.kind()) {
    case ControlKind::GroupBox: static_cast<QGroupBox&>(widget).setTitle(caption); break;
    case ControlKind::Label: {
      auto& label = static_cast<QLabel&>(widget);
      label.setText(caption);
      // Captions wrap where the design left room for more than one line; a one-line caption
      // wider than its box is set a little smaller rather than cut.
      label.setWordWrap(widget.height() >= 2 * widget.fontMetrics().lineSpacing());
      if (!label.wordWrap()) fitOneLine(label);
      break;
    }
    case ControlKind::Button: static_cast<QPushButton&>(widget).setText(caption); break;
    case ControlKind::EditField: static_cast<EditFieldWidget&>(widget).syncFromField(); break;
    case ControlKind::Chooser: {
      const auto& model = static_cast<const controls::Chooser&>(control);
      auto& combo = static_cast<QComboBox&>(widget);
      const QSignalBlocker quiet(&combo);
      bool same = combo.count() == static_cast<int>(model.items().size());
      for (int i = 0; same && i < combo.count(); ++i) {
        same = combo.itemText(i) == toQString(model.items()[static_cast<std::size_t>(i)].text);
      }
      if (!same) {
        combo.clear();
        for (const controls::ChooserEntry& entry : model.items()) combo.addItem(toQString(entry.text));
      }
      combo.setCurrentIndex(model.selectedIndex() ? static_cast<int>(*model.selectedIndex()) : -1);
      break;
    }
    case ControlKind::CheckBox: {
      auto& box = static_cast<QCheckBox&>(widget);
      const QSignalBlocker quiet(&box);
      box.setText(caption);
      box.setChecked(static_cast<const controls::CheckBox&>(control).value() != 0);
      break;
    }
    case ControlKind::GridNavigator: static_cast<NavigatorWidget&>(widget).syncFromNavigator(); break;
    case ControlKind::EnhancedQuery: static_cast<EnhancedQueryWidget&>(widget).syncFromQuery(); break;
    case ControlKind::SideBar: static_cast<SideBarWidget&>(widget).syncFromSideBar(); break;
    case ControlKind::Container: placeEmbedded(control); break;
    case ControlKind::Grid:  // the grid view follows its grid itself
    case ControlKind::Frame:
    case ControlKind::Legend: widget.update(); break;
    case ControlKind::ResizeControl:
    case ControlKind::ImageList: break;
  }
}

void FormView::syncNavigators() {
  for (QWidget* navigator : m_navigators) static_cast<NavigatorWidget*>(navigator)->syncFromNavigator();
}

void FormView::embed(std::string_view containerName, QWidget* child) {
  Control* container = m_form.find(containerName);
  if (container == nullptr || container->kind() != ControlKind::Container || child == nullptr) {
    qWarning("form %s has no container %.*s", m_form.name().c_str(), static_cast<int>(containerName.size()),
             containerName.data());
    return;
  }
  child->setParent(m_widgets.at(container));
  m_embedded[container] = child;
  placeEmbedded(*container);
  child->show();
}

void FormView::placeEmbedded(Control& control) {
  const auto found = m_embedded.find(&control);
  if (found == m_embedded.end() || found->second.isNull()) return;
  const auto& container = static_cast<const controls::Container&>(control);
  QWidget* host = m_widgets.at(&control);
  const bool whole = container.windowState() == controls::Container::kMaximised || container.childWidth() <= 0 ||
                     container.childHeight() <= 0;
  found->second->setGeometry(whole ? host->rect()
                                   : m_scale.toPixels(container.childLeft(), container.childTop(),
                                                      container.childWidth(), container.childHeight()));
  found->second->setVisible(container.windowState() != controls::Container::kMinimised);
}

// --- Focus -----------------------------------------------------------------------------

std::vector<QWidget*> FormView::focusWidgets(Control& control) const {
  const auto found = m_widgets.find(&control);
  if (found == m_widgets.end()) return {};
  switch (control.kind()) {
    case ControlKind::EnhancedQuery: return static_cast<EnhancedQueryWidget*>(found->second)->focusChain();
    case ControlKind::GridNavigator: return {};  // its keys are shortcuts
    default: return {found->second};
  }
}

std::vector<QWidget*> FormView::tabChain(bool withSideBar) const {
  std::vector<Control*> order;
  for (const auto& control : m_form.controls()) {
    // The side bar takes no focus on the form, but its links must be reachable by keyboard.
    const bool keyboard = control->canTakeFocus() || (withSideBar && control->kind() == ControlKind::SideBar);
    if (keyboard && m_widgets.count(control.get())) order.push_back(control.get());
  }
  std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
    return a->tabIndex() < b->tabIndex();
  });
  std::vector<QWidget*> chain;
  for (Control* control : order) {
    for (QWidget* widget : focusWidgets(*control)) chain.push_back(widget);
  }
  return chain;
}

void FormView::applyTabOrder() {
  const std::vector<QWidget*> chain = tabChain(true);
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

Control* FormView::controlOf(QObject* object) const {
  for (QObject* at = object; at != nullptr && at != this; at = at->parent()) {
    const auto* widget = qobject_cast<QWidget*>(at);
    if (widget == nullptr) continue;
    const auto found = m_controls.find(widget);
    if (found != m_controls.end()) return found->second;
  }
  return nullptr;
}

void FormView::followModelFocus() {
  Control* focus = m_form.focus();
  if (focus == nullptr) return;
  const std::vector<QWidget*> widgets = focusWidgets(*focus);
  if (widgets.empty()) return;
  const QWidget* owner = m_widgets.at(focus);
  const QWidget* current = QApplication::focusWidget();
  if (current != nullptr && (current == owner || owner->isAncestorOf(current))) return;
  QWidget* target = widgets.front();
  if (target->isVisible() && target->isEnabled()) target->setFocus(Qt::OtherFocusReason);
}

void FormView::focusFirstControl(int attempts) {
  for (QWidget* widget : tabChain(false)) {
    const Control* control = controlOf(widget);
    // A control's widgets built a moment ago show once their layout gets to them: hidden,
    // but not hidden by anyone. They may be built again meanwhile: the search is done again.
    const bool hidden = widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide);
    if (control == nullptr || !control->isShown() || !control->isEnabled() || hidden || !widget->isEnabled() ||
        !(widget->focusPolicy() & Qt::TabFocus)) {
      continue;
    }
    if (widget->isVisible()) {
      widget->setFocus(Qt::TabFocusReason);
    } else if (attempts > 1) {
      QTimer::singleShot(0, this, [this, attempts] { focusFirstControl(attempts - 1); });
    }
    return;
  }
}

void FormView::focusNextAfter(QWidget& widget) {
  for (QWidget* next = widget.nextInFocusChain(); next != nullptr && next != &widget; next = next->nextInFocusChain()) {
    if ((next->focusPolicy() & Qt::TabFocus) && next->isVisible() && next->isEnabled() && isAncestorOf(next)) {
      next->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

bool FormView::focusEntered(QWidget& widget, Qt::FocusReason reason) {
  if (m_depth > 0) return false;
  Control* control = controlOf(&widget);
  const bool sideBar = control != nullptr && control->kind() == ControlKind::SideBar;
  if (sideBar && byTheUser(reason)) m_sideBarChosen = true;
  if (sideBar && !byTheUser(reason) && !m_sideBarChosen) {
    // The window hands the caret to its first widget, the side bar, as it activates: until
    // the user goes there, it belongs in the page, on the form's focus or the first control.
    QTimer::singleShot(0, this, [this] {
      if (m_sideBarChosen) return;
      if (m_form.focus() != nullptr) {
        followModelFocus();
      } else {
        focusFirstControl();
      }
    });
    return false;
  }
  if (!byTheUser(reason)) {
    // The window gave the caret to its first field: the form learns where it is, which
    // asks nobody to let it go since nothing had it.
    if (control != nullptr && control->canTakeFocus() && m_form.focus() == nullptr) {
      ++m_depth;
      runReporting([control] { control->setFocus(); }, m_display);
      --m_depth;
    }
    return false;
  }
  if (control == nullptr || !control->canTakeFocus() || control->hasFocus()) {
    m_refused = nullptr;
    return false;
  }
  bool taken = true;
  {
    ++m_depth;
    std::optional<WaitCursor> wait(std::in_place);
    runReporting([&] { taken = control->setFocus(); }, m_display);
    --m_depth;
  }
  if (taken) {
    m_refused = nullptr;
    return false;
  }
  // The control that has the focus keeps it: the click that brought the focus here does not
  // count, and the caret goes back once Qt is done with this focus change.
  m_refused = m_widgets.at(control);
  QTimer::singleShot(0, this, [this] { followModelFocus(); });
  return true;
}

bool FormView::refusedClick(QObject* watched) const {
  const auto* widget = qobject_cast<QWidget*>(watched);
  return widget != nullptr && !m_refused.isNull() && (widget == m_refused || m_refused->isAncestorOf(widget));
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn:
      if (auto* widget = qobject_cast<QWidget*>(watched)) {
        focusEntered(*widget, static_cast<QFocusEvent*>(event)->reason());
      }
      return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      return refusedClick(watched);
    case QEvent::MouseButtonRelease:
      if (!refusedClick(watched)) return false;
      m_refused = nullptr;
      return true;
    case QEvent::Resize:
      if (Control* control = controlOf(watched); control != nullptr && control->kind() == ControlKind::Container &&
                                                 m_widgets.at(control) == watched) {
        placeEmbedded(*control);
      }
      return false;
    default: return false;
  }
}

// --- Actions and resizing ---------------------------------------------------------------

void FormView::run(const UserAction& action) {
  ++m_depth;
  {
    WaitCursor wait;
    runReporting(action, m_display);
  }
  --m_depth;
  if (m_depth == 0) afterAction();
}

void FormView::afterAction() {
  syncNavigators();
  followModelFocus();
  setWindowTitle(toQString(m_form.caption()));
}

void FormView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int width = m_scale.toTwipsX(this->width());
  const int height = m_scale.toTwipsY(this->height());
  std::vector<controls::ResizeControl*> resizers;
  for (const auto& control : m_form.controls()) {
    if (auto* resizer = dynamic_cast<controls::ResizeControl*>(control.get())) resizers.push_back(resizer);
  }
  if (resizers.empty()) {
    m_form.setSize(width, height);
    return;
  }
  ++m_depth;
  runReporting(
      [&] {
        for (controls::ResizeControl* resizer : resizers) resizer->resize(width, height);
      },
      m_display);
  --m_depth;
}

void FormView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  followModelFocus();
}

}  // namespace platform::qt
