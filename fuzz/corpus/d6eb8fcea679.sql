UPDATE
    ##TableDatiArticolo_P30774_1_8377B77B
SET
    [PRODUZIONE] = 2
WHERE
    [PRODUZIONE] <> 2
    AND NOT EXISTS
    (
        SELECT
            1
        FROM
            MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK)
        WHERE
            MG0Q_ARGOMENTO_MG0M = 4 
               AND MG0Q_TIPOPROD = TIPOPROD_PD20    AND MG0Q_CODFAM_MG53 = CODFAM_MG53 
    )
