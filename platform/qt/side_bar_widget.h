// The side bar as a column of links. A click, or Enter on the highlighted link, tells the
// side bar its key; the link last followed stays marked. Until the side bar is initialised
// it shows no links.
#pragma once

#include <QListWidget>

#include "platform/controls/side_bar.h"
#include "platform/qt/user_action.h"

namespace platform::qt {

class SideBarWidget : public QListWidget {
  Q_OBJECT

 public:
  SideBarWidget(controls::SideBar& sideBar, ActionRunner run, QWidget* parent = nullptr);

  controls::SideBar& sideBar() const { return m_sideBar; }
  void syncFromSideBar();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  //! Clicks, keys and the focus select nothing: the highlight is the link followed.
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event = nullptr) const override;

 private:
  void follow(QListWidgetItem* item);
  //! The link last followed is the only one highlighted.
  void markFollowed();
  int followedRow() const;

  controls::SideBar& m_sideBar;
  ActionRunner m_run;
  QString m_followed;  // the key of the link last followed
};

}  // namespace platform::qt
