CREATE TABLE ##O (K VARCHAR(10) NULL)
INSERT INTO ##O VALUES ('b'), ('A'), ('c '), ('D'), ('B  ')