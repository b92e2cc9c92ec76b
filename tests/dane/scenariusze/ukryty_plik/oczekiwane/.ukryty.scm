include u.inc 30 3 10 end
