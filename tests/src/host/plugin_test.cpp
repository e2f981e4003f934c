// The module as a host meets it: loaded at run time, its class created through the factory,
// its properties set and read back through the plug-in interface.
#include <gtest/gtest.h>

#include "platform/host/module_loader.h"

namespace {

using platform::Variant;
using platform::host::LoadedModule;
using platform::host::MemoryRegistry;

class PluginTest : public ::testing::Test {
 protected:
  MemoryRegistry m_registry;
  LoadedModule m_module{PASSAGGIO_MODULE, m_registry};
};

TEST_F(PluginTest, RegistersItsClassAndUnloadsOnlyWhenNoObjectLives) {
  EXPECT_EQ(m_registry.LibraryOf("CLSMG_PASSAGGIO"), PASSAGGIO_MODULE);
  EXPECT_THROW(m_module.Create("CLSMG_ALTRO"), platform::host::ModuleError);
  auto object = m_module.Create("CLSMG_PASSAGGIO");
  auto second = m_module.Create("CLSMG_PASSAGGIO");
  EXPECT_FALSE(m_module.CanUnload());
  object.reset();
  EXPECT_FALSE(m_module.Unload()) << "one object still lives";
  second.reset();
  EXPECT_TRUE(m_module.Unload());
  EXPECT_EQ(m_registry.LibraryOf("CLSMG_PASSAGGIO"), "");
}

TEST_F(PluginTest, AMissingOrForeignLibraryIsRefusedWithItsReason) {
  MemoryRegistry registry;
  EXPECT_THROW(LoadedModule("/nonexistent/RUZU_PASSAGGIO.so", registry), platform::host::ModuleError);
  try {
    LoadedModule foreign(SQLITE_LIBRARY, registry);
    FAIL();
  } catch (const platform::host::ModuleError& error) {
    EXPECT_NE(std::string(error.what()).find("DllRegisterServer"), std::string::npos);
  }
}

TEST_F(PluginTest, PropertiesConvertAsTheHostExpects) {
  auto object = m_module.Create("CLSMG_PASSAGGIO");
  object->LetTop(Variant("120"));
  EXPECT_EQ(object->GetTop().type(), Variant::Type::Integer);
  EXPECT_EQ(object->GetTop(), Variant(120));
  object->LetLeft(Variant("abc"));
  EXPECT_EQ(object->GetLeft(), Variant(0)) << "a failed conversion is swallowed and changes nothing";
  object->LetWindowState(2);
  EXPECT_EQ(object->GetWindowState(), 2);
  object->LetWindowState(70000);
  EXPECT_EQ(object->GetWindowState(), 2) << "a value outside 16 bits is not representable";
  object->LetFiltro(Variant("MG66_CODART = 'A'"));
  EXPECT_TRUE(object->GetFiltro().isEmpty());
  object->LetProperty("CodiceArticolo", Variant("VITE-M6"));
  EXPECT_EQ(object->GetProperty("codicearticolo"), Variant("VITE-M6"));
}

TEST_F(PluginTest, NavigatorRefusalsActOnlyWhileTheConsoleIsActive) {
  auto object = m_module.Create("CLSMG_PASSAGGIO");
  auto* events = dynamic_cast<platform::host::NavigatorEvents*>(object.get());
  ASSERT_NE(events, nullptr);
  bool cancel = false;
  events->BeforeChangeDitta(cancel);
  EXPECT_FALSE(cancel) << "not the active module: the change proceeds";
  object->LetIsActive(true);
  events->BeforeChangeDitta(cancel);
  EXPECT_TRUE(cancel) << "refused even without global services to show the message";
  bool exportCancel = false;
  events->BeforeExportToOffice(exportCancel, Variant());
  EXPECT_TRUE(exportCancel);
}

}  // namespace
