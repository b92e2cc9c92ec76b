include obj.inc 900 0 0 1 2 3 5 end
