// The designs of the console's two forms. All sizes are twips.
//
// The console window: the side bar down the left edge; to its right one page area that the
// six page frames share (one shows at a time); under the page area the row of the three
// processing buttons, which sit on the form itself because both item pages use them. A page
// frame has no border: its content starts at its top-left corner.
//
// The configuration pages follow one pattern: a grid across the top and, under it, the group
// box of the record editor with one field per row (label column, field column, description
// column), the grid navigator at its bottom left and the page's own button at its bottom
// right. The association editor's rows are moved at run time by a fixed arithmetic (rows of
// 330 from 300, the body row one row further, the navigator 600 below it, the box 1400 + 330
// per entity row high, the grid taking what the form height leaves); the design is that
// arithmetic's result with every entity managed, and the other pages use the same steps so
// that nothing jumps when the user changes page.
//
// The design size is the window's outer size, as the form's load step sets it; the client
// area is 120 narrower (borders) and 525 lower (title bar and borders), and every control
// lies inside it.
//
// Edit fields and choosers draw no caption of their own: the user reads the label in front of
// each one, whose caption is the field's caption. A field's caption names it in tags and
// messages. Description boxes (TXT_DESC_...) are disabled edit fields without a caption, at
// the right of their code field. Image lists, the resize control and the window container
// are hidden: they draw nothing.
#include "src/shell/form_designs.h"

#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/controls/edit_field.h"
#include "src/config/classifications.h"
#include "src/processing/verdict_colours.h"

namespace passaggio {
namespace {

using platform::Variant;
using platform::controls::Colour;
using platform::controls::ControlDesign;
using platform::controls::ControlKind;
using platform::controls::EditField;
using platform::controls::FormDesign;
using Settings = std::vector<std::pair<std::string, Variant>>;

// --- The console window --------------------------------------------------------------------
constexpr int kFormWidth = 15330;
constexpr int kFormHeight = 8550;
constexpr int kClientHeight = kFormHeight - 525;

constexpr int kMargin = 120;
constexpr int kSideBarWidth = 2400;
constexpr int kPageLeft = kSideBarWidth + kMargin;
constexpr int kPageTop = kMargin;
constexpr int kPageWidth = kFormWidth - 120 - kMargin - kPageLeft;  // 12570
// Where the association editor's arithmetic puts the bottom of its group box: the form
// height less 1400, plus the 100 between grid and box.
constexpr int kPageHeight = kFormHeight - 1300;  // 7250

constexpr int kButtonWidth = 1800;
constexpr int kButtonHeight = 375;
constexpr int kButtonRowTop = kPageTop + kPageHeight + kMargin;
constexpr int kNavigatorWidth = 3600;

// --- Rows of an editor group box -----------------------------------------------------------
constexpr int kFirstRow = 300;  // under the group box's caption
constexpr int kRow = 330;
constexpr int kFieldHeight = 300;
constexpr int kLabelHeight = 240;
constexpr int kLabelDrop = 30;  // a label's text sits level with its field's text
constexpr int kLabelLeft = kMargin;
constexpr int kLabelWidth = 3240;
constexpr int kFieldLeft = kLabelLeft + kLabelWidth + kMargin;  // 3480
constexpr int kCodeWidth = 2280;
constexpr int kDescLeft = kFieldLeft + kCodeWidth + kMargin;  // 5880
constexpr int kDescWidth = 4560;
constexpr int kFieldSpan = kDescLeft + kDescWidth - kFieldLeft;  // a long field or a check box
constexpr int kHolderLeft = kDescLeft + kDescWidth + kMargin;
constexpr int kHolderWidth = 1200;
constexpr int kGridToBox = 100;
constexpr int kNavigatorDrop = 600;  // from the last row's top to the navigator's
constexpr int kBoxBelowNavigator = 500;
constexpr int kBoxInnerRight = kPageWidth - kMargin;
// Navigators sit at the right of their group box, where they stay when the window widens.
constexpr int kNavigatorLeft = kBoxInnerRight - kNavigatorWidth;
// A button on a field row, centred on the field.
constexpr int kButtonOnRow = (kFieldHeight - kButtonHeight) / 2;

struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

int navigatorTop(int lastRowTop) { return lastRowTop + kNavigatorDrop; }
int boxHeight(int lastRowTop) { return navigatorTop(lastRowTop) + kBoxBelowNavigator; }
int rowTop(int row) { return kFirstRow + row * kRow; }

// Adds controls in reading order; the tab order is the order of creation.
class Designer {
 public:
  explicit Designer(FormDesign& form) : m_form(form) {}

