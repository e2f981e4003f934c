UPDATE
    ##TableDatiArticolo_P30774_1_8377B77B
SET
    [ACQUISTI] = 2
FROM##TableDatiArticolo_P30774_1_8377B77B
WHERE
    [ACQUISTI] <> 2
    AND NOT EXISTS
    (
        SELECT
            1
        FROM
            MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK)
        WHERE
            MG0M_DITTA_CG18 = 1
            AND MG0M_ARGOMENTO = 'ACQUISTI'
            AND MG0M_STATOINI_MG6W = INDSTATO_MG6W 
    )
