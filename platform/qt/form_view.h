// A form on the screen: one widget per control of a Form, built from the form's design
// (containers, place and size in twips, captions, tab order) and repainted from the control
// models whenever one of them changes. What the user does reaches the models through their
// user actions (type, leave, click, choose, pick, ...), never through their setters, and the
// models' answers decide what the widgets show, where the focus goes and whether a click
// counts. No rule of the console lives here.
//
// The form must outlive the view (destroy the view first). The view follows its own size:
// resizing it tells the form's resize controls, which move and stretch the controls they
// keep.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/controls/form.h"
#include "platform/qt/twips.h"
#include "platform/qt/user_action.h"

namespace platform::host {
class Display;
}

namespace platform::qt {

class FormView : public QWidget {
  Q_OBJECT

 public:
  //! Builds the widgets of `form`. `display` shows look-up lists and the failures of user
  //! actions; without one there are no look-ups and failures go to the Qt log.
  explicit FormView(controls::Form& form, host::Display* display = nullptr, QWidget* parent = nullptr);
  ~FormView() override;

  controls::Form& form() const { return m_form; }
  const TwipsScale& scale() const { return m_scale; }

  //! The widget of a control (its name without regard to letter case): QFrame, QGroupBox,
  //! QLabel, QPushButton, EditFieldWidget, QComboBox, QCheckBox, GridView, NavigatorWidget,
  //! EnhancedQueryWidget, SideBarWidget; null for controls without one (image lists, resize
  //! controls) and unknown names.
  QWidget* widgetFor(std::string_view name) const;
  template <class W>
  W* widget(std::string_view name) const {
    return qobject_cast<W*>(widgetFor(name));
  }

  //! Puts `child` inside a container control, where the container places its child window
  //! (the whole container when it is maximised or has not placed it).
  void embed(std::string_view containerName, QWidget* child);

  //! Reads every control again: for a program that changed models while the view was away.
  void syncAll();

  //! Puts the caret on the first control of the page shown, in tab order (the side bar is
  //! not a page's control); nothing when no control there can take it. Widgets still to
  //! show are waited for, `attempts` turns of the event loop at most.
  void focusFirstControl(int attempts = 5);

  //! How the view runs user actions on the models (wait cursor, failures reported, widgets
  //! brought up to date afterwards); for widgets a host adds to the form.
  ActionRunner runner();

  QSize sizeHint() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void build();
  QWidget* makeWidget(controls::Control& control, QWidget* parent);
  void connectControl(controls::Control& control);
  void paint(controls::Control& control);
  void paintKind(controls::Control& control, QWidget& widget);
  void placeEmbedded(controls::Control& container);
  void watch(QWidget& widget);
  //! The widgets of the controls that take the focus, in tab order.
  std::vector<QWidget*> tabChain(bool withSideBar) const;
  void applyTabOrder();
  std::vector<QWidget*> focusWidgets(controls::Control& control) const;
  controls::Control* controlOf(QObject* object) const;
  void run(const UserAction& action);
  void afterAction();
  void syncNavigators();
  void followModelFocus();
  void focusNextAfter(QWidget& widget);
  bool focusEntered(QWidget& widget, Qt::FocusReason reason);
  bool refusedClick(QObject* watched) const;

  controls::Form& m_form;
  host::Display* m_display;
  TwipsScale m_scale;
  std::unordered_map<const controls::Control*, QWidget*> m_widgets;
  std::unordered_map<const QWidget*, controls::Control*> m_controls;
  std::unordered_map<const controls::Control*, QPointer<QWidget>> m_embedded;
  std::vector<QWidget*> m_navigators;
  int m_depth = 0;                 // user actions running (nested through dialogs)
  QPointer<QWidget> m_refused;     // took the focus by a click the form refused: the click does not count
  std::vector<const QWidget*> m_working;  // buttons whose work is running
  bool m_sideBarChosen = false;           // the user put the caret on the side bar
};

}  // namespace platform::qt
