CREATE TABLE ##TableDatiArticolo_X1 ( 
   [ID]                    BIGINT IDENTITY(1,1) NOT NULL,
   [CODART]                CHAR(25) COLLATE DATABASE_DEFAULT NOT NULL,
   [INDSTATO_MG6W]         DECIMAL(2,0)        NULL,
   [ENTE A]        DECIMAL(1,0)        NOT NULL     DEFAULT(1),
   [NEW_STATO]             DECIMAL(2,0)        NULL,
   [PERMESSO_AGGSTATO]     DECIMAL(1,0)        NULL,
 ) 