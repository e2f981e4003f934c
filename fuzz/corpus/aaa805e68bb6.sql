UPDATE
    ##TableDatiArticolo_P30774_1_8377B77B
SET
    [ACQUISTI] = 2
FROM
    ##TableDatiArticolo_P30774_1_8377B77B
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
            AND
            (
                MG0M_UTENTE_FW07 = 1
                OR 
                (
                    EXISTS
                    ( 
                        SELECT
                            1
                        FROM
                            FW00_GRPUSRASSOC WITH (NOLOCK)
                        WHERE
                            FW00_ID_FW06 = MG0M_GRUPPO_FW06
                            AND FW00_ID_FW07 = 1
                    )
                )
            )
    )
    AND NOT EXISTS
    (
        SELECT
            1
        FROM
            MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK)
        WHERE
            MG0M_DITTA_CG18 = 1
            AND MG0M_ARGOMENTO <> 'ACQUISTI'
            AND MG0M_STATOINI_MG6W = INDSTATO_MG6W 
    )
