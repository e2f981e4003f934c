// The navigator raises its events on the module connected to it, and only while it lives.
#include <gmock/gmock.h>

#include "platform/services/navigator.h"

namespace platform::services::testing {
namespace {

class Sink : public host::NavigatorEvents {
 public:
  void BeforeChangeDitta(bool& cancel) override {
    calls.push_back("BeforeChangeDitta");
    cancel = refuse;
  }
  void BeforeExportToOffice(bool& cancel, const Variant& target) override {
    calls.push_back("BeforeExportToOffice " + target.toText());
    cancel = refuse;
  }
  void InitializeLayoutObjectModel(std::shared_ptr<Object> layout) override {
    calls.push_back(layout ? "layout" : "no layout");
  }
  void InitializeScriptObjectModel(std::shared_ptr<host::ScriptObjectModel> model) override {
    calls.push_back("scripts");
    scripts = model;
  }
  std::vector<std::string> calls;
  std::shared_ptr<host::ScriptObjectModel> scripts;
  bool refuse = false;
};

TEST(NavigatorTest, RaisesScriptInitialisationAndRefusalsOnTheConnectedModuleOnly) {
  StandinNavigator navigator;
  auto sink = std::make_shared<Sink>();
  navigator.ConnectEvents(sink);
  navigator.InitializeLayoutAndScripts();
  EXPECT_EQ(sink->calls, (std::vector<std::string>{"layout", "scripts"}));
  EXPECT_EQ(sink->scripts, navigator.Scripts());

  EXPECT_FALSE(navigator.RaiseBeforeChangeDitta());
  sink->refuse = true;
  EXPECT_TRUE(navigator.RaiseBeforeChangeDitta());
  EXPECT_TRUE(navigator.RaiseBeforeExportToOffice(Variant("Excel")));
  EXPECT_EQ(sink->calls.back(), "BeforeExportToOffice Excel");

  // A replaced sink hears nothing more; one that went away stops the events.
  auto other = std::make_shared<Sink>();
  navigator.ConnectEvents(other);
  navigator.InitializeLayoutAndScripts();
  EXPECT_EQ(sink->calls.size(), 5u);
  EXPECT_EQ(other->calls.size(), 2u);
  other.reset();
  EXPECT_FALSE(navigator.connected());
  EXPECT_FALSE(navigator.RaiseBeforeChangeDitta());
}

}  // namespace
}  // namespace platform::services::testing
