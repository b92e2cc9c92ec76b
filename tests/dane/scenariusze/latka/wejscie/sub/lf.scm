// pliki z Linuksa: LF
include obj.inc 250 0 3 1 2 3 5 end



include obj.inc 50 0 4 1 2 3 5 end


include obj.inc 500 0 0 1 2 3 5 end
include obj.inc 501 0 0 1 2 3 5 end
include obj.inc 502 0 0 1 2 3 5 end
include obj.inc 503 0 0 1 2 3 5 end
include obj.inc 504 0 0 1 2 3 5 end
include obj.inc 505 0 0 1 2 3 5 end
include obj.inc 506 0 0 1 2 3 5 end
include dir/OBJ.INC 270 0 -2 1 2 3 5 end