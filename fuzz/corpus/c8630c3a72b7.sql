  -- Azienda                                                                                                            
  INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , MG0L_ENTITA_SEL )                
  SELECT CG18_DITTA , 'AZIENDA' , 'Azienda' , 0                                                                         
  FROM   CG18_ANADITTABASE WITH (NOLOCK)                                                                                
  WHERE  CG18_DITTA = 1                                                                                                 
  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = CG18_DITTA AND MG0L_ENTITA = 'AZIENDA')  
  -- Tipo Prodotto                                                                                                      
  INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , MG0L_ENTITA_SEL )                
  SELECT CG18_DITTA , 'TIPO_PROD' , 'Tipo Prodotto' , 0                                                                 
  FROM CG18_ANADITTABASE WITH (NOLOCK)                                                                                  
  WHERE  CG18_DITTA = 1                                                                                                 
  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = CG18_DITTA AND MG0L_ENTITA = 'TIPO_PROD')
  -- Famiglia                                                                                                           
  INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , MG0L_ENTITA_SEL )                
  SELECT CG18_DITTA , 'FAMIGLIA' , 'Famiglia' , 0                                                                       
  FROM CG18_ANADITTABASE WITH (NOLOCK)                                                                                  
  WHERE  CG18_DITTA = 1                                                                                                 
  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = CG18_DITTA AND MG0L_ENTITA = 'FAMIGLIA') 
  -- Sottofamiglia                                                                                                      
  INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , MG0L_ENTITA_SEL )                
  SELECT CG18_DITTA , 'SFAMIGLIA' , 'Sottofamiglia' , 0                                                                 
  FROM CG18_ANADITTABASE WITH (NOLOCK)                                                                                  
  WHERE  CG18_DITTA = 1                                                                                                 
  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = CG18_DITTA AND MG0L_ENTITA = 'SFAMIGLIA')
  -- Gruppo                                                                                                             
  INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , MG0L_ENTITA_SEL )                
  SELECT CG18_DITTA , 'GRUPPO' , 'Gruppo' , 0                                                                           
  FROM CG18_ANADITTABASE WITH (NOLOCK)                                                                                  
  WHERE  CG18_DITTA = 1                                                                                                 
  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = CG18_DITTA AND MG0L_ENTITA = 'GRUPPO')   
  -- Sottogruppo                                                                                                        
  INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , MG0L_ENTITA_SEL )                
  SELECT CG18_DITTA , 'SGRUPPO' , 'Sottogruppo' , 0                                                                     
  FROM CG18_ANADITTABASE WITH (NOLOCK)                                                                                  
  WHERE  CG18_DITTA = 1                                                                                                 
  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = CG18_DITTA AND MG0L_ENTITA = 'SGRUPPO')  
  -- Marca                                                                                                              
  INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , MG0L_ENTITA_SEL )                
  SELECT CG18_DITTA , 'MARCA' , 'Marca' , 0                                                                             
  FROM CG18_ANADITTABASE WITH (NOLOCK)                                                                                  
  WHERE  CG18_DITTA = 1                                                                                                 
  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = CG18_DITTA AND MG0L_ENTITA = 'MARCA')    
  -- Gruppo fiscale                                                                                                     
  INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , MG0L_ENTITA_SEL )                
  SELECT CG18_DITTA , 'GRUPPO_FISC' , 'Gruppo fiscale' , 0                                                              
  FROM CG18_ANADITTABASE WITH (NOLOCK)                                                                                  
  WHERE  CG18_DITTA = 1                                                                                                 
  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = CG18_DITTA AND MG0L_ENTITA = 'GRUPPO_FISC')
  -- Gruppo statistico 1                                                                                                
  INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , MG0L_ENTITA_SEL )                
  SELECT CG18_DITTA , 'GRU_STAT1' , 'Gruppo statistico 1' , 0                                                           
  FROM CG18_ANADITTABASE WITH (NOLOCK)                                                                                  
  WHERE  CG18_DITTA = 1                                                                                                 
  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = CG18_DITTA AND MG0L_ENTITA = 'GRU_STAT1')
  -- Gruppo statistico 2                                                                                                
  INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , MG0L_ENTITA_SEL )                
  SELECT CG18_DITTA , 'GRU_STAT2' , 'Gruppo statistico 2' , 0                                                           
  FROM CG18_ANADITTABASE WITH (NOLOCK)                                                                                  
  WHERE  CG18_DITTA = 1                                                                                                 
  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = CG18_DITTA AND MG0L_ENTITA = 'GRU_STAT2')
  -- Gruppo statistico 3                                                                                                
  INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , MG0L_ENTITA_SEL )                
  SELECT CG18_DITTA , 'GRU_STAT3' , 'Gruppo statistico 3' , 0                                                           
  FROM CG18_ANADITTABASE WITH (NOLOCK)                                                                                  
  WHERE  CG18_DITTA = 1                                                                                                 
  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = CG18_DITTA AND MG0L_ENTITA = 'GRU_STAT3')
  -- Gruppo statistico 4                                                                                                
  INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , MG0L_ENTITA_SEL )                
  SELECT CG18_DITTA , 'GRU_STAT4' , 'Gruppo statistico 4' , 0                                                           
  FROM CG18_ANADITTABASE WITH (NOLOCK)                                                                                  
  WHERE  CG18_DITTA = 1                                                                                                 
  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = CG18_DITTA AND MG0L_ENTITA = 'GRU_STAT4')