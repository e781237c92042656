	UPDATE p SET d='Say \'hi\'; go' WHERE id=1;
UPDATE p SET d="a;\"b" -- c
; # d
/* e; */SELECT 1