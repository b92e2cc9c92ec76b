// Zagajnik na zachód od torów.
include obiekty/drzewo.inc 20.0 0.0 20.0 0 sosna1.dds 11 3.0 end
include obiekty/drzewo.inc 25.0 0.0 26.0 30 sosna1.dds 13 3.5 end
include obiekty/drzewo.inc 18.0 0.0 31.0 60 brzoza1.dds 9 2.5 end
