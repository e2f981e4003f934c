-- The host tables the console reads (and the item master, the one it updates): companies,
-- item master with descriptions, production and warehouse data, item states, users and
-- groups, parametric states and extended attributes. Columns beyond those the console names
-- are what an item master plausibly holds; each is nullable or has a default.

-- Companies. CG18_CLASSGERARCHICA is this host's per-company warehouse parameter for
-- classification codes: "0" = independent codes, anything else = hierarchical.
CREATE TABLE CG18_ANADITTABASE (
  CG18_DITTA                DECIMAL(5,0)   NOT NULL PRIMARY KEY,
  CG18_RAGSOC               VARCHAR(80)    NULL,
  CG18_PARTIVA              VARCHAR(16)    NULL,
  CG18_CLASSGERARCHICA      VARCHAR(10)    NULL DEFAULT ('0')
)

-- Item master.
CREATE TABLE MG66_ANAGRART (
  MG66_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG66_CODART               CHAR(25)       NOT NULL,
  MG66_INDSTATO_MG6W        DECIMAL(2,0)   NULL,
  MG66_FAM_MG53             CHAR(4)        NULL,
  MG66_SFAM_MG54            CHAR(4)        NULL,
  MG66_GRUPPO_MG55          CHAR(4)        NULL,
  MG66_SGRUPPO_MG56         CHAR(4)        NULL,
  MG66_MARCA_MG64           CHAR(12)       NULL,
  MG66_GRUPFIS_MG61         CHAR(12)       NULL,
  MG66_GRUSTAT1_MG74        CHAR(4)        NULL,
  MG66_GRUSTAT2_MG75        CHAR(4)        NULL,
  MG66_GRUSTAT3_MG76        CHAR(4)        NULL,
  MG66_GRUSTAT4_MG77        CHAR(4)        NULL,
  MG66_GUID                 VARCHAR(36)    NULL,
  MG66_CODINTERNO           VARCHAR(25)    NULL,
  MG66_INDFITTIZIO          DECIMAL(1,0)   NULL DEFAULT (0),
  MG66_UMBASE               VARCHAR(3)     NULL,
  MG66_PESONETTO            DECIMAL(12,3)  NULL,
  MG66_PESOLORDO            DECIMAL(12,3)  NULL,
  MG66_VOLUME               DECIMAL(12,3)  NULL,
  MG66_LUNGHEZZA            DECIMAL(10,2)  NULL,
  MG66_LARGHEZZA            DECIMAL(10,2)  NULL,
  MG66_ALTEZZA              DECIMAL(10,2)  NULL,
  MG66_BARCODE              VARCHAR(20)    NULL,
  MG66_NOMENCLATURA         VARCHAR(10)    NULL,
  MG66_NOTE                 VARCHAR(255)   NULL,
  MG66_FLGLOTTI             DECIMAL(1,0)   NULL DEFAULT (0),
  MG66_FLGSCADENZA          DECIMAL(1,0)   NULL DEFAULT (0),
  MG66_DATAINS              DATETIME       NULL,
  MG66_DATAULTMOD           DATETIME       NULL
)

-- Item descriptions per option and language; the console reads the row with both empty.
CREATE TABLE MG87_ARTDESC (
  MG87_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG87_CODART_MG66          CHAR(25)       NOT NULL,
  MG87_OPZIONE_MG5E         VARCHAR(10)    NOT NULL DEFAULT (''),
  MG87_LINGUA_MG52          VARCHAR(5)     NOT NULL DEFAULT (''),
  MG87_DESCART              VARCHAR(72)    NULL,
  MG87_DESCESTESA           VARCHAR(255)   NULL
)

-- Production data of an item: product type, origin, bill of materials.
CREATE TABLE PD18_ARTPROD (
  PD18_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  PD18_CODART_MG66          CHAR(25)       NOT NULL,
  PD18_TIPOPROD_PD20        CHAR(2)        NULL,
  PD18_CODPROV_PD21         CHAR(2)        NULL,
  PD18_INDREVDISBA          DECIMAL(1,0)   NULL DEFAULT (0),
  PD18_CODDISBA             VARCHAR(25)    NULL,
  PD18_LEADTIME             DECIMAL(5,0)   NULL,
  PD18_LOTTORIORDINO        DECIMAL(12,3)  NULL,
  PD18_LOTTOMINIMO          DECIMAL(12,3)  NULL
)

