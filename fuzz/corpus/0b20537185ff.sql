SELECT 1 AS a -- comment
, 2 AS b