-- The parametric-state view the item filter joins as VS66_FILTROSTATI. A view must be the
-- only statement of its batch, so it has a file of its own.
CREATE VIEW VFILTROSTATI AS
SELECT MG6S_GUID_MG66 AS V_GUID ,
       MG6S_IDSTATO   AS V_IDSTATO
FROM MG6S_STATIPARAM
