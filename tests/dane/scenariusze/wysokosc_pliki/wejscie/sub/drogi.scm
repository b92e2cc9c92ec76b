node -1 0 r1 track road 10 4 0.2 20 0 flat vis
asfalt 4 a.tex 0 1 1
20 3 10
0 0 0
0 0 0
20 5 90
0
endtrack
node -1 0 r2 track road 10 4 0.2 20 0 flat unvis
asfalt 4 a.tex 0 1 1
60 9 10
0 0 0
0 0 0
60 9 90
0
endtrack
include drzewo.inc 21 0 50 1 end
include drzewo.inc 60 0 50 end
include latarnia.inc 21 0 50 end