  ControlDesign& add(std::string name, ControlKind kind, std::string parent, Box box, std::string caption = {},
                     Settings settings = {}) {
    ControlDesign control;
    control.name = std::move(name);
    control.kind = kind;
    control.parent = std::move(parent);
    control.left = box.left;
    control.top = box.top;
    control.width = box.width;
    control.height = box.height;
    control.caption = std::move(caption);
    control.tabIndex = m_nextTab++;
    control.properties = std::move(settings);
    m_form.controls.push_back(std::move(control));
    return m_form.controls.back();
  }

  //! A field row of an editor group box: the label, then the field in the field column.
  ControlDesign& fieldRow(const std::string& box, int top, std::string label, std::string field, ControlKind kind,
                          int width, const std::string& caption, Settings settings) {
    add(std::move(label), ControlKind::Label, box, {kLabelLeft, top + kLabelDrop, kLabelWidth, kLabelHeight}, caption);
    return add(std::move(field), kind, box, {kFieldLeft, top, width, kFieldHeight}, caption, std::move(settings));
  }

  //! The description box at the right of a code field; the program fills it.
  void description(const std::string& box, int top, std::string name) {
    add(std::move(name), ControlKind::EditField, box, {kDescLeft, top, kDescWidth, kFieldHeight}).enabled = false;
  }

  //! A hidden field that carries a bound id; kept at the right end of the row it belongs to.
  void holder(const std::string& box, int top, std::string name, Settings settings) {
    add(std::move(name), ControlKind::EditField, box, {kHolderLeft, top, kHolderWidth, kFieldHeight}, {},
        std::move(settings))
        .visible = false;
  }

  void hide(ControlDesign& control) { control.visible = false; }

