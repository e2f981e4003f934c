// The enhanced query as a table of its registered fields: per field its caption, the two ends
// of the range as line edits (F3 or the look-up button opens the field's list) and the
// descriptions the form's decode gave. Leaving an edited end enters the field's range.
#pragma once

#include <QScrollArea>
#include <string>
#include <vector>

#include "platform/controls/enhanced_query.h"
#include "platform/qt/user_action.h"

class QLabel;
class QLineEdit;
class QGridLayout;

namespace platform::host {
class Display;
}

namespace platform::qt {

class EnhancedQueryWidget : public QScrollArea {
  Q_OBJECT

 public:
  EnhancedQueryWidget(controls::EnhancedQuery& query, host::Display* display, ActionRunner run,
                      QWidget* parent = nullptr);

  controls::EnhancedQuery& query() const { return m_query; }
  void syncFromQuery();
  //! The line edits in tab order.
  std::vector<QWidget*> focusChain() const;
  //! The line edit of one end of a field's range; null when there is no such field.
  QLineEdit* valueEdit(std::string_view caption, int end) const;

 signals:
  //! The fields were laid out again: new line edits.
  void rebuilt();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Row {
    std::string caption;
    QLineEdit* ends[2];
    QLabel* descriptions[2];
  };

  void rebuild();
  void enter(const std::string& caption);
  void lookup(const std::string& caption, int end);
  const Row* rowOf(const QObject* edit, int* end) const;

  controls::EnhancedQuery& m_query;
  host::Display* m_display;
  ActionRunner m_run;
  QWidget* m_table;
  QGridLayout* m_grid;
  std::vector<Row> m_rows;
};

}  // namespace platform::qt
