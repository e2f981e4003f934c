// What the record editors of the configuration pages share: how a refusal is shown, and how
// their look-up and decode fields run the queries handed back.
#pragma once

#include <string>
#include <string_view>

#include "platform/controls/query_runner.h"
#include "platform/host/display.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {

//! A rule the user broke: the text with the exclamation style, under the form's caption.
inline void ShowRefusal(FRMMG_PASSAGGIO& form, std::string_view text) {
  form.MessaggioUtente(std::string(text), platform::host::style::kExclamation, platform::Variant(form.Caption()), "");
}

//! Runs a field's look-up and decode queries on the console's own connection, whatever
//! connection string came back with them: the host database is the one it is connected to.
inline platform::controls::QueryRunner OwnConnectionRunner(FRMMG_PASSAGGIO& form) {
  return [&form](const std::string& sql, const std::string&) {
    return Set(form.m_connection).Open(sql);
  };
}

}  // namespace passaggio
