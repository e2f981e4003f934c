// The enhanced query's table of fields.
#include "platform/qt/enhanced_query_widget.h"

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/controls/query_condition.h"
#include "platform/qt/images.h"
#include "platform/qt/lookup.h"
#include "platform/qt/heading.h"
#include "platform/qt/text.h"

namespace platform::qt {
namespace {

using controls::QueryField;

Variant typedValue(const QString& text) { return text.isEmpty() ? Variant() : Variant(toStdString(text)); }

// An attribute's name as a caption: COLORE shows as Colore.
QString attributeCaption(const std::string& name) {
  const QString text = toQString(name).toLower();
  return text.isEmpty() ? text : text.front().toUpper() + text.mid(1);
}

const controls::QueryAttribute* attributeNamed(const controls::EnhancedQuery& query, const std::string& name) {
  for (const controls::QueryAttribute& attribute : query.attributes()) {
    if (attribute.name == name) return &attribute;
  }
  return nullptr;
}

}  // namespace

EnhancedQueryWidget::EnhancedQueryWidget(controls::EnhancedQuery& query, host::Display* display, ActionRunner run,
                                         QWidget* parent)
    : QScrollArea(parent), m_query(query), m_display(display), m_run(std::move(run)), m_table(new QWidget),
      m_grid(nullptr) {
  setObjectName(QString::fromStdString(query.name()));
  setWidgetResizable(true);
  setWidget(m_table);
  setFocusPolicy(Qt::NoFocus);
  rebuild();
}

std::vector<QWidget*> EnhancedQueryWidget::focusChain() const {
  std::vector<QWidget*> chain;
  for (const Row& row : m_rows) {
    chain.push_back(row.ends[0]);
    chain.push_back(row.ends[1]);
  }
  for (const AttributeRow& row : m_attributeRows) {
    chain.push_back(row.ends[0]);
    chain.push_back(row.match);
    chain.push_back(row.ends[1]);
  }
  return chain;
}

QLineEdit* EnhancedQueryWidget::valueEdit(std::string_view caption, int end) const {
  for (const Row& row : m_rows) {
    if (row.caption == caption) return row.ends[end == controls::EnhancedQuery::kSecondValue ? 1 : 0];
  }
  return nullptr;
}

QLineEdit* EnhancedQueryWidget::attributeEdit(std::string_view name, int end) const {
  for (const AttributeRow& row : m_attributeRows) {
    if (row.name == name) return row.ends[end == controls::EnhancedQuery::kSecondValue ? 1 : 0];
  }
  return nullptr;
}

void EnhancedQueryWidget::rebuild() {
  m_rows.clear();
  m_attributeRows.clear();
  m_builtFinished = m_query.isFinished();
  delete m_grid;
  // Later, not now: this may run from a signal of one of these line edits.
  for (QWidget* child : m_table->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    child->hide();
    child->deleteLater();
  }
  m_grid = new QGridLayout(m_table);
  m_grid->setContentsMargins(6, 4, 6, 4);
  m_grid->setHorizontalSpacing(6);
  m_grid->setVerticalSpacing(3);
  m_grid->addWidget(heading(QStringLiteral("Campo"), m_table), 0, 0);
  m_grid->addWidget(heading(QStringLiteral("Da"), m_table), 0, 1);
  m_grid->addWidget(heading(QStringLiteral("A"), m_table), 0, 3);
  auto* clearAll = new QPushButton(QStringLiteral("A&zzera filtro"), m_table);
  clearAll->setObjectName(toQString(m_query.name() + ".clear"));
  connect(clearAll, &QPushButton::clicked, this, [this] {
    m_run([this] { m_query.clear(); });
    syncFromQuery();
  });
  m_grid->addWidget(clearAll, 0, 4, Qt::AlignRight);
  int line = 1;
  for (const QueryField& field : m_query.entries()) {
    if (field.kind == QueryField::Kind::ExtendedAttributes) continue;  // no values of its own to type
    Row row{field.caption(), {nullptr, nullptr}, {nullptr, nullptr}};
    m_grid->addWidget(new QLabel(toQString(field.caption()), m_table), line, 0);
    for (int end = 0; end < 2; ++end) {
      auto* edit = new QLineEdit(m_table);
      edit->setObjectName(toQString(field.caption() + (end == 0 ? ".first" : ".second")));
      QAction* list = edit->addAction(toolIcon(ToolIcon::Lookup), QLineEdit::TrailingPosition);
      list->setToolTip(QStringLiteral("Cerca (F3)"));
      list->setVisible(m_display != nullptr);
      const std::string caption = field.caption();
      connect(list, &QAction::triggered, this, [this, caption, end] { lookup(caption, end); });
      connect(edit, &QLineEdit::editingFinished, this, [this, caption] { enter(caption); });
      edit->installEventFilter(this);
      auto* description = new QLabel(m_table);
      description->setMinimumWidth(80);
      description->setStyleSheet(QStringLiteral("color: #404850;"));
      m_grid->addWidget(edit, line, 1 + 2 * end);
      m_grid->addWidget(description, line, 2 + 2 * end);
      row.ends[end] = edit;
      row.descriptions[end] = description;
    }
    m_rows.push_back(row);
    ++line;
  }
  line = addAttributeRows(line);
  m_grid->setColumnStretch(2, 1);
  m_grid->setColumnStretch(4, 1);
  m_grid->setRowStretch(line, 1);
  syncFromQuery();
  emit rebuilt();
}

int EnhancedQueryWidget::addAttributeRows(int line) {
  const bool registered =
      std::any_of(m_query.entries().begin(), m_query.entries().end(),
                  [](const QueryField& field) { return field.kind == QueryField::Kind::ExtendedAttributes; });
  if (!registered || !m_query.isFinished()) return line;
  m_grid->addWidget(heading(QStringLiteral("Attributi estesi"), m_table), line++, 0);
  if (!m_query.attributesProblem().empty()) {
    auto* problem = new QLabel(toQString(m_query.attributesProblem()), m_table);
    problem->setWordWrap(true);
    m_grid->addWidget(problem, line++, 0, 1, 5);
  }
  for (const controls::QueryAttribute& attribute : m_query.attributes()) {
    const std::string name = attribute.name;
    const std::string objectName = "Attributo " + name;
    AttributeRow row{name, {nullptr, nullptr}, new QComboBox(m_table)};
    m_grid->addWidget(new QLabel(attributeCaption(name), m_table), line, 0);
    row.match->setObjectName(toQString(objectName + ".match"));
    row.match->addItem(QStringLiteral("da - a"));
    if (!attribute.number) row.match->addItem(QStringLiteral("contiene"));
    row.match->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(row.match, &QComboBox::activated, this, [this, name] { enterAttribute(name); });
    m_grid->addWidget(row.match, line, 2, Qt::AlignLeft);
    for (int end = 0; end < 2; ++end) {
      auto* edit = new QLineEdit(m_table);
      edit->setObjectName(toQString(objectName + (end == 0 ? ".first" : ".second")));
      QAction* list = edit->addAction(toolIcon(ToolIcon::Lookup), QLineEdit::TrailingPosition);
      list->setToolTip(QStringLiteral("Valori presenti (F3)"));
      list->setVisible(m_display != nullptr);
      connect(list, &QAction::triggered, this, [this, name, end] { lookupAttribute(name, end); });
      connect(edit, &QLineEdit::editingFinished, this, [this, name] { enterAttribute(name); });
      edit->installEventFilter(this);
      m_grid->addWidget(edit, line, 1 + 2 * end);
      row.ends[end] = edit;
    }
    m_attributeRows.push_back(row);
    ++line;
  }
  return line;
}

void EnhancedQueryWidget::syncFromQuery() {
  std::size_t fields = 0;
  for (const QueryField& field : m_query.entries()) fields += field.kind != QueryField::Kind::ExtendedAttributes;
  if (fields != m_rows.size() || m_query.isFinished() != m_builtFinished ||
      m_query.attributes().size() != m_attributeRows.size()) {
    return rebuild();
  }
  for (const Row& row : m_rows) {
    const QueryField* field = m_query.findByCaption(row.caption);
    if (field == nullptr) return rebuild();
    const Variant* values[2] = {&field->first, &field->second};
    const std::string* descriptions[2] = {&field->firstDescription, &field->secondDescription};
    for (int end = 0; end < 2; ++end) {
      const QString value = toQString(values[end]->toText());
      if (row.ends[end]->text() != value) row.ends[end]->setText(value);
      row.descriptions[end]->setText(toQString(*descriptions[end]));
      // A field that reads only its first value offers no second one.
      row.ends[end]->setEnabled(m_query.isEnabled() && (end == 0 || controls::usesSecondValue(*field)));
    }
  }
  for (const AttributeRow& row : m_attributeRows) {
    const controls::QueryAttribute* attribute = attributeNamed(m_query, row.name);
    if (attribute == nullptr) return rebuild();
    const Variant* values[2] = {&attribute->first, &attribute->second};
    for (int end = 0; end < 2; ++end) {
      const QString value = toQString(values[end]->toText());
      if (row.ends[end]->text() != value) row.ends[end]->setText(value);
    }
    row.match->setCurrentIndex(attribute->contains ? 1 : 0);
    row.match->setEnabled(m_query.isEnabled() && !attribute->number);
    row.ends[0]->setEnabled(m_query.isEnabled());
    // A text the attribute contains is one value.
    row.ends[1]->setEnabled(m_query.isEnabled() && !attribute->contains);
  }
}

const EnhancedQueryWidget::Row* EnhancedQueryWidget::rowOf(const QObject* edit, int* end) const {
  for (const Row& row : m_rows) {
    for (int at = 0; at < 2; ++at) {
      if (row.ends[at] == edit) {
        *end = at;
        return &row;
      }
    }
  }
  return nullptr;
}

void EnhancedQueryWidget::enter(const std::string& caption) {
  const QueryField* field = m_query.findByCaption(caption);
  QLineEdit* first = valueEdit(caption, 0);
  QLineEdit* second = valueEdit(caption, 1);
  if (field == nullptr || first == nullptr || second == nullptr) return;
  if (field->first.toText() == toStdString(first->text()) && field->second.toText() == toStdString(second->text())) {
    return;  // nothing was changed
  }
  const Variant from = typedValue(first->text());
  const Variant to = typedValue(second->text());
  m_run([this, &caption, &from, &to] { m_query.enterValues(caption, from, to); });
  syncFromQuery();
}

void EnhancedQueryWidget::enterAttribute(const std::string& name) {
  const controls::QueryAttribute* attribute = attributeNamed(m_query, name);
  const auto row = std::find_if(m_attributeRows.begin(), m_attributeRows.end(),
                                [&name](const AttributeRow& r) { return r.name == name; });
  if (attribute == nullptr || row == m_attributeRows.end()) return;
  const bool contains = row->match->currentIndex() == 1;
  const QString first = row->ends[0]->text();
  const QString second = row->ends[1]->text();
  if (attribute->contains == contains && attribute->first.toText() == toStdString(first) &&
      attribute->second.toText() == toStdString(second)) {
    return;  // nothing was changed
  }
  const Variant from = typedValue(first);
  const Variant to = contains ? Variant() : typedValue(second);
  m_run([this, &name, contains, &from, &to] { m_query.enterAttribute(name, contains, from, to); });
  syncFromQuery();
}

void EnhancedQueryWidget::lookup(const std::string& caption, int end) {
  if (m_display == nullptr) return;
  enter(caption);  // what was typed first counts
  m_run([this, &caption, end] {
    const std::optional<controls::PickList> list = m_query.openLookup(caption, end);
    if (!list) return;
    const std::optional<std::string> code = chooseCode(*list, *m_display);
    if (code) m_query.pick(caption, end, *code);
  });
  syncFromQuery();
}

void EnhancedQueryWidget::lookupAttribute(const std::string& name, int end) {
  if (m_display == nullptr) return;
  enterAttribute(name);  // what was typed first counts
  m_run([this, &name, end] {
    const controls::PickList list = m_query.openAttributeList(name);
    const std::optional<std::string> code = chooseCode(list, *m_display);
    const controls::QueryAttribute* attribute = attributeNamed(m_query, name);
    if (!code || attribute == nullptr) return;
    Variant ends[2] = {attribute->first, attribute->second};
    ends[end == controls::EnhancedQuery::kSecondValue ? 1 : 0] = Variant(*code);
    m_query.enterAttribute(name, attribute->contains, ends[0], ends[1]);
  });
  syncFromQuery();
}

bool EnhancedQueryWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F3) {
    int end = 0;
    if (const Row* row = rowOf(watched, &end)) {
      const std::string caption = row->caption;
      lookup(caption, end);
      return true;
    }
    for (const AttributeRow& row : m_attributeRows) {
      for (int at = 0; at < 2; ++at) {
        if (row.ends[at] != watched) continue;
        const std::string name = row.name;
        lookupAttribute(name, at);
        return true;
      }
    }
  }
  return QScrollArea::eventFilter(watched, event);
}

}  // namespace platform::qt
