// Load, first activation and close of the console form: its own connection, the host's
// services, the navigator and script model, and handing everything back on close.
#include "platform/controls/button.h"
#include "platform/controls/container.h"
#include "platform/controls/enhanced_query.h"
#include "platform/controls/frame.h"
#include "platform/controls/grid_navigator.h"
#include "platform/controls/resize_control.h"
#include "platform/controls/side_bar.h"
#include "src/common/default_se_vuoto.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;
using namespace platform::controls;

constexpr int kDefaultPosition = 100;
constexpr int kContainerHeight = 8555;

// A window position from the host: 0, Empty, Null or blank places it at 100.
int positionOr100(const Variant& value) {
  const Variant position = DefaultSeVuoto(value, 0);
  return position.toDouble() == 0 ? kDefaultPosition : static_cast<int>(position.toInteger());
}

}  // namespace

void FRMMG_PASSAGGIO::Form_Load() {
  ErrorTrap trap = Trap("Form_Load");
  std::shared_ptr<platform::host::HostObjects> objects;
  if (!trap.step([&] { objects = Global()->Objects(); })) return;
  if (!trap.step([&] { m_log = objects->NewLogObject(); })) return;
  if (!trap.step([&] { m_left = positionOr100(m_host->GetLeft()); })) return;
  if (!trap.step([&] { m_top = positionOr100(m_host->GetTop()); })) return;
  if (!trap.step([&] { m_form.setSize(kWidth, kHeight); })) return;
  if (!trap.step([&] { m_connectionString = Global()->DatabaseConnectionString(); })) return;
  if (!trap.step([&] { m_connectionFactory = objects->NewConnectionFactory(); })) return;
  if (!trap.step([&] { m_connection = m_connectionFactory->NewConnection(); })) return;
  if (!trap.step([&] { m_connection->Connect(m_connectionString); })) return;
  if (!trap.step([&] { m_host->SetConnection(m_connection); })) return;
  if (!trap.step([&] { m_company = Global()->CurrentCompany().code; })) return;
}

void FRMMG_PASSAGGIO::MDIActiveX1_FormLoad() {
  ErrorTrap trap = Trap("MDIActiveX1_FormLoad");
  auto& container = m_form.get<Container>("MDIActiveX1");
  int left = kDefaultPosition;
  int top = kDefaultPosition;
  if (!trap.step([&] { left = positionOr100(m_host->GetLeft()); })) return;
  if (!trap.step([&] { top = positionOr100(m_host->GetTop()); })) return;
  if (!trap.step([&] { container.moveChild(left, top, kWidth, kContainerHeight); })) return;
  if (!trap.step([&] { container.setWindowState(m_host->GetWindowState()); })) return;
}

