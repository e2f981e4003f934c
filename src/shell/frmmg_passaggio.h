// FRMMG_PASSAGGIO, the console window: the state all its procedures share, and every
// procedure by name. Each procedure is defined in the folder of its subsystem.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls/colour.h"
#include "platform/controls/form.h"
#include "platform/controls/record_editor.h"
#include "platform/controls/row_values.h"
#include "platform/controls/side_bar.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/host/cinterface.h"
#include "platform/host/module.h"
#include "platform/host/window_system.h"
#include "platform/variant/variant.h"
#include "src/common/error_trap.h"

namespace platform::controls {
struct RowMark;
}

namespace passaggio {

struct Classification;

//! What a run found and what an apply of it does, counted from the item working table.
struct ConteggiPassaggio {
  long long trovati = 0;          // the rows the items grid shows
  long long daCambiare = 0;       // may move and are not in their new state yet
  long long cambiati = 0;         // moved by the apply: the item master holds their new state
  long long senzaNuovoStato = 0;  // a body fails them
  long long nonPermessi = 0;      // their new state is not one the user may assign
};

class FRMMG_PASSAGGIO : public platform::Object,
                        public platform::host::ModuleWindow,
                        public std::enable_shared_from_this<FRMMG_PASSAGGIO> {
 public:
  static constexpr const char* kName = "FRMMG_PASSAGGIO";
  static constexpr const char* kApplicationTitle = "RUZU_PASSAGGIO";
  static constexpr int kWidth = 15330;
  static constexpr int kHeight = 8550;

  FRMMG_PASSAGGIO();
  ~FRMMG_PASSAGGIO() override;

  // ---- the form as a window --------------------------------------------------------------
  platform::controls::Form& Controls() override { return m_form; }
  void Activate() override { Form_Activate(); }
  bool RequestClose() override;

  //! Setting the caption is the first access to the window: the form loads then.
  void SetCaption(const std::string& caption);
  const std::string& Caption() const { return m_form.caption(); }
  //! Shows the window (1 = modal: returns after it has closed).
  void Show(int mode);
  //! Unloads the window as the host or user closing it does: query-unload, then unload.
  //! False when the close was refused.
  bool Unload(int mode = 0);
  bool IsLoaded() const { return m_loaded; }
  int Left() const { return m_left; }
  int Top() const { return m_top; }

  // ---- members shared by the procedures ---------------------------------------------------
  std::shared_ptr<platform::host::Cinterface> m_host;   // the host interface reference
  std::weak_ptr<platform::host::PluginObject> m_owner;  // the owning plug-in object
  std::shared_ptr<platform::host::LogObject> m_log;
  std::string m_connectionString;
  std::shared_ptr<platform::host::ConnectionFactory> m_connectionFactory;
  std::shared_ptr<platform::db::Connection> m_connection;  // every statement runs on it
  platform::Variant m_company;                           // CG18_DITTA, spliced bare
  bool m_activated = false;                              // the console has been built
  std::string m_sql;                                     // the statement being run
  bool m_signOffsChanged = false;                        // ticks of the field detail not saved yet
  bool m_gridRefresh = false;                            // the items result set is being re-read

  // run state (item processing)
  std::shared_ptr<platform::db::Recordset> m_managedEntities;  // MG0L_ENTITA of the managed entities
  std::shared_ptr<platform::db::Recordset> m_bodies;           // the company's validation bodies
  std::shared_ptr<platform::db::Recordset> m_items;            // rows of the item working table shown
  std::shared_ptr<platform::db::Recordset> m_fieldDetail;      // rows of the item field working table
  std::string m_entityTable;  // "##TableEntita_" + suffix
  std::string m_itemTable;    // "##TableDatiArticolo_" + suffix
  std::string m_fieldTable;   // "##TableCampiArticolo_" + suffix
  long long m_currentItemId = 0;
  std::string m_displayCondition;
  std::string m_failureCondition;

  std::shared_ptr<platform::host::WarehouseLookup> m_warehouseLookup;
  std::shared_ptr<platform::host::WarehouseDecode> m_warehouseDecode;
  std::shared_ptr<platform::host::ProductionLookup> m_productionLookup;
  std::shared_ptr<platform::host::ProductionDecode> m_productionDecode;
  std::shared_ptr<platform::host::UserGroupServices> m_userGroupDecode;
  std::shared_ptr<platform::host::UserGroupServices> m_userGroupLookup;
  std::shared_ptr<platform::host::ItemNotifier> m_itemNotifier;
  std::shared_ptr<platform::host::ItemStateService> m_itemStates;
  std::shared_ptr<platform::host::Utility> m_utility;

  //! Connects every control event to its procedure (control_events.cpp); the constructor
  //! calls it.
  void ConnectControlEvents();

  // ---- lifecycle --------------------------------------------------------------------------
  void Form_Load();
  void MDIActiveX1_FormLoad();
  void Form_Activate();
  platform::Variant SincronizzaNavigatore();
  void InizializzaScriptELayout();
  platform::Variant ExecuteFormEvent(const platform::Variant& eventName);
  void Form_QueryUnload(bool& cancel, int unloadMode);
  void Form_Unload(bool& cancel);

  // ---- common services --------------------------------------------------------------------
  int VisualizzaErrore(const std::string& procedure, const ErrorInfo& error);
  int MessaggioUtente(const std::string& text, int style, const platform::Variant& title,
                      const std::string& procedure);
  std::string Codice_Utente_DaID(const platform::Variant& id);
  std::string Codice_Gruppo_DaID(const platform::Variant& id);
  std::string Codice_Campo_DaID(const platform::Variant& id);
  std::string Codice_Entita_DaID(const platform::Variant& id);

  // ---- pages and layout ---------------------------------------------------------------------
  void SDB_PASSAGGIO_OnClickItemLink(const platform::controls::SideBarItem& item);
  //! Shows the page of a side-bar key; any other key changes nothing.
  void SelezioneSideBar(const std::string& key);
  //! Fills the responsible-type and the two state choosers.
  void carica_combo();
  void CMB_MG0M_TIPO_RESPONSABILE_Change();
  //! Hands every control to ZEP_RESIZEFORM again with its anchoring.
  void ZEP_RESIZEFORM_RegisterControls();
  void ZEP_RESIZEFORM_BeforeResize(bool& proceed);

  // ---- managed entities -------------------------------------------------------------------
  //! Inserts the entity rows the current company lacks.
  void InserimentoEntitaMancantiPerDittaCorrente();
  //! Copies the company's entity rows into the entity working table and shows them in GRD_ENTITA.
  void ImpostaVirtualFrame_Entita();
  void GRD_ENTITA_DataFormatEXT(std::string& value, const std::string& column);
  //! Refuses to unselect an entity that associations use; otherwise enables the save button.
  void GRD_ENTITA_BeforeCellChange(const platform::Variant& value, bool& cancel);
  void CMD_SAVE_ENTITA_ButtonClick();
  //! Shows and lays out the association editor's fields of the saved managed entities.
  void Gestione_Campi_Entita();
  //! Whether any entity association (of any company) holds a value for the entity. Errors
  //! are passed on to the caller.
  bool IsEntitaAssociata(const platform::Variant& entity);

  std::shared_ptr<platform::db::Recordset> m_entityRows;  // GRD_ENTITA's rows, over m_entityTable
  // FME_Entita_Argomenti, the entity-association record editor: set up with its page; which
  // classification fields it edits follows the managed entities.
  platform::controls::RecordEditor m_fmeEntitaArgomenti;

  // ---- entity associations and their classification code fields -------------------------------
  //! Sets up FME_Entita_Argomenti over the company's associations, with GRD_ENTITA_ARG.
  void ImpostaVirtualFrame_Entita_Argomenti();
  //! The body column shows the body's code.
  void GRD_ENTITA_ARG_DataFormatEXT(std::string& text, const std::string& column);
  //! Looks the body code up: its description and id go to the row, an unknown code is refused.
  void TXT_ENTITA_ARG_AfterItem(bool& cancel);
  void TXT_ENTITA_ARG_DecodeRequest(bool& cancel);
  void Lkp_Elenco_Argomenti_Entita(bool& cancel, std::string& query, platform::Variant& captions, std::string& title,
                                   std::string& connection);
  //! Writes the fields into the current association row; true when a new row's key was found.
  bool EseguiQuery_Entita_Argomenti();
  void FME_Entita_Argomenti_BeforeUpdate(bool& cancel);
  void FME_Entita_Argomenti_ChangeStatus(int status);
  //! Opens the field-exclusion dialog for the saved association shown.
  void CMD_DETTAGLIO_NOVALIDAZ_ButtonClick();
  //! A classification code field's answers, for the field's row of the classification table.
  void Classificazione_Validate(const Classification& field, bool& cancel);
  void Classificazione_DecodeRequest(const Classification& field, bool& cancel, std::string& query,
                                     platform::Variant& mapping, std::string& connection);
  void Classificazione_LookupRequest(const Classification& field, bool& cancel, std::string& query,
                                     platform::Variant& captions, std::string& title, std::string& connection);
  //! The codes of the parent fields a hierarchical code lives within; empty texts when the
  //! company's codes are independent.
  std::vector<std::string> ParentCodes(const Classification& field);

  std::shared_ptr<platform::db::Recordset> m_associations;  // FME_Entita_Argomenti's rows
  std::shared_ptr<platform::db::Recordset> m_decoded;       // the last classification decode's result
  // ---- validation bodies editor ("Enti validazione") -------------------------------------------
  void ImpostaVirtualFrame_Argomenti();
  //! Puts the code entered into the row being edited; for a new row, asks the editor for a
  //! saved body with that code (shown instead when found). True when one was found.
  bool EseguiQuery_Argomenti();
  //! The save rules: different start and end states, no responsibility conflict.
  void FME_Argomenti_BeforeUpdate(bool& cancel);
  //! A body with fields or entity associations stays.
  void FME_Argomenti_BeforeDelete(bool& cancel);
  void FME_Argomenti_ChangeStatus(int status);
  void GRD_ARGOMENTI_DataFormatEXT(std::string& text, const std::string& column);
  void TXT_MG0M_ARGOMENTO_AfterItem();
  //! The responsible user's (group's) id into its hidden holder; an unknown code empties it.
  void TXT_UTENTE_RESPONSABILE_AfterItem();
  void TXT_GRUPPO_RESPONSABILE_AfterItem();
  void TXT_UTENTE_RESPONSABILE_DecodeRequest(std::string& query, platform::Variant& mapping,
                                             std::string& connectionString);
  void TXT_GRUPPO_RESPONSABILE_DecodeRequest(std::string& query, platform::Variant& mapping,
                                             std::string& connectionString);
  void TXT_UTENTE_RESPONSABILE_LookupRequest(std::string& query, platform::Variant& captions, std::string& title,
                                             std::string& connectionString);
  void TXT_GRUPPO_RESPONSABILE_LookupRequest(std::string& query, platform::Variant& captions, std::string& title,
                                             std::string& connectionString);
  platform::controls::RecordEditor m_fmeArgomenti;  // FME_Argomenti, over the company's bodies

  // ---- validation-body fields editor ("Campi per ente") ----------------------------------------
  void ImpostaVirtualFrame_Campi_Argomenti();
  //! Chooses the body whose code was entered, or refuses an unknown code.
  void TXT_ARGOMENTO_Validate(bool& cancel);
  void Lkp_Elenco_Argomenti(std::string& query, platform::Variant& captions, std::string& title,
                            std::string& connectionString);
  //! Drops the chosen body, so that another can be chosen.
  void CMD_CHANGE_ARG_ButtonClick();
  void GRD_CAMPI_ARG_DataFormatEXT(std::string& text, const std::string& column,
                                   const platform::controls::RowValues& row);
  void TXT_CAMPO_ARG_AfterItem(bool& cancel);
  //! Shows the field's caption and which of its flags apply; hands no query back.
  void TXT_CAMPO_ARG_DecodeRequest();
  void Lkp_Elenco_Campi(std::string& query, platform::Variant& captions, std::string& title,
                        std::string& connectionString);
  bool EseguiQuery_Campi_Argomenti();
  void FME_Campi_Argomenti_ChangeStatus(int status);
  //! Refused while the body has pending items; a new row gets its grid key.
  void FME_Campi_Argomenti_BeforeUpdate(bool& cancel);
  void FME_Campi_Argomenti_BeforeDelete(bool& cancel);
  //! Whether items of the body, in its start state and matching its associations, already
  //! carry sign-offs for it.
  bool ArticoliPending(const platform::Variant& bodyId);
  //! Errors are passed on to the caller.
  bool IsCampoNumerico(const platform::Variant& fieldId);
  platform::controls::RecordEditor m_fmeCampiArgomenti;  // FME_Campi_Argomenti, the chosen body's fields
  std::string m_campiArgomentiQuery;                      // its query text
  platform::Variant m_currentBodyId;                      // MG0M_ID of the chosen body

  // ---- item working table, checks, sign-offs and state changes -------------------------------
  void CMD_ELABORA_ButtonClick();
  void CMD_PARAM_ButtonClick();
  //! Sets every validation-body verdict, NEW_STATO and PERMESSO_AGGSTATO of the item working
  //! table (of the one row m_currentItemId names, when it is not 0) and rebuilds the display
  //! and failure conditions.
  void ElaboraTabellaArticoli_SettaArgomentiOK();
  void Controlli_Singolo_Argomento(const platform::Variant& bodyId, const std::string& bodyCode, long long endState);
  void Controllo_Argomento_Validazione_Manuale(const platform::Variant& bodyId, const std::string& bodyCode);
  void AggiornaColonneStato_TabellaDati();
  //! The entity-association matching lines against the item working table.
  std::string CondizioniEntita_TabellaDati();
  //! The same lines against the item master.
  std::string CondizioniEntita_Anagrafica();
  //! Saves the sign-offs ticked for the items grid's current item and re-checks its row.
  void AggiornaVisti();
  //! When ticks are unsaved, asks whether to save them and saves them on Yes; true when saved.
  bool SalvaVistiSeConfermato();
  void CMD_AGGSTATI_ButtonClick();
  //! Records the state changes just written through the host's change-record object.
  void RichiediPassword();

  // ---- item selection filter -----------------------------------------------------------------
  //! Registers the filter's fields on ADVQ_ARTICOLI; a registration that fails is skipped.
  void ImpostaFiltroArticoli();
  //! Puts the descriptions of a classification field's two codes into their boxes.
  void ADVQ_ARTICOLI_StartDecode(const platform::Variant& caption, const platform::Variant& first,
                                 std::string& firstBox, const platform::Variant& second, std::string& secondBox);
  //! The list of a classification field for one end of its range (1 = the second value).
  void ADVQ_ARTICOLI_StartLookup(const platform::Variant& caption, int end, std::string& query,
                                 platform::Variant& captions, std::string& title, std::string& connectionString);

  // ---- items grid and field detail ----------------------------------------------------------
  void Setta_Griglia_Articoli();
  void Gestione_Campi_Entita_Griglia_Articoli();
  //! The state columns show the state's description.
  void GRD_ARTICOLI_DisplayFormat(std::string& text, const std::string& column);
  //! A body column's cell takes the colour of its verdict.
  void GRD_ARTICOLI_CellColour(const std::string& column, const platform::Variant& value,
                               std::optional<platform::controls::Colour>& colour);
  //! Offers to save the ticks of the item being left.
  void GRD_ARTICOLI_BeforeRowChange(bool& cancel);
  //! The item-code button: shows the item's card, then checks its row again.
  void GRD_ARTICOLI_CellButton(const std::string& column, const platform::Variant& value);
  //! Builds the item field working table of the new current item and shows it.
  void GRD_ARTICOLI_RowChanged();
  //! Ticks or unticks the current field of the detail, when the user may.
  void GRD_DATIART_CAMPI_CellDblClick();
  void GRD_DATIART_CAMPI_CellColour(const std::string& column, const platform::controls::RowValues& row,
                                    std::optional<platform::controls::Colour>& colour);
  void GRD_DATIART_CAMPI_DisplayFormat(std::string& text, const std::string& column,
                                       const platform::controls::RowValues& row);
  // ---- verdicts explained ------------------------------------------------------------------
  //! Why the body's verdict of the item working table's row is what it is, in the user's words.
  std::string MotivoEsito(const platform::Variant& itemId, const std::string& bodyCode);
  //! A verdict cell tells its reason; the permission cell what it allows.
  void GRD_ARTICOLI_ToolTip(std::string& tip, const std::string& column, const platform::controls::RowValues& row);
  //! The detail's image cells say what they mean.
  void GRD_DATIART_CAMPI_ToolTip(std::string& tip, const std::string& column,
                                 const platform::controls::RowValues& row);
  //! A detail row whose tick is not saved, or that fails its body, is marked.
  void GRD_DATIART_CAMPI_RowMark(platform::controls::RowMark& mark, const platform::controls::RowValues& row);

  // ---- counts of the results page: the status line, the apply's question and summary ------
  //! Counts the rows shown by the last run; database errors are passed on to the caller.
  ConteggiPassaggio ContaPassaggi();
  //! Puts what the run found on the host's status line, after `before` (what was done first).
  void MostraConteggiElaborazione(const std::string& before);
  //! The line the apply's question ends with: how many items will change state.
  static std::string TestoDaCambiare(const ConteggiPassaggio& counts);
  //! What an apply did: how many items moved, how many did not and why.
  static std::string TestoRiepilogoPassaggio(const ConteggiPassaggio& counts);
  //! The status line's short form of the same.
  static std::string TestoCambiati(const ConteggiPassaggio& counts);

  //! The value of a numeric field is a number on the screen (its decimals after a comma).
  void GRD_DATIART_CAMPI_NumberCell(bool& number, const std::string& column, const platform::controls::RowValues& row);

  //! Any button of the detail's navigator saves the current item's ticks.
  void GRIDNAV_VIS_CAMPIART_ButtonClick(bool& cancel, const std::string& button);

  //! The trap of a procedure that follows the error convention, reporting as `procedure`.
  ErrorTrap Trap(const std::string& procedure);
  //! The steps of an error-ignoring procedure.
  IgnoringErrors Ignoring();

 private:
  std::string CodeById(const char* procedure, const std::string& head, const std::string& where,
                       const platform::Variant& id, const char* column);
  std::shared_ptr<platform::host::ClsGlobal> Global();
  //! The own connection; a clear database error when the form has none.
  platform::db::Connection& Db();

  platform::controls::Form m_form;
  bool m_loaded = false;
  int m_left = 0;
  int m_top = 0;
};

}  // namespace passaggio
