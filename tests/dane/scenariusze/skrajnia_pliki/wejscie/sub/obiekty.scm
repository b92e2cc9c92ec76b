node 1 0 d track normal 100 1 0.25 25 20 0 flat vis
rail 4 tex 0.2 0.5 1.1
0 0.2 8.5 0
0 0 0
0 0 0
100 0.2 8.5 0
0
endtrack

include obj.inc 50 0 3.5 4 end

include obj.inc 50 0 21 4 end
include obj.inc 230.8 0 39.4 4 end
include obj.inc 250 0 40