 private:
  FormDesign& m_form;
  int m_nextTab = 0;
};

//! A code the user types: upper case, at most `maxChars` characters.
Settings codeField(int maxChars, bool required) {
  Settings settings{{"displayformat", Variant(EditField::kUpperCase)}, {"maxchar", Variant(maxChars)}};
  if (required) settings.emplace_back("required", Variant(true));
  return settings;
}

//! A code with a list to pick from and a description box that its decode fills.
Settings lookupField(int maxChars, const std::string& descriptionBox, bool required) {
  Settings settings = codeField(maxChars, required);
  settings.emplace_back("islookup", Variant(true));
  settings.emplace_back("isdecode", Variant(true));
  settings.emplace_back("descfield", Variant(descriptionBox));
  return settings;
}

Settings bound(const std::string& column, Settings more = {}) {
  Settings settings{{"dbfield", Variant(column)}};
  for (auto& setting : more) settings.push_back(std::move(setting));
  return settings;
}

// --- Pages ----------------------------------------------------------------------------------

void sideBar(Designer& d) {
  d.add("SDB_PASSAGGIO", ControlKind::SideBar, "", {0, 0, kSideBarWidth, kClientHeight}, {},
        {{"item", Variant(Variant::Array{"ENTITA", "Entità gestite"})},
         {"item", Variant(Variant::Array{"ARGOMENTI", "Enti validazione"})},
         {"item", Variant(Variant::Array{"DETT_ARGOMENTI", "Campi per ente"})},
         {"item", Variant(Variant::Array{"ENTITA_ARGOMENTI", "Associazioni entità"})},
         {"item", Variant(Variant::Array{"INT_MOD_DATI", "Elaborazione articoli"})}});
}

ControlDesign& page(Designer& d, const std::string& name, const std::string& title) {
  return d.add(name, ControlKind::Frame, "", {kPageLeft, kPageTop, kPageWidth, kPageHeight}, title);
}

// Managed entities: the grid of the twelve entities with their selection, and the save button.
void entitiesPage(Designer& d) {
  const std::string frame = "FRAME_ENTITA";
  d.hide(page(d, frame, "Entità gestite"));
  const int buttonTop = kPageHeight - kButtonHeight;
  d.add("GRD_ENTITA", ControlKind::Grid, frame, {0, 0, kPageWidth, buttonTop - kMargin});
  d.add("CMD_SAVE_ENTITA", ControlKind::Button, frame,
        {kPageWidth - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight}, "&Salva")
      .enabled = false;  // enabled by the first change of a selection
}

// Validation bodies: the grid of the company's bodies and the body editor under it.
void bodiesPage(Designer& d) {
  const std::string frame = "FRAME_ENTEVALIDAZIONE";
  const std::string box = "GRB_ARGOMENTI";
  d.hide(page(d, frame, "Enti validazione"));
  const int lastRow = rowTop(6);
  const int boxTop = kPageHeight - boxHeight(lastRow);
  d.add("GRD_ARGOMENTI", ControlKind::Grid, frame, {0, 0, kPageWidth, boxTop - kGridToBox});
  d.add(box, ControlKind::GroupBox, frame, {0, boxTop, kPageWidth, boxHeight(lastRow)}, "Definizione ente validazione");

  d.fieldRow(box, rowTop(0), "LBL_MG0M_ARGOMENTO", "TXT_MG0M_ARGOMENTO", ControlKind::EditField, kCodeWidth,
             "Codice argomento", bound("MG0M_ARGOMENTO", codeField(40, true)));
  d.fieldRow(box, rowTop(1), "LBL_MG0M_DESCARGOMENTO", "TXT_MG0M_DESCARGOMENTO", ControlKind::EditField, kFieldSpan,
             "Descrizione argomento", bound("MG0M_DESCARGOMENTO", {{"maxchar", Variant(255)}}));
  d.fieldRow(box, rowTop(2), "LBL_MG0M_TIPO_RESPONSABILE", "CMB_MG0M_TIPO_RESPONSABILE", ControlKind::Chooser,
             kCodeWidth, "Responsabile gruppo/utente", bound("MG0M_TIPO_RESPONSABILE", {{"default", Variant("0")}}));
  d.fieldRow(box, rowTop(3), "LBL_UTENTE_RESPONSABILE", "TXT_UTENTE_RESPONSABILE", ControlKind::EditField, kCodeWidth,
             "Codice utente responsabile", lookupField(64, "TXT_DESC_UTENTE", false));
  d.description(box, rowTop(3), "TXT_DESC_UTENTE");
  // The responsible type starts as "Utente": the group code waits until "Gruppo" is chosen.
  d.fieldRow(box, rowTop(4), "LBL_GRUPPO_RESPONSABILE", "TXT_GRUPPO_RESPONSABILE", ControlKind::EditField, kCodeWidth,
             "Codice gruppo responsabile", lookupField(64, "TXT_DESC_GRUPPO_RESP", false))
      .enabled = false;
  d.description(box, rowTop(4), "TXT_DESC_GRUPPO_RESP");
  d.fieldRow(box, rowTop(5), "LBL_MG0M_STATOINI_MG6W", "CMB_MG0M_STATOINI_MG6W", ControlKind::Chooser, kCodeWidth,
             "Stato di partenza", bound("MG0M_STATOINI_MG6W", {{"default", Variant("0")}}));
  d.fieldRow(box, rowTop(6), "LBL_MG0M_STATOFIN_MG6W", "CMB_MG0M_STATOFIN_MG6W", ControlKind::Chooser, kCodeWidth,
             "Stato di arrivo", bound("MG0M_STATOFIN_MG6W", {{"default", Variant("0")}}));
  d.add("GRIDNAV_ARGOMENTI", ControlKind::GridNavigator, box,
        {kNavigatorLeft, navigatorTop(lastRow), kNavigatorWidth, kButtonHeight});

  d.holder(box, rowTop(3), "TXT_MG0M_UTENTE_FW07", bound("MG0M_UTENTE_FW07"));
  d.holder(box, rowTop(4), "TXT_MG0M_GRUPPO_FW06", bound("MG0M_GRUPPO_FW06"));
}

// Fields of a validation body: the body chosen in a header, its fields' grid and the field
// editor under it.
void bodyFieldsPage(Designer& d) {
  const std::string frame = "FRAME_DETTAGLIO_ARG";
  const std::string header = "GRB_CODICE_ARG";
  const std::string box = "GRB_CAMPI_ARG";
  d.hide(page(d, frame, "Campi per ente"));

  const int headerHeight = rowTop(1) + kMargin;
  d.add(header, ControlKind::GroupBox, frame, {0, 0, kPageWidth, headerHeight}, "Ente validazione");
  d.fieldRow(header, rowTop(0), "LBL_ARGOMENTO", "TXT_ARGOMENTO", ControlKind::EditField, kCodeWidth,
             "Codice argomento per definizione campi", lookupField(40, "TXT_DESC_ARGOMENTO", true));
  d.description(header, rowTop(0), "TXT_DESC_ARGOMENTO");
  d.add("CMD_CHANGE_ARG", ControlKind::Button, header,
        {kBoxInnerRight - kButtonWidth, rowTop(0) + kButtonOnRow, kButtonWidth, kButtonHeight}, "&Cambia ente")
      .enabled = false;  // until a body is chosen

  const int lastRow = rowTop(3);
  const int boxTop = kPageHeight - boxHeight(lastRow);
  const int gridTop = headerHeight + kGridToBox;
  d.add("GRD_CAMPI_ARG", ControlKind::Grid, frame, {0, gridTop, kPageWidth, boxTop - kGridToBox - gridTop});
  d.add(box, ControlKind::GroupBox, frame, {0, boxTop, kPageWidth, boxHeight(lastRow)},
        "Definizione campi per ente validazione");
  d.fieldRow(box, rowTop(0), "LBL_CAMPO_ARG", "TXT_CAMPO_ARG", ControlKind::EditField, kCodeWidth,
             "Campo da inserire nell'argomento", lookupField(40, "TXT_DESC_CAMPO", true));
  d.description(box, rowTop(0), "TXT_DESC_CAMPO");
  // In the order of the grid's columns.
  d.add("CHK_MG0P_VALORE_OBBLIGATORIO", ControlKind::CheckBox, box, {kFieldLeft, rowTop(1), kFieldSpan, kFieldHeight},
        "Obbligatorio indicare un valore del campo", bound("MG0P_VALORE_OBBLIGATORIO", {{"default", Variant("0")}}));
  d.add("CHK_MG0P_INDVALZERO", ControlKind::CheckBox, box, {kFieldLeft, rowTop(2), kFieldSpan, kFieldHeight},
        "Il valore Zero non è significativo", bound("MG0P_INDVALZERO", {{"default", Variant("0")}}));
  d.add("CHK_MG0P_VALIDAZ_MANUALE", ControlKind::CheckBox, box, {kFieldLeft, rowTop(3), kFieldSpan, kFieldHeight},
        "Validazione del campo manuale", bound("MG0P_VALIDAZ_MANUALE", {{"default", Variant("0")}}));
  d.add("GRIDNAV_CAMPI_ARG", ControlKind::GridNavigator, box,
        {kNavigatorLeft, navigatorTop(lastRow), kNavigatorWidth, kButtonHeight});

  d.holder(box, rowTop(0), "TXT_MG0P_CAMPO_MG0O", bound("MG0P_CAMPO_MG0O"));
}

Settings classificationField(const Classification& field) {
  return bound(field.column, {{"islookup", Variant(true)},
                              {"isdecode", Variant(true)},
                              {"displayformat", Variant(EditField::kUpperCase)},
                              {"maxchar", Variant(field.maxChars)},
                              {"numerico", Variant(false)},
                              {"carattere", Variant(false)},
                              {"numrighe", Variant(0)},
                              {"maxwidth", Variant(20)},
                              {"isinlingua", Variant(false)},
                              {"linguaentitades", Variant(0)},
                              {"tag", Variant(field.caption)},
                              {"descfield", Variant(field.descriptionField)}});
}

// Entity associations: the grid of the associations and, under it, one row per classification
// (all shown here; the page shows those of the managed entities when it opens), the body row,
// the navigator and the exclusions button.
void associationsPage(Designer& d) {
  const std::string frame = "FRAME_ARG_ENTITA";
  const std::string box = "GRB_ENTITA_ARG";
  d.hide(page(d, frame, "Associazioni entità"));
  constexpr int rows = static_cast<int>(std::size(kClassifications));
  const int bodyRow = rowTop(rows + 1);
  const int height = boxHeight(bodyRow);
  const int gridHeight = kFormHeight - height - 1400;
  d.add("GRD_ENTITA_ARG", ControlKind::Grid, frame, {0, 0, kPageWidth, gridHeight});
  d.add(box, ControlKind::GroupBox, frame, {0, gridHeight + kGridToBox, kPageWidth, height},
        "Definizione ente validazione per entità");
  int row = 0;
  for (const Classification& field : kClassifications) {
    d.fieldRow(box, rowTop(row), field.label, field.codeField, ControlKind::EditField, kCodeWidth, field.caption,
               classificationField(field));
    d.description(box, rowTop(row), field.descriptionField);
    ++row;
  }
  d.fieldRow(box, bodyRow, "LBL_ENTITA_ARG", "TXT_ENTITA_ARG", ControlKind::EditField, kCodeWidth, "Codice argomento",
             lookupField(40, "TXT_DESC_ENTITA_ARG", true));
  d.description(box, bodyRow, "TXT_DESC_ENTITA_ARG");
  d.add("GRIDNAV_ENTITA_ARG", ControlKind::GridNavigator, box,
        {kNavigatorLeft - kButtonWidth - kMargin, navigatorTop(bodyRow), kNavigatorWidth, kButtonHeight});
  d.add("CMD_DETTAGLIO_NOVALIDAZ", ControlKind::Button, box,
        {kBoxInnerRight - kButtonWidth, navigatorTop(bodyRow), kButtonWidth, kButtonHeight}, "Campi &esclusi...")
      .enabled = false;  // only while a saved association is shown

  d.holder(box, bodyRow, "TXT_MG0Q_ARGOMENTO_MG0M", bound("MG0Q_ARGOMENTO_MG0M", {{"required", Variant(true)}}));
}

// Item selection: the filter fills the page. This is the page the console opens on.
void selectionPage(Designer& d) {
  const std::string frame = "FRAME_INTERROGAZ";
  page(d, frame, "Selezione articoli");
  d.add("ADVQ_ARTICOLI", ControlKind::EnhancedQuery, frame, {0, 0, kPageWidth, kPageHeight});
}

// What the images, colours and marks of the results page mean, on the detail's navigator
// row at its left: the verdicts on their cell colours, the permission, the detail's marks.
void resultsLegend(Designer& d, const std::string& box, int top) {
  namespace colours = verdict_colours;
  const auto image = [](const char* list, int index, std::optional<Colour> back, const char* text) {
    const Variant colour = back ? Variant((back->red << 16) | (back->green << 8) | back->blue) : Variant::null();
    return std::pair<std::string, Variant>{"image", Variant(Variant::Array{Variant(list), Variant(index), colour,
                                                                          Variant(text)})};
  };
  const auto sign = [](const char* mark, const char* text) {
    return std::pair<std::string, Variant>{"sign", Variant(Variant::Array{Variant(mark), Variant(text)})};
  };
  d.add("LGD_RISULTATI", ControlKind::Legend, box, {kMargin, top, kNavigatorLeft - 2 * kMargin, kButtonHeight}, {},
        {image("IMG_SEL", 1, colours::kPasses, "supera"), image("IMG_SEL", 0, colours::kFails, "non supera"),
         image("IMG_SEL", 2, colours::kDoesNotApply, "non applicabile"),
         image("IMG_AGGSTATO", 1, std::nullopt, "stato applicabile"),
         sign("!", "fa fallire l'articolo"), sign("*", "visto non salvato")});
}

// Processing results: the items grid and, under it, the selected item's fields with their
// navigator and the page's legend.
void resultsPage(Designer& d) {
  const std::string frame = "FRAME_INTERROGAZ_RIS";
  const std::string box = "GRB_DATIART_CAMPI";
  d.hide(page(d, frame, "Articoli elaborati"));
  const int gridHeight = 3400;
  const int boxTop = gridHeight + kGridToBox;
  const int height = kPageHeight - boxTop;
  const int navigator = height - kBoxBelowNavigator;
  // The item's code and description stay in place while the verdicts scroll across; the
  // field's value takes the detail's free width.
  d.add("GRD_ARTICOLI", ControlKind::Grid, frame, {0, 0, kPageWidth, gridHeight}, {}, {{"frozen", Variant(2)}});
  d.add(box, ControlKind::GroupBox, frame, {0, boxTop, kPageWidth, height}, "Campi dell'articolo");
  d.add("GRD_DATIART_CAMPI", ControlKind::Grid, box,
        {kMargin, kFirstRow, kPageWidth - 2 * kMargin, navigator - kMargin - kFirstRow}, {},
        {{"stretch", Variant("VALORE_CAMPO")}});
  // Every button of the detail's navigator saves the ticks and nothing else: only Save is
  // offered, and the grids keep their own keys (Page Up, Page Down, Del, Esc).
  d.add("GRIDNAV_VIS_CAMPIART", ControlKind::GridNavigator, box,
        {kNavigatorLeft, navigator, kNavigatorWidth, kButtonHeight}, {}, {{"button", Variant("SAVE")}});
  resultsLegend(d, box, navigator);
}

// The processing buttons under the page area, at its right: back to the parameters, process,
// apply the new states. They start as the selection page wants them.
void processingButtons(Designer& d) {
  const int right = kPageLeft + kPageWidth;
  d.add("CMD_PARAM", ControlKind::Button, "",
        {right - 3 * kButtonWidth - 2 * kMargin, kButtonRowTop, kButtonWidth, kButtonHeight}, "&Parametri")
      .enabled = false;
  d.add("CMD_ELABORA", ControlKind::Button, "",
        {right - 2 * kButtonWidth - kMargin, kButtonRowTop, kButtonWidth, kButtonHeight}, "&Elabora");
  d.add("CMD_AGGSTATI", ControlKind::Button, "", {right - kButtonWidth, kButtonRowTop, kButtonWidth, kButtonHeight},
        "&Aggiorna stati")
      .enabled = false;
}

// What draws nothing: the resize control, the window container and the image lists of the
// items grids, whose images follow the cell values 0, 1, 2.
void components(Designer& d) {
  const int size = 480;
  int left = kPageLeft;
  auto next = [&] {
    Box box{left, kButtonRowTop, size, kButtonHeight};
    left += size + kMargin;
    return box;
  };
  d.hide(d.add("ZEP_RESIZEFORM", ControlKind::ResizeControl, "", next()));
  d.hide(d.add("MDIActiveX1", ControlKind::Container, "", next()));
  d.hide(d.add("IMG_SEL", ControlKind::ImageList, "", next(), {},
               {{"image", Variant("fail")}, {"image", Variant("pass")}, {"image", Variant("not-applicable")}}));
  d.hide(d.add("IMG_AGGSTATO", ControlKind::ImageList, "", next(), {},
               {{"image", Variant("denied")}, {"image", Variant("allowed")}}));
}

// --- The field-exclusion dialog ------------------------------------------------------------
constexpr int kDialogWidth = 8760;
constexpr int kDialogHeight = 5400;
constexpr int kDialogClientWidth = kDialogWidth - 120;
constexpr int kDialogClientHeight = kDialogHeight - 525;

}  // namespace

FormDesign designFRMMG_PASSAGGIO() {
  FormDesign design{"FRMMG_PASSAGGIO", "Passaggio di stato articoli", kFormWidth, kFormHeight, {}};
  Designer d(design);
  sideBar(d);
  entitiesPage(d);
  bodiesPage(d);
  bodyFieldsPage(d);
  associationsPage(d);
  selectionPage(d);
  resultsPage(d);
  processingButtons(d);
  components(d);
  return design;
}

FormDesign designFRMMG_NOVALIDAZ() {
  FormDesign design{"FRMMG_NOVALIDAZ", "Campi esclusi dalla validazione", kDialogWidth, kDialogHeight, {}};
  Designer d(design);
  const int buttonTop = kDialogClientHeight - kMargin - kButtonHeight;
  const int right = kDialogClientWidth - kMargin;
  d.add("GRD_CAMPIARG", ControlKind::Grid, "",
        {kMargin, kMargin, kDialogClientWidth - 2 * kMargin, buttonTop - 2 * kMargin});
  d.add("CMD_CONFERMA", ControlKind::Button, "",
        {right - 2 * kButtonWidth - kMargin, buttonTop, kButtonWidth, kButtonHeight}, "&Conferma");
  d.add("CMD_CHIUDI", ControlKind::Button, "", {right - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight},
        "&Annulla");
  d.hide(d.add("ZEP_RESIZEFORM1", ControlKind::ResizeControl, "", {kMargin, buttonTop, 480, kButtonHeight}));
  return design;
}

}  // namespace passaggio
