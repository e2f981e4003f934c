SELECT 1 AS a /* nested /* comments */ end here */ -- and this one
, 2 AS b