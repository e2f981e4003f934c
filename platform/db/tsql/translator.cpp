// The front end's public entry points: parse a batch into statements, write one for SQLite.
#include "platform/db/tsql/translator.h"

#include <algorithm>

#include "platform/db/tsql/parser.h"
#include "platform/db/tsql/writer.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {

const CatalogColumn* findColumn(const std::vector<CatalogColumn>& columns, std::string_view name) {
  const auto found = std::find_if(columns.begin(), columns.end(), [&](const CatalogColumn& column) {
    return platform::text::equalsIgnoringCase(column.name, name);
  });
  return found == columns.end() ? nullptr : &*found;
}

struct ParsedStatementImpl {
  std::string tsql;
  StatementNode node;
  bool needsCatalog = false;
};

TranslationError::TranslationError(const std::string& message, std::string construct, int line, int column,
                                   std::string statement, long nativeError)
    : std::runtime_error(message),
      m_construct(std::move(construct)),
      m_line(line),
      m_column(column),
      m_statement(std::move(statement)),
      m_nativeError(nativeError) {}

ParsedStatement::ParsedStatement(std::shared_ptr<const ParsedStatementImpl> impl) : m_impl(std::move(impl)) {}

const std::string& ParsedStatement::tsql() const { return m_impl->tsql; }

bool ParsedStatement::needsCatalog() const { return m_impl->needsCatalog; }

Statement ParsedStatement::translate(const Catalog& catalog, const Passes& passes) const {
  Writer writer(&catalog, m_impl->tsql, passes);
  Statement statement = writer.write(m_impl->node);
  statement.tsql = m_impl->tsql;
  return statement;
}

std::vector<ParsedStatement> parseBatch(std::string_view batch) {
  std::vector<ParsedNode> nodes = Parser(batch).parseBatch();
  std::vector<ParsedStatement> statements;
  statements.reserve(nodes.size());
  for (ParsedNode& parsed : nodes) {
    auto impl = std::make_shared<ParsedStatementImpl>(
        ParsedStatementImpl{std::string(parsed.text), std::move(parsed.node), parsed.needsCatalog});
    statements.emplace_back(std::move(impl));
  }
  return statements;
}

}  // namespace platform::db::tsql
