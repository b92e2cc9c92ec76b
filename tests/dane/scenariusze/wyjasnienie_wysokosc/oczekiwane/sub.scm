include obiekty/lampa.inc 5 7 5 end
