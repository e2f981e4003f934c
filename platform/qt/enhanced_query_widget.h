// The enhanced query as a table of its registered fields: per field its caption, the two ends
// of the range as line edits (F3 or the look-up button opens the field's list) and the
// descriptions the form's decode gave. Leaving an edited end enters the field's range. Below
// them, under their own heading, the extended attributes: per attribute the two ends (F3 lists
// the values the attribute holds) and whether the first is a value (or the range's start) or a
// text the attribute contains.
#pragma once

#include <QScrollArea>
#include <string>
#include <vector>

#include "platform/controls/enhanced_query.h"
#include "platform/qt/user_action.h"

class QComboBox;
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
  //! The line edit of one end of an attribute's range; null when there is no such attribute.
  QLineEdit* attributeEdit(std::string_view name, int end) const;

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

  struct AttributeRow {
    std::string name;
    QLineEdit* ends[2];
    QComboBox* match;  // 0 a value or a range, 1 a text the attribute contains
  };

  void rebuild();
  int addAttributeRows(int line);
  void enter(const std::string& caption);
  void enterAttribute(const std::string& name);
  void lookupAttribute(const std::string& name, int end);
  void lookup(const std::string& caption, int end);
  const Row* rowOf(const QObject* edit, int* end) const;

  controls::EnhancedQuery& m_query;
  host::Display* m_display;
  ActionRunner m_run;
  QWidget* m_table;
  QGridLayout* m_grid;
  std::vector<Row> m_rows;
  std::vector<AttributeRow> m_attributeRows;
  bool m_builtFinished = false;  // the attributes come with the end of the registration
};

}  // namespace platform::qt
