// Everything the host shows a user goes through this service: message boxes, the error
// display with abort / retry / ignore, the pick list of a look-up and the item card. The
// desktop host shows real dialogs; tests and the batch host answer from a script.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/db/db_error.h"
#include "platform/variant/variant.h"

namespace platform::host {

//! Buttons and answers as a standard message box numbers them.
enum Answer : int { kNone = 0, kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7 };

//! Message box styles: the sum of one button set, one icon, one default button, modality.
namespace style {
inline constexpr int kOkOnly = 0, kOkCancel = 1, kAbortRetryIgnore = 2, kYesNoCancel = 3, kYesNo = 4,
                     kRetryCancel = 5;
inline constexpr int kCritical = 16, kQuestion = 32, kExclamation = 48, kInformation = 64;
inline constexpr int kDefaultButton2 = 256, kDefaultButton3 = 512, kSystemModal = 4096;
inline int buttons(int style) { return style & 7; }
inline int icon(int style) { return style & 112; }
}  // namespace style

struct MessageRequest {
  std::string text;   // CR LF or a lone CR break lines
  int style = 0;
  std::string title;
};

//! What the error display shows: where the error happened, what it said, the statement in
//! the console's SQL buffer and the connection's error collection.
struct ErrorRequest {
  std::string applicationTitle;
  std::string caption;    // the form's caption (or the dialog's file description)
  std::string procedure;  // the report name of the procedure that trapped the error
  int style = 0;          // 4370: abort/retry/ignore, critical, second button, system modal
  long number = 0;        // the run-time error
  std::string description;
  std::string source;
  std::string sql;        // the statement being run, when there is one
  std::vector<db::ErrorEntry> connectionErrors;
};

//! A list to pick a code from (a look-up): its title, column captions and rows as text.
struct PickListRequest {
  std::string title;
  std::vector<std::string> captions;
  std::vector<std::vector<std::string>> rows;
};

//! An item's master data as the item card shows it.
struct ItemCard {
  std::string title;
  std::vector<std::pair<std::string, std::string>> fields;  // caption, value
};

class Display {
 public:
  virtual ~Display() = default;
  //! Shows a message; returns the button pressed (Answer), or kNone when nothing was shown.
  virtual int showMessage(const MessageRequest& request) = 0;
  //! Shows the error display; returns kAbort, kRetry or kIgnore.
  virtual int showError(const ErrorRequest& request) = 0;
  //! Shows a pick list; returns the index of the chosen row, or -1 when nothing was chosen.
  virtual int pick(const PickListRequest& request) = 0;
  //! Shows an item card and returns when the user closes it.
  virtual void showItemCard(const ItemCard& card) = 0;
};

}  // namespace platform::host
