   UPDATE
   ##TableCampiArticolo_P30774_1_8377B77B
   SET
   VALORE_CAMPO = 'AC'
   WHERE
   MG0P_ID = 8