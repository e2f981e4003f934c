   UPDATE
   ##TableCampiArticolo_X1
   SET
   VALORE_CAMPO = ''
   WHERE
   MG0P_ID = 42