// The designs of the console's two forms: every control the console's procedures name is
// there, of its kind and on its page; each page, as the user sees it, is tidy (everything
// inside its container, nothing on top of anything else, tab order in reading order, captions
// that are there, fit and do not clash); the fields carry the settings their rules rely on;
// and the association editor's run-time layout lands where the design put it.
#include "src/shell/form_designs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/controls/bound_control.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/form.h"
#include "platform/controls/image_list.h"
#include "platform/controls/side_bar.h"

namespace passaggio {
namespace {

using namespace platform::controls;
using platform::Variant;

struct Rect {
  int left, top, right, bottom;
};

Rect onForm(const Control& control) {
  int left = control.left();
  int top = control.top();
  for (const Control* container = control.parent(); container != nullptr; container = container->parent()) {
    left += container->left();
    top += container->top();
  }
  return {left, top, left + control.width(), top + control.height()};
}

bool overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool within(const Control& control, const Control* ancestor) {
  for (const Control* c = control.parent(); c != nullptr; c = c->parent()) {
    if (c == ancestor) return true;
  }
  return false;
}

//! The window's client area: the design size less the borders and the title bar.
Rect clientArea(const Form& form) { return {0, 0, form.width() - 120, form.height() - 525}; }

const Control* frameOf(const Control& control) {
  for (const Control* c = control.parent(); c != nullptr; c = c->parent()) {
    if (c->kind() == ControlKind::Frame) return c;
  }
  return nullptr;
}

bool visibleUpTo(const Control& control, const Control* stop) {
  for (const Control* c = &control; c != nullptr && c != stop; c = c->parent()) {
    if (!c->isVisible()) return false;
  }
  return true;
}

//! What the user sees when `page` is the page shown (null: a form without pages): the page
//! with what is visible in it, and the visible controls of the form around the pages. The
//! processing buttons come with the item pages only: the console hides them on the others.
std::vector<const Control*> shownWith(const Form& form, const Control* page) {
  static const std::set<std::string> processing{"CMD_ELABORA", "CMD_PARAM", "CMD_AGGSTATI"};
  const bool itemPage = page != nullptr && page->name().starts_with("FRAME_INTERROGAZ");
  std::vector<const Control*> shown;
  for (const auto& control : form.controls()) {
    const Control* c = control.get();
    if (c == page) {
      shown.push_back(c);
    } else if (c->kind() == ControlKind::Frame) {
      continue;  // another page
    } else if (frameOf(*c) == page) {
      if (visibleUpTo(*c, page)) shown.push_back(c);
    } else if (frameOf(*c) == nullptr && c->isVisible() && (itemPage || !processing.contains(c->name()))) {
      shown.push_back(c);
    }
  }
  return shown;
}

std::vector<const Control*> pages(const Form& form) {
  std::vector<const Control*> frames;
  for (const auto& control : form.controls()) {
    if (control->kind() == ControlKind::Frame) frames.push_back(control.get());
  }
  if (frames.empty()) frames.push_back(nullptr);  // a dialog is one page
  return frames;
}

std::string captionText(const std::string& caption) {
  std::string text;
  for (char c : caption) {
    if (c != '&') text += c;
  }
  return text;
}

int characters(const std::string& text) {
  return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

//! A generous average width of a character of the forms' font.
constexpr int kTwipsPerCharacter = 85;

void expectUserCaption(const std::string& where, const std::string& caption, int room) {
  SCOPED_TRACE(where + ": \"" + caption + "\"");
  const std::string text = captionText(caption);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.front(), ' ');
  EXPECT_NE(text.back(), ' ');
  EXPECT_LE(std::count(caption.begin(), caption.end(), '&'), 1);
  EXPECT_LE(characters(text) * kTwipsPerCharacter, room) << "the caption does not fit";
  static const std::set<std::string> english{"Save",    "Cancel", "Close",    "Process", "Apply", "Code", "Description",
                                             "Field",   "Fields", "Item",     "Items",   "State", "Body", "Filter",
                                             "Results", "Entity", "Settings", "the",     "of",    "and"};
  std::string word;
  for (char c : text + " ") {
    if (std::isalpha(static_cast<unsigned char>(c))) {
      word += c;
    } else {
      EXPECT_FALSE(english.contains(word)) << "not Italian: " << word;
      word.clear();
    }
  }
}

class Designs : public ::testing::Test {
 protected:
  Form console{designFRMMG_PASSAGGIO()};
  Form dialog{designFRMMG_NOVALIDAZ()};
};

// --- What the console's procedures use --------------------------------------------------------

struct Classification {
  const char* label;
  const char* field;
  const char* column;
  const char* caption;
  std::size_t maxChars;
  const char* description;
};

const Classification kClassifications[] = {
    {"LBL_CODTIPOPROD", "TXT_MG0Q_TIPOPROD", "MG0Q_TIPOPROD", "Codice tipo prodotto", 2, "TXT_DESC_TIPOPROD"},
    {"LBL_CODFAM", "TXT_MG0Q_CODFAM_MG53", "MG0Q_CODFAM_MG53", "Codice famiglia", 4, "TXT_DESC_FAMIGLIA"},
    {"LBL_CODSFAM", "TXT_MG0Q_CODSFAM_MG54", "MG0Q_CODSFAM_MG54", "Codice sottofamiglia", 4, "TXT_DESC_SFAMIGLIA"},
    {"LBL_CODGRUPPO", "TXT_MG0Q_GRUPPO_MG55", "MG0Q_GRUPPO_MG55", "Codice gruppo", 4, "TXT_DESC_GRUPPO"},
    {"LBL_CODSGRUPPO", "TXT_MG0Q_SGRUPPO_MG56", "MG0Q_SGRUPPO_MG56", "Codice sottogruppo", 4, "TXT_DESC_SGRUPPO"},
    {"LBL_CODMARCA", "TXT_MG0Q_MARCA_MG64", "MG0Q_MARCA_MG64", "Codice marca", 12, "TXT_DESC_MARCA"},
    {"LBL_CODGRUPFISC", "TXT_MG0Q_GRUPFISC_MG61", "MG0Q_GRUPFISC_MG61", "Codice gruppo fiscale", 12,
     "TXT_DESC_GRUPFISC"},
    {"LBL_CODGRUSTAT1", "TXT_MG0Q_GRUSTAT1_MG74", "MG0Q_GRUSTAT1_MG74", "Codice gruppo statistico 1", 4,
     "TXT_DESC_GRUSTAT1"},
    {"LBL_CODGRUSTAT2", "TXT_MG0Q_GRUSTAT2_MG75", "MG0Q_GRUSTAT2_MG75", "Codice gruppo statistico 2", 4,
     "TXT_DESC_GRUSTAT2"},
    {"LBL_CODGRUSTAT3", "TXT_MG0Q_GRUSTAT3_MG76", "MG0Q_GRUSTAT3_MG76", "Codice gruppo statistico 3", 4,
     "TXT_DESC_GRUSTAT3"},
    {"LBL_CODGRUSTAT4", "TXT_MG0Q_GRUSTAT4_MG77", "MG0Q_GRUSTAT4_MG77", "Codice gruppo statistico 4", 4,
     "TXT_DESC_GRUSTAT4"},
};

struct Expected {
  const char* name;
  ControlKind kind;
  const char* page;  // the frame it sits in, at any depth; "" = on the form
};

using K = ControlKind;

const Expected kConsoleControls[] = {
    // Around the pages.
    {"SDB_PASSAGGIO", K::SideBar, ""},
    {"CMD_ELABORA", K::Button, ""},
    {"CMD_PARAM", K::Button, ""},
    {"CMD_AGGSTATI", K::Button, ""},
    {"ZEP_RESIZEFORM", K::ResizeControl, ""},
    {"MDIActiveX1", K::Container, ""},
    {"IMG_SEL", K::ImageList, ""},
    {"IMG_AGGSTATO", K::ImageList, ""},
    {"FRAME_ENTITA", K::Frame, ""},
    {"FRAME_ENTEVALIDAZIONE", K::Frame, ""},
    {"FRAME_DETTAGLIO_ARG", K::Frame, ""},
    {"FRAME_ARG_ENTITA", K::Frame, ""},
    {"FRAME_INTERROGAZ", K::Frame, ""},
    {"FRAME_INTERROGAZ_RIS", K::Frame, ""},
    // Managed entities.
    {"GRD_ENTITA", K::Grid, "FRAME_ENTITA"},
    {"CMD_SAVE_ENTITA", K::Button, "FRAME_ENTITA"},
    // Validation bodies.
    {"GRD_ARGOMENTI", K::Grid, "FRAME_ENTEVALIDAZIONE"},
    {"GRB_ARGOMENTI", K::GroupBox, "FRAME_ENTEVALIDAZIONE"},
    {"GRIDNAV_ARGOMENTI", K::GridNavigator, "FRAME_ENTEVALIDAZIONE"},
    {"TXT_MG0M_ARGOMENTO", K::EditField, "FRAME_ENTEVALIDAZIONE"},
    {"TXT_MG0M_DESCARGOMENTO", K::EditField, "FRAME_ENTEVALIDAZIONE"},
    {"CMB_MG0M_TIPO_RESPONSABILE", K::Chooser, "FRAME_ENTEVALIDAZIONE"},
    {"TXT_MG0M_UTENTE_FW07", K::EditField, "FRAME_ENTEVALIDAZIONE"},
    {"TXT_MG0M_GRUPPO_FW06", K::EditField, "FRAME_ENTEVALIDAZIONE"},
    {"CMB_MG0M_STATOINI_MG6W", K::Chooser, "FRAME_ENTEVALIDAZIONE"},
    {"CMB_MG0M_STATOFIN_MG6W", K::Chooser, "FRAME_ENTEVALIDAZIONE"},
    {"TXT_UTENTE_RESPONSABILE", K::EditField, "FRAME_ENTEVALIDAZIONE"},
    {"TXT_DESC_UTENTE", K::EditField, "FRAME_ENTEVALIDAZIONE"},
    {"TXT_GRUPPO_RESPONSABILE", K::EditField, "FRAME_ENTEVALIDAZIONE"},
    {"TXT_DESC_GRUPPO_RESP", K::EditField, "FRAME_ENTEVALIDAZIONE"},
    // Fields of a validation body.
    {"GRB_CODICE_ARG", K::GroupBox, "FRAME_DETTAGLIO_ARG"},
    {"TXT_ARGOMENTO", K::EditField, "FRAME_DETTAGLIO_ARG"},
    {"TXT_DESC_ARGOMENTO", K::EditField, "FRAME_DETTAGLIO_ARG"},
    {"CMD_CHANGE_ARG", K::Button, "FRAME_DETTAGLIO_ARG"},
    {"GRD_CAMPI_ARG", K::Grid, "FRAME_DETTAGLIO_ARG"},
    {"GRB_CAMPI_ARG", K::GroupBox, "FRAME_DETTAGLIO_ARG"},
    {"GRIDNAV_CAMPI_ARG", K::GridNavigator, "FRAME_DETTAGLIO_ARG"},
    {"TXT_MG0P_CAMPO_MG0O", K::EditField, "FRAME_DETTAGLIO_ARG"},
    {"CHK_MG0P_VALORE_OBBLIGATORIO", K::CheckBox, "FRAME_DETTAGLIO_ARG"},
    {"CHK_MG0P_VALIDAZ_MANUALE", K::CheckBox, "FRAME_DETTAGLIO_ARG"},
    {"CHK_MG0P_INDVALZERO", K::CheckBox, "FRAME_DETTAGLIO_ARG"},
    {"TXT_CAMPO_ARG", K::EditField, "FRAME_DETTAGLIO_ARG"},
    {"TXT_DESC_CAMPO", K::EditField, "FRAME_DETTAGLIO_ARG"},
    // Entity associations (the classification rows are checked from their own table).
    {"GRD_ENTITA_ARG", K::Grid, "FRAME_ARG_ENTITA"},
    {"GRB_ENTITA_ARG", K::GroupBox, "FRAME_ARG_ENTITA"},
    {"GRIDNAV_ENTITA_ARG", K::GridNavigator, "FRAME_ARG_ENTITA"},
    {"CMD_DETTAGLIO_NOVALIDAZ", K::Button, "FRAME_ARG_ENTITA"},
    {"LBL_ENTITA_ARG", K::Label, "FRAME_ARG_ENTITA"},
    {"TXT_ENTITA_ARG", K::EditField, "FRAME_ARG_ENTITA"},
    {"TXT_DESC_ENTITA_ARG", K::EditField, "FRAME_ARG_ENTITA"},
    {"TXT_MG0Q_ARGOMENTO_MG0M", K::EditField, "FRAME_ARG_ENTITA"},
    // Item selection and results.
    {"ADVQ_ARTICOLI", K::EnhancedQuery, "FRAME_INTERROGAZ"},
    {"GRD_ARTICOLI", K::Grid, "FRAME_INTERROGAZ_RIS"},
    {"GRB_DATIART_CAMPI", K::GroupBox, "FRAME_INTERROGAZ_RIS"},
    {"GRD_DATIART_CAMPI", K::Grid, "FRAME_INTERROGAZ_RIS"},
    {"GRIDNAV_VIS_CAMPIART", K::GridNavigator, "FRAME_INTERROGAZ_RIS"},
};

void expectControl(const Form& form, const Expected& want) {
  SCOPED_TRACE(want.name);
  const Control* control = form.find(want.name);
  ASSERT_NE(control, nullptr) << "missing";
  EXPECT_EQ(control->kind(), want.kind);
  const Control* page = control->parent();
  while (page != nullptr && page->kind() != ControlKind::Frame) page = page->parent();
  EXPECT_EQ(page == nullptr ? std::string() : page->name(), want.page);
}

TEST_F(Designs, HoldEveryControlTheProceduresNameOfItsKindOnItsPage) {
  EXPECT_EQ(console.name(), "FRMMG_PASSAGGIO");
  EXPECT_EQ(console.width(), 15330);
  EXPECT_EQ(console.height(), 8550);
  for (const Expected& want : kConsoleControls) expectControl(console, want);
  for (const Classification& row : kClassifications) {
    expectControl(console, {row.label, K::Label, "FRAME_ARG_ENTITA"});
    expectControl(console, {row.field, K::EditField, "FRAME_ARG_ENTITA"});
    expectControl(console, {row.description, K::EditField, "FRAME_ARG_ENTITA"});
  }

  EXPECT_EQ(dialog.name(), "FRMMG_NOVALIDAZ");
  EXPECT_LT(dialog.width(), console.width());
  EXPECT_LT(dialog.height(), console.height());
  for (const Expected& want :
       {Expected{"GRD_CAMPIARG", K::Grid, ""}, Expected{"CMD_CONFERMA", K::Button, ""},
        Expected{"CMD_CHIUDI", K::Button, ""}, Expected{"ZEP_RESIZEFORM1", K::ResizeControl, ""}}) {
    expectControl(dialog, want);
  }
}

TEST_F(Designs, OpenOnTheItemSelectionWithEverySwitchInItsFirstState) {
  // One page shows at start: the selection, in the state the page switch reads from the
  // process button (enabled = selection, not results).
  std::vector<std::string> shownFrames;
  for (const Control* page : pages(console)) {
    if (page->isVisible()) shownFrames.push_back(page->name());
  }
  EXPECT_EQ(shownFrames, std::vector<std::string>{"FRAME_INTERROGAZ"});
  for (const char* name : {"CMD_ELABORA", "CMD_PARAM", "CMD_AGGSTATI"}) {
    EXPECT_TRUE(console.control(name).isVisible()) << name;
  }
  EXPECT_TRUE(console.control("CMD_ELABORA").isEnabled());
  EXPECT_FALSE(console.control("CMD_PARAM").isEnabled());
  EXPECT_FALSE(console.control("CMD_AGGSTATI").isEnabled());

  // Buttons wait for something to act on; the responsible type starts as user.
  for (const char* name : {"CMD_SAVE_ENTITA", "CMD_CHANGE_ARG", "CMD_DETTAGLIO_NOVALIDAZ", "TXT_GRUPPO_RESPONSABILE"}) {
    EXPECT_FALSE(console.control(name).isEnabled()) << name;
  }
  EXPECT_TRUE(console.control("TXT_UTENTE_RESPONSABILE").isEnabled());
  for (const char* name :
       {"TXT_MG0M_UTENTE_FW07", "TXT_MG0M_GRUPPO_FW06", "TXT_MG0P_CAMPO_MG0O", "TXT_MG0Q_ARGOMENTO_MG0M"}) {
    EXPECT_FALSE(console.control(name).isVisible()) << name << " holds an id the user never sees";
  }

  const SideBar& bar = console.get<SideBar>("SDB_PASSAGGIO");
  std::vector<std::string> keys;
  for (const SideBarItem& item : bar.items()) {
    keys.push_back(item.key);
    expectUserCaption("side bar item " + item.key, item.caption, bar.width() - 240);
  }
  EXPECT_EQ(keys,
            (std::vector<std::string>{"ENTITA", "ARGOMENTI", "DETT_ARGOMENTI", "ENTITA_ARGOMENTI", "INT_MOD_DATI"}));

  // Cell values 0, 1, 2 pick the images in this order.
  EXPECT_EQ(console.get<ImageList>("IMG_SEL").images(),
            (std::vector<std::string>{"fail", "pass", "not-applicable"}));
  EXPECT_EQ(console.get<ImageList>("IMG_AGGSTATO").images(), (std::vector<std::string>{"denied", "allowed"}));
}

// --- Tidy pages -------------------------------------------------------------------------------

void expectTidy(const Form& form) {
  const Rect client = clientArea(form);
  for (const auto& control : form.controls()) {
    const Control* parent = control->parent();
    const Rect outer = parent == nullptr ? client : onForm(*parent);
    EXPECT_TRUE(inside(onForm(*control), outer)) << control->name() << " sticks out of its container";
    EXPECT_GT(control->width(), 0) << control->name();
    EXPECT_GT(control->height(), 0) << control->name();
  }

  std::set<int> tabs;
  for (const auto& control : form.controls()) {
    EXPECT_TRUE(tabs.insert(control->tabIndex()).second) << control->name() << " repeats a tab index";
  }

  for (const Control* page : pages(form)) {
    SCOPED_TRACE(page == nullptr ? form.name() : page->name());
    const std::vector<const Control*> shown = shownWith(form, page);
    for (std::size_t i = 0; i < shown.size(); ++i) {
      for (std::size_t j = i + 1; j < shown.size(); ++j) {
        const Control& a = *shown[i];
        const Control& b = *shown[j];
        if (within(a, &b) || within(b, &a)) continue;
        EXPECT_FALSE(overlap(onForm(a), onForm(b))) << a.name() << " and " << b.name() << " overlap";
      }
    }

    // Tab stops in reading order: row by row (tops within 100 twips share a row), left to right.
    std::vector<const Control*> stops;
    std::copy_if(shown.begin(), shown.end(), std::back_inserter(stops),
                 [](const Control* c) { return c->canTakeFocus(); });
    std::sort(stops.begin(), stops.end(),
              [](const Control* a, const Control* b) { return a->tabIndex() < b->tabIndex(); });
    for (std::size_t i = 1; i < stops.size(); ++i) {
      const Rect before = onForm(*stops[i - 1]);
      const Rect after = onForm(*stops[i]);
      const bool sameRow = std::abs(before.top - after.top) <= 100;
      EXPECT_TRUE(sameRow ? before.left < after.left : before.top < after.top)
          << stops[i - 1]->name() << " comes before " << stops[i]->name() << " in tab order";
    }

    // Captions the user reads, and access keys that do not clash on one page.
    std::set<char> keys;
    for (const Control* control : shown) {
      const std::string& caption = control->caption();
      switch (control->kind()) {
        case ControlKind::Label: expectUserCaption(control->name(), caption, control->width()); break;
        case ControlKind::Button:
        case ControlKind::GroupBox: expectUserCaption(control->name(), caption, control->width() - 240); break;
        case ControlKind::CheckBox: expectUserCaption(control->name(), caption, control->width() - 300); break;
        default: break;
      }
      const std::size_t amp = caption.find('&');
      if (amp != std::string::npos && amp + 1 < caption.size()) {
        EXPECT_TRUE(keys.insert(static_cast<char>(std::tolower(caption[amp + 1]))).second)
            << control->name() << " repeats an access key";
      }
    }
  }
}

TEST_F(Designs, LayEveryPageOutTidily) {
  expectTidy(console);
  expectTidy(dialog);
  expectUserCaption("console", console.caption(), console.width());
  expectUserCaption("dialog", dialog.caption(), dialog.width());
  for (const Control* page : pages(console)) expectUserCaption(page->name(), page->caption(), page->width());
}

TEST_F(Designs, GiveEveryFieldALabelInFrontAndEveryDescriptionItsCodeField) {
  for (const auto& control : console.controls()) {
    if (control->kind() != ControlKind::EditField && control->kind() != ControlKind::Chooser) continue;
    if (!control->isVisible()) continue;
    SCOPED_TRACE(control->name());
    const Rect field = onForm(*control);
    if (control->name().starts_with("TXT_DESC_")) {
      // Written by the program, read by the user, next to the code it describes.
      EXPECT_FALSE(control->isEnabled());
      EXPECT_TRUE(control->caption().empty());
      const auto code = std::find_if(console.controls().begin(), console.controls().end(), [&](const auto& other) {
        const auto* edit = dynamic_cast<const EditField*>(other.get());
        return edit != nullptr && edit->descriptionField() == control->name();
      });
      ASSERT_NE(code, console.controls().end()) << "no field fills it";
      EXPECT_EQ(onForm(**code).top, field.top);
      EXPECT_LT(onForm(**code).right, field.left);
      continue;
    }
    const auto label = std::find_if(console.controls().begin(), console.controls().end(), [&](const auto& other) {
      const Rect at = onForm(*other);
      return other->kind() == ControlKind::Label && other->parentName() == control->parentName() &&
             at.top == field.top + 30 && at.right < field.left;
    });
    ASSERT_NE(label, console.controls().end()) << "no label in front of it";
    EXPECT_EQ((*label)->caption(), control->caption());
  }
}

// --- Settings the fields' rules rely on -------------------------------------------------------

TEST_F(Designs, SetTheClassificationFieldsUpAsTheirLookupsAndDecodesExpect) {
  for (const Classification& row : kClassifications) {
    SCOPED_TRACE(row.field);
    const EditField& field = console.get<EditField>(row.field);
    EXPECT_EQ(field.dataField(), row.column);
    EXPECT_EQ(field.caption(), row.caption);
    EXPECT_EQ(field.tag(), row.caption);
    EXPECT_EQ(field.maxChars(), row.maxChars);
    EXPECT_EQ(field.displayFormat(), EditField::kUpperCase);
    EXPECT_TRUE(field.isLookup());
    EXPECT_TRUE(field.isDecode());
    EXPECT_FALSE(field.isNumeric());
    EXPECT_EQ(field.descriptionField(), row.description);
    EXPECT_EQ(field.hostSettings().at("maxwidth"), Variant(20));
    EXPECT_EQ(field.hostSettings().at("numrighe"), Variant(0));
    EXPECT_EQ(field.hostSettings().size(), 5u);
  }
}

TEST_F(Designs, BindEachEditorControlToTheColumnItsNameCarriesAndLimitEveryCode) {
  int bound = 0;
  for (const auto& control : console.controls()) {
    const auto* value = dynamic_cast<const BoundControl*>(control.get());
    if (value == nullptr) continue;
    SCOPED_TRACE(control->name());
    // TXT_MG0M_ARGOMENTO is bound to MG0M_ARGOMENTO; TXT_ARGOMENTO, of no table, to nothing.
    const std::string column = control->name().substr(4);
    const bool ofATable = column.size() > 5 && column.starts_with("MG0") && column[4] == '_';
    EXPECT_EQ(value->dataField(), ofATable ? column : std::string());
    bound += ofATable ? 1 : 0;
    if (const auto* field = dynamic_cast<const EditField*>(control.get())) {
      if (field->displayFormat() == EditField::kUpperCase) {
        EXPECT_GT(field->maxChars(), 0u) << "a code without a limit";
      }
      if (field->isLookup()) {
        EXPECT_TRUE(field->isDecode()) << "a code the user picks is described too";
      }
    }
  }
  EXPECT_EQ(bound, 7 + 4 + 12);  // the three record editors' registrations
  EXPECT_EQ(console.get<EditField>("TXT_MG0M_ARGOMENTO").maxChars(), 40u);
  EXPECT_EQ(console.get<EditField>("TXT_MG0M_DESCARGOMENTO").maxChars(), 255u);
}

// --- The association editor's run-time layout -------------------------------------------------

//! Lays the association editor out as the page does when it opens: the first `managed`
//! classification rows shown, one row each from 300, the body row one row after them; the
//! company, when managed, has no row but counts in the box's height.
void layOutAssociations(Form& form, std::size_t managed, bool company) {
  int pos = 300;
  int counter = 1;
  for (std::size_t i = 0; i < std::size(kClassifications); ++i) {
    const Classification& row = kClassifications[i];
    const bool shown = i < managed;
    for (const char* name : {row.label, row.field, row.description}) form.control(name).setVisible(shown);
    if (!shown) continue;
    form.control(row.label).setTop(pos + 30);
    form.control(row.field).setTop(pos);
    form.control(row.description).setTop(pos);
    ++counter;
    pos += 330;
  }
  if (company) ++counter;
  pos += 330;
  form.control("LBL_ENTITA_ARG").setTop(pos + 30);
  form.control("TXT_ENTITA_ARG").setTop(pos);
  form.control("TXT_DESC_ENTITA_ARG").setTop(pos);
  Control& box = form.control("GRB_ENTITA_ARG");
  Control& grid = form.control("GRD_ENTITA_ARG");
  box.setHeight(1400 + counter * 330);
  grid.setHeight(form.height() - box.height() - 1400);
  box.setTop(grid.height() + 100);
  form.control("GRIDNAV_ENTITA_ARG").setTop(pos + 600);
  form.control("CMD_DETTAGLIO_NOVALIDAZ").setTop(pos + 600);
}

TEST(AssociationsPage, OpensWhereTheDesignPutItAndStaysTidyForAnySetOfManagedEntities) {
  const FormDesign design = designFRMMG_PASSAGGIO();
  Form form{design};
  layOutAssociations(form, std::size(kClassifications), false);
  for (const auto& control : form.controls()) {
    const ControlDesign* designed = design.find(control->name());
    EXPECT_EQ(control->top(), designed->top) << control->name() << " jumps when the page opens";
    EXPECT_EQ(control->height(), designed->height) << control->name() << " changes size when the page opens";
  }

  for (std::size_t managed = 0; managed <= std::size(kClassifications); ++managed) {
    for (bool company : {false, true}) {
      SCOPED_TRACE(std::to_string(managed) + (company ? " entities and the company" : " entities"));
      layOutAssociations(form, managed, company);
      const Rect page = onForm(form.control("FRAME_ARG_ENTITA"));
      const Rect box = onForm(form.control("GRB_ENTITA_ARG"));
      EXPECT_TRUE(inside(box, page));
      EXPECT_FALSE(overlap(onForm(form.control("GRD_ENTITA_ARG")), box));
      for (const char* name : {"TXT_DESC_ENTITA_ARG", "GRIDNAV_ENTITA_ARG", "CMD_DETTAGLIO_NOVALIDAZ"}) {
        EXPECT_TRUE(inside(onForm(form.control(name)), box)) << name;
      }
      EXPECT_LT(onForm(form.control("TXT_ENTITA_ARG")).bottom, onForm(form.control("GRIDNAV_ENTITA_ARG")).top);
    }
  }
}

}  // namespace
}  // namespace passaggio
