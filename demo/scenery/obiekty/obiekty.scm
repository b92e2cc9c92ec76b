// Obiekty: x y z, dalej parametry. Drzewa maj¹ promieñ korony jako parametr 7.
include obiekty/drzewo.inc 52.0 1.0 30.0 0 sosna1.dds 12 3.5 end
include obiekty/drzewo.inc 47.0 2.0 60.0 45 sosna1.dds 10 3.0 end
include obiekty/drzewo.inc 10.0 0.0 200.0 90 brzoza1.dds 14 4.0 end
include obiekty/drzewo.inc 52.25 3.0 120.0 0 brzoza1.dds 8 3.0 end
include obiekty/tablica.inc 56.5 3.0 60.0 90 end
include obiekty/semafor_sbl.inc 47.5 0.0 95.0 180 end
include obiekty/latarnia.inc 120.0 0.5 153.0 0 end
include obiekty/latarnia.inc 160.0 0.5 153.0 0 end
include obiekty/dom.inc 130.0 25.0 60.0 270 end
include;obiekty/krzak.inc;20.0;1.5;80.0;0;end
//include obiekty/drzewo.inc 70.0 0.0 70.0 0 sosna1.dds 12 3.5 end

include obiekty/zagajnik.scm end
