// The controls around the pages: choosers filled at start-up, the side bar that switches
// pages, and the resize control that keeps the controls in place.
#include <gtest/gtest.h>

#include "platform/controls/chooser.h"
#include "platform/controls/form.h"
#include "platform/controls/resize_control.h"
#include "platform/controls/side_bar.h"

namespace platform::controls {
namespace {

TEST(Chooser, SettingTheTextChoosesByTextOrElseByValueAndReportsRealChangesOnly) {
  Chooser type("CMB_MG0M_TIPO_RESPONSABILE");
  int changes = 0;
  type.onChange.connect([&] { ++changes; });
  type.addItem("Utente", Variant(0));
  type.addItem("Gruppo", Variant(1));

  type.setText("0");
  EXPECT_EQ(type.text(), "Utente");
  type.setText("Gruppo");
  EXPECT_EQ(type.value(), Variant(1));
  type.setValue(Variant("1"));  // the same entry: no change
  type.setText("Altro");
  EXPECT_EQ(type.selectedIndex(), std::nullopt);
  EXPECT_EQ(type.value(), Variant("Altro"));
  type.clear();
  EXPECT_EQ(changes, 4);
}

TEST(SideBar, ClicksReachTheFormOnlyOnceInitialisedAndForItsOwnItems) {
  Form form(FormDesign{"FRM", "", 9000, 6000,
                       {{"SDB_PASSAGGIO", ControlKind::SideBar, "", 0, 0, 2000, 6000, "", 0, true, true,
                         {{"item", Variant(Variant::Array{"ENTITA", "Entità"})},
                          {"item", Variant(Variant::Array{"ARGOMENTI", "Enti validazione"})}}}}});
  SideBar& bar = form.get<SideBar>("SDB_PASSAGGIO");
  std::vector<std::string> keys;
  bar.onItemLinkClick.connect([&](const SideBarItem& item) { keys.push_back(item.key); });

  EXPECT_FALSE(bar.clickItem("ENTITA"));
  bar.initialise(nullptr, true);
  EXPECT_TRUE(bar.clickItem("ARGOMENTI"));
  EXPECT_FALSE(bar.clickItem("argomenti"));
  EXPECT_EQ(keys, (std::vector<std::string>{"ARGOMENTI"}));
}

TEST(ResizeControl, AnchoringDecidesWhatMovesAndWhatStretches) {
  Form form(FormDesign{"FRM", "", 10000, 8000,
                       {{"ZEP_RESIZEFORM", ControlKind::ResizeControl, "", 0, 0, 0, 0, "", 0, false, true, {}},
                        {"GRD", ControlKind::Grid, "", 100, 100, 5000, 3000, "", 1, true, true, {}},
                        {"CMD", ControlKind::Button, "", 8000, 7000, 1200, 400, "", 2, true, true, {}},
                        {"GRB", ControlKind::GroupBox, "", 100, 3200, 5000, 1000, "", 3, true, true, {}},
                        {"SDB", ControlKind::SideBar, "", 0, 0, 90, 8000, "", 4, true, true, {}},
                        {"LBL", ControlKind::Label, "", 100, 5000, 1000, 300, "", 5, true, true, {}},
                        {"FRA", ControlKind::Frame, "", 5200, 100, 4000, 6000, "", 6, true, true, {}},
                        {"GRB_IN", ControlKind::GroupBox, "FRA", 0, 4000, 4000, 1500, "", 7, true, true, {}},
                        {"CMD_SAVE", ControlKind::Button, "FRA", 2800, 5600, 1200, 400, "", 8, true, true, {}},
                        {"CMD_FIND", ControlKind::Button, "FRA", 100, 100, 1200, 400, "", 9, true, true, {}}}});
  ResizeControl& resize = form.get<ResizeControl>("ZEP_RESIZEFORM");
  resize.onRegisterControls.connect([&] {
    resize.registerControl("GRD", 15);
    resize.registerControl("CMD", 12);
    resize.registerControl("GRB", 15);
    resize.registerControl("GRB", 7);  // a second registration changes the anchoring
    resize.registerControl("SDB", 11);
    resize.registerControl("FRA", 15);
    resize.registerControl("GRB_IN", 14);
  });
  bool proceed = false;
  resize.onBeforeResize.connect([&](bool& answer) { answer = proceed; });
  resize.takeInitialSizes();

  resize.resize(12000, 9000);
  EXPECT_EQ(form.control("GRD").width(), 5000);  // the form did not agree

  proceed = true;
  resize.resize(12000, 9000);
  struct Expected {
    const char* name;
    int left, top, width, height;
  };
  const Expected expected[] = {
      {"GRD", 100, 100, 7000, 4000},  // 15: stretches both ways
      {"CMD", 10000, 8000, 1200, 400},  // 12: follows the bottom-right corner
      {"GRB", 100, 3200, 7000, 1000},  // 7: stretches across only
      {"SDB", 0, 0, 90, 9000},         // 11: stretches down only
      {"LBL", 100, 5000, 1000, 300},   // not registered
      {"FRA", 5200, 100, 6000, 7000},  // 15
      // Inside the frame, what the frame gained is what its controls follow.
      {"GRB_IN", 0, 5000, 6000, 1500},      // 14: across, and down with the bottom
      {"CMD_SAVE", 4800, 6600, 1200, 400},  // an unregistered button keeps to its nearer sides
      {"CMD_FIND", 100, 100, 1200, 400},
  };
  for (const Expected& want : expected) {
    SCOPED_TRACE(want.name);
    const Control& control = form.control(want.name);
    EXPECT_EQ(control.left(), want.left);
    EXPECT_EQ(control.top(), want.top);
    EXPECT_EQ(control.width(), want.width);
    EXPECT_EQ(control.height(), want.height);
  }
}

}  // namespace
}  // namespace platform::controls