void FRMMG_PASSAGGIO::Form_Activate() {
  SincronizzaNavigatore();
  if (m_activated) return;
  ErrorTrap trap = Trap("Form_Activate");
  std::shared_ptr<platform::host::HostObjects> objects;
  if (!trap.step([&] { objects = Global()->Objects(); })) return;
  // Each host service is created and given the host interface in one step.
  const auto hosted = [&](auto& service, auto create) {
    return trap.step([&] {
      service = create();
      service->SetHost(m_host);
    });
  };
  if (!hosted(m_warehouseLookup, [&] { return objects->NewWarehouseLookup(); })) return;
  if (!hosted(m_warehouseDecode, [&] { return objects->NewWarehouseDecode(); })) return;
  if (!hosted(m_productionLookup, [&] { return objects->NewProductionLookup(); })) return;
  if (!hosted(m_productionDecode, [&] { return objects->NewProductionDecode(); })) return;
  if (!hosted(m_userGroupDecode, [&] { return objects->NewUserGroupServices(); })) return;
  if (!hosted(m_userGroupLookup, [&] { return objects->NewUserGroupServices(); })) return;
  if (!trap.step([&] { m_itemNotifier = objects->NewItemNotifier(); })) return;
  if (!trap.step([&] {
        m_itemStates = objects->NewItemStateService();
        const auto global = Global();
        const platform::host::UserInfo user = global->CurrentUser();
        m_itemStates->Configure(m_connection, m_connectionString, Variant(user.id), Variant(user.code),
                                Variant(user.name), m_company, !global->RestrictedStates());
      })) {
    return;
  }
  if (!trap.step([&] { m_utility = objects->NewUtility(); })) return;
  if (!trap.step([&] {
        auto& filter = m_form.get<EnhancedQuery>("ADVQ_ARTICOLI");
        const platform::host::UserInfo user = Global()->CurrentUser();
        filter.setCompany(m_company);
        filter.setUserValues(Variant(user.id), Variant(user.code));
        filter.setHost(m_host);
        filter.setProgramName(kApplicationTitle);
        filter.setConnection(m_connection.get());
        filter.setEnabled(true);
        ImpostaFiltroArticoli();
        filter.finish();
      })) {
    return;
  }
  if (!trap.step([&] { InserimentoEntitaMancantiPerDittaCorrente(); })) return;
  if (!trap.step([&] { ImpostaVirtualFrame_Entita(); })) return;
  if (!trap.step([&] { ImpostaVirtualFrame_Argomenti(); })) return;
  if (!trap.step([&] { ImpostaVirtualFrame_Campi_Argomenti(); })) return;
  if (!trap.step([&] { ImpostaVirtualFrame_Entita_Argomenti(); })) return;
  if (!trap.step([&] { m_form.get<SideBar>("SDB_PASSAGGIO").initialise(m_host, false); })) return;
  if (!trap.step([&] { carica_combo(); })) return;
  // The bodies editor shows its first row once its choosers have their entries.
  if (!trap.step([&] { m_fmeArgomenti.showCurrentRow(); })) return;
  if (!trap.step([&] { Setta_Griglia_Articoli(); })) return;
  // The classification columns follow the managed entities from the first activation on,
  // not only from the first visit of the item page.
  if (!trap.step([&] { Gestione_Campi_Entita_Griglia_Articoli(); })) return;
  if (!trap.step([&] { m_form.get<GridNavigator>("GRIDNAV_CAMPI_ARG").setEnabled(false); })) return;
  if (!trap.step([&] { InizializzaScriptELayout(); })) return;
  m_activated = true;
  if (!trap.step([&] {
        auto& resize = m_form.get<ResizeControl>("ZEP_RESIZEFORM");
        resize.setHost(m_host);
        resize.takeInitialSizes();
      })) {
    return;
  }
  // Opened by another program for one item: straight to processing it.
  bool called = false;
  if (!trap.step([&] { called = m_host->GetIsCalled(); })) return;
  if (!called) return;
  if (!trap.step([&] { m_form.get<Frame>("FRAME_ENTITA").setVisible(false); })) return;
  if (!trap.step([&] { Gestione_Campi_Entita_Griglia_Articoli(); })) return;
  if (!trap.step([&] { m_form.get<Button>("CMD_ELABORA").setEnabled(true); })) return;
  if (!trap.step([&] { m_form.get<Button>("CMD_PARAM").setEnabled(false); })) return;
  if (!trap.step([&] { m_form.get<Button>("CMD_AGGSTATI").setEnabled(false); })) return;
  if (!trap.step([&] { CMD_ELABORA_ButtonClick(); })) return;
}

Variant FRMMG_PASSAGGIO::SincronizzaNavigatore() {
  IgnoringErrors steps = Ignoring();
  steps.step([&] { Global()->RegisterActiveModule(m_host); });
  steps.step([&] {
    const auto frame = std::dynamic_pointer_cast<platform::host::ActiveFrame>(m_host->GetActiveFrame());
    if (frame) m_host->GetActiveNavigator()->SetStatus(static_cast<std::int16_t>(frame->Status().toInteger()));
  });
  steps.step([&] { m_host->GetActiveNavigator()->Refresh(); });
  return Variant();
}

void FRMMG_PASSAGGIO::InizializzaScriptELayout() {
  ErrorTrap trap = Trap("InizializzaScriptELayout");
  if (!trap.step([&] { m_host->GetActiveNavigator()->InitializeLayoutAndScripts(); })) return;
  if (!trap.step([&] { ExecuteFormEvent(Variant("zpOpen")); })) return;
  if (!trap.step([&] { Global()->RegisterApplication(m_owner.lock()); })) return;
}

