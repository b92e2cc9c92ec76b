// wyrownik: pomin
// obiekty tej sceny są w main.scn
