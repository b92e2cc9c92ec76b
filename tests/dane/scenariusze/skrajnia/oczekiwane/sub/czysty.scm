


include obj.inc 1000 0 1000 1 2 3 5 end