Variant FRMMG_PASSAGGIO::ExecuteFormEvent(const Variant& eventName) {
  ErrorTrap trap = Trap("ExecuteFormEvent");
  const std::string name = eventName.toText();
  std::shared_ptr<platform::host::ScriptObjectModel> scripts;
  if (name == "zpOpen") {
    if (!trap.step([&] { m_host->GetActiveNavigator()->BeforeOpen(); })) return Variant();
    if (!trap.step([&] { scripts = m_host->GetActiveNavigator()->Scripts(); })) return Variant();
    if (!trap.step([&] {
          if (scripts) scripts->RaiseFormEvent(kName, 0, 1, "");
        })) {
      return Variant();
    }
  } else if (name == "zpClose") {
    if (!trap.step([&] { scripts = m_host->GetActiveNavigator()->Scripts(); })) return Variant();
    if (!trap.step([&] {
          if (scripts) scripts->RaiseFormEvent(kName, 0, 0, "");
        })) {
      return Variant();
    }
  }
  return Variant();
}

void FRMMG_PASSAGGIO::Form_QueryUnload(bool& cancel, int /*unloadMode*/) {
  ErrorTrap trap = Trap("Form_QueryUnload");
  SincronizzaNavigatore();
  if (cancel) return;
  if (!trap.step([&] { ExecuteFormEvent(Variant("zpClose")); })) return;
  if (!trap.step([&] {
        const auto scripts = m_host->GetActiveNavigator()->Scripts();
        if (scripts) cancel = scripts->CancelClose();
      })) {
    return;
  }
}

void FRMMG_PASSAGGIO::Form_Unload(bool& /*cancel*/) {
  IgnoringErrors steps = Ignoring();
  steps.step([&] { SalvaVistiSeConfermato(); });
  m_signOffsChanged = false;
  steps.step([&] {
    if (!m_itemNotifier) return;
    m_itemNotifier->Shutdown();
    m_itemNotifier->DropHost();
    m_itemNotifier.reset();
  });
  steps.step([&] { Global()->ModuleClosing(m_host); });
  steps.step([&] {
    const auto scripts = m_host->GetActiveNavigator()->Scripts();
    const auto menu = m_host->GetClsVoceMenu();
    if (scripts) scripts->MenuEntryClosing(menu ? menu->Value() : Variant());
  });
  steps.step([&] { m_host->GetActiveNavigator()->ClearScripts(); });
  steps.step([&] { m_host->GetActiveNavigator()->ClearActiveModule(); });
  const std::shared_ptr<platform::host::HostService> services[] = {
      m_warehouseLookup, m_warehouseDecode, m_productionLookup, m_productionDecode, m_userGroupDecode,
      m_userGroupLookup};
  for (const auto& service : services) {
    steps.step([&] {
      if (service) service->DropHost();
    });
  }
  m_warehouseLookup.reset();
  m_warehouseDecode.reset();
  m_productionLookup.reset();
  m_productionDecode.reset();
  m_userGroupDecode.reset();
  m_userGroupLookup.reset();
  m_utility.reset();
  m_itemStates.reset();
  steps.step([&] {
    auto& filter = m_form.get<EnhancedQuery>("ADVQ_ARTICOLI");
    filter.setHost(nullptr);
    filter.setConnection(nullptr);
  });
  m_connectionFactory.reset();
  steps.step([&] {
    if (m_connection) m_connection->Close();
    m_connection.reset();
  });
  m_owner.reset();
  steps.step([&] { m_host->SetConnection(nullptr); });
  steps.step([&] { Global()->ClearActiveModule(); });
  steps.step([&] { Global()->ClearApplication(); });
  steps.step([&] { m_host->SetActiveDll(nullptr); });
  steps.step([&] { m_host->GetActiveNavigator()->ClearActiveModule(); });
  steps.step([&] { m_host->SetActiveDll(nullptr); });
  m_host.reset();
  m_log.reset();
}

}  // namespace passaggio
