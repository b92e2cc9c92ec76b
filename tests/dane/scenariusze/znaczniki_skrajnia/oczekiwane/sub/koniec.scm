include obj.inc 250 0 -6 1 2 3 5 end
// wyrownik: pomin
