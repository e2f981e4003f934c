-- Tables of this host that the real host keeps elsewhere: the states a restricted user may
-- assign, and the log the change-record object writes for every state change.

-- States a user with FW07_FLGSTATILIMITATI = 1 may assign.
CREATE TABLE FW09_STATIUTENTE (
  FW09_ID                   INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  FW09_ID_FW07              INT            NOT NULL,
  FW09_INDSTATO_MG6W        DECIMAL(2,0)   NOT NULL
)

-- State changes of items, one row per change, written by the database in the statement that
-- changes the state; FW10_VALORI holds the recorded item-master columns as text. The rows of
-- one console connection share FW10_SESSIONE; those of one apply also FW10_LOTTO.
CREATE TABLE FW10_LOGSTATI (
  FW10_ID                   INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  FW10_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  FW10_CODART_MG66          CHAR(25)       NOT NULL,
  FW10_STATOPREC            DECIMAL(2,0)   NULL,
  FW10_STATONUOVO           DECIMAL(2,0)   NULL,
  FW10_ID_FW07              INT            NULL,
  FW10_DATAORA              DATETIME       NULL,
  FW10_DESCRIZIONE          VARCHAR(255)   NULL,
  FW10_VALORI               VARCHAR(8000)  NULL,
  FW10_SESSIONE             VARCHAR(40)    NULL,
  FW10_LOTTO                INT            NULL
)
