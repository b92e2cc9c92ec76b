node -1 0 s1 triangle_strip grunt_1.dds
0 2 0
100 2 0
0 2 100
100 2 100
endtri
include sub/teren.SCM end
include MAIN.SCN end
include slup.inc 50 0 40 end
include slup.inc 80 0 80 end