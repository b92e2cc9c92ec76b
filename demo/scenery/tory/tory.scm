// Tory szlakowe – dwa równoleg³e tory co 4,5 m, z po³udnia na pó³noc.
node -1 0 tor1a track normal 100 1.435 0.25 25 20 0 flat vis
szyna_s49 4 podklady_drew.dds 0.2 0.5 1.1
50.0 2.3 0.0 0.0
0.0 0.0 0.0
0.0 0.0 0.0
50.0 3.2 100.0 0.0
0
endtrack

node -1 0 tor1b track normal 100 1.435 0.25 25 20 0 flat vis
szyna_s49 4 podklady_drew.dds 0.2 0.5 1.1
50.0 3.2 100.0 0.0
0.0 0.0 0.0
0.0 0.0 0.0
50.0 3.2 200.0 0.0
0
endtrack

node -1 0 tor2a track normal 100 1.435 0.25 25 20 0 flat vis
szyna_s49 4 podklady_beton.dds 0.2 0.5 1.1
54.5 2.3 0.0 0.0
0.0 0.0 0.0
0.0 0.0 0.0
54.5 3.2 100.0 0.0
0
endtrack

node -1 0 tor2b track normal 100 1.435 0.25 25 20 0 flat vis
szyna_s49 4 podklady_beton.dds 0.2 0.5 1.1
54.5 3.2 100.0 0.0
0.0 0.0 0.0
0.0 0.0 0.0
54.5 3.2 200.0 0.0
0
endtrack

// Droga gminna w poprzek, na wschód od torów.
node -1 0 droga1 track road 100 6.0 0.25 25 20 0 flat vis
asfalt1.dds 4 pobocze.dds 0.2 0.5 1.1
60.0 3.6 150.0 0.0
0.0 0.0 0.0
0.0 0.0 0.0
200.0 3.9 150.0 0.0
0
endtrack

