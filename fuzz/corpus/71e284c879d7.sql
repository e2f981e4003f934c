CREATE TABLE ##E ( 
   []        DECIMAL(1,0)        NOT NULL     DEFAULT(1),
 ) 