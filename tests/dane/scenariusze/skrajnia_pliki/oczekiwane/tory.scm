node 1 0 a track normal 100 1 0.25 25 20 0 flat vis
rail 4 tex 0.2 0.5 1.1
0 0.2 0 0
0 0 0
0 0 0
100 0.2 0 0
0
endtrack
node 1 0 b track normal 100 1 0.25 25 20 0 flat unvis
rail 4 tex 0.2 0.5 1.1
0 0.2 20 0
0 0 0
0 0 0
100 0.2 20 0
0
endtrack
node 1 0 c track normal 100 1 0.25 25 20 0 flat vis
rail 4 tex 0.2 0.5 1.1
200 0.2 0 0
0 0 0
0 0 0
260 0.2 80 0
0
endtrack
include TORY.scm end
include Main.scn end
