-- The console's own configuration: managed entities, validation bodies, the field catalogue,
-- validation fields, entity associations, manual sign-offs and validation exclusions.
-- Ids are identities; states and flags are numbers; codes are character columns.

-- Managed entities: one row per company and classification dimension.
CREATE TABLE MG0L_ENTITA_PASSAGGI (
  MG0L_ID                   INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  MG0L_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG0L_ENTITA               VARCHAR(40)    NOT NULL,
  MG0L_DESCENTITA           VARCHAR(255)   NULL,
  MG0L_ENTITA_SEL           DECIMAL(1,0)   NULL DEFAULT (0)
)

-- Validation bodies ("enti validazione").
CREATE TABLE MG0M_ARGOMENTI_PASSAGGI (
  MG0M_ID                   INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  MG0M_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG0M_ARGOMENTO            VARCHAR(40)    NOT NULL,
  MG0M_DESCARGOMENTO        VARCHAR(255)   NULL,
  MG0M_TIPO_RESPONSABILE    DECIMAL(1,0)   NULL DEFAULT (0),
  MG0M_UTENTE_FW07          INT            NULL,
  MG0M_GRUPPO_FW06          INT            NULL,
  MG0M_STATOINI_MG6W        DECIMAL(2,0)   NULL DEFAULT (0),
  MG0M_STATOFIN_MG6W        DECIMAL(2,0)   NULL DEFAULT (0)
)

-- Field catalogue, first half: the tables (or groups) that hold the fields.
CREATE TABLE MG0N_TABLE_PASSAGGI (
  MG0N_ID                   INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  MG0N_TABLE                VARCHAR(128)   NOT NULL,
  MG0N_ISTABLE              DECIMAL(1,0)   NULL DEFAULT (1),
  MG0N_JOIN_SQL             VARCHAR(4000)  NULL DEFAULT ('')
)

-- Field catalogue, second half: the fields, each a column expression over the item master
-- and the join of its table.
CREATE TABLE MG0O_CAMPI_PASSAGGI (
  MG0O_ID                   INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  MG0O_CAMPO                VARCHAR(40)    NOT NULL,
  MG0O_CAPTIONCAMPO         VARCHAR(255)   NULL,
  MG0O_ISNUMERICO           DECIMAL(1,0)   NULL DEFAULT (0),
  MG0O_INDVALZERO           DECIMAL(1,0)   NULL DEFAULT (0),
  MG0O_TABLE_MG0N           INT            NOT NULL
)

-- Validation fields: the catalogue fields one validation body checks.
CREATE TABLE MG0P_CAMPIARG_PASSAGGI (
  MG0P_ID                   INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  MG0P_ARGOMENTO_MG0M       INT            NOT NULL,
  MG0P_CAMPO_MG0O           INT            NULL,
  MG0P_VALORE_OBBLIGATORIO  DECIMAL(1,0)   NULL DEFAULT (0),
  MG0P_INDVALZERO           DECIMAL(1,0)   NULL DEFAULT (0),
  MG0P_VALIDAZ_MANUALE      DECIMAL(1,0)   NULL DEFAULT (0),
  MG0P_KEY_GRID             VARCHAR(22)    NULL
)

-- Entity associations: the classification values a validation body applies to.
CREATE TABLE MG0Q_ENTITARG_PASSAGGI (
  MG0Q_ID                   INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  MG0Q_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG0Q_ARGOMENTO_MG0M       INT            NOT NULL,
  MG0Q_TIPOPROD             CHAR(2)        NULL,
  MG0Q_CODFAM_MG53          CHAR(4)        NULL,
  MG0Q_CODSFAM_MG54         CHAR(4)        NULL,
  MG0Q_GRUPPO_MG55          CHAR(4)        NULL,
  MG0Q_SGRUPPO_MG56         CHAR(4)        NULL,
  MG0Q_MARCA_MG64           CHAR(12)       NULL,
  MG0Q_GRUPFISC_MG61        CHAR(12)       NULL,
  MG0Q_GRUSTAT1_MG74        CHAR(4)        NULL,
  MG0Q_GRUSTAT2_MG75        CHAR(4)        NULL,
  MG0Q_GRUSTAT3_MG76        CHAR(4)        NULL,
  MG0Q_GRUSTAT4_MG77        CHAR(4)        NULL,
  MG0Q_KEY_GRID             VARCHAR(22)    NULL
)

-- Manual sign-offs ("visti"): one row per company, item, validation body and catalogue field.
-- The unique index on those four columns is the key; no id is used.
CREATE TABLE MG0R_VALIDAZMAN_PASSAGGI (
  MG0R_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG0R_CODART_MG66          CHAR(25)       NOT NULL,
  MG0R_ARGOMENTO_MG0M       INT            NOT NULL,
  MG0R_CAMPO_MG0O           INT            NOT NULL,
  MG0R_VALIDATO             DECIMAL(1,0)   NULL
)

-- Validation exclusions: a validation field not checked for one entity association.
CREATE TABLE MG0U_NOVALIDAZ_PASSAGGI (
  MG0U_ID                   INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  MG0U_IDENTITARG_MG0Q      INT            NOT NULL,
  MG0U_IDCAMPOARG_MG0P      INT            NOT NULL
)