-- Warehouse data of an item: stock levels, lot, expiry and serial handling, shelf life.
-- Units: 0 days, 1 months, 2 years. MG6M_INDSCADLOTTO: 0 no, 1 yes, 99 as the general settings.
CREATE TABLE MG6M_ARTMAG (
  MG6M_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG6M_CODART_MG66          CHAR(25)       NOT NULL,
  MG6M_SCORTA               DECIMAL(12,3)  NULL,
  MG6M_PUNTORIORDINO        DECIMAL(12,3)  NULL,
  MG6M_UBICAZIONE           VARCHAR(20)    NULL,
  MG6M_FLGLOTTI             DECIMAL(1,0)   NULL DEFAULT (0),
  MG6M_FLGSCAD              DECIMAL(1,0)   NULL DEFAULT (0),
  MG6M_FLGSERNUM            DECIMAL(1,0)   NULL DEFAULT (0),
  MG6M_FLGPALLETS           DECIMAL(1,0)   NULL DEFAULT (0),
  MG6M_FLGBAGNOMAT          DECIMAL(1,0)   NULL DEFAULT (0),
  MG6M_FLGESCLCONF          DECIMAL(1,0)   NULL DEFAULT (0),
  MG6M_INDSCADLOTTO         DECIMAL(2,0)   NULL DEFAULT (99),
  MG6M_SHELFLIFE            DECIMAL(5,0)   NULL,
  MG6M_INDUMSHELFLIFE       DECIMAL(1,0)   NULL DEFAULT (0),
  MG6M_RETEST               DECIMAL(5,0)   NULL,
  MG6M_INDUMRETEST          DECIMAL(1,0)   NULL DEFAULT (0),
  MG6M_ANTICIPOSCAD         DECIMAL(5,0)   NULL,
  MG6M_INDUMANTICIPOSCAD    DECIMAL(1,0)   NULL DEFAULT (0),
  MG6M_ANTICIPORETEST       DECIMAL(5,0)   NULL,
  MG6M_INDUMANTICIPORETEST  DECIMAL(1,0)   NULL DEFAULT (0)
)

-- Item lifecycle states.
CREATE TABLE MG6W_STATIART (
  MG6W_INDSTATO             DECIMAL(2,0)   NOT NULL PRIMARY KEY,
  MG6W_DESCR                VARCHAR(40)    NULL
)

-- Users. FW07_FLGSTATILIMITATI = 1: the user may assign only the states listed for him in
-- FW09_STATIUTENTE.
CREATE TABLE FW07_APPUSER (
  FW07_ID                   INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  FW07_CODICE               VARCHAR(64)    NOT NULL,
  FW07_DESCRIZIONE          VARCHAR(80)    NULL,
  FW07_EMAIL                VARCHAR(128)   NULL,
  FW07_FLGATTIVO            DECIMAL(1,0)   NULL DEFAULT (1),
  FW07_FLGSTATILIMITATI     DECIMAL(1,0)   NULL DEFAULT (0)
)

-- User groups.
CREATE TABLE FW06_GROUPUSR (
  FW06_ID                   INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  FW06_CODICE               VARCHAR(64)    NOT NULL,
  FW06_DESCRIZIONE          VARCHAR(80)    NULL
)

-- Group membership: a user belongs to a group when a row pairs them.
CREATE TABLE FW00_GRPUSRASSOC (
  FW00_ID                   INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  FW00_ID_FW06              INT            NOT NULL,
  FW00_ID_FW07              INT            NOT NULL
)

-- Parametric states of items, keyed by the item's GUID; read through the view VFILTROSTATI.
CREATE TABLE MG6S_STATIPARAM (
  MG6S_ID                   INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  MG6S_GUID_MG66            VARCHAR(36)    NOT NULL,
  MG6S_IDSTATO              INT            NOT NULL,
  MG6S_DATAORA              DATETIME       NULL
)

-- Extended attributes of an entity, one row per GUID.
CREATE TABLE CO5L_ATTRIBUTIDEN (
  CO5L_ID                   INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  CO5L_GUID                 VARCHAR(36)    NOT NULL,
  CO5L_MATERIALE            VARCHAR(40)    NULL,
  CO5L_FINITURA             VARCHAR(30)    NULL,
  CO5L_COLORE               VARCHAR(30)    NULL,
  CO5L_NORMA                VARCHAR(30)    NULL,
  CO5L_CLASSERESISTENZA     VARCHAR(10)    NULL
)
