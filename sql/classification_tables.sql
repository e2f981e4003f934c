-- Classification tables behind the look-ups and decodes of the classification codes: one
-- row per company and code. Sub-families, groups and sub-groups carry their parent codes;
-- under independent codes (CG18_CLASSGERARCHICA = '0') the parents are left empty.

-- Product types.
CREATE TABLE PD20_TIPIPROD (
  PD20_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  PD20_TIPOPROD             CHAR(2)        NOT NULL,
  PD20_DESCR                VARCHAR(40)    NULL
)

-- Origins: purchased, produced, worked outside, ...
CREATE TABLE PD21_PROVENIENZE (
  PD21_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  PD21_CODPROV              CHAR(2)        NOT NULL,
  PD21_DESCR                VARCHAR(40)    NULL
)

-- Families.
CREATE TABLE MG53_FAMIGLIE (
  MG53_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG53_CODFAM               CHAR(4)        NOT NULL,
  MG53_DESCR                VARCHAR(40)    NULL
)

-- Sub-families, within a family when codes are hierarchical.
CREATE TABLE MG54_SOTTOFAMIGLIE (
  MG54_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG54_CODFAM_MG53          CHAR(4)        NOT NULL DEFAULT (''),
  MG54_CODSFAM              CHAR(4)        NOT NULL,
  MG54_DESCR                VARCHAR(40)    NULL
)

-- Groups, within a family and sub-family when codes are hierarchical.
CREATE TABLE MG55_GRUPPI (
  MG55_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG55_CODFAM_MG53          CHAR(4)        NOT NULL DEFAULT (''),
  MG55_CODSFAM_MG54         CHAR(4)        NOT NULL DEFAULT (''),
  MG55_CODGRUPPO            CHAR(4)        NOT NULL,
  MG55_DESCR                VARCHAR(40)    NULL
)

-- Sub-groups, within a family, sub-family and group when codes are hierarchical.
CREATE TABLE MG56_SOTTOGRUPPI (
  MG56_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG56_CODFAM_MG53          CHAR(4)        NOT NULL DEFAULT (''),
  MG56_CODSFAM_MG54         CHAR(4)        NOT NULL DEFAULT (''),
  MG56_CODGRUPPO_MG55       CHAR(4)        NOT NULL DEFAULT (''),
  MG56_CODSGRUPPO           CHAR(4)        NOT NULL,
  MG56_DESCR                VARCHAR(40)    NULL
)

-- Brands.
CREATE TABLE MG64_MARCHE (
  MG64_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG64_CODMARCA             CHAR(12)       NOT NULL,
  MG64_DESCR                VARCHAR(40)    NULL
)

-- Fiscal groups, with their VAT rate.
CREATE TABLE MG61_GRUPPIFISCALI (
  MG61_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG61_CODGRUPFIS           CHAR(12)       NOT NULL,
  MG61_DESCR                VARCHAR(40)    NULL,
  MG61_ALIQIVA              DECIMAL(5,2)   NULL
)

-- Statistical groups 1.
CREATE TABLE MG74_GRUSTAT1 (
  MG74_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG74_CODGRUSTAT           CHAR(4)        NOT NULL,
  MG74_DESCR                VARCHAR(40)    NULL
)

-- Statistical groups 2.
CREATE TABLE MG75_GRUSTAT2 (
  MG75_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG75_CODGRUSTAT           CHAR(4)        NOT NULL,
  MG75_DESCR                VARCHAR(40)    NULL
)

-- Statistical groups 3.
CREATE TABLE MG76_GRUSTAT3 (
  MG76_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG76_CODGRUSTAT           CHAR(4)        NOT NULL,
  MG76_DESCR                VARCHAR(40)    NULL
)

-- Statistical groups 4.
CREATE TABLE MG77_GRUSTAT4 (
  MG77_DITTA_CG18           DECIMAL(5,0)   NOT NULL,
  MG77_CODGRUSTAT           CHAR(4)        NOT NULL,
  MG77_DESCR                VARCHAR(40)    NULL
)
