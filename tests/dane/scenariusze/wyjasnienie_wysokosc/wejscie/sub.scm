include obiekty/lampa.inc 5 1 5 end
